// The geometry of a scroll bar, shared by the "ScrollBar" control and the
// bars that lists, trees and edits draw along their edges: where the arrows,
// track and thumb are, which part a point is on, and which position a thumb
// dragged to a place stands for.
#pragma once

#include "platform/controls/ControlMessages.h"

namespace quorvel::controls {

enum class ScrollPart { None, LineBack, PageBack, Thumb, PageForward, LineForward };

struct ScrollBarLayout {
    RECT bar{};
    bool vertical = true;
    bool enabled = true;  // false: no thumb, arrows greyed
    RECT lineBack{};      // up or left arrow
    RECT lineForward{};   // down or right arrow
    RECT track{};         // between the arrows
    RECT thumb{};         // empty when there is nothing to scroll
};

// The largest position the bar can take: nMax less one page.
int MaxScrollPos(const SCROLLINFO& info);
ScrollBarLayout LayoutScrollBar(const RECT& bar, bool vertical, const SCROLLINFO& info,
                                bool enabled);
ScrollPart HitScrollBar(const ScrollBarLayout& layout, POINT p);
// The position whose thumb begins `thumbStart` pixels into the track.
int ScrollPosAt(const ScrollBarLayout& layout, const SCROLLINFO& info, int thumbStart);
// The thumb's start (pixels into the track) of the layout.
int ThumbStart(const ScrollBarLayout& layout);

}  // namespace quorvel::controls

namespace quorvel::controls {

// The position a WM_VSCROLL / WM_HSCROLL request asks for: `code` SB_*,
// `thumb` the thumb position of SB_THUMBTRACK / SB_THUMBPOSITION, `line`
// the size of one line step. Clamped to the range.
int RequestedScrollPos(const SCROLLINFO& info, int code, int thumb, int line = 1);

}  // namespace quorvel::controls
