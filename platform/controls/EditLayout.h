// The lines an edit control shows: a multi-line edit breaks its text at
// line breaks and, with word wrap, before words that would cross the right
// edge (anywhere inside a word longer than the width, as Chinese text has
// no spaces).
//
// Laying out is linear in the text: each hard line is measured once, a
// chunk at a time as the wrapping reaches it. After an edit only the lines
// from just before the change are laid out again, up to the first line that
// starts where an old one did on unchanged text; the old lines after it are
// kept, moved by the change in length.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

namespace quorvel::controls {

struct EditLine {
    size_t start = 0;  // first character
    size_t end = 0;    // one past the last shown (line breaks are not shown)
    int width = 0;     // pixel width of the characters shown
};

// Fills `offsets` with the widths of `run`'s prefixes: offsets[i] is the
// width of run[0, i), so offsets has run.size() + 1 entries. Widths add up
// character by character, as the device's fonts measure.
using MeasureOffsets = std::function<void(std::wstring_view run, std::vector<int>& offsets)>;

// wrapWidth <= 0: no word wrap.
std::vector<EditLine> LayoutEditLines(std::wstring_view text, bool multiline, int wrapWidth,
                                      const MeasureOffsets& measure);

// Lays `lines` out again for `text` after an edit: `lines` were laid out
// with the same width and font for a text `oldLength` long whose first
// `from` and last `tail` characters `text` shares.
void RelayoutEditLines(std::vector<EditLine>& lines, size_t oldLength, std::wstring_view text,
                       size_t from, size_t tail, bool multiline, int wrapWidth,
                       const MeasureOffsets& measure);

// The line holding character `pos` (a position at a wrap belongs to the
// next line).
size_t LineOf(const std::vector<EditLine>& lines, size_t pos);

}  // namespace quorvel::controls
