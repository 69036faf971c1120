// A small program for the launcher's end-to-end tests, standing in for the
// real one: a frame with an edit (keys and characters land there), a status
// line that reports the stylus, a command that asks a question in a message
// box, one that opens a dialog with an edit, and an exit question on close.
// The end-without-questions hook says on stdout that it ran, and a second
// copy on the same root hands over to the first. It names the host devices
// behind its first two ports.
#include <cstdio>

#include "launcher/Launcher.h"
#include "platform/files/FileApi.h"
#include "platform/framework/Afx.h"
#include "platform/framework/Dialog.h"
#include "platform/framework/Edit.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/MessageMap.h"
#include "platform/framework/Static.h"
#include "platform/framework/WinApp.h"
#include "platform/serial/PortMap.h"
#include "res/resource.h"

namespace {

constexpr UINT kEditId = 100, kStatusId = 101;
constexpr UINT kAskCommand = 1001, kDialogCommand = 1002;

class CTextDialog : public CDialog {
  public:
    CTextDialog() : CDialog(IDD_DRAW_TEXT) {}
    CString m_text;

  protected:
    void OnOK() override {
        GetDlgItemText(IDC_DRAW_TEXT_CONTENT, m_text);
        CDialog::OnOK();
    }
};

class CTestFrame : public CFrameWnd {
  public:
    void SetStatus(const CString& text) { m_status.SetWindowText(text); }

  protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
        m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(0, 0, 240, 24),
                      this, kEditId);
        m_status.Create(L"ready", WS_CHILD | WS_VISIBLE, CRect(0, 30, 240, 50), this, kStatusId);
        return 0;
    }
    afx_msg void OnSetFocus(CWnd*) { m_edit.SetFocus(); }
    afx_msg void OnClose() {
        if (AfxMessageBox(L"Exit the program?", MB_YESNO) == IDYES) CFrameWnd::OnClose();
    }
    afx_msg void OnLButtonDown(UINT, CPoint point) {
        ClientToScreen(&point);
        m_down = point;
    }
    afx_msg void OnLButtonUp(UINT, CPoint point) {
        ClientToScreen(&point);
        CString text;
        if (point == m_down)
            text.Format(L"tap %d %d", point.x, point.y);
        else
            text.Format(L"drag %d %d %d %d", m_down.x, m_down.y, point.x, point.y);
        SetStatus(text);
    }
    afx_msg void OnAsk() {
        const int answer = AfxMessageBox(L"Save the survey?", MB_YESNO);
        SetStatus(answer == IDYES ? L"box said yes" : L"box said no");
    }
    afx_msg void OnOpenDialog() {
        CTextDialog dialog;
        const INT_PTR result = dialog.DoModal();
        CString text;
        text.Format(L"dialog %d %s", static_cast<int>(result), dialog.m_text.GetString());
        SetStatus(text);
    }
    DECLARE_MESSAGE_MAP()

  private:
    CEdit m_edit;
    CStatic m_status;
    CPoint m_down;
};

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_SETFOCUS()
ON_WM_CLOSE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_COMMAND(kAskCommand, OnAsk)
ON_COMMAND(kDialogCommand, OnOpenDialog)
END_MESSAGE_MAP()

class CTestApp : public CWinApp {
  public:
    BOOL InitInstance() override {
        // A copy already running on this root takes over, as the program's does.
        if (HWND previous = ::FindWindow(nullptr, L"Launcher test")) {
            ::ShowWindow(previous, SW_MAXIMIZE);
            std::printf("handed over\n");
            return FALSE;
        }
        for (int port : {1, 2})
            std::printf("COM%d -> %s\n", port, quorvel::SerialPortHostPath(port).c_str());
        auto* frame = new CTestFrame;
        if (!frame->Create(nullptr, L"Launcher test")) return FALSE;
        m_pMainWnd = frame;
        // A root holding "fail-start" makes the start-up fail half-way.
        if (::GetFileAttributes(L"\\fail-start") != INVALID_FILE_ATTRIBUTES) return FALSE;
        frame->ShowWindow(SW_SHOW);
        frame->UpdateWindow();
        return TRUE;
    }
};

CTestApp theApp;

void EndWithoutQuestions() {
    std::printf("ended without questions\n");
    std::fflush(stdout);
    if (CWnd* main = AfxGetMainWnd()) main->DestroyWindow();
}

}  // namespace

int main(int argc, char** argv) {
    quorvel::launcher::LauncherHooks hooks;
    hooks.endProgram = EndWithoutQuestions;
    return quorvel::launcher::RunLauncher(argc, argv, hooks);
}
