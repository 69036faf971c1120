#include "tests/platform/framework/DemoApp.h"

#include "tests/platform/framework/DemoDialog.h"

#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/gdi/GdiApi.h"
#include "platform/resources/Resources.h"
#include "platform/win/WinInternal.h"

namespace demo {

std::vector<std::string>& Events() {
    static std::vector<std::string> events;
    return events;
}

void Log(const std::string& event) {
    Events().push_back(event);
}

bool Logged(const std::string& event) {
    for (const std::string& e : Events())
        if (e == event) return true;
    return false;
}

// ---- Document ----

IMPLEMENT_DYNCREATE(CDemoDoc, CDocument)

BEGIN_MESSAGE_MAP(CDemoDoc, CDocument)
ON_COMMAND(kDocOnly, OnDocOnly)
ON_COMMAND(kViewAndDoc, OnViewAndDoc)
ON_COMMAND(ID_JOB_OPEN, OnOpenJob)
ON_UPDATE_COMMAND_UI(ID_JOB_OPEN, OnUpdateJobCommands)
ON_UPDATE_COMMAND_UI(ID_JOB_NEW, OnUpdateJobCommands)
END_MESSAGE_MAP()

CDemoDoc::CDemoDoc() {
    Log("doc constructed");
}

CDemoDoc::~CDemoDoc() {
    Log("doc deleted");
}

BOOL CDemoDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) return FALSE;
    Log(AfxGetMainWnd() ? "doc new, main window set" : "doc new, no main window");
    return TRUE;
}

void CDemoDoc::OnDocOnly() {
    Log("doc: doc-only command");
}

void CDemoDoc::OnViewAndDoc() {
    Log("doc: shared command");
}

void CDemoDoc::OnOpenJob() {
    Log("doc: open job");
}

void CDemoDoc::OnUpdateJobCommands(CCmdUI* pCmdUI) {
    pCmdUI->Enable(!m_bMeasuring);
}

// ---- Views ----

void CColourView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    CRect client;
    GetClientRect(&client);
    Log(std::string(Name()) + " initial update " + std::to_string(client.Width()) + "x" +
        std::to_string(client.Height()));
}

void CColourView::OnDraw(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, Colour());
}

void CColourView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) {
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    if (bActivate && pActivateView == this) Log(std::string(Name()) + " activated");
}

IMPLEMENT_DYNCREATE(CTopView, CView)

BEGIN_MESSAGE_MAP(CTopView, CView)
ON_COMMAND(kViewAndDoc, OnViewAndDoc)
ON_COMMAND(ID_GRAPH_ZOOM_IN, OnZoomIn)
ON_UPDATE_COMMAND_UI(ID_RADIO_SETTINGS, OnUpdateRadio)
END_MESSAGE_MAP()

void CTopView::OnViewAndDoc() {
    Log("view: shared command");
}

void CTopView::OnZoomIn() {
    Log("view: zoom in");
}

void CTopView::OnUpdateRadio(CCmdUI* pCmdUI) {
    pCmdUI->SetText(L"GSM设置");
    pCmdUI->SetCheck(1);
}

IMPLEMENT_DYNCREATE(CBottomView, CView)
IMPLEMENT_DYNCREATE(CWholeView, CView)

// ---- Frame ----

CDemoSplitter::CDemoSplitter() {
    m_cxSplitterGap = m_cySplitterGap = 1;
}

IMPLEMENT_DYNCREATE(CDemoFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CDemoFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_COMMAND(kFrameOnly, OnFrameOnly)
ON_COMMAND(ID_VIEW_TOGGLE, OnViewToggle)
ON_COMMAND(ID_GRAPH_ZOOM_IN, OnZoomIn)
ON_COMMAND(ID_RADIO_SETTINGS, OnRadio)
ON_COMMAND(ID_PARAM_VIEW, OnParamView)
END_MESSAGE_MAP()

int CDemoFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
    Log(AfxGetMainWnd() ? "frame created, main window set" : "frame created");
    if (!m_wndCommandBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR) ||
        !m_wndCommandBar.InsertMenuBar(IDR_MAINFRAME) || !m_wndCommandBar.InsertSeparator(6) ||
        !m_wndCommandBar.LoadToolBar(IDR_MAINFRAME) || !m_wndCommandBar.AddAdornments(0))
        return -1;
    m_wndCommandBar.SetBarStyle(m_wndCommandBar.GetBarStyle() | CBRS_SIZE_FIXED);
    return 0;
}

BOOL CDemoFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    Log("frame client");
    if (!m_wndSplitter.CreateStatic(this, 2, 1, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    return m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CTopView), CSize(100, 170), pContext) &&
           m_wndSplitter.CreateView(1, 0, RUNTIME_CLASS(CBottomView), CSize(100, 100), pContext);
}

