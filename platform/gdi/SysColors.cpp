// The system colours of the handheld's classic grey look.
#include <array>

#include "platform/gdi/GdiObjects.h"

namespace {

constexpr int kColorCount = COLOR_GRADIENTINACTIVECAPTION + 1;

constexpr std::array<COLORREF, kColorCount> kColors = {
    RGB(192, 192, 192),  // COLOR_SCROLLBAR
    RGB(0, 128, 128),    // COLOR_BACKGROUND
    RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
    RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(0, 0, 128),      // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(0, 0, 0),        // COLOR_3DDKSHADOW
    RGB(192, 192, 192),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(192, 192, 192),  // COLOR_STATIC
    RGB(0, 0, 0),        // COLOR_STATICTEXT
    RGB(0, 0, 128),      // COLOR_GRADIENTACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_GRADIENTINACTIVECAPTION
};

int PlainIndex(int index) {
    return index & ~SYS_COLOR_INDEX_FLAG;
}

}  // namespace

DWORD GetSysColor(int index) {
    const int i = PlainIndex(index);
    return i >= 0 && i < kColorCount ? kColors[i] : 0;
}

HBRUSH GetSysColorBrush(int index) {
    static const std::array<HBRUSH, kColorCount> brushes = [] {
        std::array<HBRUSH, kColorCount> b{};
        for (int i = 0; i < kColorCount; ++i) {
            auto brush = std::make_shared<quorvel::gdi::BrushObject>();
            brush->color = kColors[i];
            brush->stock = true;
            b[i] = static_cast<HBRUSH>(quorvel::gdi::RegisterObject(brush));
        }
        return b;
    }();
    const int i = PlainIndex(index);
    return i >= 0 && i < kColorCount ? brushes[i] : nullptr;
}
