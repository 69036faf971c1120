// The point-measuring screen in the running program, fixes handed to it as
// the frame posts them on the virtual clock: its looks (first fix, each
// status word, a repaint of the job's points), the incremental plan that
// leaves no trail, the plan's edge cases, the store roads with their
// dialogs answered, automatic collection by time and by distance, and the
// data files a surveyor may bring along.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/FrameMessages.h"
#include "app/link/InfoDisplayDlg.h"
#include "app/screens/ScreenStore.h"
#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/Printers.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/TextInk.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"
#include "tests/app/screens/PlanLettering.h"
#include "tests/app/screens/ScreensTest.h"

namespace screenstest {
namespace {

using quorvel::gdi::CaptureWindow;
using quorvel::gdi::Image;
using quorvel::testing::ExpectMatchesReference;

void NoChange(SystemParams&) {}

class PointScreenFlowTest : public ScreensTest {
  protected:
    CDialogViewSavePoint* Start(void (*change)(SystemParams&) = NoChange) {
        StartWith(change);
        CDialogViewSavePoint* screen = OpenPointScreen();
        EXPECT_NE(screen, nullptr);
        return screen;
    }
    void Click(CDialogViewSavePoint* screen, int id) {
        screen->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                            reinterpret_cast<LPARAM>(screen->GetDlgItem(id)->m_hWnd));
        Pump();
    }
    // A key as the keyboard gives it, to the screen's hidden default button.
    void ScreenKey(CDialogViewSavePoint* screen, UINT key) {
        screen->m_btnDefault.SetFocus();
        Key(key);
    }
    void WritePoints(const std::string& bytes) { WriteDevice(kPoints, bytes); }
};

std::string TenPoints() {
    std::string text;
    for (int i = 1; i <= 10; ++i) {
        char line[128];
        std::snprintf(line, sizeof line, "P%d,%.3f,%.3f,10.000,C%d,10,\r\n", i, 5400000.0 + i * 3.0,
                      668000.0 + i * 4.0, i);
        text += line;
    }
    return text;
}

TEST_F(PointScreenFlowTest, TheLooksOfTheFirstFixInPlaneThenGeodeticValues) {
    CDialogViewSavePoint* screen = Start();
    ASSERT_NE(screen, nullptr);
    Frame()->m_fBinSigma = 0.0125f;
    Doc().m_nRadioChannel = 2;
    SurveyRecord fix = FixAt(5416504.1234, 668415.5678, 10, 0, 4.0);
    fix.nAux = 2;
    // The first fix loads the job's points and repaints; the next one at
    // the same place shows the stationary marker.
    Feed(fix);
    Feed(fix);
    EXPECT_EQ(screen->m_strX, CString(L"5416504.123"));
    EXPECT_EQ(screen->m_strY, CString(L"668415.568"));
    EXPECT_EQ(screen->m_strH, CString(L"466.500"));
    EXPECT_EQ(screen->m_strName, Doc().m_strPointName);
    EXPECT_EQ(screen->m_strStatus, CString(L"(9)固定解"));
    EXPECT_EQ(screen->m_strRms, CString(L"0.013"));
    EXPECT_EQ(screen->m_strPdop, CString(L"1.100"));
    EXPECT_EQ(Doc().m_bGgaSeen, 1);
    ASSERT_EQ(screen->m_marker.GetSize(), 1);  // the stationary marker at the centre
    EXPECT_EQ(screen->m_marker[0], screen->Mapping().ToScreen(fix.dX, fix.dY));
    ExpectMatchesReference(CaptureWindow(screen->m_hWnd), "first_fix_plane");
    EXPECT_TRUE(quorvel::testing::LabelsLieWhole(screen->m_hWnd));
    const screens::PlanFonts fonts;
    EXPECT_TRUE(PlanLettersLieWhole(screen->m_plan.m_hWnd, screen->m_rcDraw,
                                    {fonts.Bold(), fonts.Small(), fonts.Small(),
                                     screens::ScaleLabel(24.0 * screen->m_dScale), L"10:00:04"}));

    ScreenKey(screen, '6');
    EXPECT_EQ(Doc().m_nCoordDisplay, 1);
    Feed(fix);
    EXPECT_EQ(screen->m_strH, CString(L"512.250"));
    EXPECT_NE(screen->m_strX.Find(L"48"), -1) << quorvel::ToUtf8(screen->m_strX);
    ExpectMatchesReference(CaptureWindow(screen->m_hWnd), "first_fix_geodetic");
    ScreenKey(screen, VK_F6);
    EXPECT_EQ(Doc().m_nCoordDisplay, 0);

    // '5' turns the position feed and the translated status back on.
    Doc().m_bPositionFeed = 0;
    Doc().m_bStatusInChinese = 0;
    ScreenKey(screen, '5');
    EXPECT_EQ(Doc().m_bPositionFeed, 1);
    EXPECT_EQ(Doc().m_bStatusInChinese, 1);
}

// The columns holding the read-outs' black text on the button face: the
// span from the first to the last, 0 when there is none. The top and bottom
// rows are left out: rows of 13.5 pixels share them with the row's
// neighbours, and the text never reaches them.
int InkSpan(const Image& image) {
    int first = image.width, last = -1;
    for (int y = 1; y + 1 < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const uint32_t p = image.At(x, y);
            if ((p & 0xFF) < 0x40 && ((p >> 8) & 0xFF) < 0x40 && ((p >> 16) & 0xFF) < 0x40) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    return last < first ? 0 : last - first + 1;
}

// `text` drawn alone and uncut in the read-outs' font: its ink span and
// extent.
std::pair<int, int> InkAndExtentAlone(const CString& text) {
    HDC screenDc = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screenDc);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screenDc, 400, 24);
    ::ReleaseDC(nullptr, screenDc);
    HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
    HFONT font =
        ::CreateFont(14, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"system");
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    RECT all{0, 0, 400, 24};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::TextOut(dc, 100, 4, text, text.GetLength());
    SIZE extent{};
    ::GetTextExtentPoint32(dc, text, text.GetLength(), &extent);
    ::SelectObject(dc, oldFont);
    ::SelectObject(dc, oldBitmap);
    ::DeleteObject(font);
    ::DeleteDC(dc);
    const int ink = InkSpan(quorvel::gdi::CaptureBitmap(bitmap));
    ::DeleteObject(bitmap);
    return {ink, static_cast<int>(extent.cx)};
}

