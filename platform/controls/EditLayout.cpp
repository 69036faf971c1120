#include "platform/controls/EditLayout.h"

#include <algorithm>

namespace quorvel::controls {
namespace {

constexpr size_t kChunk = 512;  // characters measured at a time

// The widths within one hard line [start, end), measured as they are asked
// for.
class LineWidths {
  public:
    LineWidths(std::wstring_view text, size_t start, size_t end, const MeasureOffsets& measure)
        : m_text(text), m_start(start), m_end(end), m_measure(measure), m_prefix{0} {}

    // Width of [a, b), m_start <= a <= b <= m_end.
    int Width(size_t a, size_t b) { return static_cast<int>(At(b) - At(a)); }

  private:
    long long At(size_t pos) {
        while (m_start + m_prefix.size() - 1 < pos) Extend();
        return m_prefix[pos - m_start];
    }
    void Extend() {
        const size_t from = m_start + m_prefix.size() - 1;
        const size_t n = std::min(kChunk, m_end - from);
        m_measure(m_text.substr(from, n), m_chunk);
        const long long base = m_prefix.back();
        for (size_t i = 1; i <= n; ++i) m_prefix.push_back(base + m_chunk[i]);
    }

    std::wstring_view m_text;
    size_t m_start;
    size_t m_end;
    const MeasureOffsets& m_measure;
    std::vector<long long> m_prefix;  // widths of [m_start, m_start + i)
    std::vector<int> m_chunk;
};

// Hands each line to `emit`, which returns false to stop.
using Emit = std::function<bool(const EditLine&)>;

// Wraps one hard line [start, end) from `start`, a line start in it.
// False when `emit` stopped.
bool WrapLine(std::wstring_view text, size_t start, size_t end, int width, LineWidths& widths,
              const Emit& emit) {
    while (true) {
        if (width <= 0 || start == end) return emit({start, end, widths.Width(start, end)});
        // The longest run from `start` that fits, at least one character.
        size_t fit = start + 1;
        while (fit < end && widths.Width(start, fit + 1) <= width) ++fit;
        if (fit == end) return emit({start, end, widths.Width(start, end)});
        size_t cut = fit;
        for (size_t i = fit; i > start; --i) {
            if (text[i - 1] == L' ' || text[i - 1] == L'\t') {
                cut = i;
                break;
            }
        }
        // Spaces after the break stay on the line they end.
        while (cut < end && text[cut] == L' ') ++cut;
        if (cut >= end) return emit({start, end, widths.Width(start, end)});
        if (!emit({start, cut, widths.Width(start, cut)})) return false;
        start = cut;
    }
}

// Lays out from `start`, a line start, to the end of the text or until
// `emit` stops.
void LayoutFrom(std::wstring_view text, size_t start, int wrapWidth, const MeasureOffsets& measure,
                const Emit& emit) {
    while (true) {
        size_t end = text.find(L'\n', start);
        const bool last = end == std::wstring_view::npos;
        if (last) end = text.size();
        size_t shown = end;
        if (!last && shown > start && text[shown - 1] == L'\r') --shown;
        LineWidths widths(text, start, shown, measure);
        if (!WrapLine(text, start, shown, wrapWidth, widths, emit) || last) return;
        start = end + 1;
    }
}

}  // namespace

std::vector<EditLine> LayoutEditLines(std::wstring_view text, bool multiline, int wrapWidth,
                                      const MeasureOffsets& measure) {
    std::vector<EditLine> lines;
    if (!multiline) {
        LineWidths widths(text, 0, text.size(), measure);
        lines.push_back({0, text.size(), widths.Width(0, text.size())});
        return lines;
    }
    LayoutFrom(text, 0, wrapWidth, measure, [&](const EditLine& line) {
        lines.push_back(line);
        return true;
    });
    return lines;
}

// A line's break depends on the text up to the character after the longest
// run that fits, which never reaches past the start of the line after next:
// so an edit in line k can change lines from k - 2 on, and no earlier.
void RelayoutEditLines(std::vector<EditLine>& lines, size_t oldLength, std::wstring_view text,
                       size_t from, size_t tail, bool multiline, int wrapWidth,
                       const MeasureOffsets& measure) {
    if (!multiline || lines.empty() || from + tail > std::min(oldLength, text.size())) {
        lines = LayoutEditLines(text, multiline, wrapWidth, measure);
        return;
    }
    const size_t changed = LineOf(lines, from);
    const size_t restart = changed >= 2 ? changed - 2 : 0;
    std::vector<EditLine> old(lines.begin() + static_cast<long>(restart), lines.end());
    lines.resize(restart);
    const size_t unchangedFrom = text.size() - tail;  // the shared tail starts here
    size_t next = 0;                                  // old lines passed
    LayoutFrom(text, old.front().start, wrapWidth, measure, [&](const EditLine& line) {
        if (line.start >= unchangedFrom) {
            // On the shared tail, a line that starts where an old one did is
            // followed by the old lines.
            const size_t oldStart = line.start - unchangedFrom + (oldLength - tail);
            while (next < old.size() && old[next].start < oldStart) ++next;
            if (next < old.size() && old[next].start == oldStart) {
                for (size_t i = next; i < old.size(); ++i) {
                    const EditLine& o = old[i];
                    lines.push_back(
                        {o.start - oldStart + line.start, o.end - oldStart + line.start, o.width});
                }
                return false;
            }
        }
        lines.push_back(line);
        return true;
    });
}

size_t LineOf(const std::vector<EditLine>& lines, size_t pos) {
    const auto after = std::upper_bound(lines.begin(), lines.end(), pos,
                                        [](size_t p, const EditLine& l) { return p < l.start; });
    return after == lines.begin() ? 0 : static_cast<size_t>(after - lines.begin()) - 1;
}

}  // namespace quorvel::controls
