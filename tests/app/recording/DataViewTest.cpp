// The sounding-data view in the running program: its values for positions
// and for each status, its panel against a reference image, the depth-only
// lines its timer writes, and its keys (store the point, open the
// measured-point library, grid or geodetic values).
#include <filesystem>

#include "app/FrameMessages.h"
#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"
#include "platform/device/Sound.h"
#include "platform/gdi/Image.h"
#include "platform/testing/Printers.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/win/WinInternal.h"
#include "receiver/link/PortMessages.h"
#include "tests/app/recording/RecordingTest.h"
#include "tests/platform/device/SoundTestWave.h"

namespace shelltest {
namespace {

constexpr LPCTSTR kDeh = L"\\Flash Disk\\Jobs\\ruvo\\data\\LN0.deh";
constexpr LPCTSTR kPoints = L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.dat";
constexpr LPCTSTR kAlarm = L"\\Flash Disk\\Wav\\Alarm5.wav";
constexpr LPCTSTR kExclam = L"\\Windows\\exclam.wav";

class DataViewTest : public RecordingTest {
  protected:
    void Show(const SurveyRecord& fix) {
        ::SendMessage(Frame()->m_hDataView, WM_GPS_POSITION, reinterpret_cast<WPARAM>(&fix),
                      kGpsPositionNew);
    }
    std::string Value(LPCTSTR label) const { return quorvel::ToUtf8(DataView()->ValueOf(label)); }
    // A telegram of the selected sounder, byte by byte through the frame.
    void Telegram(const char* text) {
        for (const char* c = text; *c; ++c)
            Frame()->SendMessage(WM_SOUNDER_CHAR, static_cast<BYTE>(*c), 2);
    }
    // A tap on the data view gives it the keys.
    void FocusDataView() {
        CRect rect;
        DataView()->GetWindowRect(&rect);
        quorvel::win::InjectStylus(rect.left + 120, rect.top + 50, true);
        quorvel::win::InjectStylus(rect.left + 120, rect.top + 50, false);
        Pump();
    }
};

SurveyRecord SiteFix() {
    SurveyRecord fix = MakeFix(5416504.1234, 668415.5678, 8, 0, 0.0);
    fix.dLat = -(30 + 15.0 / 60 + 45.5 / 3600);
    fix.dLon = 120 + 5.0 / 60 + 7.25 / 3600;
    fix.dHeight = 25.4567;
    fix.dGridH = 21.0;
    fix.dSpeed = 1.234;
    fix.nSatsUsed = 12;
    fix.dDop = 0.9;
    return fix;
}

TEST_F(DataViewTest, ThePanelShowsThePositionAndEachStatusAsItComes) {
    CMainFrame* frame = StartWith([](SystemParams& p) {
        p.nUseAntHgt = 1;
        p.szdSourceAntHgt = 1.5;
        p.nSFStartID = 7;
    });
    frame->m_fBinSigma = 0.0234f;
    Show(SiteFix());
    const std::pair<LPCTSTR, const char*> idle[] = {{L"经度", "120:05:7.2500"},
                                                    {L"纬度", " 30:15:45.5000"},
                                                    {L"高程H", "25.457"},
                                                    {L"坐标x", "5416504.123"},
                                                    {L"坐标y", "668415.568"},
                                                    {L"高程h", "19.500"},
                                                    {L"水深", ""},
                                                    {L"测线", "LN7"},
                                                    {L"点名", "未测量"},
                                                    {L"航速", "1.23"},
                                                    {L"卫星", "12 (0.90)"},
                                                    {L"状态", "固定解"},
                                                    {L"RMS", "0.023"}};
    for (const auto& [label, text] : idle) EXPECT_EQ(Value(label), text) << quorvel::ToUtf8(label);

    // Measuring: the depth the sounder gave and the name of the last epoch.
    frame->m_curSounderType = frame->m_sounderTypes[3];
    Telegram("$GPSSS,03.457,M\r");
    Doc().m_bMeasuring = 1;
    Doc().m_lastRecord[0] = L"LN-12";
    Show(SiteFix());
    EXPECT_EQ(Value(L"水深"), "3.457");
    EXPECT_EQ(Value(L"点名"), "LN-12");
    frame->RedrawWindow();
    Pump();
    quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureWindow(frame->m_hDataView),
                                             "data_view");
    Doc().m_bPaused = 1;
    Show(SiteFix());
    EXPECT_EQ(Value(L"点名"), "测量(暂停)");