// Every read-out at its widest lies wholly inside its control, live and in
// a full repaint: the text's ink spans as many columns in the control as
// drawn alone, so no digit of a coordinate is cut at either end. Beside
// them every label shows whole: no read-out paints over a neighbour's rows.
TEST_F(PointScreenFlowTest, TheWidestReadoutsLieWhollyInTheirControls) {
    CDialogViewSavePoint* screen = Start();
    ASSERT_NE(screen, nullptr);
    Frame()->m_fBinSigma = 99.999f;
    Doc().m_strPointName = L"PT10000";
    auto dms = [](int d, int m, double s) { return d + m / 60.0 + s / 3600.0; };
    struct Row {
        int display;
        double x, y, h;  // grid x, y, height, or latitude, longitude, height
        int sats;
        LPCWSTR status;  // as the frame translates it
    };
    const Row rows[] = {
        {0, -5416541.908, 99999999.999, -9999.999, 64, L"基站状态"},
        {0, 9999999.999, 38588888.888, 9999.999, 24, L"无效解"},
        {0, -9999999.999, -99999999.999, -9999.999, 12, L"固定解"},
        {0, 4888888.888, 588888.888, 8888.888, 12, L"浮点解"},
        {1, -dms(89, 59, 59.9999), -dms(179, 59, 59.9999), -9999.999, 64, L"基站状态"},
        {1, dms(48, 58, 58.8888), dms(108, 58, 58.8888), 8888.888, 12, L"差分解"},
        {1, 0.0, dms(180, 0, 0.0), 0.0, 4, L"单点解"},
    };
    for (const Row& row : rows) {
        Doc().m_nCoordDisplay = row.display;
        SurveyRecord fix = FixAt(0.0, 0.0);
        if (row.display == 0) {
            fix.dX = row.x;
            fix.dY = row.y;
            fix.dGridH = row.h;
        } else {
            fix.dLat = row.x;
            fix.dLon = row.y;
            fix.dHeight = row.h;
        }
        fix.nSatsUsed = row.sats;
        fix.dDop = 99.999;
        fix.strStatus = row.status;
        for (bool repaint : {false, true}) {
            Feed(fix);
            if (repaint) {
                screen->Invalidate();
                Pump();
            }
            const std::pair<int, const CString*> readouts[] = {
                {IDC_SP_X, &screen->m_strX},           {IDC_SP_Y, &screen->m_strY},
                {IDC_SP_H, &screen->m_strH},           {IDC_SP_NAME, &screen->m_strName},
                {IDC_SP_STATUS, &screen->m_strStatus}, {IDC_SP_RMS, &screen->m_strRms},
                {IDC_SP_PDOP, &screen->m_strPdop},
            };
            for (const auto& [id, text] : readouts) {
                CWnd* control = screen->GetDlgItem(id);
                ASSERT_NE(control, nullptr);
                CRect client;
                control->GetClientRect(&client);
                const auto [ink, extent] = InkAndExtentAlone(*text);
                EXPECT_GT(ink, 0);
                EXPECT_LE(extent, client.Width()) << id << " " << quorvel::ToUtf8(*text);
                EXPECT_EQ(InkSpan(CaptureWindow(control->m_hWnd)), ink)
                    << id << " " << quorvel::ToUtf8(*text) << (repaint ? " repainted" : " live");
            }
            EXPECT_TRUE(quorvel::testing::LabelsLieWhole(screen->m_hWnd))
                << (repaint ? "repainted" : "live");
        }
    }
}

