#include "app/shell/VendropApp.h"

#include "app/FrameMessages.h"
#include "app/link/ReceiverLinkStart.h"
#include "app/screens/VendropView.h"
#include "app/shell/AboutDlg.h"
#include "app/shell/AppGlobals.h"
#include "app/shell/MainFrame.h"
#include "app/shell/SplashWnd.h"
#include "app/shell/VendropDoc.h"
#include "platform/framework/DocTemplate.h"
#include "res/resource.h"
#include "ui/FileDialogRoot.h"

BEGIN_MESSAGE_MAP(CVendropApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
END_MESSAGE_MAP()

CVendropApp::CVendropApp() = default;

BOOL CALLBACK FindPreviousInstanceProc(HWND hWnd, LPARAM lParam) {
    if (::GetProp(hWnd, InstancePropertyName()) != reinterpret_cast<HANDLE>(1)) return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

BOOL CVendropApp::InitInstance() {
    HWND previous = nullptr;
    ::EnumWindows(FindPreviousInstanceProc, reinterpret_cast<LPARAM>(&previous));
    if (previous) {
        ::ShowWindow(previous, SW_MAXIMIZE);
        ::SetForegroundWindow(previous);
        return FALSE;
    }
    CCommandLineInfo splashInfo;
    ParseCommandLine(splashInfo);
    CSplashWnd::EnableSplashScreen(splashInfo.m_bShowSplash);
    SetRegistryKey(L"Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CVendropDoc),
                                          RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CVendropView)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo)) return FALSE;
    auto* frame = static_cast<CMainFrame*>(m_pMainWnd);
    CVendropDoc& doc = *g_pDoc;
    SetFileDialogRoot(doc.m_strRootDir);

    PlaceShortcuts();
    if (!RegisterApplicationKey()) return FALSE;
    frame->SetForegroundWindow();
    OpenCurrentJob(doc);
    ::SendMessage(frame->m_hGraphView, WM_GRAPH_COMMAND, kGraphLoad, 0);
    RestoreJobState(doc);
    StartReceiverLink(doc, *frame);

    frame->m_dGraphX = doc.m_sysParams.ScreenStartx;
    frame->m_dGraphY = doc.m_sysParams.ScreenStarty;
    frame->m_dGraphScale = doc.m_sysParams.ScreenScale;
    double origin[3] = {doc.m_sysParams.ScreenStartx, doc.m_sysParams.ScreenStarty,
                        doc.m_sysParams.ScreenScale};
    ::SendMessage(frame->m_hGraphView, WM_GRAPH_COMMAND, kGraphSetOrigin,
                  reinterpret_cast<LPARAM>(origin));

    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    frame->SetForegroundWindow();
    CString title;
    title.LoadString(IDS_STRING61402);
    frame->SetWindowText(title + L"<" + doc.m_strDataFile + L">");
    return TRUE;
}

int CVendropApp::ExitInstance() {
    return CWinApp::ExitInstance();
}

void CVendropApp::OnAppAbout() {
    CAboutDlg dlg;
    dlg.DoModal();
}
