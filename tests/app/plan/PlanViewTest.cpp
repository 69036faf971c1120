// The plan view in the running program: the drawing files and the track
// read at start and written back, the four layouts saved as computed by
// hand, a placed text, the zooms, the area delete, the hot keys and the
// live positions.
#include <filesystem>

#include "app/FrameMessages.h"
#include "app/plan/GraphView.h"
#include "app/settings/IniFile.h"
#include "platform/base/TextConv.h"
#include "platform/dialogs/ColorChooser.h"
#include "platform/gdi/Image.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/ReferenceText.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"
#include "tests/app/ShellTest.h"

namespace shelltest {
namespace {

const std::string kTextLines = quorvel::ToGbk(
    L"TEXT:0,0.00000000,16711779,12,,3521010.25000000,500020.12500000,码头\r\n"
    L"TEXT:1,30.00000000,255,16,宋体,3521005.00000000,500007.00000000,北岸 A\r\n");
const std::string kLineLines =
    "LINE:001,8684676,16761024,0,1,3521000.00000000,500000.00000000,3521000.00000000,500100."
    "00000000\r\n"
    "LINE:,0,0,2,3,3521001.00000000,500002.00000000,3521003.00000000,500004.00000000\r\n";

class PlanViewTest : public ShellTest {
  protected:
    static CGraphView* View() {
        return static_cast<CGraphView*>(CWnd::FromHandle(Frame()->m_hGraphView));
    }
    static CGraphLayer& Layer() { return *View()->m_layers.front(); }
    static void Command(int code, LPARAM data = 0) {
        ::SendMessage(Frame()->m_hGraphView, WM_GRAPH_COMMAND, static_cast<WPARAM>(code), data);
    }
    static CString Job(LPCTSTR name) { return Doc().m_strJobDir + name; }
    void Save() {
        m_modals->ExpectMessageBox(L"图形数据保存完毕！").Answer(IDOK);
        Command(kGraphSave);
    }
    static void Fix(double north, double east, LPCTSTR status = L"FIXED", int age = 2) {
        SurveyRecord fix;
        fix.dX = north;
        fix.dY = east;
        fix.strStatus = status;
        fix.nSolution = 10;
        fix.nAux = age;
        fix.nHour = 10;
        fix.nMinute = 15;
        fix.dSecond = 59.6;
        ::SendMessage(Frame()->m_hGraphView, WM_GPS_POSITION, reinterpret_cast<WPARAM>(&fix),
                      kGpsPositionNew);
    }
    static void Tap(int x, int y) {
        ::SendMessage(Frame()->m_hGraphView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::SendMessage(Frame()->m_hGraphView, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    static void Drag(CPoint from, CPoint to) {
        ::SendMessage(Frame()->m_hGraphView, WM_LBUTTONDOWN, MK_LBUTTON,
                      MAKELPARAM(from.x, from.y));
        ::SendMessage(Frame()->m_hGraphView, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        ::SendMessage(Frame()->m_hGraphView, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    }
};

TEST_F(PlanViewTest, DrawingFilesAndTrackAreReadAtStartAndWrittenBackByteForByte) {
    StartAndSettle();
    const SystemParams& p = Doc().m_sysParams;
    CString raw;
    raw.Format(L"%s%s%d.org", Doc().m_strDataDir, p.szSFName, p.nSFStartID);
    std::string track;
    for (int i = 0; i < 5; ++i) {
        std::string line =
            "E" + std::to_string(i) + ",2026-12-07,10:15:2" + std::to_string(i) + ",a,b,c,d,";
        line += std::to_string(3521000 + i) + ".5," + std::to_string(500000 + 2 * i) + ".25,12.5";
        for (int f = 10; f < 25; ++f) line += ",";
        track += line + (i == 3 ? ",1\r\n" : ",0\r\n");
    }
    // A short line of each file is skipped; the 10-field line is read from
    // its first 9 fields.
    WriteDevice(Job(L"text.sg"), kTextLines + "TEXT:0,0,0\r\n");
    WriteDevice(Job(L"line.sg"), kLineLines + "LINE:a,1,2,0,1,1,2,3\r\n");
    WriteDevice(raw, track);
    Layer().m_points.m_items.clear();
    Command(kGraphLoad);
    ASSERT_EQ(Layer().m_texts.m_items.size(), 2u);
    ASSERT_EQ(Layer().m_lines.m_items.size(), 2u);
    ASSERT_EQ(Layer().m_points.m_items.size(), 5u);
    EXPECT_EQ(Layer().m_points.m_items[3].m_nSymbol, 0);
    EXPECT_EQ(Layer().m_points.m_items[4].m_nSymbol, 1);
    EXPECT_EQ(Layer().m_points.m_items[4].m_dX, 3521004.5);
    EXPECT_EQ(Layer().m_points.m_items[4].m_dY, 500008.25);
    Save();
    EXPECT_EQ(ReadDevice(Job(L"text.sg")), kTextLines);
    EXPECT_EQ(ReadDevice(Job(L"line.sg")), kLineLines);
    EXPECT_FALSE(Doc().m_bGraphModified);

    // Zoom all takes every item; reading again doubles the items.
    Command(kGraphZoomAll);
    EXPECT_NEAR(View()->m_dScale,
                std::max(10.25 / View()->m_rcDraw.Height(), 100.0 / View()->m_rcDraw.Width()) * 1.1,
                1e-12);
    EXPECT_EQ(Frame()->m_dGraphScale, View()->m_dScale);
    Command(kGraphLoad);
    EXPECT_EQ(Layer().m_texts.m_items.size(), 4u);
}

TEST_F(PlanViewTest, ASaveThatFailsIsReportedAndTheDrawingStaysModified) {
    StartAndSettle();
    std::filesystem::create_directories(Host(Job(L"text.sg")));
    Doc().m_bGraphModified = TRUE;
    m_modals->ExpectMessageBox(L"文件保存失败,请检查!").Answer(IDOK);
    Command(kGraphSave);
    EXPECT_TRUE(Doc().m_bGraphModified);
    EXPECT_NE(Boxes(*m_modals).find("保存图形数据错误"), std::string::npos);
}

TEST_F(PlanViewTest, EachLayoutSavesTheLinesComputedByHand) {
    StartAndSettle();
    using quorvel::testing::ModalStep;
    auto addRow = [](ModalStep& step, LPCTSTR x, LPCTSTR y) -> ModalStep& {
        return step.SetText(IDC_LAYOUT_X, x).SetText(IDC_LAYOUT_Y, y).Click(IDC_LAYOUT_ADD);
    };
    // Parallel: base (0,0)-(100,0), spacing 10, two lines each side, 5 and
    // 10 m from the base.
    m_modals->ExpectDialog(IDD_PARALLEL_LAYOUT)
        .SetText(IDC_PARALLEL_END_X, L"100")
        .SetText(IDC_LAYOUT_SPACING, L"10")
        .SetText(IDC_PARALLEL_LEFT_COUNT, L"2")
        .SetText(IDC_PARALLEL_RIGHT_COUNT, L"2")
        .Click(IDOK);
    Command(kGraphLayoutParallel);
    EXPECT_TRUE(Doc().m_bGraphModified);
    Save();
    EXPECT_EQ(Lines(Job(L"line.sg")),
              (std::vector<std::string>{
                  "LINE:,8684676,0,0,1,0.00000000,0.00000000,100.00000000,0.00000000",
                  "LINE:,8684676,0,0,1,0.00000000,-5.00000000,100.00000000,-5.00000000",
                  "LINE:,8684676,0,0,1,0.00000000,-10.00000000,100.00000000,-10.00000000",
                  "LINE:,8684676,0,0,1,0.00000000,5.00000000,100.00000000,5.00000000",
                  "LINE:,8684676,0,0,1,0.00000000,10.00000000,100.00000000,10.00000000"}));

    // Area: the rectangle 45 x 100, lines running east 10 m apart, the
    // boundary drawn.
    Layer().m_lines.m_items.clear();
    auto& area = m_modals->ExpectDialog(IDD_AREA_LAYOUT);
    addRow(area, L"0", L"0");
    addRow(area, L"45", L"0");
    addRow(area, L"45", L"100");
    addRow(area, L"0", L"100");
    area.Check(IDC_AREA_BOUNDARY).Click(IDOK);
    Command(kGraphLayoutArea);
    Save();
    const std::string pen = ",8684676,16761024,0,1,";
    std::vector<std::string> expected;
    for (int i = 1; i <= 4; ++i)
        expected.push_back("LINE:00" + std::to_string(i) + pen + std::to_string(10 * i) +
                           ".00000000,0.00000000," + std::to_string(10 * i) +
                           ".00000000,100.00000000");
    expected.push_back("LINE:" + pen + "0.00000000,0.00000000,45.00000000,0.00000000");
    expected.push_back("LINE:" + pen + "45.00000000,0.00000000,45.00000000,100.00000000");
    expected.push_back("LINE:" + pen + "45.00000000,100.00000000,0.00000000,100.00000000");
    expected.push_back("LINE:004" + pen + "0.00000000,100.00000000,0.00000000,0.00000000");
    EXPECT_EQ(Lines(Job(L"line.sg")), expected);

    // Perpendicular: an axis of 25 m, spacing 10: cross-sections at 10 and
    // 20 m, then the axis carrying the last name.
    Layer().m_lines.m_items.clear();
    auto& perp = m_modals->ExpectDialog(IDD_PERP_LAYOUT);
    addRow(perp, L"0", L"0");
    addRow(perp, L"25", L"0");
    perp.SetText(IDC_LAYOUT_SPACING, L"10").Click(IDOK);
    Command(kGraphLayoutPerpendicular);
    Save();
    EXPECT_EQ(Lines(Job(L"line.sg")),
              (std::vector<std::string>{
                  "LINE:001" + pen + "10.00000000,-10.00000000,10.00000000,10.00000000",
                  "LINE:002" + pen + "20.00000000,-10.00000000,20.00000000,10.00000000",
                  "LINE:002" + pen + "0.00000000,0.00000000,25.00000000,0.00000000",
                  "LINE:002" + pen + "25.00000000,0.00000000,0.00000000,0.00000000"}));

    // Channel: a straight axis of three points; bounds a quarter of each
    // width from the axis, never "nan".
    Layer().m_lines.m_items.clear();
    auto& channel = m_modals->ExpectDialog(IDD_CHANNEL_LAYOUT);
    addRow(channel, L"0", L"0");
    addRow(channel, L"50", L"0");
    addRow(channel, L"100", L"0");
    channel.Click(IDOK);
    Command(kGraphLayoutChannel);
    Save();
    const std::vector<std::string> lines = Lines(Job(L"line.sg"));
    ASSERT_EQ(lines.size(), 8u + 2u + 3u + 4u);
    for (const std::string& line : lines) EXPECT_EQ(line.find("nan"), std::string::npos) << line;
    EXPECT_EQ(lines[0], "LINE:" + pen + "0.00000000,-2.50000000,50.00000000,-2.50000000");
    EXPECT_EQ(lines[2], "LINE:" + pen + "0.00000000,-1.25000000,50.00000000,-1.25000000");
    EXPECT_EQ(lines[4], "LINE:" + pen + "0.00000000,2.50000000,50.00000000,2.50000000");
    EXPECT_EQ(lines[10], "LINE:" + pen + "0.00000000,1.25000000,0.00000000,-1.25000000");
    EXPECT_EQ(lines[13], "LINE:" + pen + "20.00000000,-1.25000000,20.00000000,1.25000000");
}

TEST_F(PlanViewTest, LayoutDialogsRefuseWhatCannotBeLaidOut) {
    StartAndSettle();
    // One row is too few for a channel; spacing 0 is no spacing; a layout
    // of more than 10,000 lines adds none.
    m_modals->ExpectDialog(IDD_CHANNEL_LAYOUT)
        .SetText(IDC_LAYOUT_X, L"5")
        .Click(IDC_LAYOUT_ADD)
        .Click(IDOK)
        .Click(IDCANCEL);
    m_modals->ExpectMessageBox(L"选取的点少于2个,不能做航道布线").Answer(IDOK);
    Command(kGraphLayoutChannel);
    m_modals->ExpectDialog(IDD_AREA_LAYOUT)
        .SetText(IDC_LAYOUT_SPACING, L"0")
        .Click(IDOK)
        .Click(IDCANCEL);
    m_modals->ExpectMessageBox(L"间距必须大于0,请重新输入!").Answer(IDOK);
    Command(kGraphLayoutArea);
    auto& huge = m_modals->ExpectDialog(IDD_AREA_LAYOUT);
    huge.SetText(IDC_LAYOUT_Y, L"0").Click(IDC_LAYOUT_ADD);
    huge.SetText(IDC_LAYOUT_X, L"100000").Click(IDC_LAYOUT_ADD);
    huge.SetText(IDC_LAYOUT_SPACING, L"1").Click(IDOK);
    m_modals->ExpectMessageBox(L"布线条数超过10000条,请加大间距!").Answer(IDOK);
    Command(kGraphLayoutArea);
    EXPECT_TRUE(Layer().m_lines.m_items.empty());
    EXPECT_FALSE(Doc().m_bGraphModified);
    // Insert before the selected row; up and down.
    m_modals->ExpectDialog(IDD_PERP_LAYOUT)
        .SetText(IDC_LAYOUT_NAME, L"A")
        .Click(IDC_LAYOUT_ADD)
        .SetText(IDC_LAYOUT_NAME, L"B")
        .Click(IDC_LAYOUT_ADD)
        .SetText(IDC_LAYOUT_NAME, L"C")
        .Click(IDC_LAYOUT_ADD)
        .Do([](HWND dialog) {
            CListCtrl* list =
                static_cast<CListCtrl*>(CWnd::FromHandle(::GetDlgItem(dialog, IDC_LAYOUT_LIST)));
            list->SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
        })
        .SetText(IDC_LAYOUT_NAME, L"N")
        .Click(IDC_LAYOUT_INSERT)
        .Do([](HWND dialog) {
            CListCtrl* list =
                static_cast<CListCtrl*>(CWnd::FromHandle(::GetDlgItem(dialog, IDC_LAYOUT_LIST)));
            ASSERT_EQ(list->GetItemCount(), 4);
            EXPECT_EQ(list->GetItemText(2, 0), CString(L"N"));
            EXPECT_EQ(list->GetItemText(3, 0), CString(L"C"));
            EXPECT_EQ(list->GetItemText(3, 1), CString(L"0.0000"));
        })
        .Click(IDCANCEL);
    Command(kGraphLayoutPerpendicular);
    EXPECT_EQ(m_modals->Pending(), 0);
}

TEST_F(PlanViewTest, APlacedTextIsWrittenAndCancelPlacesNothing) {
    StartAndSettle();
    double window[3] = {3521000.0, 500000.0, 0.5};
    Command(kGraphSetOrigin, reinterpret_cast<LPARAM>(window));
    Command(kGraphDrawText);
    m_modals->ExpectDialog(IDD_DRAW_TEXT).Click(IDCANCEL);
    Tap(100, 60);
    EXPECT_TRUE(Layer().m_texts.m_items.empty());
    EXPECT_EQ(View()->m_nTool, 0);

    Command(kGraphDrawText);
    m_modals->ExpectDialog(IDD_DRAW_TEXT)
        .SetText(IDC_DRAW_TEXT_CONTENT, L"a,b")
        .SetText(IDC_DRAW_TEXT_SIZE, L"25")
        .SetText(IDC_DRAW_TEXT_ANGLE, L"45")
        .Click(IDC_DRAW_TEXT_COLOR)
        .Click(IDOK)
        .SetText(IDC_DRAW_TEXT_CONTENT, L"测线起点")
        .Click(IDOK);
    m_modals->ExpectDialog(quorvel::dialogs::kColorChooserTemplateId).Click(IDCANCEL);
    m_modals->ExpectMessageBox(L"输入内容不能包含逗号、方括号、等号或换行").Answer(IDOK);
    Tap(100, 60);
    ASSERT_EQ(Layer().m_texts.m_items.size(), 1u);
    EXPECT_TRUE(Doc().m_bGraphModified);
    double north = 0, east = 0;
    View()->ScreenToWorld(100, 60, north, east);
    Save();
    CString expected;
    expected.Format(L"TEXT:0,45.00000000,16711779,25,,%.8f,%.8f,测线起点\r\n", north, east);
    EXPECT_EQ(ReadDevice(Job(L"text.sg")), quorvel::ToGbk(expected));
}

TEST_F(PlanViewTest, ZoomsPansAndTheFramesCopyOfTheWindow) {
    StartAndSettle();
    CGraphView* view = View();
    double window[3] = {0.0, 0.0, 0.0002};
    Command(kGraphSetOrigin, reinterpret_cast<LPARAM>(window));
    Command(kGraphZoomIn);
    EXPECT_DOUBLE_EQ(view->m_dScale, 0.00015);
    window[2] = 0.0001;
    Command(kGraphSetOrigin, reinterpret_cast<LPARAM>(window));
    Command(kGraphZoomIn);
    EXPECT_EQ(view->m_dScale, 0.0001);
    Command(kGraphZoomOut);
    EXPECT_DOUBLE_EQ(view->m_dScale, 0.0001 * 4 / 3);
    // A stored window that is no window is not applied.
    double broken[3] = {1.0, 2.0, 0.0};
    Command(kGraphSetOrigin, reinterpret_cast<LPARAM>(broken));
    EXPECT_DOUBLE_EQ(view->m_dScale, 0.0001 * 4 / 3);
    // Zoom all with nothing drawn: (0, 0) in the middle at 0.011.
    Layer().m_points.m_items.clear();
    Command(kGraphZoomAll);
    EXPECT_DOUBLE_EQ(view->m_dScale, 0.011);
    EXPECT_DOUBLE_EQ(view->m_dOriginN, -view->m_rcDraw.Height() * 0.011 / 2);
    // A window-zoom tap without movement: 0.01 around the tap.
    Command(kGraphZoomWindow);
    Tap(50, 40);
    EXPECT_EQ(view->m_dScale, 0.01);
    EXPECT_FALSE(view->m_bZoomWindow);
    // A drag moves the plan with the stylus, and the frame follows.
    const double n0 = view->m_dOriginN, e0 = view->m_dOriginE;
    Drag(CPoint(100, 100), CPoint(110, 90));
    EXPECT_DOUBLE_EQ(view->m_dOriginN, n0 - 10 * 0.01);
    EXPECT_DOUBLE_EQ(view->m_dOriginE, e0 - 10 * 0.01);
    EXPECT_EQ(Frame()->m_dGraphX, view->m_dOriginN);
    EXPECT_EQ(Frame()->m_dGraphY, view->m_dOriginE);
}

TEST_F(PlanViewTest, AreaDeleteNoKeepsEverythingYesRemovesTheSelection) {
    StartAndSettle();
    double window[3] = {0.0, 0.0, 1.0};
    Command(kGraphSetOrigin, reinterpret_cast<LPARAM>(window));
    CGraphLine line;
    line.m_crPen = 0x123456;
    line.m_ptStart.m_dX = 20;
    line.m_ptEnd.m_dX = 20;
    line.m_ptEnd.m_dY = 200;
    CGraphLine far = line;
    far.m_ptStart.m_dX = far.m_ptEnd.m_dX = 120;
    Layer().m_lines.m_items = {line, far};
    CGraphText text;
    text.m_ptAnchor.m_dX = 20;
    text.m_ptAnchor.m_dY = 30;
    text.m_crColor = 0x00AA00;
    Layer().m_texts.m_items = {text};
    const POINT a = View()->WorldToScreen(30, 20), b = View()->WorldToScreen(10, 40);
    Command(kGraphAreaDelete);
    m_modals->ExpectMessageBox(L"是否删除所选线?").Answer(IDNO);
    m_modals->ExpectMessageBox(L"是否删除所选文本?").Answer(IDNO);
    Drag(a, b);
    ASSERT_EQ(Layer().m_lines.m_items.size(), 2u);
    EXPECT_EQ(Layer().m_lines.m_items[0].m_crPen, 0x123456u);
    EXPECT_EQ(Layer().m_texts.m_items[0].m_crColor, 0x00AA00u);
    Command(kGraphAreaDelete);
    m_modals->ExpectMessageBox(L"是否删除所选线?").Answer(IDYES);
    m_modals->ExpectMessageBox(L"是否删除所选文本?").Answer(IDYES);
    Drag(a, b);
    ASSERT_EQ(Layer().m_lines.m_items.size(), 1u);
    EXPECT_EQ(Layer().m_lines.m_items[0].m_ptStart.m_dX, 120.0);
    EXPECT_TRUE(Layer().m_texts.m_items.empty());
    EXPECT_FALSE(Doc().m_bGraphModified);
}

TEST_F(PlanViewTest, KeyAStoresThroughTheStoreRoutineOnlyWithData) {
    StartAndSettle();
    m_modals->ExpectMessageBox(L"当前没有接收数据,不能采集数据").Answer(IDOK);
    ::SendMessage(Frame()->m_hGraphView, WM_KEYDOWN, 'A', 0);
    Fix(5416504.1234, 668415.5678);
    Doc().m_strNextPointName = L"PT1";
    m_modals->ExpectDialog(IDD_MEASURE_POINT_STORE).SetText(IDC_STORE_NAME, L"P7").Click(IDOK);
    ::SendMessage(Frame()->m_hGraphView, WM_KEYDOWN, 'A', 0);
    const std::vector<std::string> points = Lines(Doc().m_strDataDir + Doc().m_strDataFile);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].substr(0, 3), "P7,");
    EXPECT_EQ(Doc().m_storeFix.dX, 5416504.1234);
    // The no-data notice makes the view refuse again.
    Fix(0, 0, L"NODATA");
    EXPECT_FALSE(View()->m_bHaveData);
    m_modals->ExpectMessageBox(L"当前没有接收数据,不能采集数据").Answer(IDOK);
    ::SendMessage(Frame()->m_hGraphView, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(m_modals->Pending(), 0);
}

TEST_F(PlanViewTest, WhileMeasuringEachEpochAddsOneTrackPointAndExitKeepsTheWindow) {
    CMainFrame* frame = StartAndSettle();
    Layer().m_points.m_items.clear();
    Doc().m_bMeasuring = 1;
    for (int i = 0; i < 5; ++i) {
        CStringRecord32& r = Doc().m_lastRecord;
        r.SetAt(0, i == 2 ? L"P3" : L"");
        r.SetAt(7, i == 4 ? L"bad" : L"3521000.5");
        r.SetAt(8, L"500000.25");
        r.SetAt(25, i == 2 ? L"1" : L"0");
        Fix(3521000.5 + i, 500000.25);
    }
    Doc().m_bMeasuring = 0;
    Fix(3521010, 500000.25);
    ASSERT_EQ(Layer().m_points.m_items.size(), 5u);
    EXPECT_EQ(Layer().m_points.m_items[2].m_nSymbol, 0);
    EXPECT_EQ(Layer().m_points.m_items[2].m_strName, CString(L"P3"));
    EXPECT_EQ(Layer().m_points.m_items[4].m_dX, 0.0);  // no number: 0, as the file reader

    // 'h' zooms in, a drag pans; the settings written at exit hold that window.
    Key('H');
    Drag(CPoint(100, 100), CPoint(120, 80));
    const double n = View()->m_dOriginN, e = View()->m_dOriginE, scale = View()->m_dScale;
    m_modals->ExpectMessageBox(L"确定退出程序吗?").Answer(IDYES);
    WaitForLinkOpen();
    Key('X');
    ASSERT_EQ(m_app->m_pMainWnd, nullptr);
    (void)frame;
    CIniFile ini;
    SystemParams saved;
    ASSERT_TRUE(ini.ReadSystemParams(L"\\Flash Disk\\Jobs\\ruvo\\", L"ruvo.ini", &saved));
    EXPECT_EQ(saved.ScreenStartx, n);
    EXPECT_EQ(saved.ScreenStarty, e);
    EXPECT_EQ(saved.ScreenScale, scale);
}

TEST_F(PlanViewTest, TwoPressesOfBWithinThreeSecondsOfOneMinuteOpenTheLibrary) {
    StartAndSettle();  // 08:00:01
    auto pressB = [] { ::SendMessage(Frame()->m_hGraphView, WM_KEYDOWN, 'B', 0); };
    Advance(57000);
    pressB();  // 08:00:58
    Advance(2000);
    pressB();  // 08:01:00: another minute
    Advance(10000);
    pressB();  // 08:01:10
    Advance(2000);
    m_modals->ExpectDialog(IDD_MEASURE_POINT_LIB).Key(VK_ESCAPE);
    pressB();  // 08:01:12
    EXPECT_EQ(m_modals->Pending(), 0);
    pressB();  // the opening forgot the press: this one only counts
}

TEST_F(PlanViewTest, PositionsDrawTheGlyphAndRecentreOnlyWhenOutside) {
    StartAndSettle();
    CGraphView* view = View();
    double window[3] = {-5000.0, -5000.0, 0.1};
    Command(kGraphSetOrigin, reinterpret_cast<LPARAM>(window));
    Pump();
    // The first position after start comes from (0, 0): far outside, so
    // the plan centres on it and an arrow points away from the origin.
    Fix(1005, 2005);
    EXPECT_NEAR(view->m_dOriginN + view->m_rcDraw.Height() * 0.1 / 2, 1005, 1e-9);
    ASSERT_EQ(view->m_glyph.size(), 4u);
    const double n0 = view->m_dOriginN;
    // A single fix moving 5 cm stays a marker; a fixed one is an arrow.
    Fix(1005.05, 2005, L"SINGLE");
    EXPECT_EQ(view->m_glyph.size(), 1u);
    Fix(1005.10, 2005, L"FIXED");
    EXPECT_EQ(view->m_glyph.size(), 4u);
    EXPECT_EQ(view->m_dOriginN, n0);
    // The live drawing leaves the window as a fresh paint has it, but for
    // the glyph.
    for (int i = 0; i < 50; ++i) Fix(1005.10 + 0.2 * i, 2005 + 0.1 * i);
    const RECT glyph = [&] {
        RECT r{10000, 10000, -10000, -10000};
        for (POINT p : view->m_glyph) {
            r.left = std::min(r.left, p.x - 3);
            r.top = std::min(r.top, p.y - 3);
            r.right = std::max(r.right, p.x + 3);
            r.bottom = std::max(r.bottom, p.y + 3);
        }
        return r;
    }();
    const quorvel::gdi::Image live = quorvel::gdi::CaptureWindow(Frame()->m_hGraphView);
    view->m_bBlink = !view->m_bBlink;  // the fresh paint draws no bars
    view->RedrawWindow();
    Pump();
    const quorvel::gdi::Image fresh = quorvel::gdi::CaptureWindow(Frame()->m_hGraphView);
    ASSERT_EQ(live.width, fresh.width);
    int outside = 0;
    const CRect link(view->m_rcDraw.left - 4, 0, view->m_rcDraw.left + 48, view->m_rcDraw.top + 8);
    const CRect time(view->m_rcDraw.right - 65, view->m_rcDraw.top, view->m_rcDraw.right - 15,
                     view->m_rcDraw.top + 10);
    for (int y = 0; y < live.height; ++y)
        for (int x = 0; x < live.width; ++x) {
            const POINT p{x, y};
            if (live.At(x, y) == fresh.At(x, y) || ::PtInRect(&glyph, p) || link.PtInRect(p) ||
                time.PtInRect(p))
                continue;
            if (outside++ == 0) ADD_FAILURE() << "first difference at " << x << ", " << y;
        }
    EXPECT_EQ(outside, 0);
}

}  // namespace
}  // namespace shelltest

namespace shelltest {
namespace {

class PlanLooksTest : public PlanViewTest {
  protected:
    void SetUp() override {
        PlanViewTest::SetUp();
        quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/app/plan/ref");
    }
    static quorvel::gdi::Image Capture() {
        quorvel::win::PumpUntilIdle();
        return quorvel::gdi::CaptureWindow(Frame()->m_hGraphView);
    }
};

TEST_F(PlanLooksTest, TheLayersTheirStylesAndTheScaleBar) {
    StartAndSettle();
    double window[3] = {0.0, 0.0, 0.25};
    Command(kGraphSetOrigin, reinterpret_cast<LPARAM>(window));
    CGraphLayer& layer = Layer();
    layer.m_points.m_items.clear();
    for (int i = 0; i < 6; ++i) {
        CGraphPoint p;
        p.m_dX = 10 + i;
        p.m_dY = 5 + 2 * i;
        p.m_nSymbol = i == 3 ? 0 : 1;
        p.m_strName = L"P1";
        layer.m_points.m_items.push_back(p);
    }
    CGraphLine line;
    line.m_strName = L"001";
    line.m_ptStart.m_dX = 25;
    line.m_ptStart.m_dY = 3;
    line.m_ptEnd.m_dX = 25;
    line.m_ptEnd.m_dY = 40;
    line.m_crPen = 0xFFC0C0;
    line.m_crText = 0x848484;
    layer.m_lines.m_items.push_back(line);
    CGraphText text;
    text.m_strText = L"码头";
    text.m_dAngle = 30;
    text.m_nSize = 12;
    text.m_crColor = 0xFF0063;
    text.m_ptAnchor.m_dX = 6;
    text.m_ptAnchor.m_dY = 38;
    layer.m_texts.m_items.push_back(text);
    View()->RedrawWindow();
    quorvel::testing::ExpectMatchesReference(Capture(), "plan_layers");
}

TEST_F(PlanLooksTest, TheLinkLevelsLettersMarkerAndArrow) {
    StartAndSettle();
    double window[3] = {995.0, 1995.0, 0.1};
    Command(kGraphSetOrigin, reinterpret_cast<LPARAM>(window));
    Capture();  // the repaint the window asked for, before the positions
    View()->m_dPrevN = 999;
    View()->m_dPrevE = 1999;
    std::vector<quorvel::gdi::Image> stages;
    struct Stage {
        int mode, channel, age;
        BYTE m, r;
        double north;
        LPCTSTR status;
    };
    const Stage stagesList[] = {{1, 0, 2, 1, 0, 1000, L"FIXED"},
                                {0, 3, 6, 0, 0, 1001, L"FIXED"},
                                {2, 0, 9, 0, 1, 1001.01, L"FIXED"},
                                {0, 7, 2, 0, 0, 1001.05, L"SINGLE"}};
    for (const Stage& s : stagesList) {
        Doc().m_sysParams.GSMMODE = s.mode;
        Doc().m_nRadioChannel = s.channel;
        Doc().m_bLinkFlagM = s.m;
        Doc().m_bLinkFlagR = s.r;
        View()->m_bBlink = FALSE;  // the bars show on this position
        Fix(s.north, 2000, s.status, s.age);
        stages.push_back(Capture());
    }
    quorvel::testing::ExpectMatchesReference(quorvel::testing::StackImages(stages), "plan_live");
}

}  // namespace
}  // namespace shelltest