TEST_F(PointScreenFlowTest, TheLooksOfTheStatusWords) {
    CDialogViewSavePoint* screen = Start();
    ASSERT_NE(screen, nullptr);
    Feed(FixAt(5416504.0, 668415.0));
    EXPECT_TRUE(screen->m_bHaveFix);
    SendStatus(L"NODATA");
    EXPECT_EQ(screen->m_strStatus, CString(L"脱机状态"));
    EXPECT_FALSE(screen->m_bHaveFix);
    ExpectMatchesReference(CaptureWindow(screen->m_hWnd), "no_data");
    SendStatus(L"FINDRADIO");
    EXPECT_EQ(screen->m_strStatus, CString(L"搜索电台..."));
    ExpectMatchesReference(CaptureWindow(screen->m_hWnd), "searching_radio");
    SendStatus(L"FIND");
    EXPECT_EQ(screen->m_strStatus, CString(L"搜索完毕"));
    // No fix meanwhile: the store button says so and opens nothing.
    m_modals->ExpectMessageBox(L"当前没有接收数据,不能采集数据").Answer(IDOK);
    Click(screen, IDC_SP_STORE);
    EXPECT_FALSE(IsFile(kPoints));
}

TEST_F(PointScreenFlowTest, TheLooksOfARepaintShowingTheLastThreeOfTenPointsByCode) {
    WriteDevice(kPoints, TenPoints());
    CDialogViewSavePoint* screen = Start([](SystemParams& p) {
        p.nShowSurveyPoint = 3;
        p.nDisplayType = 1;
    });
    ASSERT_NE(screen, nullptr);
    Feed(FixAt(5400016.5, 668022.0));
    ASSERT_EQ(screen->m_points.GetSize(), 10);
    ASSERT_EQ(screen->m_screenPoints.GetSize(), 3);
    EXPECT_EQ(screen->m_screenPoints[0].m_strName, CString(L"P8"));
    EXPECT_EQ(screen->m_screenPoints[2].m_strCode, CString(L"C10"));
    // Zoomed to all ten: the larger of 27 m over the height and 36 m over
    // the width, centred on them.
    const CRect draw = screen->m_rcDraw;
    EXPECT_DOUBLE_EQ(screen->m_dScale, std::max(27.0 / draw.Height(), 36.0 / draw.Width()));
    EXPECT_DOUBLE_EQ(screen->m_dCentreN, 5400016.5);
    ExpectMatchesReference(CaptureWindow(screen->m_hWnd), "repaint_last_three_by_code");

    // All of them (-1, and below -1 alike); none at 0.
    for (int count : {-1, -7, 0}) {
        Doc().m_sysParams.nShowSurveyPoint = count;
        screen->Invalidate();
        Pump();
        EXPECT_EQ(screen->m_screenPoints.GetSize(), count == 0 ? 0 : 10) << count;
    }
}

// Inverted drawing removes each marker before the next: after fifty fixes
// along a curve the plan differs from a fresh repaint only where the last
// marker, the link bars and the fix time are.
TEST_F(PointScreenFlowTest, FiftyFixesLeaveNoTrailOnThePlan) {
    CDialogViewSavePoint* screen = Start();
    ASSERT_NE(screen, nullptr);
    SurveyRecord fix;
    for (int i = 0; i < 50; ++i) {
        fix = FixAt(5416500.0 + 8.0 * std::sin(i * 0.2), 668400.0 + 0.6 * i, 10, 0, i);
        fix.nAux = 2;
        Feed(fix);
    }
    ASSERT_EQ(screen->m_marker.GetSize(), 4);
    CRect allowed;
    for (int i = 0; i < screen->m_marker.GetSize(); ++i) {
        const CPoint p = screen->m_marker[i];
        allowed |= CRect(p.x - 3, p.y - 3, p.x + 4, p.y + 4);
    }
    const Image live = PlanImage(screen);
    screen->Invalidate();
    Pump();
    const Image fresh = PlanImage(screen);
    ASSERT_EQ(live.width, fresh.width);
    const CRect draw = screen->m_rcDraw;
    const CRect time(draw.left, draw.bottom - 10, draw.left + 50, draw.bottom);
    const CRect link(draw.left - 4, draw.top - 4, draw.left + 48, draw.top + 8);
    int differing = 0;
    for (int y = 0; y < live.height; ++y)
        for (int x = 0; x < live.width; ++x) {
            if (live.At(x, y) == fresh.At(x, y)) continue;
            ++differing;
            const CPoint p(x, y);
            EXPECT_TRUE(allowed.PtInRect(p) || time.PtInRect(p) || link.PtInRect(p))
                << x << "," << y;
            if (HasFailure()) return;
        }
    EXPECT_GT(differing, 0);
    // The repaint keeps no marker; the next fix at the same place shows
    // the stationary one, so a still receiver is never without a marker.
    EXPECT_EQ(screen->m_marker.GetSize(), 0);
    Feed(fix);
    EXPECT_EQ(screen->m_marker.GetSize(), 1);
}

