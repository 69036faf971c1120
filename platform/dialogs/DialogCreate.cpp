// Dialogs from templates: the window in the template's font and units, its
// controls in template order (which is the tab order), their initial list
// items and images, then WM_INITDIALOG and the first focus.
#include <algorithm>
#include <cstdio>

#include "platform/base/TextConv.h"
#include "platform/controls/Controls.h"
#include "platform/dialogs/DialogInternal.h"
#include "platform/resources/Resources.h"

namespace quorvel::dialogs::detail {
namespace {

using resources::DialogItemTemplate;
using resources::DialogTemplate;

RECT PixelRect(int x, int y, int cx, int cy, const resources::DialogBaseUnits& u) {
    const int left = resources::DialogXToPixels(x, u);
    const int top = resources::DialogYToPixels(y, u);
    return RECT{left, top, left + resources::DialogXToPixels(cx, u),
                top + resources::DialogYToPixels(cy, u)};
}

// The dialog's window rectangle: the template's client size with the frame
// around it, at the template's position within the parent's client area
// (a child) or the owner's (a top-level dialog), kept on the screen.
RECT WindowRect(const DialogTemplate& t, const resources::DialogBaseUnits& u, HWND parent,
                DWORD style) {
    const RECT client = PixelRect(t.x, t.y, t.cx, t.cy, u);
    RECT frame{0, 0, client.right - client.left, client.bottom - client.top};
    AdjustWindowRectEx(&frame, style, FALSE, t.exStyle);
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    POINT at{client.left, client.top};
    if (!(style & WS_CHILD)) {
        if (parent && !(style & DS_ABSALIGN)) ClientToScreen(parent, &at);
        at.x = std::max(0, std::min<int>(at.x, GetSystemMetrics(SM_CXSCREEN) - w));
        at.y = std::max(0, std::min<int>(at.y, GetSystemMetrics(SM_CYSCREEN) - h));
    }
    return RECT{at.x, at.y, at.x + w, at.y + h};
}

bool IsClass(const wchar_t* name, const wchar_t* cls) {
    return name && lstrcmpiW(name, cls) == 0;
}

void FillList(HWND control, const DialogItemTemplate& item) {
    UINT add = 0;
    if (IsClass(item.className, L"ComboBox")) add = CB_ADDSTRING;
    if (IsClass(item.className, L"ListBox")) add = LB_ADDSTRING;
    if (!add) return;
    for (const wchar_t* text : item.listItems)
        SendMessage(control, add, 0, reinterpret_cast<LPARAM>(text));
}

void SetImage(HWND control, const DialogItemTemplate& item, DialogState* state) {
    if (!item.imageId || SendMessage(control, STM_GETIMAGE, IMAGE_ICON, 0) ||
        SendMessage(control, STM_GETIMAGE, IMAGE_BITMAP, 0))
        return;
    const bool bitmap = (item.style & SS_TYPEMASK) == SS_BITMAP;
    const UINT type = bitmap ? IMAGE_BITMAP : IMAGE_ICON;
    HANDLE image = LoadImage(nullptr, MAKEINTRESOURCE(item.imageId), type, 0, 0, LR_DEFAULTCOLOR);
    if (!image) return;
    state->images.push_back(image);
    SendMessage(control, STM_SETIMAGE, type, reinterpret_cast<LPARAM>(image));
}

bool CreateControl(HWND dialog, const DialogTemplate& t, const DialogItemTemplate& item,
                   DialogState* state) {
    const RECT r = PixelRect(item.x, item.y, item.cx, item.cy, state->units);
    HWND control = CreateWindowEx(
        item.exStyle | WS_EX_NOPARENTNOTIFY, item.className, item.text, item.style | WS_CHILD,
        r.left, r.top, r.right - r.left, r.bottom - r.top, dialog,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), nullptr, nullptr);
    if (!control) {
        std::fprintf(stderr, "dialog %u: cannot create control %u of class \"%s\"\n", t.id, item.id,
                     ToUtf8(item.className ? item.className : L"").c_str());
        return (t.style & DS_NOFAILCREATE) != 0;
    }
    if (t.fontSize > 0) SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), 0);
    FillList(control, item);
    SetImage(control, item, state);
    if (!state->defId && IsClass(item.className, L"Button") &&
        (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        state->defId = item.id;
    return true;
}

HWND CreateFrame(const DialogTemplate& t, HWND parent, DialogState* state) {
    const DWORD style = t.style & ~WS_VISIBLE;
    if ((style & WS_CHILD) && !parent) return nullptr;
    HWND owner = (style & WS_CHILD) ? parent : OwnerFor(parent);
    const RECT r = WindowRect(t, state->units, owner, style);
    SetPendingState(state);
    HWND dialog =
        CreateWindowEx(t.exStyle, kDialogClass, t.caption ? t.caption : L"", style, r.left, r.top,
                       r.right - r.left, r.bottom - r.top, owner, nullptr, nullptr, nullptr);
    // A window that never got its first message leaves the state here.
    if (TakePendingState()) delete state;
    return dialog;
}

}  // namespace

