// Tree views: looks, insertion order (first, last, sorted), navigation,
// expanding and collapsing by program, stylus and keys with their
// notifications, selection changes, deletion, hit testing and the system
// small-icon list.
#include <cstring>

#include "platform/controls/ShellFileInfo.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/TreeItems.h"
#include "tests/platform/controls/ControlTest.h"

using namespace controltest;

namespace {

constexpr DWORD kFolderTree =
    TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER;

class TreeViews : public ControlTest {
  protected:
    static HTREEITEM Add(HWND t, HTREEITEM parent, const wchar_t* text, HTREEITEM after = TVI_LAST,
                         int image = 1) {
        TVINSERTSTRUCT insert{};
        insert.hParent = parent;
        insert.hInsertAfter = after;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.pszText = const_cast<LPWSTR>(text);
        insert.item.iImage = image;
        insert.item.iSelectedImage = image;
        return reinterpret_cast<HTREEITEM>(
            SendMessage(t, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    static HTREEITEM Next(HWND t, UINT flag, HTREEITEM item = nullptr) {
        return reinterpret_cast<HTREEITEM>(
            SendMessage(t, TVM_GETNEXTITEM, flag, reinterpret_cast<LPARAM>(item)));
    }
    static std::wstring Name(HWND t, HTREEITEM item) {
        return quorvel::testing::TreeItemText(t, item);
    }
    static bool IsExpanded(HWND t, HTREEITEM item) {
        TVITEM tv{};
        tv.mask = TVIF_STATE;
        tv.hItem = item;
        tv.stateMask = TVIS_EXPANDED;
        SendMessage(t, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&tv));
        return (tv.state & TVIS_EXPANDED) != 0;
    }
    static RECT ItemRect(HWND t, HTREEITEM item, bool label) {
        RECT r{};
        std::memcpy(&r, &item, sizeof item);
        SendMessage(t, TVM_GETITEMRECT, label, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // "Flash Disk" with two job folders (one of which holds a file) and a file.
    HWND Folders(HWND host, RECT r, HTREEITEM* root = nullptr, HTREEITEM* jobs = nullptr) {
        HWND t = Make(host, WC_TREEVIEW, L"", kFolderTree, r, 1001);
        SHFILEINFO info{};
        auto icons = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfo(L"\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
        SendMessage(t, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(icons));
        HTREEITEM disk = Add(t, TVI_ROOT, L"Flash Disk");
        HTREEITEM a = Add(t, disk, L"Jobs");
        Add(t, a, L"ruvo.ini", TVI_LAST, 0);
        Add(t, disk, L"Quorvel");
        Add(t, disk, L"readme.txt", TVI_LAST, 0);
        if (root) *root = disk;
        if (jobs) *jobs = a;
        return t;
    }
};

TEST_F(TreeViews, LooksMatchTheirReference) {
    Sheet sheet;
    auto add = [&](int height, auto&& prepare) {
        HWND host = Host(150, height + 6);
        HTREEITEM root = nullptr, jobs = nullptr;
        HWND t = Folders(host, {3, 3, 147, 3 + height}, &root, &jobs);
        prepare(t, root, jobs);
        sheet.Add(Snap(host));
        DestroyWindow(host);
    };
    add(100, [](HWND t, HTREEITEM root, HTREEITEM jobs) {
        SendMessage(t, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
        SendMessage(t, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(jobs));
        SendMessage(t, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(jobs));
        SetFocus(t);
    });
    add(100, [](HWND t, HTREEITEM root, HTREEITEM) {
        SendMessage(t, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
    });
    add(60, [](HWND t, HTREEITEM, HTREEITEM jobs) {
        SendMessage(t, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(jobs));
    });
    quorvel::testing::ExpectMatchesReference(sheet.image(), "treeviews");
}

TEST_F(TreeViews, InsertionOrderAndNavigation) {
    HWND host = Host(200, 150);
    HWND t = Make(host, WC_TREEVIEW, L"", kFolderTree, {0, 0, 190, 140}, 1);
    HTREEITEM b = Add(t, TVI_ROOT, L"b");
    HTREEITEM a = Add(t, TVI_ROOT, L"a", TVI_FIRST);
    HTREEITEM d = Add(t, TVI_ROOT, L"d");
    HTREEITEM c = Add(t, TVI_ROOT, L"c", TVI_SORT);
    HTREEITEM e = Add(t, TVI_ROOT, L"e", b);  // after b
    EXPECT_EQ(Next(t, TVGN_ROOT), a);
    EXPECT_EQ(Next(t, TVGN_NEXT, a), b);
    EXPECT_EQ(Next(t, TVGN_NEXT, b), e);
    EXPECT_EQ(Next(t, TVGN_NEXT, e), c);
    EXPECT_EQ(Next(t, TVGN_NEXT, c), d);
    EXPECT_EQ(Next(t, TVGN_NEXT, d), nullptr);
    EXPECT_EQ(Next(t, TVGN_PREVIOUS, b), a);
    HTREEITEM child = Add(t, c, L"c1");
    EXPECT_EQ(Next(t, TVGN_CHILD, c), child);
    EXPECT_EQ(Next(t, TVGN_PARENT, child), c);
    EXPECT_EQ(Next(t, TVGN_PARENT, c), nullptr);
    EXPECT_EQ(Next(t, TVGN_FIRSTVISIBLE), a);
    EXPECT_EQ(Next(t, TVGN_NEXTVISIBLE, c), d);  // c is collapsed
    EXPECT_EQ(SendMessage(t, TVM_GETCOUNT, 0, 0), 6);
    TVITEM set{};
    set.mask = TVIF_TEXT | TVIF_PARAM;
    set.hItem = e;
    set.pszText = const_cast<LPWSTR>(L"作业");
    set.lParam = 77;
    SendMessage(t, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&set));
    TVITEM get{};
    get.mask = TVIF_PARAM | TVIF_CHILDREN;
    get.hItem = c;
    SendMessage(t, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&get));
    EXPECT_EQ(get.cChildren, 1);
    EXPECT_EQ(Name(t, e), L"作业");
    SendMessage(t, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(c));
    EXPECT_EQ(SendMessage(t, TVM_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(Events(TVN_DELETEITEM).size(), 2u);  // c1, then c
    EXPECT_EQ(Text(t),
              "SysTreeView32 id=1 \"\" (0,0,190,140) TVS_HASBUTTONS TVS_HASLINES "
              "TVS_LINESATROOT TVS_SHOWSELALWAYS items=4 "
              "shown=[\"a\",\"b\",\"作业\",\"d\"]");
    SendMessage(t, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    EXPECT_EQ(SendMessage(t, TVM_GETCOUNT, 0, 0), 0);
}

TEST_F(TreeViews, ProgramExpansionTellsTheParentUntilExpandedOnce) {
    HWND host = Host(200, 150);
    HTREEITEM root = nullptr, jobs = nullptr;
    HWND t = Folders(host, {0, 0, 190, 140}, &root, &jobs);
    SendMessage(t, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    std::vector<Event> expanded = Events(TVN_ITEMEXPANDED);
    ASSERT_EQ(expanded.size(), 1u);
    EXPECT_EQ(expanded[0].tree.action, UINT{TVE_EXPAND});
    EXPECT_EQ(expanded[0].tree.itemNew.hItem, root);
    EXPECT_TRUE(expanded[0].tree.itemNew.state & TVIS_EXPANDED);
    EXPECT_EQ(Events(TVN_ITEMEXPANDING).size(), 1u);
    SendMessage(t, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(root));
    SendMessage(t, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    EXPECT_EQ(Events(TVN_ITEMEXPANDED).size(), 1u);  // expanded once already
    SendMessage(t, TVM_EXPAND, TVE_COLLAPSE | TVE_COLLAPSERESET, reinterpret_cast<LPARAM>(root));
    EXPECT_FALSE(IsExpanded(t, root));
    EXPECT_EQ(Next(t, TVGN_CHILD, root), nullptr);  // the children went
    TVITEM children{};
    children.mask = TVIF_CHILDREN;
    children.hItem = root;
    children.cChildren = 1;
    SendMessage(t, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&children));
    TakeEvents();
    SendMessage(t, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    EXPECT_EQ(Events(TVN_ITEMEXPANDED).size(), 1u);  // told again after the reset
    EXPECT_TRUE(IsExpanded(t, root));
}

TEST_F(TreeViews, TheStylusExpandsBySelectsAndClicks) {
    HWND host = Host(200, 150);
    HTREEITEM root = nullptr, jobs = nullptr;
    HWND t = Folders(host, {0, 0, 190, 140}, &root, &jobs);
    const RECT row = ItemRect(t, root, false);
    const int indent = static_cast<int>(SendMessage(t, TVM_GETINDENT, 0, 0));
    TVHITTESTINFO hit{{indent / 2, row.top + 5}, 0, nullptr};
    SendMessage(t, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    EXPECT_EQ(hit.flags, UINT{TVHT_ONITEMBUTTON});
    EXPECT_EQ(hit.hItem, root);
    Tap(t, {indent / 2, row.top + 5});
    EXPECT_TRUE(IsExpanded(t, root));
    EXPECT_EQ(Events(TVN_ITEMEXPANDED).size(), 1u);
    EXPECT_EQ(Next(t, TVGN_CARET), nullptr);  // the button does not select
    Wait();
    TakeEvents();
    const RECT label = ItemRect(t, jobs, true);
    Tap(t, {label.left + 3, label.top + 3});
    EXPECT_EQ(Next(t, TVGN_CARET), jobs);
    const std::vector<Event> all = Events();
    std::vector<UINT> codes;
    for (const Event& e : all)
        if (e.code != NM_SETFOCUS) codes.push_back(e.code);
    EXPECT_EQ(codes, (std::vector<UINT>{TVN_SELCHANGING, TVN_SELCHANGED, NM_CLICK}));
    const Event changed = Events(TVN_SELCHANGED).front();
    EXPECT_EQ(changed.tree.action, UINT{TVC_BYMOUSE});
    EXPECT_EQ(changed.tree.itemOld.hItem, nullptr);
    EXPECT_EQ(changed.tree.itemNew.hItem, jobs);
    Wait();
    TakeEvents();
    Tap(t, {label.left + 3, label.top + 3});
    Tap(t, {label.left + 3, label.top + 3});  // a double tap toggles
    EXPECT_TRUE(IsExpanded(t, jobs));
    EXPECT_EQ(Events(NM_DBLCLK).size(), 1u);
}

TEST_F(TreeViews, KeysWalkExpandAndCollapse) {
    HWND host = Host(200, 150);
    HTREEITEM root = nullptr, jobs = nullptr;
    HWND t = Folders(host, {0, 0, 190, 140}, &root, &jobs);
    SetFocus(t);
    Key(VK_DOWN);  // nothing selected: the first item
    EXPECT_EQ(Next(t, TVGN_CARET), root);
    Key(VK_RIGHT);
    EXPECT_TRUE(IsExpanded(t, root));
    Key(VK_RIGHT);
    EXPECT_EQ(Next(t, TVGN_CARET), jobs);
    Key(VK_DOWN);
    EXPECT_EQ(Name(t, Next(t, TVGN_CARET)), L"Quorvel");
    Key(VK_LEFT);
    EXPECT_EQ(Next(t, TVGN_CARET), root);
    Key(VK_LEFT);
    EXPECT_FALSE(IsExpanded(t, root));
    EXPECT_EQ(Events(TVN_SELCHANGED).back().tree.action, UINT{TVC_BYKEYBOARD});
}

TEST_F(TreeViews, SelectingAHiddenItemExpandsItsAncestors) {
    HWND host = Host(200, 60);
    HTREEITEM root = nullptr, jobs = nullptr;
    HWND t = Folders(host, {0, 0, 190, 50}, &root, &jobs);
    HTREEITEM file = Next(t, TVGN_CHILD, jobs);
    SendMessage(t, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(file));
    EXPECT_TRUE(IsExpanded(t, root));
    EXPECT_TRUE(IsExpanded(t, jobs));
    EXPECT_EQ(Events(TVN_SELCHANGED).back().tree.action, UINT{TVC_UNKNOWN});
    const RECT r = ItemRect(t, file, false);
    RECT client{};
    GetClientRect(t, &client);
    EXPECT_LE(r.bottom, client.bottom);  // scrolled into view
    SendMessage(t, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(root));
    EXPECT_EQ(Next(t, TVGN_CARET), root);  // the selection left with the collapsed items
}

TEST_F(TreeViews, ItemsAddedWhileRedrawIsOffShowOnceItComesBack) {
    HWND host = Host(200, 100);
    HTREEITEM root = nullptr, jobs = nullptr;
    HWND t = Folders(host, {0, 0, 190, 90}, &root, &jobs);
    SendMessage(t, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    Pump();
    SendMessage(t, WM_SETREDRAW, FALSE, 0);
    std::vector<HTREEITEM> added;
    for (int i = 0; i < 300; ++i) added.push_back(Add(t, root, std::to_wstring(i).c_str()));
    SendMessage(t, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(added[1]));
    EXPECT_EQ(SendMessage(t, TVM_GETCOUNT, 0, 0), 5 + 299);
    // Asking for what is shown lays the items out even before redraw is on.
    EXPECT_EQ(Next(t, TVGN_LASTVISIBLE), added.back());
    EXPECT_EQ(Next(t, TVGN_NEXTVISIBLE, added[0]), added[2]);
    Add(t, root, L"最后");
    SendMessage(t, WM_SETREDRAW, TRUE, 0);
    Pump();
    EXPECT_EQ(Name(t, Next(t, TVGN_LASTVISIBLE)), L"最后");
    SendMessage(t, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(added[150]));
    const RECT r = ItemRect(t, added[150], false);
    RECT client{};
    GetClientRect(t, &client);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.bottom, client.bottom);
    EXPECT_TRUE(Text(t).find("items=305") != std::string::npos) << Text(t);
}

}  // namespace
