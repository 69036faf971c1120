// The four message-box icons, 32 x 32, drawn with plain shapes so they look
// the same whatever font is installed: information (a blue disc with "i"),
// question (a blue disc with "?"), exclamation (a yellow triangle with "!")
// and stop (a red disc with a white cross).
#include "platform/base/MessageBox.h"
#include "platform/dialogs/MessageBoxParts.h"
#include "platform/gdi/GdiApi.h"

namespace quorvel::dialogs::detail {
namespace {

void Disc(HDC hdc, int x, int y, COLORREF fill) {
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ oldBrush = SelectObject(hdc, brush);
    HGDIOBJ oldPen = SelectObject(hdc, pen);
    Ellipse(hdc, x + 1, y + 1, x + 31, y + 31);
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void Block(HDC hdc, int left, int top, int right, int bottom, COLORREF color) {
    const RECT r{left, top, right, bottom};
    gdi::FillSolidRect(hdc, r, color);
}

void Information(HDC hdc, int x, int y) {
    Disc(hdc, x, y, RGB(0, 0, 255));
    const COLORREF white = RGB(255, 255, 255);
    Block(hdc, x + 14, y + 7, x + 18, y + 11, white);
    Block(hdc, x + 12, y + 13, x + 18, y + 15, white);
    Block(hdc, x + 14, y + 15, x + 18, y + 24, white);
    Block(hdc, x + 12, y + 23, x + 20, y + 25, white);
}

void Question(HDC hdc, int x, int y) {
    Disc(hdc, x, y, RGB(0, 0, 255));
    const COLORREF white = RGB(255, 255, 255);
    Block(hdc, x + 11, y + 7, x + 21, y + 9, white);   // top of the hook
    Block(hdc, x + 9, y + 9, x + 12, y + 12, white);   // its left end
    Block(hdc, x + 20, y + 9, x + 23, y + 15, white);  // its right side
    Block(hdc, x + 16, y + 15, x + 21, y + 17, white);
    Block(hdc, x + 14, y + 17, x + 18, y + 21, white);  // the stem
    Block(hdc, x + 14, y + 23, x + 18, y + 26, white);  // the dot
}

void Exclamation(HDC hdc, int x, int y) {
    const POINT triangle[] = {{x + 16, y + 1}, {x + 31, y + 30}, {x + 1, y + 30}};
    HBRUSH brush = CreateSolidBrush(RGB(255, 255, 0));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ oldBrush = SelectObject(hdc, brush);
    HGDIOBJ oldPen = SelectObject(hdc, pen);
    Polygon(hdc, triangle, 3);
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
    Block(hdc, x + 14, y + 10, x + 18, y + 22, RGB(0, 0, 0));
    Block(hdc, x + 14, y + 24, x + 18, y + 27, RGB(0, 0, 0));
}

void Stop(HDC hdc, int x, int y) {
    Disc(hdc, x, y, RGB(255, 0, 0));
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(hdc, pen);
    MoveToEx(hdc, x + 10, y + 10, nullptr);
    LineTo(hdc, x + 22, y + 22);
    MoveToEx(hdc, x + 22, y + 10, nullptr);
    LineTo(hdc, x + 10, y + 22);
    SelectObject(hdc, old);
    DeleteObject(pen);
}

}  // namespace

bool HasIcon(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONINFORMATION:
        case MB_ICONQUESTION:
        case MB_ICONEXCLAMATION:
        case MB_ICONSTOP:
            return true;
        default:
            return false;
    }
}

void DrawMessageBoxIcon(HDC hdc, int x, int y, UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONINFORMATION:
            Information(hdc, x, y);
            break;
        case MB_ICONQUESTION:
            Question(hdc, x, y);
            break;
        case MB_ICONEXCLAMATION:
            Exclamation(hdc, x, y);
            break;
        case MB_ICONSTOP:
            Stop(hdc, x, y);
            break;
        default:
            break;
    }
}

}  // namespace quorvel::dialogs::detail
