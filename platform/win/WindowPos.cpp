// Position, size, z-order and show state. Every change goes through
// SetWindowPos: WM_WINDOWPOSCHANGING, the change with what it uncovers
// invalidated, WM_WINDOWPOSCHANGED (whose default sends WM_MOVE/WM_SIZE),
// and activation of a top-level window unless SWP_NOACTIVATE.
#include "platform/base/Thread.h"
#include "platform/win/Exposure.h"
#include "platform/win/InstanceShare.h"
#include "platform/win/RectMath.h"
#include "platform/win/WinInternal.h"

namespace quorvel::win::detail {
namespace {

struct Outcome {
    bool valid = false;
    bool hidden = false;
    bool activate = false;
    std::vector<RECT> desktop;
};

bool VisibleAfter(const Window* w, UINT flags) {
    const Window* p = Parent(w);
    if (p && !IsVisibleChain(p)) return false;
    if (flags & SWP_SHOWWINDOW) return true;
    if (flags & SWP_HIDEWINDOW) return false;
    return (w->style & WS_VISIBLE) != 0;
}

// Applies the change under the lock; `pos` gets SWP_NOMOVE/SWP_NOSIZE for
// what did not change, as WM_WINDOWPOSCHANGED reports it.
Outcome Apply(WINDOWPOS* pos) {
    Outcome out;
    Window* w = FindLocal(pos->hwnd);
    if (!w) return out;
    out.valid = true;
    const bool before = IsVisibleChain(w), after = VisibleAfter(w, pos->flags);
    RECT next = w->rect;
    if (!(pos->flags & SWP_NOMOVE)) next = Offset(next, pos->x - next.left, pos->y - next.top);
    if (!(pos->flags & SWP_NOSIZE)) {
        next.right = next.left + std::max(0, pos->cx);
        next.bottom = next.top + std::max(0, pos->cy);
    }
    const bool moved = next.left != w->rect.left || next.top != w->rect.top;
    const bool sized = next.right - next.left != w->rect.right - w->rect.left ||
                       next.bottom - next.top != w->rect.bottom - w->rect.top;
    const RECT oldScreen = WindowRectOnScreen(w);
    const RECT newScreen = Offset(next, oldScreen.left - w->rect.left, oldScreen.top - w->rect.top);
    std::unique_ptr<Exposure> exposure;
    if (before || after) exposure = std::make_unique<Exposure>(Bound(oldScreen, newScreen));
    w->rect = next;
    if (!(pos->flags & SWP_NOZORDER)) {
        LinkAt(w, pos->hwndInsertAfter);
        if (!w->parent) RaiseOwnedAbove(w);
    }
    if (pos->flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
    if (pos->flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;
    if (after && (!before || moved || sized || (pos->flags & SWP_FRAMECHANGED)) &&
        !(pos->flags & SWP_NOREDRAW))
        InvalidateSubtree(w);
    if (exposure) exposure->Finish(&out.desktop);
    out.hidden = before && !after;
    out.activate =
        !w->parent && after && !(pos->flags & SWP_NOACTIVATE) && !(w->exStyle & WS_EX_NOACTIVATE);
    if (!moved) pos->flags |= SWP_NOMOVE;
    if (!sized) pos->flags |= SWP_NOSIZE;
    return out;
}

// Focus and capture inside a window that disappears go; an active window
// that disappears hands activation on.
void AfterHide(HWND hwnd) {
    bool focusInside = false, captureInside = false, wasActive = false;
    {
        Lock lock = TakeLock();
        Window* w = FindLocal(hwnd);
        if (!w) return;
        Window* f = Find(S().focus);
        Window* c = Find(S().capture);
        focusInside = f && (f == w || IsDescendant(w, f));
        captureInside = c && (c == w || IsDescendant(w, c));
        wasActive = S().active == hwnd;
    }
    if (captureInside) ReleaseCapture();
    if (wasActive)
        ActivateAnotherThan(hwnd);
    else if (focusInside)
        SetFocus(nullptr);
}

RECT ParentClientBox(const Window* w) {
    if (const Window* p = Parent(w)) {
        const RECT c = ClientRectInWindow(p);
        return {0, 0, c.right - c.left, c.bottom - c.top};
    }
    return {0, 0, S().screen.cx, S().screen.cy};
}

}  // namespace
}  // namespace quorvel::win::detail

using namespace quorvel::win::detail;

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    if (!IsWindow(hwnd)) return FALSE;
    WINDOWPOS pos{hwnd, insertAfter, x, y, cx, cy, flags};
    if (!(flags & SWP_NOSENDCHANGING))
        SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    Outcome out;
    {
        Lock lock = TakeLock();
        out = Apply(&pos);
    }
    if (!out.valid) return FALSE;
    PaintDesktop(out.desktop);
    SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    if (out.hidden) AfterHide(hwnd);
    if (out.activate) SetActiveWindow(hwnd);
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) {
    BOOL result = FALSE;
    if (ForwardToRemote(hwnd, 3, 0, &result)) return result;
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

namespace {

BOOL Maximise(HWND hwnd, bool wasVisible, bool child) {
    RECT box;
    {
        Lock lock = TakeLock();
        Window* w = FindLocal(hwnd);
        if (!w) return FALSE;
        if (!w->maximized) w->restoreRect = w->rect;
        w->maximized = true;
        w->style |= WS_MAXIMIZE;
        box = ParentClientBox(w);
    }
    if (!wasVisible) SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
    const UINT z = child ? SWP_NOZORDER | SWP_NOACTIVATE : 0;
    SetWindowPos(hwnd, HWND_TOP, box.left, box.top, box.right, box.bottom,
                 SWP_SHOWWINDOW | SWP_FRAMECHANGED | z);
    return wasVisible;
}

BOOL Restore(HWND hwnd, bool wasVisible, UINT flags) {
    RECT r{};
    bool wasMax;
    {
        Lock lock = TakeLock();
        Window* w = FindLocal(hwnd);
        if (!w) return FALSE;
        wasMax = w->maximized;
        r = w->restoreRect;
        w->maximized = false;
        w->style &= ~WS_MAXIMIZE;
    }
    if (!wasVisible) SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
    if (!wasMax) flags |= SWP_NOMOVE | SWP_NOSIZE;
    SetWindowPos(hwnd, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_SHOWWINDOW | flags);
    return wasVisible;
}

}  // namespace

BOOL ShowWindow(HWND hwnd, int command) {
    BOOL remote = FALSE;
    if (ForwardToRemote(hwnd, 1, command, &remote)) return remote;
    bool wasVisible, child;
    {
        Lock lock = TakeLock();
        Window* w = FindLocal(hwnd);
        if (!w) return FALSE;
        wasVisible = (w->style & WS_VISIBLE) != 0;
        child = w->parent != nullptr;
    }
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE;
    const UINT quiet = keep | SWP_NOZORDER | SWP_NOACTIVATE;
    const UINT activate = child ? quiet : keep;
    switch (command) {
        case SW_HIDE:
        case SW_MINIMIZE:
            if (!wasVisible) return FALSE;
            SendMessage(hwnd, WM_SHOWWINDOW, FALSE, 0);
            SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | quiet);
            return TRUE;
        case SW_SHOWMAXIMIZED:
        case SW_MAXIMIZE:
            return Maximise(hwnd, wasVisible, child);
        case SW_SHOWNORMAL:
        case SW_RESTORE:
        case SW_SHOWDEFAULT:
            return Restore(hwnd, wasVisible, child ? SWP_NOZORDER | SWP_NOACTIVATE : 0);
        case SW_SHOWNOACTIVATE:
            return Restore(hwnd, wasVisible, SWP_NOZORDER | SWP_NOACTIVATE);
        default: {  // SW_SHOW, SW_SHOWNA, SW_SHOWMINIMIZED, SW_SHOWMINNOACTIVE
            const bool noActivate = command != SW_SHOW;
            if (!wasVisible) SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
            SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0,
                         SWP_SHOWWINDOW | (noActivate ? quiet : activate));
            return wasVisible;
        }
    }
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
    if (!rect) return FALSE;
    Lock lock = TakeLock();
    if (hwnd == S().desktop) {
        *rect = {0, 0, S().screen.cx, S().screen.cy};
        return TRUE;
    }
    Window* w = Find(hwnd);
    if (!w) return FALSE;
    *rect = WindowRectOnScreen(w);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
    if (!rect) return FALSE;
    Lock lock = TakeLock();
    if (hwnd == S().desktop) {
        *rect = {0, 0, S().screen.cx, S().screen.cy};
        return TRUE;
    }
    Window* w = Find(hwnd);
    if (!w) return FALSE;
    const RECT c = ClientRectInWindow(w);
    *rect = {0, 0, c.right - c.left, c.bottom - c.top};
    return TRUE;
}

