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
bool EllipseRow(int w, int h, int ey, int* first, int* last) {
    const int64_t yy = 2 * ey - (h - 1);
    const int64_t limit = static_cast<int64_t>(w) * w * (static_cast<int64_t>(h) * h - yy * yy);
    if (limit < 0) return false;
    const int64_t hh = static_cast<int64_t>(h) * h;
    auto inside = [&](int x) {
        const int64_t xx = 2 * x - (w - 1);
        return xx * xx * hh <= limit;
    };
    int x =
        static_cast<int>(std::floor(((w - 1) + std::sqrt(static_cast<double>(limit) / hh)) / 2));
    x = std::min(x + 1, w - 1);
    while (x >= (w - 1) / 2 && !inside(x)) --x;
    if (x < (w - 1) - x) return false;
    *last = x;
    *first = (w - 1) - x;
    return true;
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
    for (int y = rect.top; y < rect.bottom; ++y) Add(y, rect.left, rect.right);
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
    SpanSet out;
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

SpanSet EllipseSpans(const RECT& box) {
    SpanSet set;
    const int w = box.right - box.left;
    const int h = box.bottom - box.top;
    if (w <= 0 || h <= 0) return set;
    for (int ey = 0; ey < h; ++ey) {
        int first = 0, last = 0;
        if (EllipseRow(w, h, ey, &first, &last)) {
            set.Add(box.top + ey, box.left + first, box.left + last + 1);
        }
    }
    return set;
}

SpanSet RoundRectSpans(const RECT& box, int ellipseWidth, int ellipseHeight) {
    SpanSet set;
    const int w = box.right - box.left;
    const int h = box.bottom - box.top;
    if (w <= 0 || h <= 0) return set;
    const int ew = std::clamp(ellipseWidth, 0, w);
    const int eh = std::clamp(ellipseHeight, 0, h);
    for (int y = 0; y < h; ++y) {
        int ey = -1;
        if (y < eh / 2) ey = y;
        if (h - 1 - y < eh / 2) ey = eh - h + y;
        int first = 0, last = ew - 1;
        if (ey >= 0 && ew > 0 && !EllipseRow(ew, eh, ey, &first, &last)) continue;
        set.Add(box.top + y, box.left + first, box.right - ew + last + 1);
    }
    return set;
}

}  // namespace quorvel::gdi
