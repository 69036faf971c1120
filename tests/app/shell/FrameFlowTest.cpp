// The running main frame: its close questions and refusals, the view
// switching over the splitter, the keyboard shortcuts, the splash and the
// commands greyed while a measurement runs.
#include "app/FrameMessages.h"
#include "app/plan/GraphView.h"
#include "app/recording/DataView.h"
#include "app/screens/DialogViewSavePoint.h"
#include "app/screens/VendropView.h"
#include "app/shell/AppGlobals.h"
#include "app/shell/ProgramControl.h"
#include "app/shell/RTKListView.h"
#include "app/shell/SplashWnd.h"
#include "platform/base/Clock.h"
#include "platform/device/Leds.h"
#include "platform/framework/CommandBarControl.h"
#include "platform/gdi/Image.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"
#include "tests/app/ShellTest.h"

namespace shelltest {
namespace {

SystemParams ReadJobSettings() {
    CIniFile ini;
    SystemParams params;
    EXPECT_TRUE(ini.ReadSystemParams(L"\\Flash Disk\\Jobs\\ruvo\\", L"ruvo.ini", &params));
    return params;
}

TEST_F(ShellTest, ARunningMeasurementOrSounderRefusesTheClose) {
    CMainFrame* frame = StartAndSettle();
    BOOL CVendropDoc::*const flags[] = {&CVendropDoc::m_bMeasuring, &CVendropDoc::m_bDepthOnly,
                                        &CVendropDoc::m_bSounderActive, &CVendropDoc::m_bSounderOn};
    for (BOOL CVendropDoc::*flag : flags) {
        Doc().*flag = 1;
        m_modals->ExpectMessageBox(L"请首先停止测量").Answer(IDOK);
        frame->SendMessage(WM_CLOSE);
        m_modals->ExpectMessageBox(L"请首先停止测量").Answer(IDOK);
        Key('X');  // the exit key takes the same road
        ASSERT_TRUE(::IsWindow(frame->m_hWnd));
        Doc().*flag = 0;
    }
    EXPECT_EQ(m_modals->Pending(), 0);
    m_modals->ExpectMessageBox(L"确定退出程序吗?").Answer(IDNO);
    Key('X');
    EXPECT_TRUE(::IsWindow(frame->m_hWnd));
}

TEST_F(ShellTest, ModifiedGraphicsAreSavedOnYesAndTheExitQuestionDecides) {
    CMainFrame* frame = StartAndSettle();
    Doc().m_bGraphModified = 1;
    m_modals->ExpectMessageBox(L"图形已经修改,退出前需要保存吗?").Answer(IDNO);
    m_modals->ExpectMessageBox(L"确定退出程序吗?").Answer(IDNO);
    frame->SendMessage(WM_CLOSE);
    EXPECT_TRUE(TakeGraphCodes().empty());
    EXPECT_TRUE(::IsWindow(frame->m_hWnd));

    m_modals->ExpectMessageBox(L"图形已经修改,退出前需要保存吗?").Answer(IDYES);
    m_modals->ExpectMessageBox(L"图形数据保存完毕！").Answer(IDOK);
    m_modals->ExpectMessageBox(L"确定退出程序吗?").Answer(IDNO);
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(TakeGraphCodes(), std::vector<int>{kGraphSave});
    EXPECT_TRUE(::IsWindow(frame->m_hWnd));
    EXPECT_EQ(m_modals->Pending(), 0);
}

TEST_F(ShellTest, ExitSavesThePlanOriginClosesTheLinkAndPutsTheLedsOut) {
    CMainFrame* frame = StartAndSettle();
    quorvel::device::LedUpdate(0, 1);
    quorvel::device::LedUpdate(4, 1);
    double origin[3] = {5416000.25, 668000.5, 2.5};
    ::SendMessage(frame->m_hGraphView, WM_GRAPH_COMMAND, kGraphSetOrigin,
                  reinterpret_cast<LPARAM>(origin));
    m_modals->ExpectMessageBox(L"确定退出程序吗?").Answer(IDYES);
    WaitForLinkOpen();
    const uint64_t before = quorvel::ClockNowMs();
    Key('X');
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
    // The open port is closed a second after its lines drop, then the LEDs
    // go out and half a second passes.
    EXPECT_FALSE(g_gpsComm.IsOpen());
    EXPECT_EQ(quorvel::ClockNowMs() - before, 1500u);
    EXPECT_FALSE(quorvel::device::LedIsOn(0));
    EXPECT_FALSE(quorvel::device::LedIsOn(4));
    const SystemParams saved = ReadJobSettings();
    EXPECT_EQ(saved.ScreenStartx, 5416000.25);
    EXPECT_EQ(saved.ScreenStarty, 668000.5);
    EXPECT_EQ(saved.ScreenScale, 2.5);

    // The next start puts the plan where it was left.
    delete m_app;
    m_app = new CVendropApp;
    CMainFrame* next = StartAndSettle();
    auto* graph = static_cast<CGraphView*>(CWnd::FromHandle(next->m_hGraphView));
    EXPECT_EQ(graph->m_dOriginN, 5416000.25);
    EXPECT_EQ(graph->m_dOriginE, 668000.5);
    EXPECT_EQ(next->m_dGraphScale, 2.5);
}

TEST_F(ShellTest, TheLauncherEndsTheRunWithoutQuestionsWhateverRuns) {
    CMainFrame* frame = StartAndSettle();
    Doc().m_bMeasuring = 1;
    Doc().m_bGraphModified = 1;
    frame->m_dGraphScale = 4.0;
    quorvel::app::EndProgramWithoutQuestions();
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
    EXPECT_EQ(Boxes(*m_modals), "");
    EXPECT_EQ(ReadJobSettings().ScreenScale, 4.0);
    quorvel::app::EndProgramWithoutQuestions();  // no window: nothing
}

TEST_F(ShellTest, TheToggleShowsTheMainViewThenThePointStoreViewOverTheLivePanes) {
    CMainFrame* frame = StartAndSettle();
    const HWND graph = frame->m_hGraphView;
    const HWND data = frame->m_hDataView;

    // The toolbar's button, tapped.
    auto* bar = frame->m_wndCommandBar.GetControl();
    RECT button = bar->FindButton(ID_VIEW_TOGGLE)->rect;
    ::MapWindowPoints(bar->Hwnd(), nullptr, reinterpret_cast<POINT*>(&button), 2);
    const CPoint at = CRect(button).CenterPoint();
    quorvel::win::InjectStylus(at.x, at.y, true);
    quorvel::win::InjectStylus(at.x, at.y, false);
    Pump();
    CView* main = frame->GetActiveView();
    ASSERT_TRUE(main->IsKindOf(RUNTIME_CLASS(CVendropView)));
    EXPECT_EQ(frame->GetViewWnd(), main->m_hWnd);
    CRect rect;
    main->GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(0, 44, 240, 320));
    EXPECT_EQ(::WindowFromPoint(POINT{120, 100}), main->m_hWnd);
    EXPECT_FALSE(frame->m_wndSplitter.IsWindowVisible());

