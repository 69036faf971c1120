// The active window, the focus window and mouse capture. One of each per
// process: the handheld runs one program with one user.
#include "platform/base/Thread.h"
#include "platform/win/Exposure.h"
#include "platform/win/InstanceShare.h"
#include "platform/win/WinInternal.h"

namespace quorvel::win::detail {
namespace {

bool CanActivate(const Window* w) {
    return w && !w->remote && !w->parent && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED);
}

}  // namespace

void ActivateAnotherThan(HWND leaving) {
    HWND next = nullptr;
    {
        Lock lock = TakeLock();
        Window* w = Find(leaving);
        if (S().active && S().active != leaving) return;
        DWORD thread = w ? w->threadId : GetCurrentThreadId();
        Window* owner = w ? Find(w->owner) : nullptr;
        if (CanActivate(owner) && !owner->destroying) {
            next = owner->hwnd;
        } else {
            for (HWND h : S().topLevel) {
                Window* c = FindLocal(h);
                if (h != leaving && CanActivate(c) && !c->destroying && c->threadId == thread) {
                    next = h;
                    break;
                }
            }
        }
        if (!next) S().active = nullptr;
    }
    if (next) SetActiveWindow(next);
}

}  // namespace quorvel::win::detail

using namespace quorvel::win::detail;

HWND SetActiveWindow(HWND hwnd) {
    HWND old;
    {
        Lock lock = TakeLock();
        Window* w = FindLocal(hwnd);
        if (!w) return nullptr;
        w = TopLevelOf(w);
        hwnd = w->hwnd;
        old = S().active;
        if (old == hwnd) return old;
        S().active = hwnd;
        Exposure exposure(WindowRectOnScreen(w));
        LinkAt(w, HWND_TOP);
        RaiseOwnedAbove(w);
        exposure.Finish(nullptr);
    }
    if (old) {
        SendMessage(old, WM_NCACTIVATE, FALSE, 0);
        SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(hwnd));
    }
    SendMessage(hwnd, WM_NCACTIVATE, TRUE, 0);
    SendMessage(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), reinterpret_cast<LPARAM>(old));
    return old;
}

HWND GetActiveWindow() {
    Lock lock = TakeLock();
    return S().active;
}

HWND GetForegroundWindow() {
    return GetActiveWindow();
}

BOOL SetForegroundWindow(HWND hwnd) {
    BOOL result = FALSE;
    if (ForwardToRemote(hwnd, 2, 0, &result)) return result;
    if (!IsWindow(hwnd)) return FALSE;
    SetActiveWindow(hwnd);
    return TRUE;
}

// Returns the focus window from before the call, also when activating the
// new focus's top-level window moved the focus on the way.
HWND SetFocus(HWND hwnd) {
    HWND top = nullptr, before;
    {
        Lock lock = TakeLock();
        before = S().focus;
        if (hwnd) {
            Window* w = FindLocal(hwnd);
            if (!w) {
                SetLastError(ERROR_INVALID_WINDOW_HANDLE);
                return nullptr;
            }
            if (S().focus == hwnd) return hwnd;
            top = TopLevelOf(w)->hwnd;
            if (S().active == top) top = nullptr;
        }
    }
    if (top) SetActiveWindow(top);
    HWND old;
    {
        Lock lock = TakeLock();
        if (hwnd && !FindLocal(hwnd)) return nullptr;
        old = S().focus;
        if (old == hwnd) return before;
        S().focus = hwnd;
    }
    if (old) SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (hwnd && GetFocus() == hwnd)
        SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return before;
}

HWND GetFocus() {
    Lock lock = TakeLock();
    return S().focus;
}

HWND SetCapture(HWND hwnd) {
    HWND old;
    {
        Lock lock = TakeLock();
        if (!FindLocal(hwnd)) return nullptr;
        old = S().capture;
        S().capture = hwnd;
    }
    if (old && old != hwnd) SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return old;
}

BOOL ReleaseCapture() {
    HWND old;
    {
        Lock lock = TakeLock();
        old = S().capture;
        S().capture = nullptr;
    }
    if (old) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    Lock lock = TakeLock();
    return S().capture;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    bool wasDisabled, loseFocus = false;
    {
        Lock lock = TakeLock();
        Window* w = FindLocal(hwnd);
        if (!w) return FALSE;
        wasDisabled = (w->style & WS_DISABLED) != 0;
        if (wasDisabled == !enable) return wasDisabled;
        if (enable) {
            w->style &= ~WS_DISABLED;
        } else {
            w->style |= WS_DISABLED;
            Window* f = Find(S().focus);
            loseFocus = f && (f == w || IsDescendant(w, f));
        }
    }
    if (!enable) {
        // A window being disabled first drops whatever mode it is in (a
        // press, a hover); the default handling lets go of the capture.
        SendMessage(hwnd, WM_CANCELMODE, 0, 0);
        if (GetCapture() == hwnd) ReleaseCapture();
    }
    if (loseFocus) SetFocus(nullptr);
    SendMessage(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}
