// Dialog keyboard handling: the keys a control does not claim through
// WM_GETDLGCODE move the focus or press buttons; everything else for the
// dialog is translated and dispatched as usual.
#include "platform/controls/Controls.h"
#include "platform/dialogs/DialogInternal.h"

namespace quorvel::dialogs::detail {
namespace {

void Command(HWND dialog, UINT id) {
    HWND button = GetDlgItem(dialog, static_cast<int>(id));
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void PressEnter(HWND dialog) {
    const UINT id = EnterButtonId(dialog);
    HWND button = GetDlgItem(dialog, static_cast<int>(id));
    if (button && !IsWindowEnabled(button)) return;
    Command(dialog, id);
}

// An arrow moves within the group; an auto radio button that gets the focus
// this way is checked, as a tap would.
void MoveInGroup(HWND dialog, HWND from, bool previous) {
    HWND next = GetNextDlgGroupItem(dialog, from, previous ? TRUE : FALSE);
    if (!next || next == from) return;
    SetDialogFocus(dialog, next);
    const bool autoRadio = (GetWindowLong(next, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
    if (autoRadio && (DialogCode(next) & DLGC_RADIOBUTTON) &&
        SendMessage(next, BM_GETCHECK, 0, 0) != BST_CHECKED)
        SendMessage(next, BM_CLICK, 0, 0);
}

bool IsArrow(WPARAM vk) {
    return vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN;
}

// True when the key was the dialog's.
bool HandleKeyDown(HWND dialog, MSG* msg) {
    const UINT code = DialogCode(msg->hwnd, msg);
    if (code & DLGC_WANTALLKEYS) return false;
    const WPARAM vk = msg->wParam;
    if (vk == VK_TAB) {
        if (code & DLGC_WANTTAB) return false;
        const bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
        SendMessage(dialog, WM_NEXTDLGCTL, back ? 1 : 0, 0);
        return true;
    }
    if (IsArrow(vk)) {
        if (code & DLGC_WANTARROWS) return false;
        HWND from = FocusedControl(dialog);
        if (from) MoveInGroup(dialog, from, vk == VK_LEFT || vk == VK_UP);
        return true;
    }
    if (vk == VK_RETURN) {
        PressEnter(dialog);
        return true;
    }
    if (vk == VK_ESCAPE) {
        Command(dialog, IDCANCEL);
        return true;
    }
    return false;
}

// Characters a control does not want never reach it: Tab, Enter and Escape
// were handled as keys, and others have nothing to type into.
bool SwallowChar(MSG* msg) {
    const UINT code = DialogCode(msg->hwnd, msg);
    if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) return false;
    if (msg->wParam == L'\t' && (code & DLGC_WANTTAB)) return false;
    return true;
}

}  // namespace
}  // namespace quorvel::dialogs::detail

using namespace quorvel::dialogs::detail;

BOOL IsDialogMessage(HWND dialog, LPMSG msg) {
    if (!dialog || !msg || !msg->hwnd || !IsWindow(dialog)) return FALSE;
    if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
    switch (msg->message) {
        case WM_KEYDOWN:
            if (HandleKeyDown(dialog, msg)) return TRUE;
            break;
        case WM_CHAR:
            if (SwallowChar(msg)) return TRUE;
            break;
        default:
            break;
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
    return TRUE;
}
