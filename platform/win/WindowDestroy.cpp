// Window destruction in the platform's order: the window is hidden (what it
// covered is repainted), the windows it owns are destroyed, then WM_DESTROY
// goes to the window before its children and WM_NCDESTROY after them; only
// then does the handle become invalid, for good.
#include <functional>

#include "platform/base/Thread.h"
#include "platform/win/WinInternal.h"
#include "platform/win/WindowState.h"

using namespace quorvel::win::detail;

namespace {

void MarkDestroying(Window* w) {
    w->destroying = true;
    for (HWND c : w->children)
        if (Window* cw = Find(c)) MarkDestroying(cw);
}

std::vector<HWND> OwnedBy(HWND owner) {
    std::vector<HWND> out;
    for (HWND h : S().topLevel) {
        Window* w = FindLocal(h);
        if (w && w->owner == owner && !w->destroying) out.push_back(h);
    }
    return out;
}

std::vector<HWND> ChildrenOf(HWND hwnd) {
    Lock lock = TakeLock();
    Window* w = FindLocal(hwnd);
    return w ? w->children : std::vector<HWND>{};
}

void SendDestroyTree(HWND hwnd) {
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    for (HWND c : ChildrenOf(hwnd)) SendDestroyTree(c);
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    Lock lock = TakeLock();
    DropWindow(hwnd);
}

// Focus or capture inside the dying tree go without messages to it: the
// window is on its way out.
void LetGoOf(Window* w) {
    for (HWND* slot : {&S().focus, &S().capture}) {
        Window* f = Find(*slot);
        if (f && (f == w || IsDescendant(w, f))) *slot = nullptr;
    }
}

}  // namespace

BOOL DestroyWindow(HWND hwnd) {
    std::vector<HWND> owned;
    bool visible;
    {
        Lock lock = TakeLock();
        Window* w = FindLocal(hwnd);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        if (w->threadId != GetCurrentThreadId()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        if (w->destroying) return TRUE;
        MarkDestroying(w);
        owned = w->parent ? std::vector<HWND>{} : OwnedBy(hwnd);
        visible = (w->style & WS_VISIBLE) != 0;
    }
    for (HWND o : owned) DestroyWindow(o);
    if (visible)
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    {
        Lock lock = TakeLock();
        if (Window* w = FindLocal(hwnd)) LetGoOf(w);
    }
    if (GetActiveWindow() == hwnd) ActivateAnotherThan(hwnd);
    SendDestroyTree(hwnd);
    return TRUE;
}