    // A status without a position clears every value but the status.
    const std::pair<LPCTSTR, const char*> statuses[] = {
        {L"FINDRADIO", "搜索电台..."}, {L"FIND", "搜索完毕"}, {L"NODATA", "脱机状态"}};
    for (const auto& [status, text] : statuses) {
        SurveyRecord notice = SiteFix();
        notice.strStatus = status;
        Show(notice);
        EXPECT_EQ(Value(L"状态"), text);
        for (LPCTSTR label : {L"经度", L"坐标x", L"高程h", L"水深", L"测线", L"点名", L"RMS"})
            EXPECT_EQ(Value(label), "") << text;
    }
    // Seconds a hair below 60 carry into the minutes and the degrees.
    EXPECT_EQ(CDataView::FormatDegMinSec(10 + 59.0 / 60 + 59.99996 / 3600),
              CString(L" 11:00:0.0000"));
}

// On the handheld's screen every cell of the panel lies wholly in the pane,
// one label/value pair a row, and the widest value of each label fits an
// 80-pixel cell in the panel font. A latitude or longitude (14 characters,
// 84 pixels) is the one value longer than that: a lone pair's value cell
// takes the rest of its row, and there it shows whole.
TEST_F(DataViewTest, TheWidestValuesFitTheirCellsOnTheHandheldsScreen) {
    CMainFrame* frame = StartWith([](SystemParams& p) { p.nSFStartID = 99999; });
    frame->m_fBinSigma = 99.999f;
    CDataView* view = DataView();
    CRect client;
    view->GetClientRect(&client);
    ASSERT_EQ(CDataView::PairsPerRow(client.Width()), 1);
    const CSize panel = view->PanelSize(client.Width());
    EXPECT_LE(panel.cx, client.Width());
    EXPECT_EQ(panel.cy, 11 * CDataView::kRowHeight);  // 4 + 3 + 4 pairs (one unnamed)
    EXPECT_EQ(CDataView::PairsPerRow(252), 2);        // where two pairs fit, two a row
    EXPECT_EQ(CDataView::PairsPerRow(251), 1);

    CClientDC dc(view);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(CDataView::kFontPoints * 10, L"宋体", &dc));
    CFont* old = dc.SelectObject(&font);
    auto width = [&](const CString& text) { return static_cast<int>(dc.GetTextExtent(text).cx); };
    constexpr int kCellText = CDataView::kValueWidth - CDataView::kValueInset;
    // Less the scroll bar beside the rows.
    const int kRowText = client.Width() - ::GetSystemMetrics(SM_CXVSCROLL) -
                         CDataView::kTitleWidth - CDataView::kLabelWidth - CDataView::kValueInset;

    SurveyRecord fix = SiteFix();
    fix.dX = -5416541.908;
    fix.dY = -5416541.908;
    fix.dHeight = -9999.999;
    fix.dGridH = -9999.999;
    fix.dLat = -(89 + 59.0 / 60 + 59.9998 / 3600);
    fix.dLon = 179 + 59.0 / 60 + 59.9999 / 3600;
    fix.dSpeed = 999.99;
    fix.nSatsUsed = 24;
    fix.dDop = 99.99;
    fix.strStatus = L"基站状态";
    Doc().m_bMeasuring = 1;
    Doc().m_bPaused = 1;
    Show(fix);
    EXPECT_EQ(Value(L"坐标x"), "-5416541.908");
    EXPECT_EQ(Value(L"经度"), "179:59:59.9999");
    EXPECT_EQ(Value(L"卫星"), "24 (99.99)");
    for (LPCTSTR label : {L"坐标x", L"坐标y", L"高程H", L"高程h", L"测线", L"点名", L"航速",
                          L"卫星", L"状态", L"RMS"}) {
        const CString value = view->ValueOf(label);
        EXPECT_LE(width(value), kCellText)
            << quorvel::ToUtf8(label) << " " << quorvel::ToUtf8(value);
    }
    for (LPCTSTR depth : {L"9999.999", L"-999.999"}) EXPECT_LE(width(depth), kCellText);
    for (LPCTSTR status : {L"搜索电台...", L"搜索完毕", L"脱机状态", L"未测量"})
        EXPECT_LE(width(status), kCellText) << quorvel::ToUtf8(status);
    for (LPCTSTR label : {L"经度", L"纬度"}) {
        const CString value = view->ValueOf(label);
        EXPECT_GT(width(value), kCellText);
        EXPECT_LE(width(value), kRowText) << quorvel::ToUtf8(value);
    }
    dc.SelectObject(old);

