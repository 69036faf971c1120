// The edit control's keys, characters and stylus.
#include <cwctype>

#include "platform/controls/Edit.h"
#include "platform/controls/ScrollBars.h"

namespace quorvel::controls {
namespace {

bool ShiftDown() {
    return GetKeyState(VK_SHIFT) < 0;
}

bool ControlDown() {
    return GetKeyState(VK_CONTROL) < 0;
}

}  // namespace

void Edit::OnChar(wchar_t ch) {
    if (ReadOnly()) return;
    const DWORD s = style();
    if (ch == L'\b') {
        if (m_model.EraseBack()) Changed();
        return;
    }
    if (ch == L'\r' || ch == L'\n') {
        if (Multiline()) Insert(L"\r\n");
        return;
    }
    if (ch == L'\t' && !Multiline()) return;
    if (ch < 0x20 && ch != L'\t') return;
    if ((s & ES_NUMBER) && (ch < L'0' || ch > L'9')) return;
    if (s & ES_UPPERCASE) ch = static_cast<wchar_t>(std::towupper(ch));
    if (s & ES_LOWERCASE) ch = static_cast<wchar_t>(std::towlower(ch));
    Insert(std::wstring_view(&ch, 1));
}

// Typing past the limit changes nothing and says EN_MAXTEXT.
void Edit::Insert(std::wstring_view text) {
    const size_t before = m_model.text().size();
    const bool hadSelection = m_model.hasSelection();
    const bool whole = m_model.ReplaceSelection(text, m_limit);
    if (!whole) Command(EN_MAXTEXT);
    // What is inserted is cut whole or not at all (a character, or a line
    // break), so the text changed exactly when its length or selection did.
    if (hadSelection || m_model.text().size() != before || whole) Changed();
}

void Edit::OnKeyDown(UINT key) {
    const bool extend = ShiftDown();
    const size_t caret = m_model.caret();
    const EditLine& line = m_lines[LineOf(m_lines, caret)];
    switch (key) {
        case VK_LEFT:
            m_model.MoveTo(m_model.Prev(caret), extend);
            break;
        case VK_RIGHT:
            m_model.MoveTo(m_model.Next(caret), extend);
            break;
        case VK_UP:
            if (!Multiline())
                m_model.MoveTo(m_model.Prev(caret), extend);
            else
                MoveVertically(-1, extend);
            break;
        case VK_DOWN:
            if (!Multiline())
                m_model.MoveTo(m_model.Next(caret), extend);
            else
                MoveVertically(1, extend);
            break;
        case VK_PRIOR:
            MoveVertically(-VisibleLines(), extend);
            break;
        case VK_NEXT:
            MoveVertically(VisibleLines(), extend);
            break;
        case VK_HOME:
            m_model.MoveTo(ControlDown() ? 0 : line.start, extend);
            break;
        case VK_END:
            m_model.MoveTo(ControlDown() ? m_model.text().size() : line.end, extend);
            break;
        case VK_DELETE:
            if (!ReadOnly() && m_model.EraseForward()) Changed();
            return;
        default:
            return;
    }
    ScrollToCaret();
    Invalidate();
}

// Up and down keep the caret's x as near as the other line allows.
void Edit::MoveVertically(int lines, bool extend) {
    if (!Multiline()) return;
    const size_t line = LineOf(m_lines, m_model.caret());
    const long target =
        std::clamp<long>(static_cast<long>(line) + lines, 0, static_cast<long>(m_lines.size()) - 1);
    const RECT area = TextArea();
    const int x = XOf(m_model.caret()) + area.left;
    const int top =
        area.top + (static_cast<int>(target) - static_cast<int>(m_topLine)) * LineHeight();
    m_model.MoveTo(PosAt(POINT{x, top}), extend);
}

void Edit::OnButtonDown(POINT p, bool) {
    if (!focused()) SetFocus(m_hwnd);
    if (!IsWindow(m_hwnd)) return;
    if (HasScrollBar() && PressBar(true, p)) {
        SetCapture(m_hwnd);
        Invalidate();
        return;
    }
    m_model.MoveTo(PosAt(p), ShiftDown());
    m_dragging = true;
    SetCapture(m_hwnd);
    ScrollToCaret();
    Invalidate();
}

void Edit::OnButtonMove(POINT p) {
    if (DragBar(p)) return;
    if (!m_dragging) return;
    m_model.MoveTo(PosAt(p), true);
    ScrollToCaret();
    Invalidate();
}

void Edit::OnButtonUp(POINT p) {
    if (ReleaseBar(p)) return;
    if (!m_dragging) return;
    m_dragging = false;
    if (GetCapture() == m_hwnd) ReleaseCapture();
}

}  // namespace quorvel::controls
