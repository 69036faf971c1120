// The caption's adornments in the handheld's look: an "OK" box for
// WS_EX_CAPTIONOKBTN and a close box for WS_SYSMENU, at the right end of the
// caption bar. A tap on one reaches the dialog as a client tap above its
// client area (the hit test claims the box), and the release over the same
// box presses it: OK sends IDOK, close sends WM_CLOSE.
#include "platform/controls/Controls.h"
#include "platform/dialogs/DialogInternal.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/WinInternal.h"

namespace quorvel::dialogs::detail {
namespace {

constexpr int kBoxHeight = win::kCaptionHeight - 4;
constexpr int kCloseWidth = 18;
constexpr int kOkWidth = 24;

// The boxes in window coordinates; empty rectangles for absent ones.
struct Boxes {
    RECT ok{};
    RECT close{};
};

Boxes BoxesOf(HWND dialog) {
    Boxes b;
    const LONG style = GetWindowLong(dialog, GWL_STYLE);
    if ((style & WS_CAPTION) != WS_CAPTION) return b;
    RECT window{};
    GetWindowRect(dialog, &window);
    int right = window.right - window.left - win::kBorderWidth - 2;
    const int top = win::kBorderWidth + 2;
    if (style & WS_SYSMENU) {
        b.close = RECT{right - kCloseWidth, top, right, top + kBoxHeight};
        right -= kCloseWidth + 2;
    }
    if (static_cast<DWORD>(GetWindowLong(dialog, GWL_EXSTYLE)) & WS_EX_CAPTIONOKBTN)
        b.ok = RECT{right - kOkWidth, top, right, top + kBoxHeight};
    return b;
}

void DrawBox(HDC hdc, RECT box, bool pressed) {
    if (IsRectEmpty(&box)) return;
    FillRect(hdc, &box, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(hdc, &box, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}

void DrawClose(HDC hdc, const RECT& box, bool pressed) {
    DrawBox(hdc, box, pressed);
    HPEN pen = CreatePen(PS_SOLID, 2, GetSysColor(COLOR_BTNTEXT));
    HGDIOBJ old = SelectObject(hdc, pen);
    const int d = pressed ? 1 : 0;
    const int cx = (box.left + box.right) / 2 + d, cy = (box.top + box.bottom) / 2 + d;
    MoveToEx(hdc, cx - 4, cy - 4, nullptr);
    LineTo(hdc, cx + 4, cy + 4);
    MoveToEx(hdc, cx + 3, cy - 4, nullptr);
    LineTo(hdc, cx - 5, cy + 4);
    SelectObject(hdc, old);
    DeleteObject(pen);
}

void DrawOk(HDC hdc, RECT box, bool pressed) {
    DrawBox(hdc, box, pressed);
    if (pressed) OffsetRect(&box, 1, 1);
    HGDIOBJ old = SelectObject(hdc, GetStockObject(SYSTEM_FONT));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
    DrawText(hdc, L"OK", 2, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(hdc, old);
}

// Which box a point (client coordinates of the dialog) is on: 1 OK, 2 close.
int BoxAt(HWND dialog, POINT client) {
    POINT p = client;
    ClientToScreen(dialog, &p);
    RECT window{};
    GetWindowRect(dialog, &window);
    p.x -= window.left;
    p.y -= window.top;
    const Boxes b = BoxesOf(dialog);
    if (PtInRect(&b.ok, p)) return 1;
    if (PtInRect(&b.close, p)) return 2;
    return 0;
}

thread_local int t_pressed = 0;
thread_local HWND t_pressedIn = nullptr;

}  // namespace

void PaintCaptionAdornments(HWND dialog) {
    const Boxes b = BoxesOf(dialog);
    if (IsRectEmpty(&b.ok) && IsRectEmpty(&b.close)) return;
    HDC hdc = GetWindowDC(dialog);
    const bool mine = t_pressedIn == dialog;
    DrawOk(hdc, b.ok, mine && t_pressed == 1);
    DrawClose(hdc, b.close, mine && t_pressed == 2);
    ReleaseDC(dialog, hdc);
}

// Hit test: the boxes count as client area so that taps on them arrive.
bool AdornmentHit(HWND dialog, LPARAM screenPoint) {
    POINT p{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    ScreenToClient(dialog, &p);
    return p.y < 0 && BoxAt(dialog, p) != 0;
}

bool AdornmentTap(HWND dialog, UINT msg, LPARAM lParam) {
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (msg == WM_LBUTTONDOWN) {
        if (p.y >= 0 || !BoxAt(dialog, p)) return false;
        t_pressed = BoxAt(dialog, p);
        t_pressedIn = dialog;
        SetCapture(dialog);
        PaintCaptionAdornments(dialog);
        return true;
    }
    if (msg != WM_LBUTTONUP || t_pressedIn != dialog) return false;
    const int box = t_pressed;
    t_pressed = 0;
    t_pressedIn = nullptr;
    ReleaseCapture();
    PaintCaptionAdornments(dialog);
    if (box == 1 && BoxAt(dialog, p) == 1)
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    if (box == 2 && BoxAt(dialog, p) == 2) SendMessage(dialog, WM_CLOSE, 0, 0);
    return true;
}

}  // namespace quorvel::dialogs::detail
