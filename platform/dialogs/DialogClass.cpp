// The dialog window class: DefDlgProc calls the dialog procedure first and
// gives what it leaves the dialog's default handling.
#include <mutex>

#include "platform/controls/Controls.h"
#include "platform/dialogs/DialogInternal.h"
#include "platform/gdi/GdiApi.h"

namespace quorvel::dialogs::detail {
namespace {

thread_local DialogState* t_pending = nullptr;

// Messages whose answer is the dialog procedure's return value itself
// rather than DWL_MSGRESULT.
bool AnswersDirectly(UINT msg) {
    switch (msg) {
        case WM_INITDIALOG:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case 0x0037:  // WM_QUERYDRAGICON
            return true;
        default:
            return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC;
    }
}

// DWL_MSGRESULT as a procedure left it: SetWindowLong stores 32 bits, which
// are sign-extended; SetWindowLongPtr stores the whole value.
LRESULT StoredResult(HWND dialog) {
    const LONG_PTR v = GetWindowLongPtr(dialog, DWLP_MSGRESULT);
    if ((static_cast<uint64_t>(v) >> 32) == 0) return static_cast<LONG>(v);
    return v;
}

void Attach(HWND dialog) {
    DialogState* state = t_pending;
    t_pending = nullptr;
    if (state) SetWindowLongPtr(dialog, kStateSlot, reinterpret_cast<LONG_PTR>(state));
}

void Detach(HWND dialog) {
    DialogState* state = StateOf(dialog);
    if (!state) return;
    SetWindowLongPtr(dialog, kStateSlot, 0);
    if (state->run) state->run->ended = true;
    for (HANDLE image : state->images) {
        if (GetObjectType(image) == OBJ_BITMAP)
            DeleteObject(image);
        else
            DestroyIcon(static_cast<HICON>(image));
    }
    delete state;
}

void RestoreFocus(HWND dialog, DialogState* state) {
    HWND saved = state->savedFocus;
    if (saved && IsWindow(saved) && IsChild(dialog, saved) && IsWindowVisible(saved) &&
        IsWindowEnabled(saved)) {
        SetFocus(saved);
        return;
    }
    if (HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE)) SetDialogFocus(dialog, first);
}

LRESULT OnActivate(HWND dialog, DialogState* state, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(dialog, focus)) state->savedFocus = focus;
    } else {
        HWND focus = GetFocus();
        if (!focus || !IsChild(dialog, focus)) RestoreFocus(dialog, state);
    }
    return 0;
}

LRESULT OnNextControl(HWND dialog, WPARAM wParam, LPARAM lParam) {
    HWND target = reinterpret_cast<HWND>(wParam);
    if (!LOWORD(lParam)) {
        target = GetNextDlgTabItem(dialog, FocusedControl(dialog), wParam != 0);
        if (target) target = CheckedRadioOfGroup(dialog, target);
    }
    if (target) SetDialogFocus(dialog, target);
    return 0;
}

LRESULT OnSetDefId(HWND dialog, DialogState* state, UINT id) {
    state->defId = id;
    HWND focus = FocusedControl(dialog);
    const bool pushFocused =
        focus && (DialogCode(focus) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
    // A focused push button stays the one Enter presses.
    if (!pushFocused) SetDialogFocus(dialog, nullptr);
    return TRUE;
}

LRESULT OnEraseBackground(HWND dialog, HDC hdc) {
    auto brush = reinterpret_cast<HBRUSH>(SendMessage(
        dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(dialog)));
    if (!brush) brush = GetSysColorBrush(COLOR_BTNFACE);
    RECT box{};
    GetClipBox(hdc, &box);
    FillRect(hdc, &box, brush);
    return TRUE;
}

LRESULT OnClose(HWND dialog) {
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    if (!cancel || IsWindowEnabled(cancel))
        PostMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                    reinterpret_cast<LPARAM>(cancel));
    return 0;
}

