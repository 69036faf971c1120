// The real message box: a modal dialog built in code on the asking thread,
// answered by its buttons, Enter, Escape or the modal hook.
#include <algorithm>

#include "platform/base/MessageBox.h"
#include "platform/base/Thread.h"
#include "platform/controls/Controls.h"
#include "platform/dialogs/DialogInternal.h"
#include "platform/dialogs/MessageBoxParts.h"
#include "platform/gdi/GdiApi.h"

namespace quorvel::dialogs::detail {
namespace {

struct Box {
    CString text;
    UINT type = 0;
    std::vector<int> buttons;
    size_t defIndex = 0;
    POINT icon{};
};

Box* BoxOf(HWND box) {
    return reinterpret_cast<Box*>(GetWindowLongPtr(box, DWLP_USER));
}

void Arrange(HWND hwnd, Box& box) {
    HFONT font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font);
    const MessageBoxLayout layout = LayOutMessageBox(dc, box.text, box.type, box.buttons);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    box.icon = layout.icon;
    auto place = [&](HWND c, const RECT& r) {
        SendMessage(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        MoveWindow(c, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    };
    for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(c);
        auto at = std::find(box.buttons.begin(), box.buttons.end(), id);
        place(c, at == box.buttons.end() ? layout.text : layout.buttons[at - box.buttons.begin()]);
    }
    RECT frame{0, 0, layout.client.cx, layout.client.cy};
    AdjustWindowRectEx(&frame, GetWindowLong(hwnd, GWL_STYLE), FALSE,
                       GetWindowLong(hwnd, GWL_EXSTYLE));
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    SetWindowPos(hwnd, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Paint(HWND hwnd, const Box& box) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (HasIcon(box.type)) DrawMessageBoxIcon(dc, box.icon.x, box.icon.y, box.type);
    EndPaint(hwnd, &ps);
}

void Answer(HWND hwnd, const Box& box, int id) {
    if (std::find(box.buttons.begin(), box.buttons.end(), id) != box.buttons.end()) {
        EndDialog(hwnd, id);
        return;
    }
    // Backing out of a box that only informs is the same as OK.
    if (id == IDCANCEL && box.buttons.size() == 1 && box.buttons[0] == IDOK) EndDialog(hwnd, IDOK);
}

BOOL MessageBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: {
            SetWindowLongPtr(hwnd, DWLP_USER, lParam);
            Box& box = *reinterpret_cast<Box*>(lParam);
            Arrange(hwnd, box);
            const int def = box.buttons[box.defIndex];
            SendMessage(hwnd, DM_SETDEFID, static_cast<WPARAM>(def), 0);
            SetDialogFocus(hwnd, GetDlgItem(hwnd, def));
            return FALSE;
        }
        case WM_PAINT:
            if (Box* box = BoxOf(hwnd)) Paint(hwnd, *box);
            return TRUE;
        case WM_COMMAND:
            if (Box* box = BoxOf(hwnd)) Answer(hwnd, *box, LOWORD(wParam));
            return TRUE;
        default:
            return FALSE;
    }
}

resources::DialogItemTemplate Item(const wchar_t* cls, const wchar_t* text, UINT id, DWORD style) {
    const DWORD all = static_cast<DWORD>(WS_CHILD | WS_VISIBLE) | style;
    return resources::DialogItemTemplate{cls, text, 0, id, 0, 0, 0, 0, all, 0, {}};
}

}  // namespace

int ShowMessageBox(HWND owner, const CString& text, const CString& caption, UINT type) {
    Install();
    if (owner && GetWindowThreadProcessId(owner, nullptr) != GetCurrentThreadId()) owner = nullptr;
    Box box{text, type, MessageBoxButtons(type), (type & MB_DEFMASK) >> 8, {}};
    if (box.defIndex >= box.buttons.size()) box.defIndex = 0;
    std::vector<resources::DialogItemTemplate> items;
    items.push_back(Item(L"Static", text.GetString(), 0xFFFF,
                         static_cast<DWORD>(SS_LEFT | SS_NOPREFIX | WS_GROUP)));
    for (size_t i = 0; i < box.buttons.size(); ++i) {
        const DWORD style =
            static_cast<DWORD>(WS_TABSTOP | (i == 0 ? WS_GROUP : 0) |
                               (i == box.defIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
        items.push_back(Item(L"Button", MessageBoxButtonLabel(box.buttons[i]),
                             static_cast<UINT>(box.buttons[i]), style));
    }
    resources::DialogTemplate tmpl{};
    tmpl.style = static_cast<DWORD>(WS_POPUP | WS_CAPTION | DS_MODALFRAME);
    tmpl.cx = 100;
    tmpl.cy = 50;
    tmpl.caption = caption.GetString();
    tmpl.fontFace = L"";
    tmpl.items = items;
    HWND hwnd = BuildDialog(tmpl, owner, &MessageBoxProc, reinterpret_cast<LPARAM>(&box));
    if (!hwnd) return 0;
    ModalInfo info;
    info.caption = caption;
    info.text = text;
    info.type = type;
    info.messageBox = true;
    return static_cast<int>(RunModal(hwnd, OwnerFor(owner), info));
}

}  // namespace quorvel::dialogs::detail

namespace quorvel::dialogs {

void InstallMessageBoxes() {
    Install();
    SetMessageBoxHandler([](const MessageBoxRequest& request) {
        HWND owner = request.owner;
        if (!owner && request.framework) owner = GetActiveWindow();
        return detail::ShowMessageBox(owner, request.text, request.caption, request.type);
    });
}

}  // namespace quorvel::dialogs
