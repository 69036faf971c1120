// The command bar's stylus handling. A tap on a button or the close box
// acts when the stylus is lifted over it, as push buttons do. A tap on a
// menu title opens its drop-down; from then until the menu closes the bar
// keeps the stylus captured and tracks it over the drop-down: lifting over
// an enabled item chooses it, a tap on another title switches menus, a tap
// on the open title or anywhere else closes the menu and is swallowed.
#include "platform/framework/CommandBarControl.h"

#include "platform/base/Geometry.h"

namespace quorvel::framework {

namespace {

POINT ToScreen(HWND hwnd, POINT p) {
    ClientToScreen(hwnd, &p);
    return p;
}

}  // namespace

bool CommandBarControl::OpenMenu(int title) {
    if (!m_menu || title < 0 || title >= static_cast<int>(m_menu->Titles().size())) return false;
    CloseMenu();
    MenuItem& popup = m_menu->Titles()[static_cast<size_t>(title)];
    HWND owner = GetParent(m_hwnd);
    // The owner's update handlers set the items' state before they show.
    SendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(MenuTree::Handle(popup)),
                MAKELPARAM(title, FALSE));
    if (!IsWindow(m_hwnd)) return false;
    RECT anchor = TitleRect(title);
    MapWindowPoints(m_hwnd, nullptr, reinterpret_cast<POINT*>(&anchor), 2);
    m_popup = MenuPopup::Open(owner, popup, anchor);
    if (!m_popup) return false;
    m_openTitle = title;
    m_track = Track::Menu;
    SetCapture(m_hwnd);
    InvalidateRect(m_hwnd, nullptr, FALSE);
    return true;
}

void CommandBarControl::CloseMenu() {
    if (m_openTitle < 0) return;
    m_openTitle = -1;
    m_popup.reset();
    const bool tracking = m_track == Track::Menu;
    m_track = Track::None;
    if (tracking && GetCapture() == m_hwnd) ReleaseCapture();
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CommandBarControl::OnDown(POINT client) {
    if (m_track == Track::Menu) return MenuDown(client);
    if (m_adornments && PtInRect(&m_close, client)) {
        m_track = Track::Close;
        m_pressedIn = true;
        SetCapture(m_hwnd);
        InvalidateRect(m_hwnd, &m_close, FALSE);
        return;
    }
    const int hit = ItemAt(client);
    if (hit < 0) return;
    const Item& item = m_items[static_cast<size_t>(hit)];
    if (item.kind == Item::Title) {
        m_titleTap = true;
        OpenMenu(item.index);
    } else if (item.enabled) {
        m_track = Track::Button;
        m_pressed = hit;
        m_pressedIn = true;
        SetCapture(m_hwnd);
        InvalidateItem(item);
    }
}

void CommandBarControl::OnMove(POINT client) {
    if (m_track == Track::Menu) return MenuMove(client);
    if (m_track != Track::Button && m_track != Track::Close) return;
    const RECT r = m_track == Track::Close ? m_close : m_items[static_cast<size_t>(m_pressed)].rect;
    const bool in = PtInRect(&r, client) != 0;
    if (in == m_pressedIn) return;
    m_pressedIn = in;
    InvalidateRect(m_hwnd, &r, FALSE);
}

void CommandBarControl::OnUp(POINT client) {
    if (m_track == Track::Menu) return MenuUp(client);
    if (m_track != Track::Button && m_track != Track::Close) return;
    OnMove(client);
    const Track track = m_track;
    const bool act = m_pressedIn;
    const UINT id = track == Track::Button ? m_items[static_cast<size_t>(m_pressed)].id : 0;
    m_track = Track::None;
    m_pressedIn = false;
    ReleaseCapture();
    InvalidateRect(m_hwnd, nullptr, FALSE);
    if (!act) return;
    if (track == Track::Close)
        PostMessage(GetParent(m_hwnd), WM_CLOSE, 0, 0);
    else
        PostMessage(GetParent(m_hwnd), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void CommandBarControl::MenuDown(POINT client) {
    const POINT screen = ToScreen(m_hwnd, client);
    if (m_popup && m_popup->Contains(screen)) {
        m_popup->SetHot(m_popup->ItemAt(screen));
        return;
    }
    const int hit = ItemAt(client);
    const Item* item = hit >= 0 ? &m_items[static_cast<size_t>(hit)] : nullptr;
    if (item && item->kind == Item::Title && item->index != m_openTitle) {
        m_titleTap = true;
        OpenMenu(item->index);
        return;
    }
    CloseMenu();
}

void CommandBarControl::MenuMove(POINT client) {
    if (!m_popup) return;
    const POINT screen = ToScreen(m_hwnd, client);
    m_popup->SetHot(m_popup->ItemAt(screen));
}

void CommandBarControl::MenuUp(POINT client) {
    if (!m_popup) return;
    const POINT screen = ToScreen(m_hwnd, client);
    const bool titleTap = m_titleTap;
    m_titleTap = false;
    const int index = m_popup->ItemAt(screen);
    if (index < 0) {
        // Lifted off the drop-down: a tap on its title leaves it open to
        // choose from; anything else just clears the highlight.
        if (!titleTap) m_popup->SetHot(-1);
        return;
    }
    const MenuItem& item = m_popup->Menu().children[static_cast<size_t>(index)];
    if (!item.IsCommand() || !item.enabled) return;
    Choose(item.id);
}

void CommandBarControl::Choose(UINT id) {
    CloseMenu();
    PostMessage(GetParent(m_hwnd), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

bool CommandBarControl::MenuKey(UINT virtualKey) {
    if (!m_popup) return false;
    const int titles = static_cast<int>(m_menu->Titles().size());
    switch (virtualKey) {
        case VK_UP:
            MoveHot(-1);
            break;
        case VK_DOWN:
            MoveHot(1);
            break;
        case VK_LEFT:
            OpenMenu((m_openTitle + titles - 1) % titles);
            break;
        case VK_RIGHT:
            OpenMenu((m_openTitle + 1) % titles);
            break;
        case VK_ESCAPE:
            CloseMenu();
            break;
        case VK_RETURN: {
            const int hot = m_popup->Hot();
            if (hot < 0) break;
            const MenuItem& item = m_popup->Menu().children[static_cast<size_t>(hot)];
            if (item.IsCommand() && item.enabled) Choose(item.id);
            break;
        }
        default:
            break;
    }
    return true;
}

// The next command item in the direction of `step`, round the ends.
void CommandBarControl::MoveHot(int step) {
    const auto& items = m_popup->Menu().children;
    const int count = static_cast<int>(items.size());
    int index = m_popup->Hot();
    for (int tries = 0; tries < count; ++tries) {
        index = index < 0 && step < 0 ? count - 1 : (index + step + count) % count;
        if (items[static_cast<size_t>(index)].IsCommand()) {
            m_popup->SetHot(index);
            return;
        }
    }
}

void CommandBarControl::OnCaptureLost() {
    if (m_track == Track::None || GetCapture() == m_hwnd) return;
    if (m_track == Track::Menu) {
        m_track = Track::None;
        CloseMenu();
        return;
    }
    m_track = Track::None;
    m_pressedIn = false;
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

}  // namespace quorvel::framework
