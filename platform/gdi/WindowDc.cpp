// Device contexts on the screen: the whole screen, a window's client area
// or whole rectangle, and the paint context of WM_PAINT; and the default
// painting that the window manager leaves to the drawing library.
#include <mutex>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Image.h"
#include "platform/win/WinInternal.h"

namespace quorvel::gdi {
namespace {

std::shared_ptr<DeviceContext> ScreenDc() {
    return NewDc(DeviceContext::Kind::Screen);
}

std::shared_ptr<DeviceContext> WindowDc(HWND hwnd, bool clientOnly) {
    RECT area{};
    const bool ok =
        clientOnly ? win::ClientScreenRect(hwnd, &area) : win::WindowScreenRect(hwnd, &area);
    if (!ok) return nullptr;
    auto dc = NewDc(DeviceContext::Kind::Window);
    dc->hwnd = hwnd;
    dc->origin = POINT{area.left, area.top};
    dc->systemClip = win::VisibleRects(hwnd, clientOnly);
    return dc;
}

}  // namespace

void NoteScreenDrawn() {
    win::NoteScreenChanged();
}

void Install() {
    static std::once_flag once;
    std::call_once(once, [] { InstallPaintHooks(); });
}

Image CaptureWindow(HWND hwnd) {
    Image screen = CaptureScreen();
    RECT r{0, 0, 0, 0};
    if (!win::WindowScreenRect(hwnd, &r)) return Image{};
    r = Intersect(r, RECT{0, 0, screen.width, screen.height});
    Image image;
    image.width = r.right - r.left;
    image.height = r.bottom - r.top;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) image.pixels.push_back(screen.At(x, y));
    }
    return image;
}

bool SaveWindowPng(HWND hwnd, const std::string& path) {
    return SavePng(CaptureWindow(hwnd), path);
}

}  // namespace quorvel::gdi

using namespace quorvel::gdi;

HDC GetDC(HWND hwnd) {
    Install();
    auto dc = hwnd ? WindowDc(hwnd, true) : ScreenDc();
    return dc ? static_cast<HDC>(dc->handle) : nullptr;
}

HDC GetWindowDC(HWND hwnd) {
    Install();
    auto dc = hwnd ? WindowDc(hwnd, false) : ScreenDc();
    return dc ? static_cast<HDC>(dc->handle) : nullptr;
}

int ReleaseDC(HWND, HDC hdc) {
    auto dc = LookupDc(hdc);
    if (!dc || dc->kind == DeviceContext::Kind::Memory) return 0;
    ReleaseDcObject(*dc);
    return 1;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
    Install();
    RECT bounds{};
    bool erase = false;
    if (!ps || !quorvel::win::TakeUpdateRegion(hwnd, &bounds, &erase)) return nullptr;
    auto dc = WindowDc(hwnd, true);
    if (!dc) return nullptr;
    const RECT update{bounds.left + dc->origin.x, bounds.top + dc->origin.y,
                      bounds.right + dc->origin.x, bounds.bottom + dc->origin.y};
    dc->systemClip = ClipRects(dc->systemClip, update);
    dc->ClipChanged();
    *ps = PAINTSTRUCT{};
    ps->hdc = static_cast<HDC>(dc->handle);
    ps->rcPaint = bounds;
    // fErase tells the window that its background is still to be erased.
    ps->fErase = erase && !SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps->hdc), 0);
    return ps->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    if (!ps) return FALSE;
    ReleaseDC(hwnd, ps->hdc);
    return TRUE;
}