    // The geodetic rows on the screen, each value whole.
    FocusDataView();
    Key('6');
    frame->RedrawWindow();
    Pump();
    quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureWindow(frame->m_hDataView),
                                             "data_view_widest");
}

// Local midnight with a zone behind UTC: hour 24, the UTC date, the minute
// padded with a blank. Seconds without a new depth do not count.
TEST_F(DataViewTest, DepthOnlyLinesComeEveryIntervalOfNewDepths) {
    quorvel::UseVirtualClock(SYSTEMTIME{2012, 6, 5, 1, 5, 5, 0, 0});
    CMainFrame* frame = StartWith([](SystemParams& p) {
        p.nTimeZone = -5;
        p.dDeepInterTime = 2.0;
    });
    frame->m_curSounderType = frame->m_sounderTypes[3];
    Doc().m_bDepthOnly = 1;
    Doc().m_strRawFile = kDeh;
    Telegram("$GPSSS,12.344,M\r");
    Advance(1000);  // 05:05:02
    EXPECT_EQ(Value(L"水深"), "12.344");
    Advance(4000);
    EXPECT_FALSE(IsFile(kDeh));
    Telegram("$GPSSS,07.250,M\r");
    Advance(1000);  // 05:05:07, the second new depth
    EXPECT_EQ(ReadDevice(kDeh), "0,2012-06-01,24: 5:07,7.25\r\n");
    EXPECT_EQ(Value(L"点名"), "0");
    EXPECT_EQ(Value(L"测线"), "LN0");

    Doc().m_bPaused = 1;
    Telegram("$GPSSS,01.000,M\r");
    Advance(1000);
    Doc().m_bPaused = 0;
    // An interval below one depth writes every depth.
    Doc().m_sysParams.dDeepInterTime = 0.5;
    Telegram("$GPSSS,01.500,M\r");
    Advance(1000);  // 05:05:09
    EXPECT_EQ(ReadDevice(kDeh), "0,2012-06-01,24: 5:07,7.25\r\n1,2012-06-01,24: 5:09,1.50\r\n");

    // Neither depth-only nor the sounder on, and no receiver data: cleared.
    Doc().m_bDepthOnly = 0;
    Doc().m_bGpsData = 0;
    Advance(1000);
    for (LPCTSTR label : {L"水深", L"测线", L"点名"}) EXPECT_EQ(Value(label), "");
}

TEST_F(DataViewTest, TwoPressesOfBInOneMinuteOpenTheLibraryAndSixSwitchesTheLabels) {
    StartAndSettle();  // 08:00:01
    FocusDataView();
    Advance(57000);
    Key('B');  // 08:00:58
    Advance(2000);
    Key('B');  // 08:01:00: another minute
    Advance(10000);
    Key('B');  // 08:01:10
    Advance(2000);
    m_modals->ExpectDialog(IDD_MEASURE_POINT_LIB).Key(VK_ESCAPE);
    Key('B');  // 08:01:12
    EXPECT_EQ(m_modals->Pending(), 0);
    Key('B');  // the opening forgot the press: this one only counts
    Advance(3000);
    Key('B');  // 3 s later: too late

    const CStringArray& rows = DataView()->m_panelRows;
    Key('6');
    EXPECT_EQ(rows[1] + rows[2] + rows[3], CString(L"CONTENT:纬度CONTENT:经度CONTENT:高程H"));
    Key('6');
    EXPECT_EQ(rows[1] + rows[2] + rows[3], CString(L"CONTENT:坐标xCONTENT:坐标yCONTENT:高程h"));
}

