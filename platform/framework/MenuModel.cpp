#include "platform/framework/MenuModel.h"

#include "platform/resources/Resources.h"

namespace quorvel::framework {

namespace {

MenuItem FromTemplate(const resources::MenuItemTemplate& t) {
    MenuItem item;
    item.text = t.text;
    item.id = t.id;
    item.popup = (t.flags & resources::kMenuPopup) != 0;
    item.separator = (t.flags & resources::kMenuSeparator) != 0;
    item.enabled = (t.flags & (resources::kMenuGrayed | resources::kMenuInactive)) == 0;
    item.checked = (t.flags & resources::kMenuChecked) != 0;
    for (const resources::MenuItemTemplate& child : t.children)
        item.children.push_back(FromTemplate(child));
    return item;
}

MenuItem* FindIn(std::vector<MenuItem>& items, UINT id) {
    for (MenuItem& item : items) {
        if (item.IsCommand() && item.id == id) return &item;
        if (MenuItem* found = FindIn(item.children, id)) return found;
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<MenuTree> MenuTree::Load(UINT menuId) {
    const resources::MenuTemplate* t = resources::FindMenu(menuId);
    if (!t) return nullptr;
    auto tree = std::make_unique<MenuTree>();
    tree->m_id = menuId;
    for (const resources::MenuItemTemplate& title : t->items)
        tree->m_titles.push_back(FromTemplate(title));
    return tree;
}

MenuItem* MenuTree::Find(UINT id) {
    return FindIn(m_titles, id);
}

}  // namespace quorvel::framework
