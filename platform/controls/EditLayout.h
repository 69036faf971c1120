// The lines an edit control shows: a multi-line edit breaks its text at
// line breaks and, with word wrap, before words that would cross the right
// edge (anywhere inside a word longer than the width, as Chinese text has
// no spaces).
#pragma once

#include <functional>
#include <string_view>
#include <vector>

namespace quorvel::controls {

struct EditLine {
    size_t start = 0;  // first character
    size_t end = 0;    // one past the last shown (line breaks are not shown)
};

// `width` of a run of text in pixels.
using MeasureText = std::function<int(std::wstring_view)>;

// wrapWidth <= 0: no word wrap.
std::vector<EditLine> LayoutEditLines(std::wstring_view text, bool multiline, int wrapWidth,
                                      const MeasureText& measure);
// The line holding character `pos` (a position at a wrap belongs to the
// next line).
size_t LineOf(const std::vector<EditLine>& lines, size_t pos);

}  // namespace quorvel::controls
