#include "platform/testing/TextInk.h"

#include <algorithm>
#include <climits>
#include <string>

#include "platform/base/Collections.h"
#include "platform/base/TextConv.h"
#include "platform/controls/ControlStyles.h"
#include "platform/gdi/GdiApi.h"

namespace quorvel::testing {
namespace {

constexpr int kMargin = 20;  // around a text drawn alone

bool IsInk(uint32_t pixel) {
    return (pixel & 0xFF) < 0x40 && ((pixel >> 8) & 0xFF) < 0x40 && ((pixel >> 16) & 0xFF) < 0x40;
}

std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    const int length = ::GetWindowText(window, text, 256);
    return std::wstring(text, static_cast<size_t>(std::max(length, 0)));
}

DWORD StaticType(HWND control) {
    return static_cast<DWORD>(::GetWindowLong(control, GWL_STYLE)) & SS_TYPEMASK;
}

bool IsLabel(HWND control) {
    wchar_t cls[32] = {};
    ::GetClassName(control, cls, 32);
    const int id = ::GetDlgCtrlID(control);
    const DWORD type = StaticType(control);
    const bool text = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT ||
                      type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
    return lstrcmpiW(cls, L"Static") == 0 && (id == -1 || id == 0xFFFF) && text &&
           ::IsWindowVisible(control) && ::IsWindowEnabled(control) && !WindowText(control).empty();
}

// `text` drawn alone in `font`, black on white, its cell's top left at
// (kMargin, kMargin); `extent` receives the cell's size.
gdi::Image Alone(HFONT font, std::wstring_view text, SIZE* extent) {
    const std::wstring s(text);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    ::GetTextExtentPoint32(dc, s.c_str(), static_cast<int>(s.size()), extent);
    const int width = extent->cx + 2 * kMargin, height = extent->cy + 2 * kMargin;
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
    RECT all{0, 0, width, height};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetBkMode(dc, TRANSPARENT);
    ::TextOut(dc, kMargin, kMargin, s.c_str(), static_cast<int>(s.size()));
    ::SelectObject(dc, oldBitmap);
    ::SelectObject(dc, oldFont);
    ::DeleteDC(dc);
    gdi::Image image = gdi::CaptureBitmap(bitmap);
    ::DeleteObject(bitmap);
    return image;
}

::testing::AssertionResult Cut(std::wstring_view text) {
    return ::testing::AssertionFailure() << "\"" << ToUtf8(std::wstring(text).c_str()) << "\"";
}

// Pixel for pixel: every ink pixel of the text drawn alone shows at its
// place in `area`, its cell's top left at `origin`, and nothing else in
// `area` is ink.
::testing::AssertionResult SameInk(const gdi::Image& shown, const RECT& area, POINT origin,
                                   HFONT font, std::wstring_view text) {
    SIZE extent{};
    const gdi::Image alone = Alone(font, text, &extent);
    auto aloneInk = [&](int x, int y) {
        const int ax = x - origin.x + kMargin, ay = y - origin.y + kMargin;
        return ax >= 0 && ay >= 0 && ax < alone.width && ay < alone.height &&
               IsInk(alone.At(ax, ay));
    };
    int missing = 0, foreign = 0;
    for (int ay = 0; ay < alone.height; ++ay)
        for (int ax = 0; ax < alone.width; ++ax) {
            if (!IsInk(alone.At(ax, ay))) continue;
            const int x = ax - kMargin + origin.x, y = ay - kMargin + origin.y;
            const bool inside = x >= area.left && x < area.right && y >= area.top &&
                                y < area.bottom && x < shown.width && y < shown.height;
            if (!inside || !IsInk(shown.At(x, y))) ++missing;
        }
    for (int y = area.top; y < std::min<int>(area.bottom, shown.height); ++y)
        for (int x = area.left; x < std::min<int>(area.right, shown.width); ++x)
            if (IsInk(shown.At(x, y)) && !aloneInk(x, y)) ++foreign;
    if (missing == 0 && foreign == 0) return ::testing::AssertionSuccess();
    return Cut(text) << " misses " << missing << " pixels of its ink and shows " << foreign
                     << " of other ink in " << area.left << ".." << area.right << " x " << area.top
                     << ".." << area.bottom;
}

// Where a label's text starts in its control: at the top, to the left,
// centred or to the right by its style.
POINT LabelOrigin(HWND control, HFONT font, const std::wstring& text, const RECT& area) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE extent{};
    ::GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    const int room = static_cast<int>(area.right - area.left - extent.cx);
    const DWORD type = StaticType(control);
    const int dx = type == SS_CENTER ? room / 2 : (type == SS_RIGHT ? room : 0);
    return POINT{area.left + std::max(dx, 0), area.top};
}

}  // namespace

RECT InkBox(const gdi::Image& image, const RECT& area) {
    RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    const int right = std::min<int>(area.right, image.width);
    const int bottom = std::min<int>(area.bottom, image.height);
    for (int y = std::max<int>(area.top, 0); y < bottom; ++y)
        for (int x = std::max<int>(area.left, 0); x < right; ++x) {
            if (!IsInk(image.At(x, y))) continue;
            box = RECT{std::min<int>(box.left, x), std::min<int>(box.top, y),
                       std::max<int>(box.right, x + 1), std::max<int>(box.bottom, y + 1)};
        }
    return box.left > box.right ? RECT{} : box;
}

SIZE InkAlone(HFONT font, std::wstring_view text) {
    SIZE extent{};
    const gdi::Image image = Alone(font, text, &extent);
    const RECT box = InkBox(image, RECT{0, 0, image.width, image.height});
    return SIZE{box.right - box.left, box.bottom - box.top};
}

::testing::AssertionResult TextLiesWhole(HWND window, const RECT& area, HFONT font,
                                         std::wstring_view text) {
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    RECT frame{};
    ::GetWindowRect(window, &frame);
    const LONG dx = origin.x - frame.left, dy = origin.y - frame.top;
    const RECT inWindow{area.left + dx, area.top + dy, area.right + dx, area.bottom + dy};
    const RECT box = InkBox(gdi::CaptureWindow(window), inWindow);
    const SIZE alone = InkAlone(font, text);
    const SIZE seen{box.right - box.left, box.bottom - box.top};
    if (seen.cx >= alone.cx && seen.cy >= alone.cy) return ::testing::AssertionSuccess();
    return Cut(text) << " shows " << seen.cx << " x " << seen.cy << " pixels of ink, alone "
                     << alone.cx << " x " << alone.cy;
}

::testing::AssertionResult LabelsLieWhole(HWND dialog) {
    // One picture of the whole dialog, taken before any text is measured:
    // what the screen shows at this moment, not after a later repaint.
    const gdi::Image shown = gdi::CaptureWindow(dialog);
    RECT frame{};
    ::GetWindowRect(dialog, &frame);
    ::testing::AssertionResult result = ::testing::AssertionSuccess();
    bool whole = true;
    for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (!IsLabel(c)) continue;
        HFONT font = reinterpret_cast<HFONT>(::SendMessage(c, WM_GETFONT, 0, 0));
        if (!font) font = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
        RECT r{};
        ::GetWindowRect(c, &r);
        const RECT area{r.left - frame.left, r.top - frame.top, r.right - frame.left,
                        r.bottom - frame.top};
        const std::wstring text = WindowText(c);
        const ::testing::AssertionResult label =
            SameInk(shown, area, LabelOrigin(c, font, text, area), font, text);
        if (label) continue;
        if (whole) result = ::testing::AssertionFailure();
        whole = false;
        result << "\n  " << label.message();
    }
    return result;
}

}  // namespace quorvel::testing
