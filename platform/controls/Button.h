// "Button": push buttons (normal and default), check boxes, radio buttons
// (auto radio buttons clear the others of their WS_GROUP group), group
// boxes and owner-drawn buttons (WM_DRAWITEM to the parent). A click is a
// stylus press released inside the button, BM_CLICK, or Space (Enter on
// push buttons) while it has the focus.
#pragma once

#include "platform/controls/Control.h"

namespace quorvel::controls {

class Button : public Control {
  public:
    using Control::Control;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    std::string Describe() const override;

  private:
    DWORD Type() const { return style() & BS_TYPEMASK; }
    bool IsCheckType() const;
    bool IsRadio() const { return Type() == BS_RADIOBUTTON || Type() == BS_AUTORADIOBUTTON; }
    bool IsPushType() const;
    LRESULT DialogCode() const;
    void SetPushed(bool pushed);
    void SetCheck(UINT check);
    void Click();
    void ClearGroup();
    void OnButtonDown();
    void OnButtonUp(POINT p);
    void CancelTracking();
    void OnKey(UINT msg, WPARAM key, LPARAM flags);
    void OnFocus(bool gained);
    void SetStyle(DWORD type, bool redraw);

    void Paint();
    void PaintOwnerDrawn(HDC hdc, UINT action);
    void DrawOwnerDrawnNow(UINT action);
    UINT TextFormat() const;

    UINT m_check = BST_UNCHECKED;
    bool m_pushed = false;
    bool m_tracking = false;  // the stylus went down on the button
    bool m_spaceDown = false;
    HANDLE m_image = nullptr;
};

}  // namespace quorvel::controls
