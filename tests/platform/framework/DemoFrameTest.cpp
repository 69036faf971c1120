// The demonstration frame driven through injected stylus taps: start-up
// through the shell command, the splitter's panes, drop-downs, the toolbar,
// switching views and closing through the close box.
#include "platform/gdi/Image.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/ReferenceImage.h"
#include "tests/platform/framework/DemoApp.h"
#include "tests/platform/framework/DemoDialog.h"

using namespace demo;

namespace {

using Strings = std::vector<std::string>;

TEST_F(DemoTest, ShellCommandMakesDocumentFrameAndViewsInTheProgramsOrder) {
    CDemoFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    // The views' initial updates come last, after the layout, so they see
    // their real sizes: 240 wide, 170 high for the top pane, and the rest
    // under the 44-pixel command bar and the 1-pixel gap for the other.
    EXPECT_EQ(Events(), (Strings{"doc constructed", "frame client", "frame created",
                                 "doc new, main window set", "top initial update 236x170",
                                 "bottom initial update 236x101", "top activated"}));
    EXPECT_EQ(AfxGetMainWnd(), frame);
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_TRUE(frame->GetActiveView()->IsKindOf(RUNTIME_CLASS(CTopView)));
    EXPECT_TRUE(frame->GetActiveDocument()->IsKindOf(RUNTIME_CLASS(CDemoDoc)));
    CString title;
    frame->GetWindowText(title);
    EXPECT_EQ(title, CString(L"Halvern - 无标题"));
}

TEST_F(DemoTest, SplitterPanesSitInsideTheBordersWithTheGapsTheSubclassSet) {
    CDemoFrame* frame = Start();
    CRect bar, splitter, top, bottom;
    frame->m_wndCommandBar.GetWindowRect(&bar);
    frame->m_wndSplitter.GetWindowRect(&splitter);
    frame->m_wndSplitter.GetPane(0, 0)->GetWindowRect(&top);
    frame->m_wndSplitter.GetPane(1, 0)->GetWindowRect(&bottom);
    EXPECT_EQ(bar, CRect(0, 0, 240, 44));
    EXPECT_EQ(splitter, CRect(0, 44, 240, 320));
    EXPECT_EQ(top, CRect(2, 46, 238, 216));
    EXPECT_EQ(bottom.top - top.bottom, 1);
    EXPECT_EQ(bottom, CRect(2, 217, 238, 318));
    EXPECT_EQ(frame->m_wndSplitter.IdFromRowCol(1, 0), AFX_IDW_PANE_FIRST + 16);

    // Other gaps and borders, and a moved bar.
    frame->m_wndSplitter.m_cxBorder = frame->m_wndSplitter.m_cyBorder = 0;
    frame->m_wndSplitter.SetRowInfo(0, 100, 10);
    frame->m_wndSplitter.RecalcLayout();
    frame->m_wndSplitter.GetPane(1, 0)->GetWindowRect(&bottom);
    EXPECT_EQ(bottom, CRect(0, 145, 240, 320));
    int cy = 0, cyMin = 0;
    frame->m_wndSplitter.GetRowInfo(0, cy, cyMin);
    EXPECT_EQ(cy, 100);
}

TEST_F(DemoTest, SplitterBarFollowsTheStylus) {
    CDemoFrame* frame = Start();
    quorvel::win::InjectStylus(120, 216, true);  // the one-pixel gap
    quorvel::win::InjectStylus(120, 150, true);
    quorvel::win::InjectStylus(120, 150, false);
    Pump();
    int cy = 0, cyMin = 0;
    frame->m_wndSplitter.GetRowInfo(0, cy, cyMin);
    EXPECT_EQ(cy, 150 - 46);
}

TEST_F(DemoTest, AViewIsSwappedIntoASplitterPane) {
    CDemoFrame* frame = Start();
    CCreateContext context;
    context.m_pCurrentDoc = frame->GetActiveDocument();
    frame->m_wndSplitter.DeleteView(1, 0);
    EXPECT_EQ(frame->m_wndSplitter.GetPane(1, 0), nullptr);
    ASSERT_TRUE(
        frame->m_wndSplitter.CreateView(1, 0, RUNTIME_CLASS(CWholeView), CSize(0, 0), &context));
    CWnd* pane = frame->m_wndSplitter.GetPane(1, 0);
    ASSERT_TRUE(pane && pane->IsKindOf(RUNTIME_CLASS(CWholeView)));
    pane->SendMessage(WM_INITIALUPDATE);
    EXPECT_TRUE(Logged("whole initial update 236x101"));
    // The document lists the new view and no longer the deleted one.
    CDocument* doc = frame->GetActiveDocument();
    POSITION pos = doc->GetFirstViewPosition();
    std::vector<CView*> views;
    while (pos) views.push_back(doc->GetNextView(pos));
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(views[1], pane);
}

TEST_F(DemoTest, ATappedViewBecomesActiveAndCommandsThenReachTheFrame) {
    CDemoFrame* frame = Start();
    Tap(POINT{120, 100});  // the top view takes zoom in itself
    frame->SendMessage(WM_COMMAND, ID_GRAPH_ZOOM_IN);
    Tap(POINT{120, 260});
    EXPECT_TRUE(frame->GetActiveView()->IsKindOf(RUNTIME_CLASS(CBottomView)));
    frame->SendMessage(WM_COMMAND, ID_GRAPH_ZOOM_IN);
    EXPECT_EQ(Events().back(), "frame: zoom in");
    EXPECT_TRUE(Logged("view: zoom in"));
    EXPECT_TRUE(Logged("bottom activated"));
}

TEST_F(DemoTest, ADropDownOpenedByStylusRunsTheChosenCommand) {
    CDemoFrame* frame = Start();
    Tap(TitleCentre(5));  // 图形
    ASSERT_EQ(Bar()->OpenTitle(), 5);
    Tap(ItemCentre(0));  // 放大(H): the active top view handles it
    EXPECT_EQ(Bar()->OpenTitle(), -1);
    EXPECT_EQ(Events().back(), "view: zoom in");
    Tap(TitleCentre(0));
    Tap(ItemCentre(12));  // 软件信息: only the application handles it
    EXPECT_EQ(Events().back(), "app: about");
    (void)frame;
}

TEST_F(DemoTest, AToolbarTapReplacesTheSplitterWithAWholeScreenView) {
    CDemoFrame* frame = Start();
    CView* top = frame->GetActiveView();
    Tap(ButtonCentre(ID_VIEW_TOGGLE));
    CView* whole = frame->GetActiveView();
    ASSERT_TRUE(whole->IsKindOf(RUNTIME_CLASS(CWholeView)));
    EXPECT_TRUE(Logged("frame: toggle"));
    EXPECT_TRUE(Logged("whole activated"));
    EXPECT_EQ(frame->m_wndSplitter.GetPane(0, 0), nullptr);  // the old view is gone
    (void)top;
    CRect rect;
    whole->GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(0, 44, 240, 320));
    // It lies above the splitter: a tap reaches it, and it keeps the area
    // when the frame lays out again.
    EXPECT_EQ(::WindowFromPoint(POINT{120, 260}), whole->m_hWnd);
    frame->RecalcLayout();
    EXPECT_EQ(::WindowFromPoint(POINT{120, 260}), whole->m_hWnd);
    // A second switch replaces the whole-screen view itself.
    Tap(ButtonCentre(ID_VIEW_TOGGLE));
    EXPECT_NE(frame->GetActiveView(), whole);
    EXPECT_EQ(::WindowFromPoint(POINT{120, 260}), frame->GetActiveView()->m_hWnd);
}