TEST_F(PointScreenFlowTest, ThePlanFollowsItsEdgeCases) {
    WriteDevice(kPoints,
                "ONE,100.000,200.000,5.000,K,\r\nTWO,110.000,220.000,5.000,K,\r\n\r\n"
                "THREE,1.0,2.0,3.0,K,\r\n");
    CDialogViewSavePoint* screen = Start();
    ASSERT_NE(screen, nullptr);
    // The third line empty: two points.
    Feed(FixAt(105.0, 210.0));
    ASSERT_EQ(screen->m_points.GetSize(), 2);

    // Zoom in stops once scale x 70 is no longer above 0.01.
    for (int i = 0; i < 200; ++i) Click(screen, IDC_SP_ZOOM_IN);
    EXPECT_LE(screen->m_dScale * 70.0, 0.01);
    EXPECT_GT(screen->m_dScale * 70.0 / 0.875, 0.01);
    const double smallest = screen->m_dScale;
    Click(screen, IDC_SP_ZOOM_IN);
    EXPECT_EQ(screen->m_dScale, smallest);
    Click(screen, IDC_SP_ZOOM_OUT);
    EXPECT_EQ(screen->m_dScale, smallest * 2.0);
    for (int i = 0; i < 2000; ++i) Click(screen, IDC_SP_ZOOM_OUT);
    EXPECT_TRUE(std::isfinite(screen->m_dScale));

    // Zoom to all on a single point: 0.01 m a pixel, centred on it.
    screen->m_points.SetSize(1);
    Click(screen, IDC_SP_ZOOM_ALL);
    EXPECT_EQ(screen->m_dScale, 0.01);
    EXPECT_EQ(screen->m_dCentreN, 100.0);
    EXPECT_EQ(screen->m_dCentreE, 200.0);

    // A window zoom drawn in the lower half moves the centre south.
    Click(screen, IDC_SP_ZOOM_WINDOW);
    EXPECT_TRUE(screen->m_bZoomWindow);
    const CRect plan = [&] {
        CRect rc;
        screen->m_plan.GetClientRect(&rc);
        return rc;
    }();
    CRect onScreen;
    screen->GetWindowRect(&onScreen);
    const int x0 = onScreen.left, y0 = onScreen.top;
    quorvel::win::InjectStylus(x0 + 20, y0 + plan.Height() - 30, true);
    Pump();
    quorvel::win::InjectStylus(x0 + 60, y0 + plan.Height() - 10, true);
    Pump();
    EXPECT_EQ(screen->m_ptBand, CPoint(60, plan.Height() - 10));
    quorvel::win::InjectStylus(x0 + 60, y0 + plan.Height() - 10, false);
    Pump();
    EXPECT_FALSE(screen->m_bZoomWindow);
    EXPECT_LT(screen->m_dCentreN, 100.0);
    EXPECT_GE(screen->m_dScale, 0.01);

    // A pan moves the centre with the stylus: north when dragged down.
    const double north = screen->m_dCentreN;
    quorvel::win::InjectStylus(x0 + 100, y0 + 40, true);
    Pump();
    quorvel::win::InjectStylus(x0 + 100, y0 + 50, true);
    Pump();
    quorvel::win::InjectStylus(x0 + 100, y0 + 50, false);
    Pump();
    EXPECT_DOUBLE_EQ(screen->m_dCentreN, north + 10 * screen->m_dScale);

    // Markers: 0.05 m at "SINGLE" (as translated) is still, at a fixed
    // solution an arrow; 0.01 m is still whatever the status.
    screen->m_dScale = 0.01;
    SurveyRecord fix = FixAt(105.0, 210.0);
    fix.strStatus = L"单点解";
    Feed(fix);
    fix.dX += 0.05;
    Feed(fix);
    EXPECT_EQ(screen->m_marker.GetSize(), 1);
    fix.strStatus = L"固定解";
    fix.dX += 0.05;
    Feed(fix);
    EXPECT_EQ(screen->m_marker.GetSize(), 4);
    fix.dX += 0.01;
    Feed(fix);
    EXPECT_EQ(screen->m_marker.GetSize(), 1);
}

