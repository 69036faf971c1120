// The menu of a command bar: the MENU resource turned into a tree whose
// items keep their run-time state (text, enabled, checked), which the
// update handlers change and the drop-downs draw.
//
// An HMENU handed to the framework (WM_INITMENUPOPUP) is the address of the
// drop-down's MenuItem; it is valid only while the menu bar that owns it
// lives.
#pragma once

#include <memory>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

namespace quorvel::framework {

struct MenuItem {
    CString text;
    UINT id = 0;  // command id; 0 for drop-downs and separators
    bool popup = false;
    bool separator = false;
    bool enabled = true;
    bool checked = false;
    std::vector<MenuItem> children;  // a drop-down's items

    bool IsCommand() const { return !popup && !separator; }
};

class MenuTree {
  public:
    // Null when the resource has no menu of that id.
    static std::unique_ptr<MenuTree> Load(UINT menuId);

    UINT Id() const { return m_id; }
    // The menu bar's entries: the drop-downs, left to right.
    std::vector<MenuItem>& Titles() { return m_titles; }
    const std::vector<MenuItem>& Titles() const { return m_titles; }
    // The first command item with this id, searched depth first; null when
    // the menu has none.
    MenuItem* Find(UINT id);

    static HMENU Handle(MenuItem& popup) { return reinterpret_cast<HMENU>(&popup); }
    static MenuItem* FromHandle(HMENU menu) { return reinterpret_cast<MenuItem*>(menu); }

  private:
    UINT m_id = 0;
    std::vector<MenuItem> m_titles;
};

}  // namespace quorvel::framework
