// The control classes over the real controls: what each packs into its
// messages (positions of selected rows, growing text buffers, tree items
// passed in rectangles) and the notifications the controls send back.
#include "tests/platform/framework/FrameworkTest.h"

using namespace fwtest;

namespace {

constexpr UINT IDC_LISTCTRL = 1300;
constexpr UINT IDC_TREE = 1301;

class CHost : public CWnd {
  public:
    std::vector<int> changedItems;
    int treeSelections = 0;

  protected:
    afx_msg void OnItemChanged(NMHDR* header, LRESULT*) {
        auto* lv = reinterpret_cast<NMLISTVIEW*>(header);
        if (lv->uChanged & LVIF_STATE) changedItems.push_back(lv->iItem);
    }
    afx_msg void OnTreeSelection(NMHDR*, LRESULT*) { ++treeSelections; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CHost, CWnd)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_LISTCTRL, OnItemChanged)
ON_NOTIFY(TVN_SELCHANGED, IDC_TREE, OnTreeSelection)
END_MESSAGE_MAP()

// A tree that keeps its selection changes to itself, as a folder tree does
// with its expansions.
class CSelfishTree : public CTreeCtrl {
  public:
    int selections = 0;

  protected:
    afx_msg void OnSelChanged(NMHDR*, LRESULT*) { ++selections; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSelfishTree, CTreeCtrl)
ON_NOTIFY_REFLECT(TVN_SELCHANGED, OnSelChanged)
END_MESSAGE_MAP()

class ControlWrappersTest : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                    240, 320, nullptr, nullptr));
    }
    CHost m_host;
};

TEST_F(ControlWrappersTest, ListControlRowsColumnsAndSelection) {
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 150), &m_host,
                            IDC_LISTCTRL));
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    EXPECT_EQ(list.GetExtendedStyle(), static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES));
    EXPECT_EQ(list.InsertColumn(0, L"点名", LVCFMT_CENTER, 60), 0);
    EXPECT_EQ(list.InsertColumn(1, L"北坐标", LVCFMT_LEFT, 80), 1);
    EXPECT_EQ(list.GetColumnWidth(1), 80);
    for (int i = 0; i < 4; ++i) {
        CString name;
        name.Format(L"P%d", i);
        EXPECT_EQ(list.InsertItem(i, name), i);
        list.SetItemText(i, 1, L"3456789.123");
        list.SetItemData(i, 100 + i);
    }
    EXPECT_EQ(list.InsertItem(0, L"首行"), 0);  // at the top
    EXPECT_EQ(list.GetItemCount(), 5);
    EXPECT_EQ(list.GetItemText(1, 0), L"P0");
    EXPECT_EQ(list.GetItemData(1), 100u);

    const CString longText(L'长', 700);  // beyond the first buffer
    list.SetItemText(2, 1, longText);
    EXPECT_EQ(list.GetItemText(2, 1), longText);

    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(list.GetItemState(3, LVIS_FOCUSED), static_cast<UINT>(LVIS_FOCUSED));
    std::vector<int> selected;
    for (POSITION pos = list.GetFirstSelectedItemPosition(); pos;) {
        selected.push_back(list.GetNextSelectedItem(pos));
    }
    EXPECT_EQ(selected, (std::vector<int>{1, 3}));
    EXPECT_EQ(m_host.changedItems, (std::vector<int>{1, 3}));

    EXPECT_TRUE(list.DeleteItem(1));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetFirstSelectedItemPosition(), nullptr);
}

