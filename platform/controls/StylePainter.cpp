// The painter's shared pieces, buttons and statics.
#include "platform/controls/StylePainter.h"

#include <algorithm>
#include <string>

#include "platform/base/Geometry.h"

namespace quorvel::controls {
namespace {

constexpr int kMarkSize = 13;   // check box square
constexpr int kRadioSize = 12;  // radio circle
constexpr int kMarkGap = 4;     // between the mark and the text

// The radio button's circle: S shadow, D dark shadow, H highlight, L light,
// W the field colour, '.' left as it is.
constexpr const char* kRadioRing[kRadioSize] = {
    "....SSSS....", "..SSDDDDSS..", ".SDDWWWWDDH.", ".SDWWWWWWLH.", "SDWWWWWWWWLH", "SDWWWWWWWWLH",
    "SDWWWWWWWWLH", "SDWWWWWWWWLH", ".SDWWWWWWLH.", ".SLLWWWWLLH.", "..HHLLLLHH..", "....HHHH....",
};
constexpr const char* kRadioDot[4] = {".XX.", "XXXX", "XXXX", ".XX."};
// Column by column, the first of the three rows the check mark covers.
constexpr int kCheckRows[7] = {2, 3, 4, 3, 2, 1, 0};

}  // namespace

COLORREF SysColor(int index) {
    return GetSysColor(index);
}

StylePainter::StylePainter(HDC hdc, HFONT font) : m_dc(hdc) {
    m_saved = SaveDC(hdc);
    SelectObject(hdc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    SetBkMode(hdc, TRANSPARENT);
    TEXTMETRIC tm{};
    if (GetTextMetrics(hdc, &tm)) m_textHeight = tm.tmHeight;
}

StylePainter::~StylePainter() {
    RestoreDC(m_dc, m_saved);
}

int StylePainter::TextWidth(std::wstring_view text) const {
    SIZE size{};
    GetTextExtentPoint32(m_dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void StylePainter::Offsets(std::wstring_view text, std::vector<int>& offsets) const {
    offsets.assign(text.size() + 1, 0);
    if (text.empty()) return;
    std::vector<int> dx(text.size());
    int fit = 0;
    SIZE size{};
    GetTextExtentExPoint(m_dc, text.data(), static_cast<int>(text.size()), 1 << 30, &fit, dx.data(),
                         &size);
    for (size_t i = 0; i < text.size(); ++i) offsets[i + 1] = dx[i];
}

void StylePainter::Fill(const RECT& r, COLORREF color) {
    gdi::FillSolidRect(m_dc, r, color);
}

void StylePainter::Fill(const RECT& r, HBRUSH brush) {
    FillRect(m_dc, &r, brush);
}

void StylePainter::HLine(int x0, int x1, int y, COLORREF color) {
    if (x1 > x0) gdi::FillSolidRect(m_dc, x0, y, x1 - x0, 1, color);
}

void StylePainter::VLine(int x, int y0, int y1, COLORREF color) {
    if (y1 > y0) gdi::FillSolidRect(m_dc, x, y0, 1, y1 - y0, color);
}

void StylePainter::Label(RECT r, std::wstring_view text, UINT format, COLORREF color) {
    if (text.empty()) return;
    SetBkMode(m_dc, TRANSPARENT);
    SetTextColor(m_dc, color);
    if (!(format & DT_SINGLELINE) && (format & DT_VCENTER)) {
        const int h = MeasureLabel(text, r.right - r.left, format);
        r.top += std::max(0, (static_cast<int>(r.bottom - r.top) - h) / 2);
        format &= ~static_cast<UINT>(DT_VCENTER);
    }
    DrawText(m_dc, text.data(), static_cast<int>(text.size()), &r, format | DT_NOPREFIX);
}

void StylePainter::DisabledLabel(RECT r, std::wstring_view text, UINT format) {
    RECT shifted{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
    Label(shifted, text, format, SysColor(COLOR_BTNHIGHLIGHT));
    Label(r, text, format, SysColor(COLOR_GRAYTEXT));
}

int StylePainter::MeasureLabel(std::wstring_view text, int width, UINT format) const {
    RECT r{0, 0, width, 0};
    const UINT keep = format & (DT_WORDBREAK | DT_SINGLELINE | DT_EXPANDTABS);
    if (text.empty()) return m_textHeight;
    DrawText(m_dc, text.data(), static_cast<int>(text.size()), &r,
             keep | DT_CALCRECT | DT_NOPREFIX);
    return r.bottom - r.top;
}

void StylePainter::FocusFrame(const RECT& r) {
    if (r.right > r.left && r.bottom > r.top) DrawFocusRect(m_dc, &r);
}

void StylePainter::RaisedEdge(const RECT& r) {
    RECT box = r;
    DrawEdge(m_dc, &box, EDGE_RAISED, BF_RECT);
}

void StylePainter::SunkenEdge(const RECT& r) {
    RECT box = r;
    DrawEdge(m_dc, &box, EDGE_SUNKEN, BF_RECT);
}

RECT StylePainter::ClientEdge(const RECT& r) {
    SunkenEdge(r);
    return RECT{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
}

void StylePainter::Arrow(const RECT& box, ArrowDir dir, bool disabled) {
    const bool vertical = dir == ArrowDir::Up || dir == ArrowDir::Down;
    const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    auto draw = [&](int dx, int dy, COLORREF color) {
        for (int i = 0; i < 4; ++i) {
            const int reach = 3 - i;  // half width of this step of the triangle
            const bool back = dir == ArrowDir::Up || dir == ArrowDir::Left;
            const int step = (back ? 3 - i : i) - 2;
            if (vertical)
                HLine(cx - reach + dx, cx + reach + 1 + dx, cy + step + dy, color);
            else
                VLine(cx + step + dx, cy - reach + dy, cy + reach + 1 + dy, color);
        }
    };
    if (disabled) {
        draw(1, 1, SysColor(COLOR_BTNHIGHLIGHT));
        draw(0, 0, SysColor(COLOR_BTNSHADOW));
    } else {
        draw(0, 0, SysColor(COLOR_BTNTEXT));
    }
}

void StylePainter::PushButton(const RECT& r, std::wstring_view text, const ButtonLook& look,
                              UINT format) {
    RECT box = r;
    if (look.isDefault) {
        FrameRect(m_dc, &box, GetSysColorBrush(COLOR_WINDOWFRAME));
        box = {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
    }
    Fill(box, SysColor(COLOR_BTNFACE));
    if (look.pressed)
        FrameRect(m_dc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
    else
        RaisedEdge(box);
    RECT textBox{box.left + 3, box.top + 2, box.right - 3, box.bottom - 2};
    if (look.pressed) OffsetRect(&textBox, 1, 1);
    if (look.disabled)
        DisabledLabel(textBox, text, format);
    else
        Label(textBox, text, format, SysColor(COLOR_BTNTEXT));
    if (look.focused) FocusFrame(RECT{box.left + 3, box.top + 3, box.right - 3, box.bottom - 3});
}

void StylePainter::CheckMark(const RECT& box, bool grey) {
    const COLORREF color = SysColor(grey ? COLOR_BTNSHADOW : COLOR_BTNTEXT);
    for (int c = 0; c < 7; ++c)
        VLine(box.left + 3 + c, box.top + 3 + kCheckRows[c], box.top + 6 + kCheckRows[c], color);
}

void StylePainter::RadioMark(const RECT& box, bool checked, bool disabled) {
    const COLORREF field = SysColor(disabled ? COLOR_BTNFACE : COLOR_WINDOW);
    for (int y = 0; y < kRadioSize; ++y) {
        for (int x = 0; x < kRadioSize; ++x) {
            COLORREF color;
            switch (kRadioRing[y][x]) {
                case 'S':
                    color = SysColor(COLOR_BTNSHADOW);
                    break;
                case 'D':
                    color = SysColor(COLOR_3DDKSHADOW);
                    break;
                case 'H':
                    color = SysColor(COLOR_BTNHIGHLIGHT);
                    break;
                case 'L':
                    color = SysColor(COLOR_3DLIGHT);
                    break;
                case 'W':
                    color = field;
                    break;
                default:
                    continue;
            }
            SetPixel(m_dc, box.left + x, box.top + y, color);
        }
    }
    if (!checked) return;
    const COLORREF dot = SysColor(disabled ? COLOR_BTNSHADOW : COLOR_BTNTEXT);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            if (kRadioDot[y][x] == 'X') SetPixel(m_dc, box.left + 4 + x, box.top + 4 + y, dot);
}

void StylePainter::CheckButton(const RECT& r, std::wstring_view text, UINT check, bool radio,
                               const ButtonLook& look, UINT format, bool leftText,
                               COLORREF textColor) {
    const int size = radio ? kRadioSize : kMarkSize;
    const int top = r.top + (static_cast<int>(r.bottom - r.top) - size) / 2;
    const int left = leftText ? r.right - size : r.left;
    const RECT mark{left, top, left + size, top + size};
    if (radio) {
        RadioMark(mark, check == BST_CHECKED, look.disabled);
    } else {
        SunkenEdge(mark);
        const bool grey = look.disabled || look.pressed || check == BST_INDETERMINATE;
        Fill(RECT{mark.left + 2, mark.top + 2, mark.right - 2, mark.bottom - 2},
             SysColor(grey ? COLOR_BTNFACE : COLOR_WINDOW));
        if (check != BST_UNCHECKED) CheckMark(mark, look.disabled || check == BST_INDETERMINATE);
    }
    RECT textBox = leftText ? RECT{r.left, r.top, mark.left - kMarkGap, r.bottom}
                            : RECT{mark.right + kMarkGap, r.top, r.right, r.bottom};
    if (look.disabled)
        DisabledLabel(textBox, text, format);
    else
        Label(textBox, text, format, textColor);
    if (!look.focused || text.empty()) return;
    const int w = std::min<int>(TextWidth(text), textBox.right - textBox.left);
    const int h = MeasureLabel(text, textBox.right - textBox.left, format);
    const int y = r.top + (static_cast<int>(r.bottom - r.top) - h) / 2;
    int x = textBox.left;
    if (format & DT_CENTER) x += (textBox.right - textBox.left - w) / 2;
    if (format & DT_RIGHT) x = textBox.right - w;
    FocusFrame(RECT{x - 1, y - 1, x + w + 1, y + h + 1});
}

void StylePainter::GroupBox(const RECT& r, std::wstring_view text, bool disabled,
                            COLORREF textColor, HBRUSH background) {
    const int top = r.top + m_textHeight / 2;
    const RECT shadow{r.left, top, r.right - 1, r.bottom - 1};
    const RECT light{r.left + 1, top + 1, r.right, r.bottom};
    FrameRect(m_dc, &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    FrameRect(m_dc, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
    if (text.empty()) return;
    const int w = std::min<int>(TextWidth(text), r.right - r.left - 16);
    const RECT textBox{r.left + 8, r.top, r.left + 8 + w + 4, r.top + m_textHeight};
    Fill(textBox, background);
    const RECT inner{textBox.left + 2, textBox.top, textBox.right - 2, textBox.bottom};
    if (disabled)
        DisabledLabel(inner, text, DT_LEFT | DT_SINGLELINE);
    else
        Label(inner, text, DT_LEFT | DT_SINGLELINE, textColor);
}

void StylePainter::StaticShape(const RECT& r, DWORD type) {
    auto frame = [&](int index) { FrameRect(m_dc, &r, GetSysColorBrush(index)); };
    switch (type) {
        case SS_BLACKRECT:
            Fill(r, SysColor(COLOR_WINDOWFRAME));
            break;
        case SS_GRAYRECT:
            Fill(r, SysColor(COLOR_BTNSHADOW));
            break;
        case SS_WHITERECT:
            Fill(r, SysColor(COLOR_WINDOW));
            break;
        case SS_BLACKFRAME:
            frame(COLOR_WINDOWFRAME);
            break;
        case SS_GRAYFRAME:
            frame(COLOR_BTNSHADOW);
            break;
        case SS_WHITEFRAME:
            frame(COLOR_WINDOW);
            break;
        case SS_ETCHEDHORZ:
            HLine(r.left, r.right, r.top, SysColor(COLOR_BTNSHADOW));
            HLine(r.left, r.right, r.top + 1, SysColor(COLOR_BTNHIGHLIGHT));
            break;
        case SS_ETCHEDVERT:
            VLine(r.left, r.top, r.bottom, SysColor(COLOR_BTNSHADOW));
            VLine(r.left + 1, r.top, r.bottom, SysColor(COLOR_BTNHIGHLIGHT));
            break;
        case SS_ETCHEDFRAME: {
            RECT box = r;
            DrawEdge(m_dc, &box, EDGE_ETCHED, BF_RECT);
            break;
        }
        default:
            break;
    }
}

void StylePainter::Picture(const RECT& r, HANDLE image, bool icon, bool center) {
    if (!image) return;
    SIZE size{};
    if (icon) {
        ICONINFO info{};
        if (!GetIconInfo(static_cast<HICON>(image), &info)) return;
        BITMAP bm{};
        GetObject(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
        size = {bm.bmWidth, bm.bmHeight};
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
    } else {
        BITMAP bm{};
        if (!GetObject(image, sizeof bm, &bm)) return;
        size = {bm.bmWidth, bm.bmHeight};
    }
    int x = r.left, y = r.top;
    if (center) {
        x += (static_cast<int>(r.right - r.left) - size.cx) / 2;
        y += (static_cast<int>(r.bottom - r.top) - size.cy) / 2;
    }
    if (icon) {
        DrawIconEx(m_dc, x, y, static_cast<HICON>(image), 0, 0, 0, nullptr, DI_NORMAL);
        return;
    }
    HDC memory = CreateCompatibleDC(m_dc);
    HGDIOBJ old = SelectObject(memory, image);
    BitBlt(m_dc, x, y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void StylePainter::Image(HIMAGELIST list, int index, int x, int y, bool selected) {
    if (list && index >= 0)
        ImageList_Draw(list, index, m_dc, x, y, ILD_TRANSPARENT | (selected ? ILD_SELECTED : 0));
}

}  // namespace quorvel::controls
