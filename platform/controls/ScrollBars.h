// The scroll state of windows (the SetScrollInfo family) and the tracking
// of the stylus on a scroll bar, shared by the "ScrollBar" control and the
// bars that lists, trees and edits draw inside their client area.
//
// The window manager reserves no frame for WS_VSCROLL / WS_HSCROLL: the
// standard controls draw their bars along the right and bottom edges of
// their client area and lay their content out beside them. Other windows
// keep their scroll state here; nothing draws bars for them.
#pragma once

#include "platform/controls/ScrollBarModel.h"

namespace quorvel::controls {

// The state of a window's SB_VERT or SB_HORZ bar (created on first use).
SCROLLINFO WindowScrollInfo(HWND hwnd, int bar);
// Whether the bar shows: its range exceeds its page (or SIF_DISABLENOSCROLL
// was given), or ShowScrollBar said so last.
bool WindowScrollBarShown(HWND hwnd, int bar);
// Forgets a window's bars (controls call it when they go).
void ForgetScrollBars(HWND hwnd);
// While the thumb is dragged, SIF_TRACKPOS reports this position.
void SetTrackPos(HWND hwnd, int bar, int pos);

// The stylus held on a scroll bar: line and page parts act once when
// pressed, the thumb sends SB_THUMBTRACK as it moves and SB_THUMBPOSITION
// where it is let go, then SB_ENDSCROLL.
class BarTracker {
  public:
    // `target` receives WM_VSCROLL / WM_HSCROLL with lParam `barWindow`
    // (null for a window's own bar). True when `p` is on the bar; the
    // caller then owns the capture until End.
    bool Begin(HWND target, HWND barWindow, int bar, bool vertical, const ScrollBarLayout& layout,
               const SCROLLINFO& info, POINT p);
    void Move(const ScrollBarLayout& layout, const SCROLLINFO& info, POINT p);
    void End(const ScrollBarLayout& layout, const SCROLLINFO& info, POINT p);
    bool active() const { return m_part != ScrollPart::None; }
    // The thumb's position while it is dragged.
    bool draggingThumb() const { return m_part == ScrollPart::Thumb; }
    int trackPos() const { return m_trackPos; }
    // The part drawn pressed.
    ScrollPart pressed() const { return m_inside ? m_part : ScrollPart::None; }

  private:
    void Send(int code, int pos) const;
    int ThumbPos(const ScrollBarLayout& layout, const SCROLLINFO& info, POINT p) const;

    HWND m_target = nullptr;
    HWND m_barWindow = nullptr;
    int m_bar = SB_VERT;
    bool m_vertical = true;
    ScrollPart m_part = ScrollPart::None;
    bool m_inside = false;
    int m_grab = 0;  // stylus offset from the thumb's start
    int m_trackPos = 0;
};

}  // namespace quorvel::controls
