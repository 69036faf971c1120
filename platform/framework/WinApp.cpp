// The application object: start-up, the message loop with its idle work,
// the shell commands and the application's own commands.
#include "platform/framework/WinApp.h"

#include "platform/base/TextConv.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/Document.h"
#include "platform/framework/FrameworkIds.h"
#include "platform/framework/MessageMap.h"
#include "platform/gdi/GdiApi.h"
#include "platform/resources/Resources.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CWinApp* AfxGetApp() {
    CWinThread* thread = AfxGetThread();
    return thread && thread->IsKindOf(RUNTIME_CLASS(CWinApp)) ? static_cast<CWinApp*>(thread)
                                                              : nullptr;
}

CWinApp::CWinApp(LPCTSTR lpszAppName) {
    if (lpszAppName) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName;
    }
    m_hInstance = AfxGetInstanceHandle();
}

CWinApp::~CWinApp() {
    for (CDocTemplate* t : m_templates) delete t;
    delete m_pRecentFileList;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

// The exit code is that of the WM_QUIT that ended the loop.
int CWinApp::ExitInstance() {
    SaveStdProfileSettings();
    return static_cast<int>(m_msgCur.wParam);
}

BOOL CWinApp::IsIdleMessage(MSG* pMsg) {
    return pMsg->message != WM_PAINT;
}

// Idle work runs each time the queue has been emptied after a message that
// may have changed what the commands' state depends on.
int CWinApp::Run() {
    MSG& msg = m_msgCur;
    BOOL idle = TRUE;
    LONG idleCount = 0;
    for (;;) {
        while (idle && !::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE))
            if (!OnIdle(idleCount++)) idle = FALSE;
        const BOOL got = ::GetMessage(&msg, nullptr, 0, 0);
        if (got == 0) break;
        if (got == -1) continue;
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        if (IsIdleMessage(&msg)) {
            idle = TRUE;
            idleCount = 0;
        }
    }
    return ExitInstance();
}

BOOL CWinApp::OnIdle(LONG lCount) {
    if (lCount <= 0) {
        CWnd* main = m_pMainWnd;
        if (main && main->m_hWnd && main->IsWindowVisible())
            main->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    } else if (lCount == 1) {
        AfxDeleteTempMaps();
    }
    return lCount < 1;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
    if (pTemplate) m_templates.push_back(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const {
    return m_templates.empty() ? nullptr : reinterpret_cast<POSITION>(uintptr_t{1});
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& rPosition) const {
    const auto index = reinterpret_cast<uintptr_t>(rPosition) - 1;
    if (!rPosition || index >= m_templates.size()) {
        rPosition = nullptr;
        return nullptr;
    }
    rPosition = index + 1 < m_templates.size() ? reinterpret_cast<POSITION>(index + 2) : nullptr;
    return m_templates[index];
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName) {
    if (m_templates.empty()) return nullptr;
    CDocument* doc = m_templates.front()->OpenDocumentFile(lpszFileName);
    if (doc && lpszFileName) AddToRecentFileList(lpszFileName);
    return doc;
}

BOOL CWinApp::SaveAllModified() {
    for (CDocTemplate* t : m_templates)
        if (!t->SaveAllModified()) return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
    for (CDocTemplate* t : m_templates) t->CloseAllDocuments(bEndSession);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    switch (rCmdInfo.m_nShellCommand) {
        case CCommandLineInfo::FileNew:
            if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr)) OnFileNew();
            return m_pMainWnd != nullptr;
        case CCommandLineInfo::FileOpen:
            return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
        default:
            return TRUE;
    }
}

void CWinApp::OnFileNew() {
    if (!m_templates.empty()) m_templates.front()->OpenDocumentFile(nullptr);
}

// The device offers no file-open dialog to the framework; a document is
// opened by name through OpenDocumentFile.
void CWinApp::OnFileOpen() {}

void CWinApp::OnAppExit() {
    if (m_pMainWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::SetCommandLine(int argc, char** argv) {
    m_cmdLine.clear();
    for (int i = 1; i < argc; ++i) {
        const CString arg = quorvel::FromUtf8(argv[i]);
        const bool quote = arg.Find(L' ') >= 0;
        if (!m_cmdLine.empty()) m_cmdLine += L' ';
        m_cmdLine += quote ? L"\"" + arg.str() + L"\"" : arg.str();
    }
    m_lpCmdLine = m_cmdLine.data();
    if (argc > 0) {
        std::string exe = argv[0];
        const size_t slash = exe.find_last_of('/');
        if (slash != std::string::npos) exe = exe.substr(slash + 1);
        m_strExeName = quorvel::FromUtf8(exe);
        m_pszExeName = m_strExeName;
    }
}

namespace quorvel::framework {

int RunApplication(int argc, char** argv) {
    CWinApp* app = AfxGetApp();
    if (!app) return 1;
    gdi::Install();
    resources::Install();
    dialogs::InstallMessageBoxes();
    app->SetCommandLine(argc, argv);
    if (!app->m_pszAppName) {
        if (!app->m_strAppName.LoadString(AFX_IDS_APP_TITLE)) app->m_strAppName = app->m_strExeName;
        app->m_pszAppName = app->m_strAppName;
    }
    quorvel::SetAppTitle(app->m_pszAppName);
    if (!app->InitInstance()) {
        if (app->m_pMainWnd) app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

}  // namespace quorvel::framework
