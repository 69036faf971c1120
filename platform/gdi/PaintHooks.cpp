// The default painting of windows, installed into the window manager.
#include "platform/gdi/DeviceContext.h"

#include "platform/win/WinInternal.h"

namespace quorvel::gdi {

namespace {

// WM_ERASEBKGND: the class brush over what the context may draw on (the
// update area of a paint context).
BOOL EraseWithClassBrush(HWND hwnd, HDC hdc) {
    auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtr(hwnd, GCL_HBRBACKGROUND));
    if (!brush) return FALSE;
    RECT box{};
    GetClipBox(hdc, &box);
    FillRect(hdc, &box, brush);
    return TRUE;
}

void PaintNothing(HWND hwnd) {
    PAINTSTRUCT ps;
    if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
}

void PaintDesktop(const RECT& piece) {
    const Surface& screen = Screen();
    const std::vector<RECT> clip{RECT{0, 0, screen.width, screen.height}};
    Canvas canvas(screen, clip, R2_COPYPEN);
    canvas.Fill(piece, PixelFromColor(GetSysColor(COLOR_BACKGROUND)));
    win::NoteScreenChanged();
}

// A one-pixel frame, and below its top edge the caption bar with the
// window's title in the bold system font.
void PaintFrame(HWND hwnd) {
    const LONG style = GetWindowLong(hwnd, GWL_STYLE);
    if (!(style & (WS_BORDER | WS_DLGFRAME))) return;
    RECT window{};
    if (!win::WindowScreenRect(hwnd, &window)) return;
    HDC hdc = GetWindowDC(hwnd);
    const int w = window.right - window.left, h = window.bottom - window.top;
    const RECT outline{0, 0, w, h};
    FrameRect(hdc, &outline, GetSysColorBrush(COLOR_WINDOWFRAME));
    if ((style & WS_CAPTION) == WS_CAPTION) {
        RECT bar{1, 1, w - 1, 1 + win::kCaptionHeight};
        FillRect(hdc, &bar, GetSysColorBrush(COLOR_ACTIVECAPTION));
        wchar_t title[256] = {};
        GetWindowText(hwnd, title, 256);
        HFONT font =
            CreateFont(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"System");
        HGDIOBJ old = SelectObject(hdc, font);
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, GetSysColor(COLOR_CAPTIONTEXT));
        bar.left += 3;
        DrawText(hdc, title, -1, &bar, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
        SelectObject(hdc, old);
        DeleteObject(font);
    }
    ReleaseDC(hwnd, hdc);
}

}  // namespace

void InstallPaintHooks() {
    win::SetDefaultEraseHook(&EraseWithClassBrush);
    win::SetDefaultPaintHook(&PaintNothing);
    win::SetNonClientPaintHook(&PaintFrame);
    win::SetDesktopPaintHook(&PaintDesktop);
}

}  // namespace quorvel::gdi
