// "Static": text, frames and rectangles, icons and bitmaps. Without
// SS_NOTIFY a static is transparent to the stylus: taps go to what lies
// below it (usually the dialog), which the program relies on for drawing
// surfaces made of statics.
#pragma once

#include "platform/controls/Control.h"

namespace quorvel::controls {

class Static : public Control {
  public:
    using Control::Control;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    std::string Describe() const override;

  private:
    DWORD Type() const { return style() & SS_TYPEMASK; }
    bool ShowsImage() const { return Type() == SS_ICON || Type() == SS_BITMAP; }
    HANDLE SetImage(HANDLE image, bool icon);
    void Paint();
    void PaintText(HDC hdc, const RECT& r);
    void PaintOwnerDrawn(HDC hdc, const RECT& r);

    HANDLE m_image = nullptr;
    bool m_imageIsIcon = false;
};

}  // namespace quorvel::controls
