// Window creation: the handle and its place in the tree first, then the
// creation hook, WM_NCCREATE, WM_CREATE (-1 refuses creation), WM_SIZE and
// WM_MOVE, and finally showing the window when WS_VISIBLE was asked for.
#include "platform/base/Thread.h"
#include "platform/win/WinInternal.h"
#include "platform/win/WindowState.h"

namespace quorvel::win {
namespace {

thread_local CreateHook t_createHook = nullptr;

}  // namespace

CreateHook SetWindowCreateHook(CreateHook hook) {
    CreateHook old = t_createHook;
    t_createHook = hook;
    return old;
}

}  // namespace quorvel::win

using namespace quorvel::win::detail;

namespace {

RECT InitialRect(bool child, int x, int y, int width, int height) {
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) {
        width = child ? 0 : S().screen.cx;
        height = child ? 0 : S().screen.cy;
    }
    return {x, y, x + width, y + height};
}

// Checks the parent argument (lock held): a child needs a live parent, a
// top-level window's "parent" is its owner, and a child of the desktop is a
// top-level window. False with the last error set.
bool ResolveParent(DWORD style, HWND* parent, Window** p) {
    const bool ofDesktop = *parent == S().desktop;
    if (ofDesktop) *parent = nullptr;
    *p = *parent ? FindLocal(*parent) : nullptr;
    if (((style & WS_CHILD) && !*parent && !ofDesktop) || (*parent && !*p)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    return true;
}

// Builds the window and links it into the tree (lock held); null with the
// last error set when the class or parent is not there.
Window* Build(DWORD exStyle, LPCTSTR className, DWORD style, RECT rect, HWND parent, HMENU menu,
              HINSTANCE instance) {
    auto cls = LookupClass(className);
    if (!cls) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    Window* p = nullptr;
    if (!ResolveParent(style, &parent, &p)) return nullptr;
    const bool child = (style & WS_CHILD) != 0 && parent;
    auto w = std::make_unique<Window>();
    w->hwnd = NewHandle();
    w->cls = cls;
    w->proc = cls->wc.lpfnWndProc;
    w->style = style & ~WS_VISIBLE;
    w->exStyle = exStyle;
    w->rect = rect;
    w->restoreRect = rect;
    w->instance = instance;
    w->extra.assign(static_cast<size_t>(std::max(0, cls->wc.cbWndExtra)), 0);
    w->threadId = GetCurrentThreadId();
    if (child) {
        w->parent = parent;
        w->id = reinterpret_cast<LONG_PTR>(menu);
    } else if (p) {
        w->owner = TopLevelOf(p)->hwnd;
    }
    Window* raw = w.get();
    S().windows.emplace(reinterpret_cast<uintptr_t>(raw->hwnd), std::move(w));
    LinkAt(raw, child ? HWND_BOTTOM : HWND_TOP);
    CurrentQueue();
    return raw;
}

void SendInitialGeometry(HWND hwnd) {
    LPARAM size = 0, origin = 0;
    {
        Lock lock = TakeLock();
        Window* w = FindLocal(hwnd);
        if (!w) return;
        const RECT c = ClientRectInWindow(w);
        size = MAKELPARAM(c.right - c.left, c.bottom - c.top);
        origin = MAKELPARAM(w->rect.left + c.left, w->rect.top + c.top);
    }
    SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, size);
    SendMessage(hwnd, WM_MOVE, 0, origin);
}

// Creation failed after the handle existed: the window goes as any
// destroyed window does.
HWND Fail(HWND hwnd) {
    DestroyWindow(hwnd);
    return nullptr;
}

}  // namespace

HWND CreateWindowEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                    LPVOID param) {
    const bool child = (style & WS_CHILD) != 0;
    HWND hwnd;
    {
        Lock lock = TakeLock();
        const RECT rect = InitialRect(child, x, y, width, height);
        Window* w = Build(exStyle, className, style, rect, parent, menuOrId, instance);
        if (!w) return nullptr;
        hwnd = w->hwnd;
    }
    CREATESTRUCT cs{
        param,      instance,  menuOrId, parent, height, width, y, x, static_cast<LONG>(style),
        windowName, className, exStyle};
    if (auto hook = quorvel::win::SetWindowCreateHook(nullptr)) {
        quorvel::win::SetWindowCreateHook(hook);
        hook(hwnd, &cs);
    }
    if (!SendMessage(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) return Fail(hwnd);
    if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) return Fail(hwnd);
    SendInitialGeometry(hwnd);
    if (style & WS_VISIBLE) {
        const int show = (style & WS_MAXIMIZE) ? SW_MAXIMIZE : child ? SW_SHOWNA : SW_SHOW;
        ShowWindow(hwnd, show);
    }
    return IsWindow(hwnd) ? hwnd : nullptr;
}

HWND CreateWindow(LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param) {
    return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menuOrId,
                          instance, param);
}
