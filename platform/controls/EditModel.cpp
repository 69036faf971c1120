#include "platform/controls/EditModel.h"

#include <algorithm>

namespace quorvel::controls {

void EditModel::SetText(std::wstring_view text) {
    m_text = text;
    m_caret = m_anchor = 0;
    m_changed = true;
    m_changeFrom = m_changeTail = 0;
}

void EditModel::NoteChange(size_t start, size_t inserted) {
    const size_t tail = m_text.size() - (start + inserted);
    m_changeFrom = m_changed ? std::min(m_changeFrom, start) : start;
    m_changeTail = m_changed ? std::min(m_changeTail, tail) : tail;
    m_changed = true;
}

bool EditModel::TakeChange(size_t& from, size_t& tail) {
    if (!m_changed) return false;
    from = m_changeFrom;
    tail = m_changeTail;
    m_changed = false;
    return true;
}

void EditModel::Select(long start, long end) {
    const long size = static_cast<long>(m_text.size());
    if (start < 0) {
        m_anchor = m_caret;
        return;
    }
    if (end < 0 || end > size) end = size;
    m_anchor = static_cast<size_t>(std::min(start, size));
    m_caret = static_cast<size_t>(end);
}

void EditModel::MoveTo(size_t pos, bool extend) {
    m_caret = std::min(pos, m_text.size());
    if (!extend) m_anchor = m_caret;
}

bool EditModel::ReplaceSelection(std::wstring_view insert, size_t limit) {
    const size_t start = selStart(), end = selEnd();
    const size_t kept = m_text.size() - (end - start);
    const size_t room = kept < limit ? limit - kept : 0;
    std::wstring_view fits = insert.substr(0, std::min(room, insert.size()));
    // Never split a line break.
    if (!fits.empty() && fits.size() < insert.size() && fits.back() == L'\r') fits.remove_suffix(1);
    m_text.replace(start, end - start, fits);
    NoteChange(start, fits.size());
    m_caret = m_anchor = start + fits.size();
    return fits.size() == insert.size();
}

bool EditModel::EraseBack() {
    if (!hasSelection()) {
        if (m_caret == 0) return false;
        m_anchor = Prev(m_caret);
    }
    return ReplaceSelection({}, m_text.size());
}

bool EditModel::EraseForward() {
    if (!hasSelection()) {
        if (m_caret >= m_text.size()) return false;
        m_anchor = Next(m_caret);
    }
    return ReplaceSelection({}, m_text.size());
}

size_t EditModel::Prev(size_t pos) const {
    if (pos == 0) return 0;
    if (pos >= 2 && m_text[pos - 1] == L'\n' && m_text[pos - 2] == L'\r') return pos - 2;
    return pos - 1;
}

size_t EditModel::Next(size_t pos) const {
    if (pos >= m_text.size()) return m_text.size();
    if (m_text[pos] == L'\r' && pos + 1 < m_text.size() && m_text[pos + 1] == L'\n') return pos + 2;
    return pos + 1;
}

}  // namespace quorvel::controls