TEST_F(PointScreenFlowTest, TheHelpButtonHandsOverItsTextAndTheSecondBOpensTheLibrary) {
    CDialogViewSavePoint* screen = Start();
    ASSERT_NE(screen, nullptr);
    const std::string expected =
        "当前模式:水深测量\n\n按'C'键开始水深测量\n按'D'键停止水深测量\n按'G'键暂停水深测量\n"
        "按'E'键手工水深采集\n按'F'键快速变线\n按'R'键清除布线\n按'A'键保存测量点\n"
        "按'B'两次查看测量点\n按'5'键刷新\n按'H'键放大\n按'L'键缩小\n按'P'键局部缩放\n"
        "按'T'键全图缩放\n\n\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.dat\n";
    EXPECT_EQ(quorvel::ToUtf8(screen->HelpText()), expected);
    m_modals->ExpectDialog(IDD_INFO_DISPLAY).Key(VK_ESCAPE);
    Click(screen, IDC_SP_HELP);

    // 'B' at :58 and :00 of the next minute: no library; a second press
    // within one minute opens it.
    SYSTEMTIME now;
    GetSystemTime(&now);
    Advance((58 - now.wSecond) * 1000 - now.wMilliseconds);
    ScreenKey(screen, 'B');
    Advance(2000);
    ScreenKey(screen, VK_UP);
    Advance(2000);
    m_modals->ExpectDialog(IDD_MEASURE_POINT_LIB).Key(VK_ESCAPE);
    ScreenKey(screen, VK_PRIOR);
    EXPECT_EQ(m_modals->Pending(), 0);
    // Forgotten afterwards: one press opens nothing.
    ScreenKey(screen, 'B');
}

// The status line the store dialog shows.
std::function<void(HWND)> StatusInto(std::wstring* status) {
    return [status](HWND dialog) { *status = shelltest::ItemText(dialog, IDC_STORE_STATUS); };
}

TEST_F(PointScreenFlowTest, TheStoreRoadsWriteThroughTheDialogsAndRefuseWhatTheyMust) {
    CDialogViewSavePoint* screen = Start();
    ASSERT_NE(screen, nullptr);
    // Before any fix: the box, no dialog.
    m_modals->ExpectMessageBox(L"当前没有接收数据,不能采集数据").Answer(IDOK);
    ScreenKey(screen, 'A');
    SurveyRecord fix = FixAt(5416504.0, 668415.0, 10, 0, 1.0);
    Feed(fix);

    // The store button: name, code and antenna height typed.
    std::wstring status;
    m_modals->ExpectDialog(IDD_MEASURE_POINT_STORE)
        .Do(StatusInto(&status))
        .SetText(IDC_STORE_NAME, L"S1")
        .SetText(IDC_STORE_CODE, L"K7")
        .SetText(IDC_STORE_ANT_HEIGHT, L"1.5")
        .Click(IDOK);
    Click(screen, IDC_SP_STORE);
    EXPECT_EQ(status, L"GPS状态：固定解状态");
    std::vector<std::string> points = FileLines(kPoints);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].substr(0, 39), "S1,5416504.000,668415.000,465.000,K7,10");
    EXPECT_EQ(FileLines(kBlh).size(), 1u);
    EXPECT_EQ(Doc().m_strNextPointName, CString(L"S2"));
    ASSERT_EQ(screen->m_points.GetSize(), 1);
    EXPECT_EQ(screen->m_points[0].dH, 465.0);
    EXPECT_EQ(screen->m_points[0].strCode, CString(L"K7"));

    // 'A' at a DGPS solution (code 2 as the data view's receivers give
    // it): the alarm and "差分解"; cancelled, nothing written.
    fix.nSolution = 2;
    Feed(fix);
    m_modals->ExpectDialog(IDD_MEASURE_POINT_STORE).Do(StatusInto(&status)).Click(IDCANCEL);
    ScreenKey(screen, VK_LEFT);
    EXPECT_EQ(status, L"差分解");
    EXPECT_EQ(FileLines(kPoints).size(), 1u);
    // The store button at code 2 keeps the non-fixed line.
    m_modals->ExpectDialog(IDD_MEASURE_POINT_STORE).Do(StatusInto(&status)).Click(IDCANCEL);
    Click(screen, IDC_SP_STORE);
    EXPECT_EQ(status, L"GPS状态：非固定解状态");

    // No differential signal: 'A' asks, No ends it; the button never asks.
    Doc().m_bDiffAlive = 0;
    m_modals->ExpectMessageBox(L"当前无差分信号,确定要存储吗?").Answer(IDNO);
    ScreenKey(screen, 'A');
    EXPECT_EQ(m_modals->Pending(), 0);
    Doc().m_bDiffAlive = 1;

    // 'D': the point and the coordinate library's two lines.
    fix.nSolution = 10;
    Feed(fix);
    m_modals->ExpectDialog(IDD_MEASURE_POINT_STORE).Click(IDOK);
    ScreenKey(screen, VK_RIGHT);
    EXPECT_EQ(FileLines(kPoints).size(), 2u);
    EXPECT_EQ(FileLines(kLib).size(), 2u);
    EXPECT_EQ(Doc().m_strNextPointName, CString(L"S3"));
    EXPECT_EQ(screen->m_points.GetSize(), 2);
    // 'D' only for general points.
    Doc().m_nStoreType = 1;
    ScreenKey(screen, VK_RIGHT);
    Doc().m_nStoreType = 0;

    // The data folder gone: the box, nothing written, the name kept.
    namespace fs = std::filesystem;
    fs::remove_all(Host(L"\\Flash Disk\\Jobs\\ruvo\\data"));
    m_modals->ExpectDialog(IDD_MEASURE_POINT_STORE).Click(IDOK);
    m_modals->ExpectMessageBox(L"打开文件错误,请检查").Answer(IDOK);
    Click(screen, IDC_SP_STORE);
    EXPECT_EQ(Doc().m_strNextPointName, CString(L"S3"));
    EXPECT_EQ(screen->m_points.GetSize(), 2);
    EXPECT_EQ(m_modals->Pending(), 0);
}

