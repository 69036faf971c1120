// Device contexts on the screen: the whole screen, and windows.
#include "platform/gdi/DeviceContext.h"

namespace quorvel::gdi {

void NoteScreenDrawn() {}

}  // namespace quorvel::gdi

using namespace quorvel::gdi;

HDC GetDC(HWND hwnd) {
    if (hwnd) return nullptr;
    return static_cast<HDC>(NewDc(DeviceContext::Kind::Screen)->handle);
}

HDC GetWindowDC(HWND hwnd) {
    return GetDC(hwnd);
}

int ReleaseDC(HWND, HDC hdc) {
    auto dc = LookupDc(hdc);
    if (!dc || dc->kind == DeviceContext::Kind::Memory) return 0;
    ReleaseDcObject(*dc);
    return 1;
}
