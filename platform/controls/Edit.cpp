// The edit control's messages.
#include "platform/controls/Edit.h"

#include <algorithm>
#include <cwchar>

#include "platform/controls/ScrollBars.h"

namespace quorvel::controls {

LRESULT Edit::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_NCCREATE: {
            const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
            m_model.SetText(cs && cs->lpszName ? cs->lpszName : L"");
            return Default(msg, wParam, lParam);
        }
        case WM_SETTEXT:
            return OnSetText(reinterpret_cast<LPCTSTR>(lParam));
        case WM_GETTEXT:
            return OnGetText(wParam, reinterpret_cast<LPTSTR>(lParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(m_model.text().size());
        case WM_CHAR:
            OnChar(static_cast<wchar_t>(wParam));
            return 0;
        case WM_HSCROLL:
            return Default(msg, wParam, lParam);
        case WM_CLEAR:
            if (!ReadOnly() && m_model.hasSelection()) {
                m_model.EraseBack();
                Changed();
            }
            return 0;
        default:
            if (msg >= EM_GETSEL && msg <= EM_CHARFROMPOS)
                return OnEditMessage(msg, wParam, lParam);
            return Route(msg, wParam, lParam);
    }
}

LRESULT Edit::OnEditMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case EM_GETSEL:
            return OnGetSel(reinterpret_cast<DWORD*>(wParam), reinterpret_cast<DWORD*>(lParam));
        case EM_SETSEL:
            m_model.Select(static_cast<long>(static_cast<int>(wParam)),
                           static_cast<long>(static_cast<int>(lParam)));
            ScrollToCaret();
            Invalidate();
            return 0;
        case EM_REPLACESEL: {
            const size_t before = m_model.text().size();
            const std::wstring_view insert = lParam ? reinterpret_cast<LPCTSTR>(lParam) : L"";
            if (!m_model.ReplaceSelection(insert, std::max(m_limit, before))) Command(EN_MAXTEXT);
            Changed();
            return 0;
        }
        case EM_LIMITTEXT:
            m_limit = wParam == 0 ? kMaxLimit : std::min<size_t>(wParam, kMaxLimit);
            return 0;
        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(m_limit);
        case EM_GETMODIFY:
            return m_modified;
        case EM_SETMODIFY:
            m_modified = wParam != 0;
            return 0;
        case EM_SETREADONLY:
            SetReadOnly(wParam != 0);
            return TRUE;
        case EM_SETPASSWORDCHAR:
            SetPasswordChar(static_cast<wchar_t>(wParam));
            return 0;
        case EM_GETPASSWORDCHAR:
            return (style() & ES_PASSWORD) ? m_passwordChar : 0;
        case EM_CANUNDO:
        case EM_UNDO:
            return FALSE;
        case EM_EMPTYUNDOBUFFER:
            return 0;
        case EM_SCROLLCARET:
            ScrollToCaret();
            Invalidate();
            return TRUE;
        case EM_GETLINECOUNT:
        case EM_LINEINDEX:
        case EM_LINELENGTH:
        case EM_LINEFROMCHAR:
        case EM_GETLINE:
        case EM_GETFIRSTVISIBLELINE:
        case EM_LINESCROLL:
        case EM_POSFROMCHAR:
        case EM_CHARFROMPOS:
            return OnLineMessage(msg, wParam, lParam);
        default:
            return 0;
    }
}

// Text set by the program: a single-line edit reports it as a change, a
// multi-line one does not.
LRESULT Edit::OnSetText(LPCTSTR text) {
    m_model.SetText(text ? text : L"");
    m_modified = false;
    m_scrollX = 0;
    m_topLine = 0;
    SyncWindowText();
    Relayout();
    if (!Multiline()) {
        Command(EN_UPDATE);
        Invalidate();
        Command(EN_CHANGE);
    } else {
        Invalidate();
    }
    return TRUE;
}

LRESULT Edit::OnGetText(WPARAM size, LPTSTR buffer) const {
    if (!buffer || size == 0) return 0;
    const std::wstring& t = m_model.text();
    const size_t n = std::min<size_t>(t.size(), size - 1);
    std::wmemcpy(buffer, t.data(), n);
    buffer[n] = L'\0';
    return static_cast<LRESULT>(n);
}

LRESULT Edit::OnGetSel(DWORD* start, DWORD* end) const {
    const auto s = static_cast<DWORD>(m_model.selStart());
    const auto e = static_cast<DWORD>(m_model.selEnd());
    if (start) *start = s;
    if (end) *end = e;
    if (s > 0xFFFF || e > 0xFFFF) return -1;
    return MAKELONG(s, e);
}

LRESULT Edit::DialogCode(const MSG* msg) const {
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if (!Multiline()) return code;
    // A multi-line edit wants every key except those the dialog acts on:
    // Tab, Escape, and Enter unless it keeps Enter for new lines.
    if (msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR)) {
        const WPARAM key = msg->wParam;
        if (key == VK_TAB || key == VK_ESCAPE) return code;
        if (key == VK_RETURN && !(style() & ES_WANTRETURN)) return code;
    }
    return code | DLGC_WANTALLKEYS;
}

void Edit::SetPasswordChar(wchar_t ch) {
    const LONG s = GetWindowLong(m_hwnd, GWL_STYLE);
    if (ch) m_passwordChar = ch;
    SetWindowLong(m_hwnd, GWL_STYLE, ch ? (s | ES_PASSWORD) : (s & ~ES_PASSWORD));
    Relayout();
    Invalidate();
}

void Edit::SetReadOnly(bool on) {
    const LONG s = GetWindowLong(m_hwnd, GWL_STYLE);
    SetWindowLong(m_hwnd, GWL_STYLE, on ? (s | ES_READONLY) : (s & ~ES_READONLY));
    Invalidate();
}

void Edit::OnFocus(bool gained) {
    if (!gained) {
        m_dragging = false;
        if (GetCapture() == m_hwnd) ReleaseCapture();
    }
    Invalidate();
    Command(gained ? EN_SETFOCUS : EN_KILLFOCUS);
}

void Edit::Changed() {
    m_modified = true;
    SyncWindowText();
    Reflow();
    ScrollToCaret();
    Command(EN_UPDATE);
    Invalidate();
    Command(EN_CHANGE);
}

// The window manager keeps a copy of every window's text for the
// functions that read it without a message.
void Edit::SyncWindowText() {
    DefWindowProc(m_hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_model.text().c_str()));
}

std::string Edit::Describe() const {
    std::string out =
        " sel=" + std::to_string(m_model.selStart()) + ".." + std::to_string(m_model.selEnd());
    if (m_limit != kDefaultLimit) out += " limit=" + std::to_string(m_limit);
    if (m_modified) out += " modified";
    return out;
}

}  // namespace quorvel::controls