// Walking north 1 m a fix with 10 m set: the first fix is the reference,
// points at 10 m, then 11 m further (the fix after a point is the new
// reference): 10, 21, 32.
TEST_F(PointScreenFlowTest, CollectionByDistanceStoresAtTenTwentyOneAndThirtyTwoMetres) {
    CDialogViewSavePoint* screen = Start([](SystemParams& p) {
        p.nSaveType = 4;
        p.szdAutoSaveDis = 10.0;
    });
    ASSERT_NE(screen, nullptr);
    ASSERT_EQ(Doc().m_nStoreType, 4);
    ASSERT_EQ(Doc().m_nAutoInterval, 10);
    for (int i = 0; i <= 35; ++i) Feed(FixAt(5416500.0 + i, 668400.0, 10, 0, i));
    EXPECT_TRUE(FileLines(kPoints).empty());  // not started
    Frame()->SendMessage(WM_COMMAND, ID_AUTO_COLLECT_START);
    Doc().m_strNextPointName = L"A1";
    for (int i = 0; i <= 35; ++i) Feed(FixAt(5416600.0 + i, 668400.0, 10, 1, i));
    const std::vector<std::string> points = FileLines(kPoints);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].substr(0, 14), "A1,5416610.000");
    EXPECT_EQ(points[1].substr(0, 14), "A2,5416621.000");
    EXPECT_EQ(points[2].substr(0, 14), "A3,5416632.000");
    const std::vector<std::string> rtk = FileLines(kRtk);
    ASSERT_FALSE(rtk.empty());
    EXPECT_EQ(rtk.back().substr(rtk.back().size() - 7), ",4,2,10") << rtk.back();
    // Drawn at once and kept on the plan.
    EXPECT_EQ(screen->m_points.GetSize(), 3);

    // The storage type dialog stops the collection.
    m_modals->ExpectDialog(IDD_STORE_TYPE).Key(VK_ESCAPE);
    Click(screen, IDC_SP_STORE_TYPE);
    EXPECT_FALSE(Doc().m_bAutoCollect);
    for (int i = 36; i <= 60; ++i) Feed(FixAt(5416600.0 + i, 668400.0, 10, 1, i));
    EXPECT_EQ(FileLines(kPoints).size(), 3u);
}

