// The framework's global functions: the application's thread object and
// main window, the instance handle, window classes, and clean-up of the
// temporary objects.
#pragma once

#include "platform/base/MessageBox.h"
#include "platform/framework/CmdTarget.h"

class CWnd;
class CWinApp;

// The thread object of the program's user interface. The application class
// derives from it; its constructor makes it the one AfxGetThread returns.
class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
  public:
    CWinThread();
    ~CWinThread() override;

    // The window whose closing ends the program; AfxGetMainWnd.
    CWnd* m_pMainWnd = nullptr;
    virtual CWnd* GetMainWnd();
    // Offers a message of the thread's loop to the windows' pre-translation.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
};

CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
// Defined with the application class.
CWinApp* AfxGetApp();

// One module holds every resource, so both are the same fixed handle.
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// A window class for the framework's windows, registered once per set of
// arguments; the name lives for the whole run.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                            HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);
BOOL AfxRegisterClass(WNDCLASS* lpWndClass);

// Deletes the calling thread's temporary window, device-context, drawing
// and image-list objects whose handles are gone (the application's idle
// time calls it).
void AfxDeleteTempMaps();