TEST_F(DemoTest, TheCloseBoxClosesTheFrameThroughOnClose) {
    CDemoFrame* frame = Start();
    const HWND hwnd = frame->m_hWnd;
    Events().clear();
    Tap(CRect(Bar()->CloseRect()).CenterPoint());  // the bar is at the screen's top left
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(Events(), (Strings{"frame close", "doc deleted"}));
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(DemoTest, AppExitClosesThroughWmCloseAndRunReturns) {
    Start();
    m_app->m_pMainWnd->PostMessage(WM_COMMAND, ID_APP_EXIT);
    EXPECT_EQ(m_app->Run(), 0);
    EXPECT_EQ(Events().back(), "app exit");
    EXPECT_TRUE(Logged("frame close"));
    EXPECT_TRUE(Logged("doc deleted"));
}

}  // namespace

namespace {

TEST_F(DemoTest, AMenuCommandRunsTheDialogOfEveryControlWithDataExchange) {
    quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/platform/framework/ref");
    Start();
    quorvel::testing::ModalScript modals;
    modals.ExpectDialog(kAllControlsDialog)
        .Do([](HWND dialog) {
            // Filled from the members when it opened.
            WCHAR text[32] = {};
            ::GetDlgItemText(dialog, kName, text, 32);
            EXPECT_EQ(CString(text), CString(L"点1"));
            quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureScreen(),
                                                     "all_controls_dialog");
        })
        .SetText(kName, L"测点1")
        .Check(kFlag)
        .Click(kModeB)
        .Select(kFix, 3)
        .Select(kPick, 1)
        .Click(IDOK);
    Tap(TitleCentre(3));  // 参数
    Tap(ItemCentre(10));  // 参数浏览
    EXPECT_EQ(Events().back(), "dialog ok 测点1 1 1 3 1");
    EXPECT_EQ(modals.Pending(), 0);
}

}  // namespace
