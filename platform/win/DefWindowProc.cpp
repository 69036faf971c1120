// Default message handling, and the hooks through which the drawing library
// supplies the defaults that draw (win itself never draws).
#include <atomic>
#include <cstring>

#include "platform/win/Exposure.h"
#include "platform/win/RectMath.h"
#include "platform/win/WinInternal.h"

namespace quorvel::win {
namespace {

std::atomic<BOOL (*)(HWND, HDC)> g_eraseHook{nullptr};
std::atomic<void (*)(HWND)> g_paintHook{nullptr};
std::atomic<void (*)(HWND)> g_nonClientHook{nullptr};
std::atomic<void (*)(const RECT&)> g_desktopHook{nullptr};
std::atomic<bool (*)(HWND, UINT, WPARAM, LPARAM, LRESULT*)> g_defHook{nullptr};

using namespace detail;

LRESULT SetText(HWND hwnd, LPCTSTR text) {
    Lock lock = TakeLock();
    Window* w = FindLocal(hwnd);
    if (!w) return FALSE;
    w->text = text ? text : L"";
    if ((w->style & WS_CAPTION) == WS_CAPTION && IsVisibleChain(w)) w->frameDirty = true;
    return TRUE;
}

LRESULT GetText(HWND hwnd, WPARAM size, LPTSTR buffer) {
    Lock lock = TakeLock();
    Window* w = FindLocal(hwnd);
    if (!w || !buffer || size == 0) return 0;
    const size_t n = std::min<size_t>(w->text.size(), size - 1);
    std::wmemcpy(buffer, w->text.data(), n);
    buffer[n] = L'\0';
    return static_cast<LRESULT>(n);
}

LRESULT TextLength(HWND hwnd) {
    Lock lock = TakeLock();
    Window* w = FindLocal(hwnd);
    return w ? static_cast<LRESULT>(w->text.size()) : 0;
}

// The window only remembers its icons: the device's captions show none, and
// the caller keeps ownership of the handles.
LRESULT Icon(HWND hwnd, WPARAM which, HICON replacement, bool set) {
    Lock lock = TakeLock();
    Window* w = FindLocal(hwnd);
    if (!w || which > ICON_BIG) return 0;
    HICON old = w->icons[which];
    if (set) w->icons[which] = replacement;
    return reinterpret_cast<LRESULT>(old);
}

LRESULT HitTest(HWND hwnd, LPARAM lParam) {
    Lock lock = TakeLock();
    Window* w = FindLocal(hwnd);
    if (!w) return HTNOWHERE;
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const RECT wr = WindowRectOnScreen(w);
    if (!Contains(wr, p)) return HTNOWHERE;
    if (Contains(ClientRectOnScreen(w), p)) return HTCLIENT;
    const RECT in = FrameInsets(w->style, w->exStyle);
    if ((w->style & WS_CAPTION) == WS_CAPTION && p.y >= wr.top + in.left && p.y < wr.top + in.top)
        return HTCAPTION;
    return HTBORDER;
}

// The moves and size changes a WM_WINDOWPOSCHANGED reports, as WM_MOVE and
// WM_SIZE.
void ReportPosition(HWND hwnd, const WINDOWPOS* pos) {
    LPARAM origin = 0, size = 0;
    WPARAM kind = SIZE_RESTORED;
    {
        Lock lock = TakeLock();
        Window* w = FindLocal(hwnd);
        if (!w) return;
        const RECT c = ClientRectInWindow(w);
        origin = MAKELPARAM(w->rect.left + c.left, w->rect.top + c.top);
        size = MAKELPARAM(c.right - c.left, c.bottom - c.top);
        if (w->maximized) kind = SIZE_MAXIMIZED;
    }
    if (!(pos->flags & SWP_NOMOVE)) SendMessage(hwnd, WM_MOVE, 0, origin);
    if (!(pos->flags & SWP_NOSIZE)) SendMessage(hwnd, WM_SIZE, kind, size);
}

LRESULT Paint(HWND hwnd) {
    if (auto hook = g_paintHook.load()) {
        hook(hwnd);
        return 0;
    }
    RECT r;
    bool erase;
    TakeUpdateRegion(hwnd, &r, &erase);
    return 0;
}

LRESULT EraseBackground(HWND hwnd, HDC hdc) {
    if (auto hook = g_eraseHook.load()) return hook(hwnd, hdc);
    Lock lock = TakeLock();
    Window* w = FindLocal(hwnd);
    return w && w->cls && w->cls->wc.hbrBackground ? TRUE : FALSE;
}

LRESULT SetRedraw(HWND hwnd, bool on) {
    Lock lock = TakeLock();
    if (Window* w = FindLocal(hwnd)) w->noRedraw = !on;
    return 0;
}

LRESULT Other(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (auto hook = g_defHook.load(); hook && hook(hwnd, msg, wParam, lParam, &result))
        return result;
    return 0;
}

}  // namespace

void SetDefaultEraseHook(BOOL (*hook)(HWND, HDC)) {
    g_eraseHook.store(hook);
}
void SetDefaultPaintHook(void (*hook)(HWND)) {
    g_paintHook.store(hook);
}
void SetNonClientPaintHook(void (*hook)(HWND)) {
    g_nonClientHook.store(hook);
}
void SetDesktopPaintHook(void (*hook)(const RECT&)) {
    g_desktopHook.store(hook);
}
void SetDefWindowProcHook(bool (*hook)(HWND, UINT, WPARAM, LPARAM, LRESULT*)) {
    g_defHook.store(hook);
}

void detail::PaintDesktop(const std::vector<RECT>& pieces) {
    auto hook = g_desktopHook.load();
    if (!hook) return;
    for (const RECT& r : pieces) hook(r);
}

}  // namespace quorvel::win

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    using namespace quorvel::win;
    switch (msg) {
        case WM_NCCREATE: {
            auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
            if (cs && cs->lpszName) SetText(hwnd, cs->lpszName);
            return TRUE;
        }
        case WM_SETTEXT:
            return SetText(hwnd, reinterpret_cast<LPCTSTR>(lParam));
        case WM_GETTEXT:
            return GetText(hwnd, wParam, reinterpret_cast<LPTSTR>(lParam));
        case WM_GETTEXTLENGTH:
            return TextLength(hwnd);
        case WM_SETICON:
            return Icon(hwnd, wParam, reinterpret_cast<HICON>(lParam), true);
        case WM_GETICON:
            return Icon(hwnd, wParam, nullptr, false);
        case WM_CANCELMODE:
            if (GetCapture() == hwnd) ReleaseCapture();
            return 0;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) SendMessage(hwnd, WM_CLOSE, 0, 0);
            return 0;
        case WM_PAINT:
            return Paint(hwnd);
        case WM_ERASEBKGND:
            return EraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
        case WM_NCPAINT:
            if (auto hook = g_nonClientHook.load()) hook(hwnd);
            return 0;
        case WM_SETREDRAW:
            return SetRedraw(hwnd, wParam != 0);
        case WM_WINDOWPOSCHANGED:
            ReportPosition(hwnd, reinterpret_cast<const WINDOWPOS*>(lParam));
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) SetFocus(hwnd);
            return 0;
        case WM_NCHITTEST:
            return HitTest(hwnd, lParam);
        case WM_NCACTIVATE:
        case WM_QUERYENDSESSION:
            return TRUE;
        default:
            return Other(hwnd, msg, wParam, lParam);
    }
}