TEST_F(DataViewTest, KeyAStoresTheShownFixThroughTheStoreDialogs) {
    namespace fs = std::filesystem;
    const std::string wave = soundtest::FileBytes(soundtest::MakeWave({.frames = 800}));
    WriteDevice(kAlarm, wave);
    WriteDevice(kExclam, wave);
    quorvel::device::RecordingSoundSink sink;
    quorvel::device::SoundSink* previous = quorvel::device::SetSoundSink(&sink);
    StartWith([](SystemParams& p) { p.szdSourceAntHgt = 1.6; });
    FocusDataView();

    // A float fix: the alarm, the non-fixed status, the point stored.
    SurveyRecord fix = SiteFix();
    fix.nSolution = 9;
    Show(fix);
    m_modals->ExpectDialog(IDD_MEASURE_POINT_STORE)
        .Do([](HWND dialog) {
            WCHAR text[64] = {};
            ::GetDlgItemText(dialog, IDC_STORE_STATUS, text, 64);
            EXPECT_EQ(CString(text), CString(L"GPS状态：非固定解状态"));
            ::GetDlgItemText(dialog, IDC_STORE_NAME, text, 64);
            EXPECT_EQ(CString(text), CString(L"PT1"));
        })
        .SetText(IDC_STORE_NAME, L"P7")
        .SetText(IDC_STORE_CODE, L"C1")
        .Click(IDOK);
    Key('A');
    ASSERT_EQ(sink.Played().size(), 1u);
    EXPECT_EQ(sink.Played()[0].path, std::wstring(kAlarm));
    EXPECT_EQ(Doc().m_storeFix.nSolution, 9);
    EXPECT_EQ(Doc().m_strPointCode, CString(L"C1"));
    EXPECT_EQ(Doc().m_dPointAntHeight, 1.6);
    EXPECT_EQ(Doc().m_strNextPointName, CString(L"P8"));
    EXPECT_EQ(Lines(kPoints).size(), 1u);
    EXPECT_EQ(Lines(kPoints)[0].substr(0, 15), "P7,5416504.123,");
    EXPECT_TRUE(IsFile(L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.RTK"));

    // Without the job's alarm file the system's sound; the code follows
    // the name when the settings say so.
    fs::remove(Host(kAlarm));
    Doc().m_sysParams.CodeSaveType = 1;
    m_modals->ExpectDialog(IDD_MEASURE_POINT_STORE).SetText(IDC_STORE_NAME, L"Q1").Click(IDOK);
    Key('A');
    EXPECT_EQ(sink.Played().back().path, std::wstring(kExclam));
    EXPECT_EQ(Doc().m_strPointCode, CString(L"Q1"));

    // A fixed fix: no sound. No corrections: the question first.
    sink.Clear();
    Show(SiteFix());
    Doc().m_bDiffAlive = 0;
    m_modals->ExpectMessageBox(L"当前无差分信号,确定要存储吗?").Answer(IDNO);
    Key('A');
    m_modals->ExpectMessageBox(L"当前无差分信号,确定要存储吗?").Answer(IDYES);
    m_modals->ExpectDialog(IDD_MEASURE_POINT_STORE)
        .Do([](HWND dialog) {
            WCHAR text[64] = {};
            ::GetDlgItemText(dialog, IDC_STORE_STATUS, text, 64);
            EXPECT_EQ(CString(text), CString(L"GPS状态：固定解状态"));
        })
        .Click(IDCANCEL);
    Key('A');
    EXPECT_TRUE(sink.Played().empty());
    // Storage by time stores nothing here; offset storage has its dialog.
    Doc().m_nStoreType = 3;
    m_modals->ExpectMessageBox(L"当前无差分信号,确定要存储吗?").Answer(IDYES);
    Key('A');
    Doc().m_bDiffAlive = 1;
    Doc().m_nStoreType = 1;
    m_modals->ExpectDialog(IDD_OFFSET_STORE).Click(IDOK);
    Key('A');
    EXPECT_EQ(Lines(kPoints).size(), 3u);
    EXPECT_EQ(Lines(kPoints)[2].substr(0, 3), "Q2,");

    // Files that cannot be written: said so, and the name is not used up.
    Doc().m_nStoreType = 0;
    fs::remove_all(Host(L"\\Flash Disk\\Jobs\\ruvo\\data"));
    m_modals->ExpectDialog(IDD_MEASURE_POINT_STORE).Click(IDOK);
    m_modals->ExpectMessageBox(L"打开文件错误,请检查").Answer(IDOK);
    Key('A');
    EXPECT_EQ(Doc().m_strNextPointName, CString(L"Q3"));
    EXPECT_EQ(m_modals->Pending(), 0);
    quorvel::device::SetSoundSink(previous);
}

}  // namespace
}  // namespace shelltest
