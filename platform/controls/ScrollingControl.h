// The lists, the tree and the edit: controls that draw their own scroll bars
// and take the stylus and the keys. They answer most window messages alike,
// so one dispatcher serves them all and each control supplies the handlers.
#pragma once

#include "platform/controls/Control.h"
#include "platform/controls/ScrollBars.h"

namespace quorvel::controls {

class ScrollingControl : public Control {
  public:
    using Control::Control;

  protected:
    // What a control's own OnMessage leaves alone: the messages all of them
    // take go to the handlers below, anything else to Default.
    LRESULT Route(UINT msg, WPARAM wParam, LPARAM lParam);

    // At creation and after a font change: the sizes that follow the font.
    virtual void Measure() = 0;
    // After a size change: which bars show and what they scroll over.
    virtual void Relayout() = 0;
    virtual LRESULT DialogCode(const MSG* msg) const;
    // Repaints, and tells the parent with NM_SETFOCUS or NM_KILLFOCUS.
    virtual void OnFocus(bool gained);
    virtual void OnButtonDown(POINT p, bool doubleTap) = 0;
    virtual void OnButtonMove(POINT p) = 0;
    virtual void OnButtonUp(POINT p) = 0;
    // The stylus went elsewhere: a drag in progress ends without its lift.
    virtual void OnCaptureLost() = 0;
    virtual void OnKeyDown(UINT key) = 0;
    virtual void OnScroll(bool vertical, int code, int thumb) = 0;
    virtual void Paint() = 0;
    // The client area less the sunken edge of WS_EX_CLIENTEDGE.
    RECT InsideEdge() const;
    // A bar's strip along the right or the bottom edge of `area`.
    static RECT BarBeside(const RECT& area, bool vertical);
    // The whole client area filled, then the sunken edge drawn on it.
    void PaintBackground(class StylePainter& painter, COLORREF color) const;
    void PaintBackground(class StylePainter& painter, HBRUSH brush) const;
    // Where the bar is drawn; the edit and the list box have only the
    // vertical one.
    virtual RECT BarRect(bool vertical) const = 0;

    // Pixels a sideways line step scrolls.
    static constexpr int kSidewaysStep = 8;
    // The position a WM_VSCROLL / WM_HSCROLL asks for.
    int RequestedPos(bool vertical, int code, int thumb) const;
    // Range, page and position of a bar, which is redrawn with the rest.
    void SetBar(int bar, int max, int page, int pos) const;
    // The stylus on a bar: PressBar starts tracking when `p` is on it, and
    // the caller then takes the capture. DragBar and ReleaseBar are false
    // when no bar is being tracked.
    bool PressBar(bool vertical, POINT p);
    bool DragBar(POINT p);
    bool ReleaseBar(POINT p, bool ownsCapture = true);
    // The bars shown (the tracked one with its pressed part) and the
    // corner between two.
    void PaintBars(class StylePainter& painter, bool vBar, bool hBar) const;

    BarTracker m_tracker;
    bool m_trackingVertical = true;

  private:
    LRESULT RouteInput(UINT msg, WPARAM wParam, LPARAM lParam);
    ScrollBarLayout BarLayout(bool vertical, const SCROLLINFO& info) const;
    void PaintEdge(StylePainter& painter) const;
};

}  // namespace quorvel::controls