LRESULT DefaultHandling(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    DialogState* state = StateOf(dialog);
    if (!state) return DefWindowProc(dialog, msg, wParam, lParam);
    switch (msg) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_CLOSE:
            return OnClose(dialog);
        case DM_GETDEFID:
            return state->defId ? static_cast<LRESULT>(MAKELONG(state->defId, DC_HASDEFID)) : 0;
        case DM_SETDEFID:
            return OnSetDefId(dialog, state, static_cast<UINT>(wParam));
        case WM_NEXTDLGCTL:
            return OnNextControl(dialog, wParam, lParam);
        case WM_ACTIVATE:
            return OnActivate(dialog, state, wParam);
        case WM_SETFOCUS:
            RestoreFocus(dialog, state);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state->font);
        case WM_SETFONT:
            state->font = reinterpret_cast<HFONT>(wParam);
            state->units = MeasureFont(state->font);
            return 0;
        case WM_ERASEBKGND:
            return OnEraseBackground(dialog, reinterpret_cast<HDC>(wParam));
        case WM_CTLCOLORDLG:
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        case WM_NCHITTEST: {
            const LRESULT hit = DefWindowProc(dialog, msg, wParam, lParam);
            return hit == HTCAPTION && AdornmentHit(dialog, lParam) ? HTCLIENT : hit;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            if (AdornmentTap(dialog, msg, lParam)) return 0;
            return DefWindowProc(dialog, msg, wParam, lParam);
        case WM_NCPAINT:
            DefWindowProc(dialog, msg, wParam, lParam);
            PaintCaptionAdornments(dialog);
            return 0;
        default:
            return DefWindowProc(dialog, msg, wParam, lParam);
    }
}

void RegisterDialogClass() {
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = &DefDlgProc;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.lpszClassName = kDialogClass;
    RegisterClass(&wc);
}

}  // namespace

DialogState* StateOf(HWND dialog) {
    if (!dialog || !IsWindow(dialog)) return nullptr;
    wchar_t cls[16] = {};
    GetClassName(dialog, cls, 16);
    if (lstrcmpiW(cls, kDialogClass) != 0) return nullptr;
    return reinterpret_cast<DialogState*>(GetWindowLongPtr(dialog, kStateSlot));
}

void SetPendingState(DialogState* state) {
    t_pending = state;
}

DialogState* TakePendingState() {
    DialogState* state = t_pending;
    t_pending = nullptr;
    return state;
}

}  // namespace quorvel::dialogs::detail

namespace quorvel::dialogs {

void Install() {
    static std::once_flag once;
    std::call_once(once, [] {
        gdi::Install();
        controls::RegisterStandardClasses();
        detail::RegisterDialogClass();
    });
}

bool IsDialogWindow(HWND hwnd) {
    return detail::StateOf(hwnd) != nullptr;
}

UINT DialogTemplateId(HWND dialog) {
    detail::DialogState* state = detail::StateOf(dialog);
    return state ? state->templateId : 0;
}

}  // namespace quorvel::dialogs

using namespace quorvel::dialogs::detail;

LRESULT DefDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) Attach(dialog);
    DialogState* state = StateOf(dialog);
    if (state && state->proc && msg != WM_NCDESTROY) {
        SetWindowLongPtr(dialog, DWLP_MSGRESULT, 0);
        const BOOL handled = state->proc(dialog, msg, wParam, lParam);
        if (AnswersDirectly(msg)) {
            // A BOOL cannot carry a brush: a procedure that answers
            // WM_CTLCOLOR* with a handle leaves it in DWLP_MSGRESULT.
            if (handled && msg != WM_INITDIALOG && IsWindow(dialog) && StoredResult(dialog))
                return StoredResult(dialog);
            if (handled || msg == WM_INITDIALOG) return handled;
        } else if (handled) {
            return IsWindow(dialog) ? StoredResult(dialog) : 0;
        }
        if (!IsWindow(dialog)) return 0;
    }
    if (msg == WM_NCDESTROY) {
        if (state && state->proc) state->proc(dialog, msg, wParam, lParam);
        Detach(dialog);
        return DefWindowProc(dialog, msg, wParam, lParam);
    }
    return DefaultHandling(dialog, msg, wParam, lParam);
}