namespace {

bool ClientOrigin(HWND hwnd, POINT* origin) {
    if (!hwnd || hwnd == S().desktop) {
        *origin = {0, 0};
        return true;
    }
    Window* w = Find(hwnd);
    if (!w) return false;
    *origin = ClientOriginOnScreen(w);
    return true;
}

}  // namespace

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    Lock lock = TakeLock();
    POINT a, b;
    if (!ClientOrigin(from, &a) || !ClientOrigin(to, &b)) return 0;
    const LONG dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
    if (!IsWindow(hwnd)) return FALSE;
    MapWindowPoints(hwnd, nullptr, point, 1);
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
    if (!IsWindow(hwnd)) return FALSE;
    MapWindowPoints(nullptr, hwnd, point, 1);
    return TRUE;
}

BOOL IsWindowVisible(HWND hwnd) {
    Lock lock = TakeLock();
    if (hwnd == S().desktop) return TRUE;
    Window* w = Find(hwnd);
    return w && IsVisibleChain(w);
}

BOOL IsIconic(HWND) {
    return FALSE;
}

BOOL IsZoomed(HWND hwnd) {
    Lock lock = TakeLock();
    Window* w = Find(hwnd);
    return w && w->maximized;
}

bool quorvel::win::WindowScreenRect(HWND hwnd, RECT* window) {
    return GetWindowRect(hwnd, window) != FALSE;
}

bool quorvel::win::ClientScreenRect(HWND hwnd, RECT* client) {
    Lock lock = TakeLock();
    Window* w = Find(hwnd);
    if (!w || !client) return false;
    *client = ClientRectOnScreen(w);
    return true;
}
