// The lists, the tree and the edit: controls that draw their own scroll bars
// and take the stylus and the keys. They answer most window messages alike,
// so one dispatcher serves them all and each control supplies the handlers.
#pragma once

#include "platform/controls/Control.h"

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

  private:
    LRESULT RouteInput(UINT msg, WPARAM wParam, LPARAM lParam);
};

}  // namespace quorvel::controls
