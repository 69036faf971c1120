// The folder tree over real folders in a temporary device root: what a
// folder lists and in which order, reading again on every expansion, paths
// of items, selecting paths in any letter case and refusing those it
// cannot show, and folders that are huge, oddly named, missing or locked.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/files/FileApi.h"
#include "platform/win/WinInternal.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/FolderTreeCtrl.h"

namespace uitest {
namespace {

constexpr DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES |
                             TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_EDITLABELS;

std::vector<CString> Texts(const CTreeCtrl& tree, HTREEITEM parent) {
    std::vector<CString> texts;
    for (HTREEITEM h = tree.GetChildItem(parent); h; h = tree.GetNextSiblingItem(h))
        texts.push_back(tree.GetItemText(h));
    return texts;
}

bool IsExpanded(const CTreeCtrl& tree, HTREEITEM item) {
    return (tree.GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

class FolderTreeTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        if (HasFatalFailure()) return;
        WriteJobFolder();
        WriteHost("Flash Disk/Jobs/other/other.ini", "");
        WriteHost("Flash Disk/esystem.sys", "");
        ASSERT_TRUE(m_tree.Create(kTreeStyle, CRect(0, 0, 240, 300), &m_main, 1001));
    }
    void TearDown() override {
        if (m_tree.GetSafeHwnd()) m_tree.DestroyWindow();
        UiTest::TearDown();
    }
    HTREEITEM Item(const std::vector<std::wstring>& texts) {
        return TreeItem(m_tree.m_hWnd, texts);
    }
    // A tap on the item's expand button.
    void TapButton(HTREEITEM item) {
        CRect r;
        m_tree.GetItemRect(item, &r, TRUE);
        Advance(1000);  // never a double tap
        Tap(m_tree.m_hWnd, {r.left - 20, r.CenterPoint().y});
    }

    CFolderTreeCtrl m_tree;
};

TEST_F(FolderTreeTest, AFolderListsItsFoldersThenTheFilesOfTheFilterInOrder) {
    m_tree.SetFileFilter(L"*.dat");
    ASSERT_TRUE(m_tree.ShowTree(L"\\Flash Disk\\Jobs\\ruvo", TRUE));
    EXPECT_FALSE(m_tree.GetStyle() & TVS_EDITLABELS);
    HTREEITEM root = m_tree.GetRootItem();
    EXPECT_EQ(m_tree.GetItemText(root), CString(L"\\Flash Disk\\Jobs\\ruvo"));
    EXPECT_EQ(m_tree.GetItemPath(root), CString(L"\\Flash Disk\\Jobs\\ruvo"));
    EXPECT_EQ(m_tree.GetRootPath(), CString(L"\\Flash Disk\\Jobs\\ruvo\\"));
    EXPECT_EQ(Texts(m_tree, root), (std::vector<CString>{L"data", L"road.1", L"A.DAT", L"b.dat",
                                                         L"x.udat", L"测量.dat"}));
    // Folders show the folder picture and an expand button over one dummy.
    int image = -1, selected = -1;
    m_tree.GetItemImage(Item({L"road.1"}), image, selected);
    EXPECT_EQ(image, CFolderTreeCtrl::kFolderImage);
    EXPECT_EQ(selected, CFolderTreeCtrl::kFolderImage);
    EXPECT_EQ(Texts(m_tree, Item({L"road.1"})), std::vector<CString>{L""});
    m_tree.GetItemImage(Item({L"测量.dat"}), image, selected);
    EXPECT_EQ(image, CFolderTreeCtrl::kFileImage);
    EXPECT_EQ(m_tree.GetItemPath(Item({L"测量.dat"})),
              CString(L"\\Flash Disk\\Jobs\\ruvo\\测量.dat"));

    // Without files only the folders.
    ASSERT_TRUE(m_tree.ShowTree(L"\\Flash Disk\\Jobs\\ruvo\\", FALSE));
    EXPECT_EQ(Texts(m_tree, m_tree.GetRootItem()), (std::vector<CString>{L"data", L"road.1"}));

    // The default filter lists everything.
    CFolderTreeCtrl all;
    ASSERT_TRUE(all.Create(kTreeStyle, CRect(0, 0, 100, 100), &m_main, 1002));
    ASSERT_TRUE(all.ShowTree(L"\\Flash Disk\\Jobs\\ruvo", TRUE));
    EXPECT_EQ(Texts(all, all.GetRootItem()).size(), 7u);
    all.DestroyWindow();
}

TEST_F(FolderTreeTest, SelectPathFindsItemsInAnyCaseAndRefusesWhatIsNotThere) {
    m_tree.SetFileFilter(L"*.dat");
    ASSERT_TRUE(m_tree.ShowTree(L"\\Flash Disk", TRUE));
    HTREEITEM root = m_tree.GetRootItem();
    EXPECT_EQ(m_tree.GetItemPath(root), CString(L"\\Flash Disk"));
    const UINT before = m_tree.GetCount();
    // Missing: nothing expands, nothing is selected.
    EXPECT_FALSE(m_tree.SelectPath(L"\\Flash Disk\\Jobs\\ruvo\\missing.dat"));
    EXPECT_FALSE(IsExpanded(m_tree, root));
    EXPECT_EQ(m_tree.GetCount(), before);
    EXPECT_EQ(m_tree.GetSelectedItem(), nullptr);

    EXPECT_TRUE(m_tree.SelectPath(L"\\FLASH DISK\\jobs\\RUVO\\a.dat"));
    HTREEITEM chosen = m_tree.GetSelectedItem();
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(m_tree.GetItemPath(chosen), CString(L"\\Flash Disk\\Jobs\\ruvo\\A.DAT"));
    EXPECT_TRUE(IsExpanded(m_tree, Item({L"Jobs", L"ruvo"})));
    EXPECT_EQ(Texts(m_tree, Item({L"Jobs"})), (std::vector<CString>{L"other", L"ruvo"}));

    // Again, with a file that came meanwhile: every folder on the way is
    // read again.
    WriteHost("Flash Disk/Jobs/ruvo/new.dat", "");
    EXPECT_TRUE(m_tree.SelectPath(L"\\Flash Disk\\Jobs\\ruvo\\new.dat"));
    EXPECT_EQ(m_tree.GetItemText(m_tree.GetSelectedItem()), CString(L"new.dat"));
    EXPECT_TRUE(m_tree.SelectPath(L"\\flash disk\\jobs"));
    EXPECT_EQ(m_tree.GetItemPath(m_tree.GetSelectedItem()), CString(L"\\Flash Disk\\Jobs"));
    EXPECT_TRUE(m_tree.SelectPath(L"\\Flash Disk\\"));
    EXPECT_EQ(m_tree.GetSelectedItem(), root);

    // Outside the root, or shorter than it: not in the tree.
    ASSERT_TRUE(m_tree.ShowTree(L"\\Flash Disk\\Jobs", TRUE));
    EXPECT_FALSE(m_tree.SelectPath(L"\\Flash Disk\\esystem.sys"));
    EXPECT_FALSE(m_tree.SelectPath(L"\\Flash Disk"));
    EXPECT_FALSE(m_tree.SelectPath(L"\\"));
    WriteHost("Flash Disk/Jobsx/a.dat", "");
    EXPECT_FALSE(m_tree.SelectPath(L"\\Flash Disk\\Jobsx\\a.dat"));
    EXPECT_EQ(m_tree.GetSelectedItem(), nullptr);
    // ".." in the path reaches no item.
    EXPECT_FALSE(m_tree.SelectPath(L"\\Flash Disk\\Jobs\\ruvo\\..\\ruvo\\A.DAT"));
}

TEST_F(FolderTreeTest, TheDeviceRootAsTheTreesRoot) {
    ASSERT_TRUE(m_tree.ShowTree(L"\\", TRUE));
    HTREEITEM root = m_tree.GetRootItem();
    EXPECT_EQ(m_tree.GetItemText(root), CString(L""));
    EXPECT_EQ(Texts(m_tree, root), std::vector<CString>{L"Flash Disk"});
    EXPECT_TRUE(m_tree.SelectPath(L"\\Flash Disk\\Jobs\\ruvo\\c.txt"));
    EXPECT_EQ(m_tree.GetItemPath(m_tree.GetSelectedItem()),
              CString(L"\\Flash Disk\\Jobs\\ruvo\\c.txt"));
    EXPECT_EQ(CFolderTreeCtrl::GetFileName(L"\\Flash Disk\\Jobs\\"), CString(L"Jobs"));
    EXPECT_EQ(CFolderTreeCtrl::GetFileName(L"\\"), CString(L""));
    EXPECT_EQ(CFolderTreeCtrl::GetFileName(L"a.dat"), CString(L"a.dat"));
}

TEST_F(FolderTreeTest, EveryExpansionReadsTheFolderAgainAndCollapsingDropsIt) {
    m_tree.SetFileFilter(L"*.dat");
    ASSERT_TRUE(m_tree.ShowTree(L"\\Flash Disk\\Jobs", TRUE));
    ASSERT_TRUE(m_tree.SelectPath(L"\\Flash Disk\\Jobs\\ruvo"));
    HTREEITEM ruvo = Item({L"ruvo"});
    ASSERT_NE(ruvo, nullptr);
    EXPECT_EQ(Texts(m_tree, ruvo).size(), 6u);
    TapButton(ruvo);
    EXPECT_FALSE(IsExpanded(m_tree, ruvo));
    EXPECT_EQ(Texts(m_tree, ruvo), std::vector<CString>{L""});  // a dummy keeps the button
    WriteHost("Flash Disk/Jobs/ruvo/0new.dat", "");
    ASSERT_TRUE(::DeleteFile(L"\\Flash Disk\\Jobs\\ruvo\\b.dat"));
    TapButton(ruvo);
    EXPECT_TRUE(IsExpanded(m_tree, ruvo));
    EXPECT_EQ(Texts(m_tree, ruvo), (std::vector<CString>{L"data", L"road.1", L"0new.dat", L"A.DAT",
                                                         L"x.udat", L"测量.dat"}));
    // A folder never opened reads its entries on the first tap.
    HTREEITEM data = Item({L"ruvo", L"data"});
    TapButton(data);
    EXPECT_EQ(Texts(m_tree, data), std::vector<CString>{L"pt.dat"});
}

TEST_F(FolderTreeTest, HugeOddMissingAndLockedFoldersDoNoHarm) {
    namespace fs = std::filesystem;
    fs::create_directories(Host("Flash Disk/big"));
    for (int i = 0; i < 20000; ++i)
        std::ofstream(Host("Flash Disk/big/p" + std::to_string(i) + ".dat"));
    const std::string longName = std::string(250, 'n') + ".dat";
    std::ofstream(Host(longName));
    std::ofstream(Host("Flash Disk/" + longName));
    std::string chinese;
    for (int i = 0; i < 70; ++i) chinese += "测";
    std::ofstream(Host("Flash Disk/" + chinese + ".dat"));
    fs::create_directories(Host("Flash Disk/locked/inside"));
    ASSERT_EQ(::chmod(Host("Flash Disk/locked").c_str(), 0), 0);

    m_tree.SetFileFilter(L"*.dat");
    ASSERT_TRUE(m_tree.ShowTree(L"\\", TRUE));
    EXPECT_TRUE(m_tree.SelectPath(L"\\Flash Disk\\big\\p19999.dat"));
    EXPECT_EQ(Texts(m_tree, Item({L"Flash Disk", L"big"})).size(), 20000u);
    const std::vector<CString> top = Texts(m_tree, m_tree.GetRootItem());
    EXPECT_EQ(top.back(), CString(std::wstring(250, L'n') + L".dat"));
    EXPECT_TRUE(m_tree.SelectPath(L"\\Flash Disk"));
    const std::vector<CString> disk = Texts(m_tree, Item({L"Flash Disk"}));
    EXPECT_EQ(disk.back(), CString(std::wstring(70, L'测') + L".dat"));
    // Listed, but its path is longer than the device's paths can be.
    const CString tooLong = L"\\Flash Disk\\" + CString(std::wstring(250, L'n') + L".dat");
    EXPECT_EQ(std::count(disk.begin(), disk.end(), CString(std::wstring(250, L'n') + L".dat")), 1);
    EXPECT_FALSE(m_tree.SelectPath(tooLong));
    HTREEITEM locked = Item({L"Flash Disk", L"locked"});
    ASSERT_NE(locked, nullptr);
    TapButton(locked);
    if (::geteuid() != 0) {  // root reads it all the same
        EXPECT_TRUE(Texts(m_tree, locked).empty());
    }
    ::chmod(Host("Flash Disk/locked").c_str(), 0755);

    // A root that does not exist: the root item alone.
    ASSERT_TRUE(m_tree.ShowTree(L"\\Flash Disk\\nowhere", TRUE));
    EXPECT_EQ(m_tree.GetCount(), 1u);
    EXPECT_FALSE(m_tree.SelectPath(L"\\Flash Disk\\nowhere"));
}

}  // namespace
}  // namespace uitest
