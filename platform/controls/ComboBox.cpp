// The combo box's messages and items.
#include "platform/controls/ComboBox.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "platform/controls/ListBox.h"
#include "platform/controls/StylePainter.h"

namespace quorvel::controls {
namespace {

// Combo messages with a list box twin: CB_x -> LB_x.
UINT ListTwin(UINT msg) {
    switch (msg) {
        case CB_ADDSTRING:
            return LB_ADDSTRING;
        case CB_DELETESTRING:
            return LB_DELETESTRING;
        case CB_GETCOUNT:
            return LB_GETCOUNT;
        case CB_GETCURSEL:
            return LB_GETCURSEL;
        case CB_GETLBTEXT:
            return LB_GETTEXT;
        case CB_GETLBTEXTLEN:
            return LB_GETTEXTLEN;
        case CB_INSERTSTRING:
            return LB_INSERTSTRING;
        case CB_FINDSTRING:
            return LB_FINDSTRING;
        case CB_FINDSTRINGEXACT:
            return LB_FINDSTRINGEXACT;
        case CB_GETITEMDATA:
            return LB_GETITEMDATA;
        case CB_SETITEMDATA:
            return LB_SETITEMDATA;
        case CB_GETTOPINDEX:
            return LB_GETTOPINDEX;
        case CB_SETTOPINDEX:
            return LB_SETTOPINDEX;
        default:
            return 0;
    }
}

WNDPROC g_editProc = nullptr;

}  // namespace

LRESULT ComboBox::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            Create(reinterpret_cast<const CREATESTRUCT*>(lParam));
            return 0;
        case WM_DESTROY:
            if (m_list) DestroyWindow(m_list);
            m_list = nullptr;
            return Default(msg, wParam, lParam);
        case WM_SIZE:
            Resize();
            return Default(msg, wParam, lParam);
        case WM_SETFONT:
            Default(msg, wParam, lParam);
            if (m_list) SendMessage(m_list, WM_SETFONT, wParam, 0);
            if (m_edit) SendMessage(m_edit, WM_SETFONT, wParam, lParam);
            Resize();
            return 0;
        case WM_SETTEXT:
            return OnSetText(reinterpret_cast<LPCTSTR>(lParam));
        case WM_GETTEXT:
            return OnGetText(wParam, reinterpret_cast<LPTSTR>(lParam));
        case WM_GETTEXTLENGTH:
            return m_edit ? GetWindowTextLength(m_edit)
                          : static_cast<LRESULT>(ItemText(Selection()).size());
        case WM_ENABLE:
            if (m_edit) EnableWindow(m_edit, static_cast<BOOL>(wParam));
            if (!wParam && m_dropped) Close(false);
            Invalidate();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS | (m_dropped ? DLGC_WANTALLKEYS : 0);
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            OnFocus(msg == WM_SETFOCUS);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
            if (m_dropped && GetCapture() == m_hwnd) {
                ForwardToList(msg, wParam, lParam);
            } else if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
                OnButtonDown(MousePoint(lParam));
            }
            return 0;
        case WM_CAPTURECHANGED:
            if (m_dropped && reinterpret_cast<HWND>(lParam) != m_hwnd) Close(false);
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(static_cast<UINT>(wParam));
            return 0;
        case WM_CHAR:
            OnChar(static_cast<wchar_t>(wParam));
            return 0;
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lParam) == m_edit && m_edit)
                OnEditNotification(HIWORD(wParam));
            return 0;
        case kComboListDone:
            Close(wParam != 0);
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        default:
            if (msg >= CB_GETEDITSEL && msg <= CB_SETTOPINDEX)
                return OnItemMessage(msg, wParam, lParam);
            return Default(msg, wParam, lParam);
    }
}

