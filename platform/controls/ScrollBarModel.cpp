#include "platform/controls/ScrollBarModel.h"

#include <algorithm>

namespace quorvel::controls {
namespace {

constexpr int kMinThumb = 8;

int Length(const RECT& r, bool vertical) {
    return vertical ? r.bottom - r.top : r.right - r.left;
}

// A rectangle along the bar from `from` to `to` pixels of its length.
RECT Along(const RECT& bar, bool vertical, int from, int to) {
    if (vertical) return RECT{bar.left, bar.top + from, bar.right, bar.top + to};
    return RECT{bar.left + from, bar.top, bar.left + to, bar.bottom};
}

}  // namespace

int MaxScrollPos(const SCROLLINFO& info) {
    const int page = info.nPage > 0 ? static_cast<int>(info.nPage) - 1 : 0;
    return std::max(info.nMin, info.nMax - page);
}

ScrollBarLayout LayoutScrollBar(const RECT& bar, bool vertical, const SCROLLINFO& info,
                                bool enabled) {
    ScrollBarLayout l;
    l.bar = bar;
    l.vertical = vertical;
    const int length = Length(bar, vertical);
    const int thickness = vertical ? bar.right - bar.left : bar.bottom - bar.top;
    const int arrow = std::min(thickness, length / 2);
    l.lineBack = Along(bar, vertical, 0, arrow);
    l.lineForward = Along(bar, vertical, length - arrow, length);
    l.track = Along(bar, vertical, arrow, length - arrow);
    const int range = info.nMax - info.nMin + 1;
    const int maxPos = MaxScrollPos(info);
    l.enabled = enabled && range > 0 && maxPos > info.nMin &&
                (info.nPage == 0 || static_cast<int>(info.nPage) < range);
    const int trackLength = length - 2 * arrow;
    if (!l.enabled || trackLength < kMinThumb) return l;
    int thumb = thickness;
    if (info.nPage > 0)
        thumb = static_cast<int>(static_cast<long long>(trackLength) * info.nPage / range);
    thumb = std::clamp(thumb, kMinThumb, trackLength);
    const int pos = std::clamp(info.nPos, info.nMin, maxPos);
    const int start = static_cast<int>(static_cast<long long>(trackLength - thumb) *
                                       (pos - info.nMin) / (maxPos - info.nMin));
    l.thumb = Along(bar, vertical, arrow + start, arrow + start + thumb);
    return l;
}

ScrollPart HitScrollBar(const ScrollBarLayout& l, POINT p) {
    auto in = [&](const RECT& r) {
        return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
    };
    if (!in(l.bar)) return ScrollPart::None;
    if (in(l.lineBack)) return ScrollPart::LineBack;
    if (in(l.lineForward)) return ScrollPart::LineForward;
    if (!l.enabled) return ScrollPart::None;
    if (in(l.thumb)) return ScrollPart::Thumb;
    const int at = l.vertical ? p.y : p.x;
    const int thumbStart = l.vertical ? l.thumb.top : l.thumb.left;
    return at < thumbStart ? ScrollPart::PageBack : ScrollPart::PageForward;
}

int ThumbStart(const ScrollBarLayout& l) {
    return l.vertical ? l.thumb.top - l.track.top : l.thumb.left - l.track.left;
}

int ScrollPosAt(const ScrollBarLayout& l, const SCROLLINFO& info, int thumbStart) {
    const int maxPos = MaxScrollPos(info);
    const int free = Length(l.track, l.vertical) - Length(l.thumb, l.vertical);
    if (free <= 0 || maxPos <= info.nMin) return info.nMin;
    const int start = std::clamp(thumbStart, 0, free);
    const long long span = maxPos - info.nMin;
    return info.nMin + static_cast<int>((start * span + free / 2) / free);
}

}  // namespace quorvel::controls

namespace quorvel::controls {

int RequestedScrollPos(const SCROLLINFO& info, int code, int thumb, int line) {
    const int page = std::max(1, static_cast<int>(info.nPage));
    int pos = info.nPos;
    switch (code) {
        case SB_LINEUP:
            pos -= line;
            break;
        case SB_LINEDOWN:
            pos += line;
            break;
        case SB_PAGEUP:
            pos -= page;
            break;
        case SB_PAGEDOWN:
            pos += page;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            pos = thumb;
            break;
        case SB_TOP:
            pos = info.nMin;
            break;
        case SB_BOTTOM:
            pos = info.nMax;
            break;
        default:
            break;
    }
    return std::clamp(pos, info.nMin, MaxScrollPos(info));
}

}  // namespace quorvel::controls
