// "ScrollBar": a scroll bar control. It tells its parent what the stylus
// asks (WM_VSCROLL / WM_HSCROLL with the bar's handle) and moves only when
// the parent sets its position.
#pragma once

#include "platform/controls/Control.h"
#include "platform/controls/ScrollBars.h"

namespace quorvel::controls {

class ScrollBarControl : public Control {
  public:
    using Control::Control;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    std::string Describe() const override;

  private:
    bool Vertical() const { return (style() & SBS_VERT) != 0; }
    ScrollBarLayout Layout() const;
    int SetInfo(const SCROLLINFO* info, bool redraw);
    void Paint();

    SCROLLINFO m_info{sizeof(SCROLLINFO), SIF_ALL, 0, 100, 0, 0, 0};
    BarTracker m_tracker;
};

}  // namespace quorvel::controls