// By time, interval 5: one point per whole second of the day that is a
// multiple of 5, however many fixes share it; 10:00:04.6 does not count,
// 10:00:05.2 does.
TEST_F(PointScreenFlowTest, CollectionByTimeStoresOncePerMultipleOfTheInterval) {
    CDialogViewSavePoint* screen = Start([](SystemParams& p) {
        p.nSaveType = 3;
        p.nAutoSaveTime = 5;
    });
    ASSERT_NE(screen, nullptr);
    Doc().m_bAutoCollect = 1;
    Feed(FixAt(5416500.0, 668400.0, 10, 0, 4.6));
    EXPECT_TRUE(FileLines(kPoints).empty());
    Feed(FixAt(5416500.0, 668400.0, 10, 0, 5.2));
    EXPECT_EQ(FileLines(kPoints).size(), 1u);
    // 1 Hz for 20 s, then 5 Hz for 20 s.
    for (int i = 6; i < 26; ++i) Feed(FixAt(5416500.0, 668400.0, 10, 0, i));
    EXPECT_EQ(FileLines(kPoints).size(), 5u);
    for (int i = 0; i < 100; ++i) Feed(FixAt(5416500.0, 668400.0, 10, 0, 26 + i * 0.2));
    const std::vector<std::string> points = FileLines(kPoints);
    ASSERT_EQ(points.size(), 9u);
    const std::vector<std::string> rtk = FileLines(kRtk);
    EXPECT_EQ(rtk.back().substr(rtk.back().size() - 6), ",4,1,5") << rtk.back();

    // The condition on the solution: codes 1, 5, 6, 9, 10 against each
    // setting (none for any other setting).
    const int codes[] = {1, 5, 6, 9, 10};
    const char* expected[] = {"01111", "00111", "00011", "00001", "00000"};
    for (int condition = 0; condition <= 4; ++condition) {
        std::string got;
        for (int code : codes) got += screens::MeetsAutoCondition(condition, code) ? '1' : '0';
        EXPECT_EQ(got, expected[condition]) << condition;
    }
    Doc().m_sysParams.nAsCondition = 3;
    SurveyRecord floatFix = FixAt(5416500.0, 668400.0, 10, 5, 0.0);
    floatFix.nSolution = 9;
    Feed(floatFix);
    EXPECT_EQ(FileLines(kPoints).size(), 9u);
    // An interval of 0 never stores.
    Doc().m_nAutoCollectInterval = 0;
    Feed(FixAt(5416500.0, 668400.0, 10, 6, 0.0));
    EXPECT_EQ(FileLines(kPoints).size(), 9u);
}

// The screen's drawing settles: the queue runs dry after a fix and after a
// dialog closes (button 1132's drawing invalidates the view, never the
// buttons), and fixes arriving under a dialog leave its pixels alone.
TEST_F(PointScreenFlowTest, TheQueueSettlesAndADialogAboveKeepsItsPixels) {
    CDialogViewSavePoint* screen = Start();
    ASSERT_NE(screen, nullptr);
    Feed(FixAt(5416500.0, 668400.0));
    Doc().m_curFix = FixAt(5416501.0, 668400.0);
    ::PostMessage(screen->m_hWnd, WM_GPS_POSITION, reinterpret_cast<WPARAM>(&Doc().m_curFix),
                  kGpsPositionNew);
    EXPECT_TRUE(SettlesWithin(500));
    screen->GetDlgItem(IDC_SP_STORE_TYPE)->Invalidate();
    EXPECT_TRUE(SettlesWithin(500));

    bool untouched = false;
    m_modals->ExpectDialog(IDD_MEASURE_POINT_STORE)
        .Do([&](HWND dialog) {
            const Image before = CaptureWindow(dialog);
            for (int i = 0; i < 20; ++i) {
                SurveyRecord fix = FixAt(5416500.0 + i * 0.7, 668400.0 + i, 10, 0, i);
                Doc().m_curFix = fix;
                ::SendMessage(screen->m_hWnd, WM_GPS_POSITION, reinterpret_cast<WPARAM>(&fix),
                              kGpsPositionNew);
            }
            quorvel::testing::PumpDialogMessages(dialog);
            untouched = CaptureWindow(dialog) == before;
        })
        .Click(IDCANCEL);
    Click(screen, IDC_SP_STORE);
    EXPECT_TRUE(untouched);
    EXPECT_TRUE(SettlesWithin(500));
}

// The job's points are read at the first fix and after the data file
// changed, never on every fix.
TEST_F(PointScreenFlowTest, TheDataFileIsReadOnceAndAgainAfterTheFileChanged) {
    WriteDevice(kPoints, TenPoints());
    CDialogViewSavePoint* screen = Start();
    ASSERT_NE(screen, nullptr);
    Feed(FixAt(5400016.5, 668022.0));
    ASSERT_EQ(screen->m_points.GetSize(), 10);
    WriteDevice(kPoints, "ONLY,1,2,3,K,\r\n");
    for (int i = 0; i < 5; ++i) Feed(FixAt(5400016.5, 668022.0, 10, 0, i));
    EXPECT_EQ(screen->m_points.GetSize(), 10);
    WriteDevice(L"\\Flash Disk\\Jobs\\ruvo\\data\\other.dat", "O1,1,2,3,K,\r\nO2,4,5,6,K,\r\n");
    Doc().m_strDataFile = L"other.dat";
    Feed(FixAt(5400016.5, 668022.0));
    EXPECT_TRUE(screen->m_strLoadedFile.IsEmpty());
    Feed(FixAt(5400016.5, 668022.0));
    EXPECT_EQ(screen->m_points.GetSize(), 2);
    EXPECT_EQ(screen->m_strLoadedFile, CString(L"other.dat"));
}

