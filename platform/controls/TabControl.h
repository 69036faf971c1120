// "SysTabControl32": a row of tabs on top of a raised sheet. A tap on a tab
// asks the parent (TCN_SELCHANGING, which may refuse) and then tells it
// (TCN_SELCHANGE); the program's own TCM_SETCURSEL tells nobody. Pages are
// the program's windows placed in the sheet (TCM_ADJUSTRECT).
#pragma once

#include <string>
#include <vector>

#include "platform/controls/Control.h"

namespace quorvel::controls {

class TabControl : public Control {
  public:
    using Control::Control;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    std::string Describe() const override;

  private:
    struct Tab {
        std::wstring text;
        int image = -1;
        LPARAM param = 0;
    };
    long Count() const { return static_cast<long>(m_tabs.size()); }
    bool Valid(long index) const { return index >= 0 && index < Count(); }
    LRESULT OnTabMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Insert(long index, const TCITEM* item);
    LRESULT Delete(long index);
    LRESULT GetItem(long index, TCITEM* item) const;
    LRESULT SetItem(long index, const TCITEM* item);
    void AdjustRect(bool larger, RECT* rect) const;
    void Measure();
    RECT TabRect(long index) const;
    long TabAt(POINT p) const;
    // A change by the user, with TCN_SELCHANGING / TCN_SELCHANGE.
    void Choose(long index);
    void Paint();

    std::vector<Tab> m_tabs;
    std::vector<int> m_widths;
    long m_sel = -1;
    long m_focus = -1;
    int m_rowHeight = 20;
    HIMAGELIST m_images = nullptr;
};

}  // namespace quorvel::controls
