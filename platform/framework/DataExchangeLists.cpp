// Data exchange with buttons, list boxes and combo boxes, and DDX_Control.
#include "platform/framework/DataExchange.h"
#include "platform/framework/DataExchangePrompt.h"

using namespace quorvel::framework;

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessage(control, BM_GETCHECK, 0, 0));
    } else {
        ::SendMessage(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}

namespace {

bool IsRadio(HWND control) {
    return (::SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

bool StartsGroup(HWND control) {
    return (::GetWindowLong(control, GWL_STYLE) & WS_GROUP) != 0;
}

}  // namespace

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
    HWND first = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) value = -1;
    int index = 0;
    for (HWND c = first; c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (c != first && StartsGroup(c)) break;
        if (!IsRadio(c)) continue;
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessage(c, BM_GETCHECK, 0, 0) == BST_CHECKED && value == -1) value = index;
        } else {
            ::SendMessage(c, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        index = static_cast<int>(::SendMessage(control, CB_GETCURSEL, 0, 0));
    } else {
        ::SendMessage(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        index = static_cast<int>(::SendMessage(control, LB_GETCURSEL, 0, 0));
    } else {
        ::SendMessage(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

namespace {

CString ItemText(HWND control, UINT lenMsg, UINT textMsg, int item) {
    CString text;
    const auto length = static_cast<int>(::SendMessage(control, lenMsg, item, 0));
    if (length <= 0) return text;
    ::SendMessage(control, textMsg, item,
                  reinterpret_cast<LPARAM>(text.GetBufferSetLength(length)));
    text.ReleaseBuffer();
    return text;
}

CString ComboText(HWND control) {
    CString text = ControlText(control);
    if (!text.IsEmpty()) return text;
    const auto sel = static_cast<int>(::SendMessage(control, CB_GETCURSEL, 0, 0));
    return sel < 0 ? text : ItemText(control, CB_GETLBTEXTLEN, CB_GETLBTEXT, sel);
}

// Writing a combo's string: the matching item is selected; an editable
// combo with no match shows the text itself.
void SetComboString(HWND control, const CString& value, UINT findMsg) {
    const auto found = static_cast<int>(::SendMessage(control, findMsg, static_cast<WPARAM>(-1),
                                                      reinterpret_cast<LPARAM>(value.GetString())));
    if (found != CB_ERR) {
        ::SendMessage(control, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
        return;
    }
    ::SendMessage(control, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetControlText(control, value);
}

void SetListString(HWND control, const CString& value, UINT findMsg) {
    const auto found = static_cast<int>(::SendMessage(control, findMsg, static_cast<WPARAM>(-1),
                                                      reinterpret_cast<LPARAM>(value.GetString())));
    ::SendMessage(control, LB_SETCURSEL, static_cast<WPARAM>(found == LB_ERR ? -1 : found), 0);
}

CString ListText(HWND control) {
    const auto sel = static_cast<int>(::SendMessage(control, LB_GETCURSEL, 0, 0));
    return sel < 0 ? CString() : ItemText(control, LB_GETTEXTLEN, LB_GETTEXT, sel);
}

}  // namespace

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ComboText(control);
    } else {
        SetComboString(control, value, CB_FINDSTRING);
    }
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) {
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ComboText(control);
    } else {
        SetComboString(control, value, CB_FINDSTRINGEXACT);
    }
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) {
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ListText(control);
    } else {
        SetListString(control, value, LB_FINDSTRING);
    }
}

void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value) {
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ListText(control);
    } else {
        SetListString(control, value, LB_FINDSTRINGEXACT);
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd) return;
    HWND control = pDX->PrepareCtrl(nIDC);
    rControl.SubclassWindow(control);
}
