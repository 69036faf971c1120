// Plumbing shared by the framework's own sources: the per-thread state of
// message handling and window creation. Not for the program's code.
#pragma once

#include "platform/framework/Wnd.h"
#include "platform/win/WinInternal.h"

// Reaches CWnd's protected plumbing from the framework's free functions.
struct CWndAccess {
    static WNDPROC& Super(CWnd* wnd) { return wnd->m_pfnSuper; }
};

namespace quorvel::framework {

struct ThreadState {
    MSG current{};            // the message AfxWndProc is handling
    CWnd* wndInit = nullptr;  // the object the next created window attaches to
    win::CreateHook prevHook = nullptr;
    HWND lockoutNotify = nullptr;  // notifications to this window are dropped (UpdateData)
};
ThreadState& State();

// While alive, the next window this thread creates is attached to `wnd` and
// subclassed with the framework's procedure (before its first message).
class CreateHookScope {
  public:
    explicit CreateHookScope(CWnd* wnd);
    ~CreateHookScope();
    CreateHookScope(const CreateHookScope&) = delete;
    CreateHookScope& operator=(const CreateHookScope&) = delete;
    // Whether the window was made (the object got its handle).
    bool Attached() const;

  private:
    CWnd* m_wnd;
    CWnd* m_savedInit;
    win::CreateHook m_savedPrev;
    win::CreateHook m_replaced = nullptr;
};

// Puts the framework's procedure in place over the window's own.
void SubclassWithFramework(CWnd* wnd, HWND hWnd);

// A temporary object for a window of no object of the program's: a CWnd, or
// the control class that matches the window's class, so that the program's
// casts of GetDlgItem's answer to CEdit* and the like hold.
CWnd* NewTempWnd(HWND hWnd);

// Installs the pre-translation walk into every message loop. Attaching the
// first window calls it.
void InstallPreTranslate();

// Offers a message a control sent its parent to the control's own object.
BOOL ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

}  // namespace quorvel::framework
