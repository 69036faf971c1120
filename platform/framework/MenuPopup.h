// A drop-down menu: a window over the view showing one pop-up's items.
// It only draws. The command bar that opened it keeps the stylus captured
// and asks it which item lies under a point, so tapping a menu never
// changes which window is active or has the focus.
#pragma once

#include <memory>
#include <vector>

#include "platform/framework/MenuModel.h"
#include "platform/win/WinApi.h"

namespace quorvel::framework {

class MenuPopup {
  public:
    static constexpr int kItemHeight = 17;
    static constexpr int kSeparatorHeight = 7;
    static constexpr int kBorder = 2;
    static constexpr int kCheckColumn = 16;
    static constexpr int kRightMargin = 12;

    // Shows `menu`'s items below `anchor` (screen coordinates of its
    // title), moved left or up as needed to stay on the screen. `owner`
    // owns the window, so it goes with it.
    static std::unique_ptr<MenuPopup> Open(HWND owner, MenuItem& menu, const RECT& anchor);
    MenuPopup(const MenuPopup&) = delete;
    MenuPopup& operator=(const MenuPopup&) = delete;
    ~MenuPopup();

    HWND Hwnd() const { return m_hwnd; }
    MenuItem& Menu() { return m_menu; }
    bool Contains(POINT screen) const;
    // The index of the item under a screen point, -1 when none.
    int ItemAt(POINT screen) const;
    RECT ItemRect(int index) const;  // screen coordinates
    int Hot() const { return m_hot; }
    void SetHot(int index);

  private:
    MenuPopup(MenuItem& menu) : m_menu(menu) {}
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Measure(const RECT& anchor);
    void Paint(HDC hdc);
    void PaintItem(HDC hdc, int index);

    MenuItem& m_menu;
    HWND m_hwnd = nullptr;
    RECT m_screen{};            // the window on the screen
    std::vector<RECT> m_items;  // client coordinates
    int m_hot = -1;
};

}  // namespace quorvel::framework