    const HWND mainWnd = main->m_hWnd;
    frame->SendMessage(WM_COMMAND, ID_VIEW_TOGGLE);
    Pump();
    CView* store = frame->GetActiveView();
    ASSERT_TRUE(store->IsKindOf(RUNTIME_CLASS(CDialogViewSavePoint)));
    EXPECT_EQ(frame->GetViewWnd(), store->m_hWnd);
    EXPECT_FALSE(::IsWindow(mainWnd));
    EXPECT_EQ(::WindowFromPoint(POINT{120, 260}), store->m_hWnd);

    // The hidden panes keep their handles and take what the frame sends.
    ASSERT_TRUE(::IsWindow(graph) && ::IsWindow(data));
    SurveyRecord fix;
    fix.dLat = 48.8583;
    fix.strStatus = L"FIXED";
    ::SendMessage(graph, WM_GPS_POSITION, reinterpret_cast<WPARAM>(&fix), kGpsPositionNew);
    ::SendMessage(data, WM_GPS_POSITION, reinterpret_cast<WPARAM>(&fix), kGpsPositionNew);
    ::PostMessage(frame->GetViewWnd(), WM_GPS_POSITION, reinterpret_cast<WPARAM>(&fix),
                  kGpsPositionNew);
    SounderDepthBlock depth{12.34, 0, {1, 1}};
    for (int i = 0; i < frame->GetNotifyWnds().GetSize(); ++i)
        ::SendMessage(frame->GetNotifyWnds()[i], WM_SOUNDER_DEPTH, reinterpret_cast<WPARAM>(&depth),
                      0);
    Pump();
    auto* graphView = static_cast<CGraphView*>(CWnd::FromHandle(graph));
    auto* dataView = static_cast<CDataView*>(CWnd::FromHandle(data));
    EXPECT_EQ(graphView->m_fix.dLat, 48.8583);
    EXPECT_EQ(dataView->m_fix.strStatus, CString(L"FIXED"));
    EXPECT_EQ(static_cast<CDialogViewSavePoint*>(store)->m_fix.dLat, 48.8583);
    EXPECT_EQ(graphView->m_depth.dDepth, 12.34);
    EXPECT_EQ(dataView->m_depth.dDepth, 12.34);

