#include "platform/gdi/SpanSet.h"

#include <algorithm>
#include <cmath>

namespace quorvel::gdi {
namespace {

const std::vector<Run> kNoRuns;

std::vector<Run> IntersectRuns(const std::vector<Run>& a, const std::vector<Run>& b) {
    std::vector<Run> out;
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const int x0 = std::max(a[i].x0, b[j].x0);
        const int x1 = std::min(a[i].x1, b[j].x1);
        if (x0 < x1) out.push_back(Run{x0, x1});
        if (a[i].x1 < b[j].x1) {
            ++i;
        } else {
            ++j;
        }
    }
    return out;
}

std::vector<Run> SubtractRuns(const std::vector<Run>& a, const std::vector<Run>& b) {
    std::vector<Run> out;
    size_t j = 0;
    for (Run r : a) {
        while (j < b.size() && b[j].x1 <= r.x0) ++j;
        for (size_t k = j; k < b.size() && b[k].x0 < r.x1; ++k) {
            if (b[k].x0 > r.x0) out.push_back(Run{r.x0, b[k].x0});
            r.x0 = std::max(r.x0, b[k].x1);
        }
        if (r.x0 < r.x1) out.push_back(r);
    }
    return out;
}

std::vector<Run> ErodeRuns(const std::vector<Run>& a) {
    std::vector<Run> out;
    for (const Run& r : a) {
        if (r.x1 - r.x0 > 2) out.push_back(Run{r.x0 + 1, r.x1 - 1});
    }
    return out;
}

// The pixels of row `ey` of an ellipse in the box [0, w) x [0, h): the
// pixel centres inside the ellipse that touches the box's outer edges,
// decided in integers so that the figure is exactly symmetric.
bool EllipseRow(int64_t w, int64_t h, int64_t ey, int64_t* first, int64_t* last) {
    // Sides below 2^32 keep every product below 2^128.
    using Wide = unsigned __int128;
    const int64_t yy = 2 * ey - (h - 1);
    const __int128 across = __int128{h} * h - __int128{yy} * yy;
    if (across < 0) return false;
    const Wide limit = Wide(w) * Wide(w) * Wide(across);
    const Wide hh = Wide(h) * Wide(h);
    auto inside = [&](int64_t x) {
        const int64_t xx = 2 * x - (w - 1);
        const Wide xx2 = Wide(xx < 0 ? -xx : xx) * Wide(xx < 0 ? -xx : xx);
        return xx2 * hh <= limit;
    };
    const double reach = std::sqrt(static_cast<double>(limit) / static_cast<double>(hh));
    int64_t x = static_cast<int64_t>(std::floor((static_cast<double>(w - 1) + reach) / 2));
    x = std::min(x + 1, w - 1);
    while (x >= (w - 1) / 2 && !inside(x)) --x;
    if (x < (w - 1) - x) return false;
    *last = x;
    *first = (w - 1) - x;
    return true;
}

// Rows of a box that lie within a limit, as offsets from the box's top.
struct RowRange {
    int64_t from, to;
};
RowRange VisibleRows(const RECT& box, const RECT& limit) {
    return RowRange{
        std::max<int64_t>(0, int64_t{limit.top} - box.top),
        std::min<int64_t>(int64_t{box.bottom} - box.top, int64_t{limit.bottom} - box.top)};
}

}  // namespace

bool SpanSet::Empty() const {
    for (const auto& row : m_rows) {
        if (!row.empty()) return false;
    }
    return true;
}

const std::vector<Run>& SpanSet::Row(int y) const {
    if (y < m_top || y >= Bottom()) return kNoRuns;
    return m_rows[y - m_top];
}

std::vector<Run>& SpanSet::EnsureRow(int y) {
    if (m_rows.empty()) {
        m_top = y;
        m_rows.emplace_back();
    } else if (y < m_top) {
        m_rows.insert(m_rows.begin(), m_top - y, std::vector<Run>{});
        m_top = y;
    } else if (y >= Bottom()) {
        m_rows.resize(y - m_top + 1);
    }
    return m_rows[y - m_top];
}

