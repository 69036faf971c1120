#include "platform/controls/EditLayout.h"

namespace quorvel::controls {
namespace {

// Wraps one hard line [start, end) of `text` into `out`.
void WrapLine(std::wstring_view text, size_t start, size_t end, int width,
              const MeasureText& measure, std::vector<EditLine>& out) {
    while (true) {
        if (width <= 0 || measure(text.substr(start, end - start)) <= width) {
            out.push_back({start, end});
            return;
        }
        // The longest run from `start` that fits, at least one character.
        size_t fit = start + 1;
        while (fit < end && measure(text.substr(start, fit + 1 - start)) <= width) ++fit;
        size_t cut = fit;
        for (size_t i = fit; i > start; --i) {
            if (text[i - 1] == L' ' || text[i - 1] == L'\t') {
                cut = i;
                break;
            }
        }
        // Spaces after the break stay on the line they end.
        while (cut < end && text[cut] == L' ') ++cut;
        if (cut >= end) {
            out.push_back({start, end});
            return;
        }
        out.push_back({start, cut});
        start = cut;
    }
}

}  // namespace

std::vector<EditLine> LayoutEditLines(std::wstring_view text, bool multiline, int wrapWidth,
                                      const MeasureText& measure) {
    std::vector<EditLine> lines;
    if (!multiline) {
        lines.push_back({0, text.size()});
        return lines;
    }
    size_t start = 0;
    while (true) {
        size_t end = text.find(L'\n', start);
        const bool last = end == std::wstring_view::npos;
        if (last) end = text.size();
        size_t shown = end;
        if (!last && shown > start && text[shown - 1] == L'\r') --shown;
        WrapLine(text, start, shown, wrapWidth, measure, lines);
        if (last) break;
        start = end + 1;
    }
    return lines;
}

size_t LineOf(const std::vector<EditLine>& lines, size_t pos) {
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        if (pos < lines[i + 1].start) return i;
    return lines.empty() ? 0 : lines.size() - 1;
}

}  // namespace quorvel::controls
