// "ComboBox": a drop-down list (CBS_DROPDOWNLIST) or an edit with a
// drop-down list (CBS_DROPDOWN). The items live in the drop-down, a
// "ComboLBox" popup made at creation; opened, it shows over the dialog
// below the field, above it when the screen has no room below, clipped to
// the screen. The height the combo box is created with is the field plus
// the most the list may take. While the list is open the combo box holds
// the stylus and hands it to the list, so the dialog stays the active
// window and the focus stays in the combo box.
//
// Files: messages and items (ComboBox.cpp), the drop-down, keys, stylus
// and drawing (ComboDropDown.cpp).
#pragma once

#include "platform/controls/Control.h"

namespace quorvel::controls {

class ComboBox : public Control {
  public:
    using Control::Control;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    std::string Describe() const override;

  private:
    bool HasEdit() const { return (style() & 0x3) != CBS_DROPDOWNLIST; }
    long Selection() const;
    std::wstring ItemText(long index) const;

    // ---- ComboBox.cpp ----
    void Create(const CREATESTRUCT* cs);
    void Resize();
    LRESULT OnItemMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(LPCTSTR text);
    LRESULT OnGetText(WPARAM size, LPTSTR buffer) const;
    void OnEditNotification(UINT code);
    void ShowSelectionText();
    void OnFocus(bool gained);

    // ---- ComboDropDown.cpp ----
    void Open();
    void Close(bool accept);
    RECT DropRect() const;
    void OnButtonDown(POINT p);
    void ForwardToList(UINT msg, WPARAM wParam, LPARAM lParam);
    bool OnKeyDown(UINT key);  // true when the key was used
    void OnChar(wchar_t ch);
    void Step(long delta);
    void Paint();
    RECT ButtonRect() const;

    HWND m_list = nullptr;
    HWND m_edit = nullptr;
    int m_fieldHeight = 20;
    int m_dropHeight = 100;  // the most the open list may take
    bool m_dropped = false;
    long m_selBeforeDrop = -1;
    bool m_settingEditText = false;
};

// The edit of a CBS_DROPDOWN combo box passes the keys that work the list
// to its combo box.
LRESULT ComboEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace quorvel::controls