void CDemoFrame::OnClose() {
    Log("frame close");
    CFrameWnd::OnClose();
}

void CDemoFrame::OnFrameOnly() {
    Log("frame: frame-only command");
}

void CDemoFrame::OnViewToggle() {
    Log("frame: toggle");
    SwitchTo(RUNTIME_CLASS(CWholeView));
}

void CDemoFrame::OnZoomIn() {
    Log("frame: zoom in");
}

void CDemoFrame::OnRadio() {
    Log("frame: radio");
}

void CDemoFrame::OnParamView() {
    CAllControlsDlg dlg;
    if (dlg.DoModal() != IDOK) return Log("dialog cancelled");
    Log("dialog ok " + quorvel::ToUtf8(dlg.m_strName) + " " + std::to_string(dlg.m_bFlag) + " " +
        std::to_string(dlg.m_nMode) + " " + std::to_string(dlg.m_nFix) + " " +
        std::to_string(dlg.m_nPick));
}

BOOL CDemoFrame::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_CHAR && pMsg->wParam == 'x') {
        Log("frame: key x");
        SendMessage(WM_COMMAND, ID_APP_EXIT);
        return TRUE;
    }
    return CFrameWnd::PreTranslateMessage(pMsg);
}

CView* CDemoFrame::SwitchTo(CRuntimeClass* cls) {
    CView* old = GetActiveView();
    CCreateContext context;
    context.m_pNewViewClass = cls;
    context.m_pCurrentDoc = GetActiveDocument();
    auto* view = static_cast<CView*>(CreateView(&context, AFX_IDW_PANE_FIRST));
    if (!view) return nullptr;
    view->SendMessage(WM_INITIALUPDATE);
    view->ShowWindow(SW_SHOW);
    SetActiveView(view);
    if (old) old->DestroyWindow();
    RecalcLayout();
    return view;
}

// ---- Application ----

BEGIN_MESSAGE_MAP(CDemoApp, CWinApp)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

BOOL CDemoApp::InitInstance() {
    SetRegistryKey(L"Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CDemoDoc),
                                          RUNTIME_CLASS(CDemoFrame), RUNTIME_CLASS(CTopView)));
    CCommandLineInfo info;
    ParseCommandLine(info);
    return ProcessShellCommand(info);
}

int CDemoApp::ExitInstance() {
    Log("app exit");
    return CWinApp::ExitInstance();
}

void CDemoApp::OnAppAbout() {
    Log("app: about");
}

// ---- Fixture ----

void DemoTest::SetUp() {
    DeviceRootTest::SetUp();
    if (HasFatalFailure()) return;
    quorvel::UseVirtualClock(SYSTEMTIME{2012, 6, 5, 1, 8, 0, 0, 0});
    quorvel::gdi::Install();
    quorvel::resources::Install();
    quorvel::dialogs::Install();
    Events().clear();
    m_app = new CDemoApp;
}

void DemoTest::TearDown() {
    if (CWnd* main = m_app->m_pMainWnd) main->DestroyWindow();
    quorvel::win::PumpUntilIdle();
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    delete m_app;
    DeviceRootTest::TearDown();
}

CDemoFrame* DemoTest::Start() {
    EXPECT_TRUE(m_app->InitInstance());
    Pump();
    return static_cast<CDemoFrame*>(m_app->m_pMainWnd);
}

void DemoTest::Pump() {
    quorvel::win::PumpUntilIdle();
    m_app->OnIdle(0);
    m_app->OnIdle(1);
    quorvel::win::PumpUntilIdle();
}

void DemoTest::Tap(POINT screen) {
    quorvel::win::InjectStylus(screen.x, screen.y, true);
    quorvel::win::InjectStylus(screen.x, screen.y, false);
    Pump();
}

quorvel::framework::CommandBarControl* DemoTest::Bar() {
    return static_cast<CDemoFrame*>(m_app->m_pMainWnd)->m_wndCommandBar.GetControl();
}

namespace {
POINT Centre(RECT r) {
    return CRect(r).CenterPoint();
}
}  // namespace

POINT DemoTest::TitleCentre(int title) {
    RECT r = Bar()->TitleRect(title);
    MapWindowPoints(Bar()->Hwnd(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return Centre(r);
}

POINT DemoTest::ItemCentre(int index) {
    return Centre(Bar()->OpenPopup()->ItemRect(index));
}

POINT DemoTest::ButtonCentre(UINT id) {
    RECT r = Bar()->FindButton(id)->rect;
    MapWindowPoints(Bar()->Hwnd(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return Centre(r);
}

}  // namespace demo