// Files a surveyor may bring along, and fixes of odd solution codes: the
// screen reads what it can and stays usable.
TEST_F(PointScreenFlowTest, DamagedDataFilesAndOddFixesLeaveTheScreenUsable) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37) & 0xFF);
    std::string big;
    while (big.size() < 10u * 1024 * 1024) big += "B,5400001.000,668001.000,1.000,K,10,\r\n";
    const struct {
        const char* name;
        std::string bytes;
        int points;
    } files[] = {
        {"empty", "", 0},
        {"binary", binary, -1},
        {"10 MB", big, static_cast<int>(big.size() / 38)},
        {"short lines", "A\r\nB,1\r\nC,1,2\r\n", 3},
        {"nan", "N,nan,inf,-nan,K\r\nM,1e400,-1e400,1,K\r\n", 2},
        {"far away", "FAR,8400000.0,3668000.0,0,K,\r\nNEAR,5400000.0,668000.0,0,K,\r\n", 2},
    };
    StartWith([](SystemParams& p) { p.nShowSurveyPoint = -1; });
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        WriteDevice(kPoints, file.bytes);
        CDialogViewSavePoint* screen = OpenPointScreen();
        ASSERT_NE(screen, nullptr);
        Feed(FixAt(5400000.0, 668000.0));
        if (file.points >= 0) {
            EXPECT_EQ(screen->m_points.GetSize(), file.points);
        }
        for (int i = 0; i < screen->m_points.GetSize(); ++i) {
            EXPECT_TRUE(std::isfinite(screen->m_points[i].dX));
            EXPECT_TRUE(std::isfinite(screen->m_points[i].dY));
        }
        EXPECT_TRUE(std::isfinite(screen->m_dScale));
        // The deepest zoom, then a repaint and fixes of every code.
        while (screen->m_dScale * 70.0 > 0.01)
            screen->m_dScale = screens::ZoomedIn(screen->m_dScale);
        Click(screen, IDC_SP_ZOOM_IN);
        for (int code : {0, 1, 2, 5, 10}) {
            SurveyRecord fix = FixAt(5400000.0 + code * 0.001, 668000.0);
            fix.nSolution = code;
            Feed(fix);
        }
        EXPECT_TRUE(SettlesWithin(500));
        m_modals->ExpectDialog(IDD_MEASURE_POINT_STORE).Click(IDCANCEL);
        Click(screen, IDC_SP_STORE);
    }
    EXPECT_EQ(m_modals->Pending(), 0);
}

// The stored points' circles are filled from runs taken once: the very
// pixels of the ellipse, also where they overlap a label or the edge.
TEST_F(PointScreenFlowTest, StoredPointsAreTheEllipsesPixels) {
    StartWith(NoChange);
    HDC screenDc = ::GetDC(nullptr);
    auto draw = [&](bool labeller) {
        HDC memory = ::CreateCompatibleDC(screenDc);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screenDc, 40, 16);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        RECT all = {0, 0, 40, 16};
        ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
        const POINT at[] = {{8, 8}, {11, 9}, {0, 0}, {39, 15}};
        if (labeller) {
            screens::PointLabeller points(memory,
                                          static_cast<HFONT>(::GetStockObject(SYSTEM_FONT)));
            EXPECT_TRUE(points.FillsRuns());
            for (const POINT& p : at) points.Draw(p.x, p.y, L"");
        } else {
            HGDIOBJ pen = ::SelectObject(memory, ::GetStockObject(BLACK_PEN));
            HGDIOBJ brush = ::SelectObject(memory, ::GetStockObject(WHITE_BRUSH));
            for (const POINT& p : at) ::Ellipse(memory, p.x - 2, p.y - 2, p.x + 2, p.y + 2);
            ::SelectObject(memory, brush);
            ::SelectObject(memory, pen);
        }
        ::SelectObject(memory, old);
        const Image image = quorvel::gdi::CaptureBitmap(bitmap);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        return image;
    };
    const Image runs = draw(true);
    const Image ellipses = draw(false);
    ::ReleaseDC(nullptr, screenDc);
    EXPECT_EQ(runs, ellipses);
    int drawn = 0;
    for (uint32_t pixel : runs.pixels) drawn += pixel != runs.pixels[20];
    EXPECT_GT(drawn, 20);
}

}  // namespace
}  // namespace screenstest