    // The other screens replace it the same way.
    frame->SendMessage(WM_COMMAND, ID_VIEW_RTK_LIST);
    auto* list = DYNAMIC_DOWNCAST(CRTKListView, frame->GetActiveView());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetListCtrl().GetItemCount(), 1);
    EXPECT_EQ(list->GetListCtrl().GetItemText(0, 2), CString(L"20"));
    frame->SendMessage(WM_COMMAND, ID_VIEW_BLANK);
    EXPECT_FALSE(frame->GetActiveView()->IsKindOf(RUNTIME_CLASS(CRTKListView)));
    EXPECT_TRUE(::IsWindow(graph));
}

TEST_F(ShellTest, KeysDrivePlanViewAndRecordingState) {
    CMainFrame* frame = StartAndSettle();
    double elsewhere[3] = {1.0, 2.0, 3.0};
    ::SendMessage(frame->m_hGraphView, WM_GRAPH_COMMAND, kGraphSetOrigin,
                  reinterpret_cast<LPARAM>(elsewhere));
    TakeGraphCodes();
    Key('5');
    // "5" went back to the settings' origin and scale.
    EXPECT_EQ(frame->m_dGraphX, Doc().m_sysParams.ScreenStartx);
    EXPECT_EQ(frame->m_dGraphY, Doc().m_sysParams.ScreenStarty);
    EXPECT_EQ(frame->m_dGraphScale, Doc().m_sysParams.ScreenScale);
    m_modals->ExpectMessageBox(L"确实清除所有布线吗?").Answer(IDNO);
    for (UINT key : {'H', 'L', 'P', 'T', 'R'}) Key(key);
    EXPECT_EQ(TakeGraphCodes(), (std::vector<int>{0, 1, 2, 3, 4, 22}));
    // Nothing runs: the store request and the pause are not offered.
    Key('E');
    Key('G');
    EXPECT_FALSE(frame->m_bManualRecord);
    EXPECT_FALSE(Doc().m_bPaused);
}

TEST_F(ShellTest, TheSplashShowsForOneSecondWhateverIsPressed) {
    ASSERT_TRUE(Start());
    CSplashWnd* splash = CSplashWnd::GetSplash();
    ASSERT_NE(splash, nullptr);
    CRect rect;
    splash->GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(20, 100, 220, 220));  // 200 x 120, centred
    quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureScreen(), "splash");
    Key('H');
    quorvel::win::InjectStylus(120, 160, true);
    quorvel::win::InjectStylus(120, 160, false);
    Advance(999);
    EXPECT_EQ(CSplashWnd::GetSplash(), splash);
    Advance(1);
    EXPECT_EQ(CSplashWnd::GetSplash(), nullptr);

    // Without its bitmap there is no splash, and no box either.
    struct NoBitmapSplash : CSplashWnd {};
    auto* missing = new NoBitmapSplash;
    EXPECT_FALSE(missing->Create(Frame(), 9999));
    EXPECT_EQ(missing->GetSafeHwnd(), nullptr);
    delete missing;
    CSplashWnd::EnableSplashScreen(FALSE);
    CSplashWnd::ShowSplashScreen(Frame());
    EXPECT_EQ(CSplashWnd::GetSplash(), nullptr);
    EXPECT_EQ(Boxes(*m_modals), "");
}

// Which commands each run state greys is the commands tests' table.
TEST_F(ShellTest, AutoCollectionIsSwitchedOnAndOff) {
    CMainFrame* frame = StartAndSettle();
    frame->SendMessage(WM_COMMAND, ID_AUTO_COLLECT_START);
    EXPECT_TRUE(Doc().m_bAutoCollect);
    frame->SendMessage(WM_COMMAND, ID_AUTO_COLLECT_STOP);
    EXPECT_FALSE(Doc().m_bAutoCollect);
}

}  // namespace
}  // namespace shelltest
