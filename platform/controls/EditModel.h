// The text of an edit control with its selection, and the edits the user
// makes to it. Knows nothing of windows or pixels. A line break is "\r\n"
// and counts as one step for the caret, Backspace and Delete.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::controls {

class EditModel {
  public:
    const std::wstring& text() const { return m_text; }
    size_t caret() const { return m_caret; }
    size_t anchor() const { return m_anchor; }
    size_t selStart() const { return m_caret < m_anchor ? m_caret : m_anchor; }
    size_t selEnd() const { return m_caret < m_anchor ? m_anchor : m_caret; }
    bool hasSelection() const { return m_caret != m_anchor; }

    // Replaces all the text; the caret goes to the start.
    void SetText(std::wstring_view text);
    // start < 0 selects nothing (the caret stays); end < 0 or past the end
    // means the end of the text. The caret goes to `end`.
    void Select(long start, long end);
    void MoveTo(size_t pos, bool extend);

    // Replaces the selection with `insert`, cut so the text stays within
    // `limit` characters; false when something had to be cut.
    bool ReplaceSelection(std::wstring_view insert, size_t limit);
    // Backspace / Delete: the selection, else one step. False when nothing
    // was removed.
    bool EraseBack();
    bool EraseForward();

    // One caret step back and forward, over "\r\n" as a whole.
    size_t Prev(size_t pos) const;
    size_t Next(size_t pos) const;

    // Whether the text changed since the last call; if so, its first `from`
    // and last `tail` characters are as they were then.
    bool TakeChange(size_t& from, size_t& tail);

  private:
    void NoteChange(size_t start, size_t inserted);

    std::wstring m_text;
    size_t m_caret = 0;
    size_t m_anchor = 0;
    bool m_changed = false;
    size_t m_changeFrom = 0;
    size_t m_changeTail = 0;
};

}  // namespace quorvel::controls