HWND OwnerFor(HWND parent) {
    HWND h = parent;
    while (h && (GetWindowLong(h, GWL_STYLE) & WS_CHILD)) h = GetParent(h);
    return h;
}

HWND BuildDialog(const DialogTemplate& t, HWND parent, DLGPROC proc, LPARAM init) {
    Install();
    auto* state = new DialogState;
    state->proc = proc;
    state->templateId = t.id;
    state->templateStyle = t.style;
    state->font = TemplateFont(t);
    state->units = MeasureFont(state->font);
    HWND dialog = CreateFrame(t, parent, state);
    if (!dialog) return nullptr;
    if (t.fontSize > 0) SendMessage(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), 0);
    for (const DialogItemTemplate& item : t.items) {
        if (!CreateControl(dialog, t, item, state)) {
            DestroyWindow(dialog);
            return nullptr;
        }
    }
    if (t.style & DS_CENTER) CenterWindow(dialog);
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    const LRESULT setFocus =
        SendMessage(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), init);
    DialogState* alive = StateOf(dialog);
    if (!alive) return nullptr;
    if (setFocus && first && !alive->endedEarly) SetDialogFocus(dialog, first);
    return dialog;
}

void ShowBuiltDialog(HWND dialog, bool force) {
    DialogState* state = StateOf(dialog);
    if (!state || (!force && !(state->templateStyle & WS_VISIBLE))) return;
    // A dialog that showed itself (maximised, say) from WM_INITDIALOG stays so.
    if (!(GetWindowLong(dialog, GWL_STYLE) & WS_VISIBLE))
        ShowWindow(dialog, (state->templateStyle & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
    UpdateWindow(dialog);
}

const resources::DialogTemplate* FindTemplate(LPCTSTR name) {
    if (!name || !IS_INTRESOURCE(name)) return nullptr;
    return resources::FindDialog(static_cast<UINT>(reinterpret_cast<uintptr_t>(name)));
}

}  // namespace quorvel::dialogs::detail

using namespace quorvel::dialogs::detail;

HWND CreateDialogIndirectParam(HINSTANCE, LPCDLGTEMPLATE dialogTemplate, HWND parent, DLGPROC proc,
                               LPARAM initParam) {
    if (!dialogTemplate) return nullptr;
    HWND dialog = BuildDialog(*dialogTemplate, parent, proc, initParam);
    if (dialog) ShowBuiltDialog(dialog, false);
    return dialog;
}

HWND CreateDialogParam(HINSTANCE instance, LPCTSTR templateName, HWND parent, DLGPROC proc,
                       LPARAM initParam) {
    return CreateDialogIndirectParam(instance, FindTemplate(templateName), parent, proc, initParam);
}