void ComboBox::Create(const CREATESTRUCT* cs) {
    m_list = CreateWindowEx(WS_EX_TOPMOST | WS_EX_NOACTIVATE, L"ComboLBox", L"",
                            WS_POPUP | WS_BORDER | WS_VSCROLL, 0, 0, 10, 10, m_hwnd, nullptr,
                            nullptr, m_hwnd);
    if (HasEdit()) {
        m_edit = CreateWindowEx(0, WC_EDIT, cs->lpszName ? cs->lpszName : L"",
                                WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 10, 10, m_hwnd,
                                reinterpret_cast<HMENU>(intptr_t{1001}), nullptr, nullptr);
        g_editProc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(m_edit, GWL_WNDPROC));
        SetWindowLongPtr(m_edit, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&ComboEditProc));
    }
    m_dropHeight = cs->cy;
    Resize();
}

// The field is as tall as its text needs; any height beyond that given to
// the window is room for the open list.
void ComboBox::Resize() {
    ScratchDc scratch;
    m_fieldHeight = StylePainter(scratch.dc, m_font).TextHeight() + 8;
    const RECT r = clientRect();
    if (r.bottom > m_fieldHeight) {
        m_dropHeight = r.bottom - m_fieldHeight;
        SetWindowPos(m_hwnd, nullptr, 0, 0, r.right, m_fieldHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    if (m_edit) {
        const RECT button = ButtonRect();
        MoveWindow(m_edit, 3, 3, std::max<int>(0, button.left - 4), r.bottom - 6, TRUE);
    }
    Invalidate();
}

LRESULT ComboBox::OnItemMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (const UINT twin = ListTwin(msg)) {
        const LRESULT result = SendMessage(m_list, twin, wParam, lParam);
        if (msg == CB_DELETESTRING || msg == CB_INSERTSTRING || msg == CB_ADDSTRING) Invalidate();
        return result;
    }
    switch (msg) {
        case CB_RESETCONTENT:
            SendMessage(m_list, LB_RESETCONTENT, 0, 0);
            ShowSelectionText();
            return CB_OKAY;
        case CB_SETCURSEL: {
            const LRESULT result = SendMessage(m_list, LB_SETCURSEL, wParam, 0);
            ShowSelectionText();
            return result;
        }
        case CB_SELECTSTRING: {
            const LRESULT found = SendMessage(m_list, LB_FINDSTRING, wParam, lParam);
            if (found == LB_ERR) return CB_ERR;
            SendMessage(m_list, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
            ShowSelectionText();
            return found;
        }
        case CB_SHOWDROPDOWN:
            if (wParam && !m_dropped) Open();
            if (!wParam && m_dropped) Close(false);
            return TRUE;
        case CB_GETDROPPEDSTATE:
            return m_dropped;
        case CB_GETDROPPEDCONTROLRECT:
            if (lParam) *reinterpret_cast<RECT*>(lParam) = DropRect();
            return CB_OKAY;
        case CB_GETITEMHEIGHT:
            return static_cast<int>(wParam) == -1 ? m_fieldHeight
                                                  : SendMessage(m_list, LB_GETITEMHEIGHT, 0, 0);
        case CB_SETITEMHEIGHT:
            if (static_cast<int>(wParam) == -1) return CB_ERR;
            return SendMessage(m_list, LB_SETITEMHEIGHT, 0, lParam);
        case CB_LIMITTEXT:
            return m_edit ? SendMessage(m_edit, EM_LIMITTEXT, wParam, 0) : TRUE;
        case CB_GETEDITSEL:
            return m_edit ? SendMessage(m_edit, EM_GETSEL, wParam, lParam) : CB_ERR;
        case CB_SETEDITSEL:
            if (!m_edit) return CB_ERR;
            SendMessage(m_edit, EM_SETSEL, static_cast<WPARAM>(static_cast<short>(LOWORD(lParam))),
                        static_cast<short>(HIWORD(lParam)));
            return TRUE;
        default:
            return CB_ERR;
    }
}

// A drop-down list shows the item with that text; an editable combo box
// takes any text.
LRESULT ComboBox::OnSetText(LPCTSTR text) {
    if (m_edit) {
        m_settingEditText = true;
        SetWindowText(m_edit, text ? text : L"");
        m_settingEditText = false;
        return TRUE;
    }
    const LRESULT found = SendMessage(m_list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(text));
    if (found == LB_ERR) return CB_ERR;
    SendMessage(m_list, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
    ShowSelectionText();
    return TRUE;
}

LRESULT ComboBox::OnGetText(WPARAM size, LPTSTR buffer) const {
    if (m_edit) return GetWindowText(m_edit, buffer, static_cast<int>(size));
    if (!buffer || size == 0) return 0;
    const std::wstring t = ItemText(Selection());
    const size_t n = std::min<size_t>(t.size(), size - 1);
    std::wmemcpy(buffer, t.data(), n);
    buffer[n] = L'\0';
    return static_cast<LRESULT>(n);
}

// Only typing in the edit counts as an edit change; text put there from
// the list does not.
void ComboBox::OnEditNotification(UINT code) {
    switch (code) {
        case EN_CHANGE:
            if (!m_settingEditText) Command(CBN_EDITCHANGE);
            break;
        case EN_UPDATE:
            if (!m_settingEditText) Command(CBN_EDITUPDATE);
            break;
        case EN_SETFOCUS:
            Command(CBN_SETFOCUS);
            break;
        case EN_KILLFOCUS:
            if (m_dropped) Close(false);
            Command(CBN_KILLFOCUS);
            break;
        default:
            break;
    }
}

void ComboBox::ShowSelectionText() {
    if (m_edit) {
        m_settingEditText = true;
        SetWindowText(m_edit, ItemText(Selection()).c_str());
        SendMessage(m_edit, EM_SETSEL, 0, -1);
        m_settingEditText = false;
    }
    Invalidate();
}

void ComboBox::OnFocus(bool gained) {
    if (gained && m_edit) {
        SetFocus(m_edit);
        return;
    }
    if (!gained && m_dropped) Close(false);
    Invalidate();
    if (!m_edit) Command(gained ? CBN_SETFOCUS : CBN_KILLFOCUS);
}

long ComboBox::Selection() const {
    return static_cast<long>(SendMessage(m_list, LB_GETCURSEL, 0, 0));
}

std::wstring ComboBox::ItemText(long index) const {
    const LRESULT n = SendMessage(m_list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (index < 0 || n == LB_ERR) return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(n) + 1);
    SendMessage(m_list, LB_GETTEXT, static_cast<WPARAM>(index),
                reinterpret_cast<LPARAM>(buffer.data()));
    return buffer.data();
}

std::string ComboBox::Describe() const {
    std::string out = " sel=" + std::to_string(Selection());
    if (m_dropped) out += " dropped";
    out += " items=[";
    const long count = static_cast<long>(SendMessage(m_list, LB_GETCOUNT, 0, 0));
    for (long i = 0; i < count; ++i) out += (i ? "," : "") + Quote(ItemText(i));
    return out + "]";
}

LRESULT ComboEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND combo = GetParent(hwnd);
    if (msg == WM_KEYDOWN) {
        const bool dropped = SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
        if (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_F4 ||
            (dropped && (wParam == VK_RETURN || wParam == VK_ESCAPE)))
            return SendMessage(combo, WM_KEYDOWN, wParam, lParam);
    }
    if (msg == WM_CHAR && (wParam == L'\r' || wParam == 27) &&
        SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0))
        return 0;
    if (msg == WM_GETDLGCODE)
        return CallWindowProc(g_editProc, hwnd, msg, wParam, lParam) |
               SendMessage(combo, WM_GETDLGCODE, wParam, lParam);
    return CallWindowProc(g_editProc, hwnd, msg, wParam, lParam);
}

}  // namespace quorvel::controls