TEST_F(ControlWrappersTest, TreeItemsNavigationAndReflectedSelection) {
    CSelfishTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT,
                            CRect(0, 0, 200, 200), &m_host, IDC_TREE));
    HTREEITEM root = tree.InsertItem(L"\\", 1, 1);
    HTREEITEM jobs = tree.InsertItem(L"Jobs", 1, 1, root);
    HTREEITEM file = tree.InsertItem(L"a.cot", 0, 0, jobs);
    tree.SetItemData(file, 42);
    EXPECT_EQ(tree.GetRootItem(), root);
    EXPECT_EQ(tree.GetChildItem(root), jobs);
    EXPECT_EQ(tree.GetParentItem(file), jobs);
    EXPECT_EQ(tree.GetNextSiblingItem(jobs), nullptr);
    EXPECT_TRUE(tree.ItemHasChildren(jobs));
    EXPECT_FALSE(tree.ItemHasChildren(file));
    EXPECT_EQ(tree.GetItemText(file), L"a.cot");
    EXPECT_EQ(tree.GetItemData(file), 42u);
    int image = -1, selectedImage = -1;
    tree.GetItemImage(jobs, image, selectedImage);
    EXPECT_EQ(image, 1);

    tree.Expand(root, TVE_EXPAND);
    tree.Expand(jobs, TVE_EXPAND);
    EXPECT_TRUE(tree.GetItemState(jobs, TVIS_EXPANDED) & TVIS_EXPANDED);
    CRect rect;
    EXPECT_TRUE(tree.GetItemRect(file, &rect, TRUE));
    EXPECT_GT(rect.Height(), 0);

    EXPECT_TRUE(tree.SelectItem(file));
    EXPECT_EQ(tree.GetSelectedItem(), file);
    EXPECT_EQ(tree.selections, 1);
    EXPECT_EQ(m_host.treeSelections, 0);
    tree.SetItemText(file, L"b.cot");
    EXPECT_EQ(tree.GetItemText(file), L"b.cot");
    tree.DeleteAllItems();
    EXPECT_EQ(tree.GetCount(), 0u);
}

TEST_F(ControlWrappersTest, ListBoxComboTabAndProgress) {
    CListBox box;
    ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(0, 0, 100, 60), &m_host, 1));
    box.AddString(L"COM1");
    box.AddString(L"COM5");
    box.InsertString(0, L"蓝牙");
    box.SetItemData(2, 5);
    EXPECT_EQ(box.GetCount(), 3);
    EXPECT_EQ(box.FindStringExact(-1, L"com5"), 2);
    CString text;
    box.GetText(0, text);
    EXPECT_EQ(text, L"蓝牙");
    box.SetCurSel(box.GetCount() - 1);
    EXPECT_EQ(box.GetItemData(box.GetCurSel()), 5u);

    CComboBox combo;
    ASSERT_TRUE(
        combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 70, 100, 150), &m_host, 2));
    combo.AddString(L"4800");
    combo.AddString(L"9600");
    EXPECT_EQ(combo.SelectString(-1, L"96"), 1);
    combo.GetLBText(combo.GetCurSel(), text);
    EXPECT_EQ(text, L"9600");
    combo.ResetContent();
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);

    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 160, 200, 260), &m_host, 3));
    EXPECT_EQ(tabs.InsertItem(0, L"投影"), 0);
    EXPECT_EQ(tabs.InsertItem(1, L"转换"), 1);
    tabs.SetCurSel(1);
    EXPECT_EQ(tabs.GetCurSel(), 1);
    CRect first;
    EXPECT_TRUE(tabs.GetItemRect(0, &first));
    CRect area(0, 0, 200, 100);
    tabs.AdjustRect(FALSE, &area);
    EXPECT_GE(area.top, first.bottom);

    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 270, 200, 280), &m_host, 4));
    progress.SetRange(0, 80);
    progress.SetStep(2);
    progress.SetPos(10);
    progress.StepIt();
    int low = -1, high = -1;
    progress.GetRange(low, high);
    EXPECT_EQ(high, 80);
    EXPECT_EQ(progress.GetPos(), 12);
}

TEST_F(ControlWrappersTest, EditSelectionLimitAndReadOnly) {
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 120, 20), &m_host, 5));
    edit.SetWindowText(L"192.168.1.1");
    edit.SetSel(4, 7);
    int start = 0, end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 7);
    edit.ReplaceSel(L"0");
    EXPECT_EQ(TextOf(edit), L"192.0.1.1");
    edit.SetLimitText(3);
    EXPECT_EQ(edit.GetLimitText(), 3u);
    edit.SetReadOnly();
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
}

TEST_F(ControlWrappersTest, ImageListOwnsItsHandleUnlessDetached) {
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR | ILC_MASK, 0, 4));
    CClientDC screen(&m_host);
    CBitmap strip;
    ASSERT_TRUE(strip.CreateCompatibleBitmap(&screen, 32, 16));
    EXPECT_EQ(images.Add(&strip, RGB(255, 255, 255)), 0);
    EXPECT_EQ(images.GetImageCount(), 2);
    EXPECT_EQ(CImageList::FromHandle(images.GetSafeHandle()), &images);
    HIMAGELIST raw = images.Detach();
    EXPECT_EQ(images.GetSafeHandle(), nullptr);
    CImageList* temp = CImageList::FromHandle(raw);
    EXPECT_EQ(temp->GetImageCount(), 2);
    EXPECT_TRUE(ImageList_Destroy(raw));
}

}  // namespace
