// Moving the focus inside a dialog: the tab order, groups, the default push
// button that follows the focus, and the button Enter presses.
#include <vector>

#include "platform/controls/Controls.h"
#include "platform/dialogs/DialogInternal.h"

namespace quorvel::dialogs::detail {
namespace {

// The dialog's controls in tab order (creation order).
std::vector<HWND> Controls(HWND dialog) {
    std::vector<HWND> out;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
    return out;
}

// The direct child of `dialog` that holds `hwnd`, or null.
HWND ControlHolding(HWND dialog, HWND hwnd) {
    if (!hwnd || !IsChild(dialog, hwnd)) return nullptr;
    while (GetParent(hwnd) != dialog) hwnd = GetParent(hwnd);
    return hwnd;
}

int IndexOf(const std::vector<HWND>& controls, HWND hwnd) {
    for (size_t i = 0; i < controls.size(); ++i)
        if (controls[i] == hwnd) return static_cast<int>(i);
    return -1;
}

// Visible and enabled by its own style: a dialog that is still hidden has
// controls that can take the focus.
bool Usable(HWND hwnd) {
    const LONG style = GetWindowLong(hwnd, GWL_STYLE);
    return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

bool HasStyle(HWND hwnd, LONG bits) {
    return (GetWindowLong(hwnd, GWL_STYLE) & bits) != 0;
}

// By its dialog code alone: a button that draws itself keeps the owner-draw
// type and says what it is through WM_GETDLGCODE.
bool IsPushButton(UINT code) {
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

void SetButtonType(HWND button, LONG type) {
    const LONG style = GetWindowLong(button, GWL_STYLE);
    SendMessage(button, BM_SETSTYLE, static_cast<WPARAM>((style & 0xFFFF & ~BS_TYPEMASK) | type),
                TRUE);
}

// The push button that shows as default: the focused push button, else the
// dialog's default button.
void UpdateDefaultButton(HWND dialog, HWND focus) {
    HWND target = nullptr;
    if (focus && IsPushButton(DialogCode(focus))) {
        target = focus;
    } else if (DialogState* state = StateOf(dialog); state && state->defId) {
        target = GetDlgItem(dialog, static_cast<int>(state->defId));
    }
    for (HWND c : Controls(dialog)) {
        const UINT code = DialogCode(c);
        if (!IsPushButton(code)) continue;
        if (c != target && (code & DLGC_DEFPUSHBUTTON)) SetButtonType(c, BS_PUSHBUTTON);
        if (c == target && (code & DLGC_UNDEFPUSHBUTTON)) SetButtonType(c, BS_DEFPUSHBUTTON);
    }
}

}  // namespace

UINT DialogCode(HWND control, const MSG* msg) {
    return static_cast<UINT>(
        SendMessage(control, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg)));
}

HWND FocusedControl(HWND dialog) {
    return ControlHolding(dialog, GetFocus());
}

void SetDialogFocus(HWND dialog, HWND control) {
    if (control) {
        if (DialogCode(control) & DLGC_HASSETSEL) SendMessage(control, EM_SETSEL, 0, -1);
        UpdateDefaultButton(dialog, ControlHolding(dialog, control));
        SetFocus(control);
        return;
    }
    UpdateDefaultButton(dialog, FocusedControl(dialog));
}

UINT EnterButtonId(HWND dialog) {
    HWND focus = FocusedControl(dialog);
    if (focus && IsPushButton(DialogCode(focus))) return GetDlgCtrlID(focus);
    const LRESULT def = SendMessage(dialog, DM_GETDEFID, 0, 0);
    return HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
}

// A group of radio buttons is entered at its checked button.
HWND CheckedRadioOfGroup(HWND dialog, HWND radio) {
    if (!(DialogCode(radio) & DLGC_RADIOBUTTON)) return radio;
    if (SendMessage(radio, BM_GETCHECK, 0, 0) == BST_CHECKED) return radio;
    HWND c = radio;
    do {
        c = GetNextDlgGroupItem(dialog, c, FALSE);
        if ((DialogCode(c) & DLGC_RADIOBUTTON) && SendMessage(c, BM_GETCHECK, 0, 0) == BST_CHECKED)
            return c;
    } while (c && c != radio);
    return radio;
}

}  // namespace quorvel::dialogs::detail

using namespace quorvel::dialogs::detail;

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    const std::vector<HWND> controls = Controls(dialog);
    const int n = static_cast<int>(controls.size());
    if (n == 0) return nullptr;
    const int at = IndexOf(controls, ControlHolding(dialog, control));
    const int start = at >= 0 ? at : (previous ? n : -1);
    for (int step = 1; step <= n; ++step) {
        const int i = (((start + (previous ? -step : step)) % n) + n) % n;
        if (HasStyle(controls[i], WS_TABSTOP) && Usable(controls[i])) return controls[i];
    }
    return at >= 0 ? controls[at] : nullptr;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
    const std::vector<HWND> controls = Controls(dialog);
    const int n = static_cast<int>(controls.size());
    if (n == 0) return nullptr;
    int at = IndexOf(controls, ControlHolding(dialog, control));
    if (at < 0) at = 0;
    int first = at, last = at + 1;
    while (first > 0 && !HasStyle(controls[first], WS_GROUP)) --first;
    while (last < n && !HasStyle(controls[last], WS_GROUP)) ++last;
    const int size = last - first;
    for (int step = 1; step <= size; ++step) {
        const int offset = (((at - first + (previous ? -step : step)) % size) + size) % size;
        if (Usable(controls[first + offset])) return controls[first + offset];
    }
    return controls[at];
}
