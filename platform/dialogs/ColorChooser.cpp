// The colour chooser: owner-drawn swatch buttons, so that taps, Tab and the
// arrows of their group behave as every other dialog's buttons do, and an
// owner-drawn static that shows the colour the dialog will return. The
// choice follows the focus, as a radio group's does, so Enter always means
// OK.
#include "platform/dialogs/ColorChooser.h"

#include <vector>

#include "platform/controls/Controls.h"
#include "platform/controls/StylePainter.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/dialogs/MessageBoxParts.h"
#include "platform/gdi/GdiApi.h"

namespace quorvel::dialogs {
namespace {

// Light tints, full colours, then darker shades row by row; the last row
// runs from black through the greys to white.
const COLORREF kBasicColors[kBasicColorCount] = {
    RGB(255, 128, 128), RGB(255, 255, 128), RGB(128, 255, 128), RGB(0, 255, 128),
    RGB(128, 255, 255), RGB(0, 128, 255),   RGB(255, 128, 192), RGB(255, 128, 255),
    RGB(255, 0, 0),     RGB(255, 255, 0),   RGB(128, 255, 0),   RGB(0, 255, 64),
    RGB(0, 255, 255),   RGB(0, 128, 192),   RGB(128, 128, 192), RGB(255, 0, 255),
    RGB(128, 64, 64),   RGB(255, 128, 64),  RGB(0, 255, 0),     RGB(0, 128, 128),
    RGB(0, 64, 128),    RGB(128, 128, 255), RGB(128, 0, 64),    RGB(255, 0, 128),
    RGB(128, 0, 0),     RGB(255, 128, 0),   RGB(0, 128, 0),     RGB(0, 128, 64),
    RGB(0, 0, 255),     RGB(0, 0, 160),     RGB(128, 0, 128),   RGB(128, 0, 255),
    RGB(64, 0, 0),      RGB(128, 64, 0),    RGB(0, 64, 0),      RGB(0, 64, 64),
    RGB(0, 0, 128),     RGB(0, 0, 64),      RGB(64, 0, 64),     RGB(64, 0, 128),
    RGB(0, 0, 0),       RGB(128, 128, 0),   RGB(128, 128, 64),  RGB(128, 128, 128),
    RGB(64, 128, 128),  RGB(192, 192, 192), RGB(64, 64, 64),    RGB(255, 255, 255),
};

struct Chooser {
    COLORREF color = 0;
    int selected = -1;  // the swatch of `color`, -1 when it is none of them
};

Chooser* ChooserOf(HWND dialog) {
    return reinterpret_cast<Chooser*>(GetWindowLongPtr(dialog, DWLP_USER));
}

int SwatchIndex(UINT id) {
    const int index = static_cast<int>(id) - kFirstSwatchId;
    return index >= 0 && index < kBasicColorCount ? index : -1;
}

HWND Swatch(HWND dialog, int index) {
    return index < 0 ? nullptr : GetDlgItem(dialog, kFirstSwatchId + index);
}

void Select(HWND dialog, Chooser& chooser, int index) {
    if (HWND old = Swatch(dialog, chooser.selected)) InvalidateRect(old, nullptr, FALSE);
    chooser.selected = index;
    chooser.color = kBasicColors[index];
    InvalidateRect(Swatch(dialog, index), nullptr, FALSE);
    InvalidateRect(GetDlgItem(dialog, kColorPreviewId), nullptr, FALSE);
}

void DrawSwatch(const DRAWITEMSTRUCT& item, int index, bool selected) {
    controls::StylePainter painter(item.hDC, nullptr);
    RECT r = item.rcItem;
    // The chosen swatch sits in a black frame; the focus frame goes outside
    // it so both stay visible.
    painter.Fill(r, GetSysColor(COLOR_BTNFACE));
    if (selected)
        painter.Fill(RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, RGB(0, 0, 0));
    const RECT well{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
    painter.Fill(painter.ClientEdge(well), kBasicColors[index]);
    if (item.itemState & ODS_FOCUS) painter.FocusFrame(r);
}

void DrawPreview(const DRAWITEMSTRUCT& item, COLORREF color) {
    controls::StylePainter painter(item.hDC, nullptr);
    painter.Fill(painter.ClientEdge(item.rcItem), color);
}

BOOL OnDrawItem(HWND dialog, const DRAWITEMSTRUCT& item) {
    Chooser* chooser = ChooserOf(dialog);
    if (!chooser) return FALSE;
    if (item.CtlID == static_cast<UINT>(kColorPreviewId)) {
        DrawPreview(item, chooser->color);
        return TRUE;
    }
    const int index = SwatchIndex(item.CtlID);
    if (index < 0) return FALSE;
    DrawSwatch(item, index, index == chooser->selected);
    return TRUE;
}

BOOL ChooserProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: {
            SetWindowLongPtr(dialog, DWLP_USER, lParam);
            const Chooser& chooser = *reinterpret_cast<Chooser*>(lParam);
            CenterWindow(dialog);
            // A colour outside the grid stays chosen until a swatch is: the
            // focus starts on OK rather than on a swatch that would replace it.
            HWND first =
                chooser.selected < 0 ? GetDlgItem(dialog, IDOK) : Swatch(dialog, chooser.selected);
            SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
            return FALSE;
        }
        case WM_DRAWITEM:
            return OnDrawItem(dialog, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_COMMAND: {
            const UINT id = LOWORD(wParam);
            if (id == IDOK || id == IDCANCEL) {
                EndDialog(dialog, id);
            } else if (const int index = SwatchIndex(id);
                       index >= 0 &&
                       (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == BN_SETFOCUS)) {
                if (Chooser* chooser = ChooserOf(dialog)) Select(dialog, *chooser, index);
            }
            return TRUE;
        }
        default:
            return FALSE;
    }
}

resources::DialogItemTemplate Item(const wchar_t* cls, const wchar_t* text, int id, int x, int y,
                                   int cx, int cy, DWORD style) {
    const DWORD all = static_cast<DWORD>(WS_CHILD | WS_VISIBLE) | style;
    return resources::DialogItemTemplate{cls, text, 0, static_cast<UINT>(id), x, y, cx, cy,
                                         all, 0,    {}};
}

// In dialog units, for the 135-unit width every dialog of the screen has.
std::vector<resources::DialogItemTemplate> ChooserItems() {
    std::vector<resources::DialogItemTemplate> items;
    // OK and Cancel come first: the dialog manager's first focus must not
    // land on a swatch, which would choose it.
    const DWORD ok = static_cast<DWORD>(BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP);
    const DWORD cancel = static_cast<DWORD>(BS_PUSHBUTTON | WS_TABSTOP);
    items.push_back(
        Item(L"Button", detail::MessageBoxButtonLabel(IDOK), IDOK, 16, 106, 44, 14, ok));
    items.push_back(Item(L"Button", detail::MessageBoxButtonLabel(IDCANCEL), IDCANCEL, 75, 106, 44,
                         14, cancel));
    for (int i = 0; i < kBasicColorCount; ++i) {
        const int col = i % kBasicColorColumns, row = i / kBasicColorColumns;
        const DWORD style =
            static_cast<DWORD>(BS_OWNERDRAW | BS_NOTIFY | (i == 0 ? WS_GROUP | WS_TABSTOP : 0));
        items.push_back(
            Item(L"Button", L"", kFirstSwatchId + i, 4 + 16 * col, 4 + 13 * row, 15, 12, style));
    }
    items.push_back(Item(L"Static", L"颜色:", 0xFFFF, 4, 88, 24, 10, SS_LEFT | WS_GROUP));
    items.push_back(Item(L"Static", L"", kColorPreviewId, 30, 86, 101, 14, SS_OWNERDRAW));
    return items;
}

}  // namespace

COLORREF BasicColor(int index) {
    return index >= 0 && index < kBasicColorCount ? kBasicColors[index] : 0;
}

}  // namespace quorvel::dialogs

BOOL ChooseColor(LPCHOOSECOLOR cc) {
    using namespace quorvel::dialogs;
    if (!cc) return FALSE;
    Chooser chooser;
    if (cc->Flags & CC_RGBINIT) chooser.color = cc->rgbResult;
    for (int i = 0; i < kBasicColorCount; ++i)
        if (BasicColor(i) == chooser.color && chooser.selected < 0) chooser.selected = i;
    const std::vector<quorvel::resources::DialogItemTemplate> items = ChooserItems();
    quorvel::resources::DialogTemplate tmpl{};
    tmpl.id = kColorChooserTemplateId;
    tmpl.style = static_cast<DWORD>(WS_POPUP | WS_CAPTION | DS_MODALFRAME);
    tmpl.cx = 135;
    tmpl.cy = 126;
    tmpl.caption = L"颜色";
    tmpl.fontFace = L"";
    tmpl.items = items;
    const INT_PTR result = DialogBoxIndirectParam(nullptr, &tmpl, cc->hwndOwner, &ChooserProc,
                                                  reinterpret_cast<LPARAM>(&chooser));
    if (result != IDOK) return FALSE;
    cc->rgbResult = chooser.color;
    return TRUE;
}
