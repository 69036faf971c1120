// Message-box layout in pixels: the box is never wider than the screen
// allows, so long text wraps (Chinese text at any character, other text at
// blanks) and the box grows downwards instead.
#include <algorithm>

#include "platform/base/MessageBox.h"
#include "platform/dialogs/MessageBoxParts.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/WinInternal.h"

namespace quorvel::dialogs::detail {
namespace {

constexpr int kMargin = 8;     // around the contents
constexpr int kScreenGap = 8;  // between the box and the screen's edges
constexpr int kIconSize = 32;
constexpr int kIconGap = 8;      // between the icon and the text
constexpr int kButtonGapY = 10;  // between the text and the buttons
constexpr int kButtonHeight = 20;
constexpr int kButtonMinWidth = 50;
constexpr int kButtonPadding = 16;
constexpr int kButtonGapX = 6;

constexpr UINT kTextFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

SIZE TextExtent(HDC hdc, const CString& text) {
    SIZE size{};
    GetTextExtentPoint32(hdc, text.GetString(), text.GetLength(), &size);
    return size;
}

int ButtonWidth(HDC hdc, const std::vector<int>& buttons) {
    int width = kButtonMinWidth;
    for (int id : buttons)
        width =
            std::max<int>(width, TextExtent(hdc, MessageBoxButtonLabel(id)).cx + kButtonPadding);
    return width;
}

}  // namespace

const wchar_t* MessageBoxButtonLabel(int id) {
    switch (id) {
        case IDOK:
            return L"确定";
        case IDCANCEL:
            return L"取消";
        case IDABORT:
            return L"中止";
        case IDRETRY:
            return L"重试";
        case IDIGNORE:
            return L"忽略";
        case IDYES:
            return L"是";
        case IDNO:
            return L"否";
        default:
            return L"";
    }
}

MessageBoxLayout LayOutMessageBox(HDC measure, const CString& text, UINT type,
                                  const std::vector<int>& buttons) {
    MessageBoxLayout out;
    const SIZE screen = win::ScreenSize();
    const int maxClient = screen.cx - 2 * kScreenGap - 2 * win::kBorderWidth;
    const bool icon = HasIcon(type);
    const int textLeft = kMargin + (icon ? kIconSize + kIconGap : 0);
    RECT t{0, 0, std::max(maxClient - textLeft - kMargin, 1), 0};
    DrawText(measure, text.GetString(), text.GetLength(), &t, kTextFormat | DT_CALCRECT);
    TEXTMETRIC tm{};
    GetTextMetrics(measure, &tm);
    const int textW = t.right - t.left, textH = std::max<int>(t.bottom - t.top, tm.tmHeight);
    const int textTop = kMargin + (icon ? std::max(0, (kIconSize - textH) / 2) : 0);
    out.icon = POINT{kMargin, kMargin};
    out.text = RECT{textLeft, textTop, textLeft + textW, textTop + textH};

    const int n = static_cast<int>(buttons.size());
    const int bw = ButtonWidth(measure, buttons);
    const int rowW = n * bw + (n - 1) * kButtonGapX;
    const int contentBottom = std::max(icon ? kMargin + kIconSize : 0, textTop + textH);
    out.client.cx = std::min(maxClient, std::max(textLeft + textW + kMargin, rowW + 2 * kMargin));
    const int buttonsTop = contentBottom + kButtonGapY;
    out.client.cy = buttonsTop + kButtonHeight + kMargin;
    int x = (out.client.cx - rowW) / 2;
    for (int i = 0; i < n; ++i, x += bw + kButtonGapX)
        out.buttons.push_back(RECT{x, buttonsTop, x + bw, buttonsTop + kButtonHeight});
    return out;
}

}  // namespace quorvel::dialogs::detail
