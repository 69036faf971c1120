// The dialog font and dialog units. A template's FONT becomes one shared font
// object per face and size, kept for the whole run: controls hold the
// dialog's font handle without owning it, and the framework wraps it
// without deleting it, so it must outlive every dialog that used it.
#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "platform/dialogs/DialogInternal.h"
#include "platform/gdi/GdiApi.h"

namespace quorvel::dialogs::detail {
namespace {

std::mutex g_fontMutex;

// Screen resolution of the device: points to pixels.
constexpr int kLogPixels = 96;

std::map<std::pair<std::wstring, int>, HFONT>& Fonts() {
    static std::map<std::pair<std::wstring, int>, HFONT> fonts;
    return fonts;
}

std::map<HFONT, resources::DialogBaseUnits>& Units() {
    static std::map<HFONT, resources::DialogBaseUnits> units;
    return units;
}

resources::DialogBaseUnits Measure(HFONT font) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    static const wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent{};
    GetTextExtentPoint32(dc, kAlphabet, 52, &extent);
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    resources::DialogBaseUnits units{(extent.cx + 26) / 52, tm.tmHeight};
    // A font that cannot be measured (no font file) still gives sane units.
    if (units.avgCharWidth <= 0) units.avgCharWidth = 6;
    if (units.charHeight <= 0) units.charHeight = 12;
    return units;
}

}  // namespace

HFONT TemplateFont(const resources::DialogTemplate& tmpl) {
    if (tmpl.fontSize <= 0 || !tmpl.fontFace)
        return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    std::lock_guard lock(g_fontMutex);
    auto key = std::make_pair(std::wstring(tmpl.fontFace), tmpl.fontSize);
    HFONT& font = Fonts()[key];
    if (!font) {
        const int height = -resources::MulDivRound(tmpl.fontSize, kLogPixels, 72);
        font = CreateFont(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, tmpl.fontFace);
    }
    return font;
}

resources::DialogBaseUnits MeasureFont(HFONT font) {
    {
        std::lock_guard lock(g_fontMutex);
        auto it = Units().find(font);
        if (it != Units().end()) return it->second;
    }
    const resources::DialogBaseUnits units = Measure(font);
    std::lock_guard lock(g_fontMutex);
    Units()[font] = units;
    return units;
}

}  // namespace quorvel::dialogs::detail

namespace quorvel::dialogs {

resources::DialogBaseUnits DialogUnitsOf(HWND dialog) {
    if (detail::DialogState* state = detail::StateOf(dialog)) return state->units;
    return detail::MeasureFont(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
}

}  // namespace quorvel::dialogs

using namespace quorvel::dialogs;

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
    if (!rect || !detail::StateOf(dialog)) return FALSE;
    quorvel::resources::DialogRectToPixels(*rect, DialogUnitsOf(dialog));
    return TRUE;
}

LONG GetDialogBaseUnits() {
    const auto units = detail::MeasureFont(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    return static_cast<LONG>(MAKELONG(units.avgCharWidth, units.charHeight));
}
