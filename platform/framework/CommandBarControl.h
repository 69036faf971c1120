// The command bar window: one strip at the top of the frame holding, left
// to right in the order they were added, the menu bar's titles, separators
// and toolbar buttons, with the close box at the right end of the first
// row. What does not fit on a row moves to the next one, so every button
// stays reachable on the narrow screen; the bar is as tall as its rows.
//
// To its parent it sends what the device's bar sends: WM_INITMENUPOPUP
// before a drop-down opens (wParam the drop-down's HMENU, lParam its
// index), then a posted WM_COMMAND (wParam the command id, lParam 0) for a
// chosen menu item or a tapped toolbar button, and a posted WM_CLOSE for
// the close box. Posting lets the command run after the bar has finished
// with the tap, even when it destroys the frame.
#pragma once

#include <memory>
#include <vector>

#include "platform/framework/MenuModel.h"
#include "platform/framework/MenuPopup.h"
#include "platform/framework/ToolImages.h"
#include "platform/win/WinApi.h"

namespace quorvel::framework {

class CommandBarControl {
  public:
    static constexpr int kRowHeight = 22;
    static constexpr int kTitlePadding = 5;
    static constexpr int kButtonPadding = 2;  // around the image, inside the face
    static constexpr int kCloseWidth = 20;
    static constexpr LPCTSTR kClassName = L"QuorvelCommandBar";

    struct Item {
        enum Kind { Title, Separator, Button } kind;
        int width = 0;
        UINT id = 0;    // buttons: the command
        int index = 0;  // titles: the drop-down; buttons: the image
        bool enabled = true;
        bool checked = false;
        RECT rect{};  // client coordinates; empty when it has no room
    };

    // Registers the window class (once); false when that failed.
    static bool Register();
    // Creates the bar as a child of `parent` with the given control id.
    static HWND Create(HWND parent, UINT id, DWORD style);
    // The bar behind a window of the class, or null.
    static CommandBarControl* From(HWND hwnd);

    // Each adds at the end; false when the resource is missing (the bar is
    // then unchanged). A bar holds at most one menu.
    bool InsertMenuBar(UINT menuId);
    void InsertSeparator(int width);
    bool AddToolbar(UINT toolbarId);
    void AddAdornments(DWORD flags);

    HWND Hwnd() const { return m_hwnd; }
    // The height the bar needs at a given width, laid out as it would be.
    int HeightFor(int width);
    MenuTree* Menu() { return m_menu.get(); }
    const std::vector<Item>& Items() const { return m_items; }
    // Toolbar buttons by command id (null when the bar has none).
    const Item* FindButton(UINT id) const;
    void SetButtonState(UINT id, bool enabled, bool checked);
    RECT TitleRect(int title) const;  // client coordinates
    RECT CloseRect() const { return m_close; }

    // The open drop-down: its title index (-1 when none) and window.
    int OpenTitle() const { return m_openTitle; }
    MenuPopup* OpenPopup() { return m_popup.get(); }
    bool OpenMenu(int title);
    void CloseMenu();
    // Keys while a drop-down is open: up and down move the highlight over
    // the commands, left and right open the neighbouring drop-down, Enter
    // chooses, Escape closes. False when no drop-down is open; every key is
    // taken while one is.
    bool MenuKey(UINT virtualKey);

  private:
    enum class Track { None, Menu, Button, Close };

    explicit CommandBarControl(HWND hwnd) : m_hwnd(hwnd) {}
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void Layout(int width);
    void Relayout();
    void Paint(HDC hdc);
    void PaintItem(HDC hdc, const Item& item);
    int ItemAt(POINT client) const;
    void InvalidateItem(const Item& item);

    // Stylus (CommandBarInput.cpp).
    void OnDown(POINT client);
    void OnMove(POINT client);
    void OnUp(POINT client);
    void MenuDown(POINT client);
    void MenuMove(POINT client);
    void MenuUp(POINT client);
    void Choose(UINT id);
    void MoveHot(int step);
    void OnCaptureLost();

    HWND m_hwnd;
    std::unique_ptr<MenuTree> m_menu;
    ToolImages m_images;
    std::vector<Item> m_items;
    bool m_adornments = false;
    RECT m_close{};
    int m_width = 0;
    int m_rows = 1;

    Track m_track = Track::None;
    int m_pressed = -1;        // the item of a tracked button
    bool m_pressedIn = false;  // the stylus is still over it
    int m_openTitle = -1;
    bool m_titleTap = false;  // the open menu's title was tapped in this press
    std::unique_ptr<MenuPopup> m_popup;
};

}  // namespace quorvel::framework