void SpanSet::Add(int y, int x0, int x1) {
    if (y < m_limit.top || y >= m_limit.bottom) return;
    x0 = std::max<int>(x0, m_limit.left);
    x1 = std::min<int>(x1, m_limit.right);
    if (x0 >= x1) return;
    std::vector<Run>& row = EnsureRow(y);
    auto it =
        std::lower_bound(row.begin(), row.end(), x0, [](const Run& r, int x) { return r.x1 < x; });
    auto end = it;
    while (end != row.end() && end->x0 <= x1) {
        x0 = std::min(x0, end->x0);
        x1 = std::max(x1, end->x1);
        ++end;
    }
    it = row.erase(it, end);
    row.insert(it, Run{x0, x1});
}

void SpanSet::AddRect(const RECT& rect) {
    const int top = std::max(rect.top, m_limit.top), bottom = std::min(rect.bottom, m_limit.bottom);
    for (int y = top; y < bottom; ++y) Add(y, rect.left, rect.right);
}

void SpanSet::Subtract(const SpanSet& other) {
    for (int y = m_top; y < Bottom(); ++y) {
        const auto& cut = other.Row(y);
        if (!cut.empty()) m_rows[y - m_top] = SubtractRuns(m_rows[y - m_top], cut);
    }
}

void SpanSet::Translate(int dx, int dy) {
    m_top += dy;
    for (auto& row : m_rows) {
        for (Run& r : row) {
            r.x0 += dx;
            r.x1 += dx;
        }
    }
}

SpanSet SpanSet::Interior() const {
    SpanSet out(m_limit);
    for (int y = m_top; y < Bottom(); ++y) {
        auto inner = IntersectRuns(ErodeRuns(Row(y)), Row(y - 1));
        inner = IntersectRuns(inner, Row(y + 1));
        for (const Run& r : inner) out.Add(y, r.x0, r.x1);
    }
    return out;
}

SpanSet SpanSet::Boundary() const {
    SpanSet out = *this;
    out.Subtract(Interior());
    return out;
}

void SpanSet::Paint(Canvas& canvas, uint32_t pixel) const {
    for (int y = m_top; y < Bottom(); ++y) {
        for (const Run& r : m_rows[y - m_top]) canvas.Span(y, r.x0, r.x1, pixel);
    }
}

SpanSet EllipseSpans(const RECT& box, const RECT& limit) {
    SpanSet set(limit);
    const int64_t w = int64_t{box.right} - box.left, h = int64_t{box.bottom} - box.top;
    if (w <= 0 || h <= 0) return set;
    const RowRange rows = VisibleRows(box, limit);
    for (int64_t ey = rows.from; ey < rows.to; ++ey) {
        int64_t first = 0, last = 0;
        if (EllipseRow(w, h, ey, &first, &last)) {
            set.Add(static_cast<int>(box.top + ey), static_cast<int>(box.left + first),
                    static_cast<int>(std::min<int64_t>(box.left + last + 1, INT32_MAX)));
        }
    }
    return set;
}

SpanSet RoundRectSpans(const RECT& box, int ellipseWidth, int ellipseHeight, const RECT& limit) {
    SpanSet set(limit);
    const int64_t w = int64_t{box.right} - box.left, h = int64_t{box.bottom} - box.top;
    if (w <= 0 || h <= 0) return set;
    const int64_t ew = std::clamp<int64_t>(ellipseWidth, 0, w);
    const int64_t eh = std::clamp<int64_t>(ellipseHeight, 0, h);
    const RowRange rows = VisibleRows(box, limit);
    for (int64_t y = rows.from; y < rows.to; ++y) {
        int64_t ey = -1;
        if (y < eh / 2) ey = y;
        if (h - 1 - y < eh / 2) ey = eh - h + y;
        int64_t first = 0, last = ew - 1;
        if (ey >= 0 && ew > 0 && !EllipseRow(ew, eh, ey, &first, &last)) continue;
        set.Add(static_cast<int>(box.top + y), static_cast<int>(box.left + first),
                static_cast<int>(box.right - ew + last + 1));
    }
    return set;
}

RECT Inflated(const RECT& r, int by) {
    return RECT{r.left - by, r.top - by, r.right + by, r.bottom + by};
}

}  // namespace quorvel::gdi
