// The shared dialog controls: the tab sheet hosting real dialog pages under
// stylus input, and the case-blind string sort.
#include "res/resource.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/SortStringArray.h"
#include "ui/TabSheet.h"

namespace uitest {
namespace {

class TabSheetTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(m_sheet.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 240, 200), &m_main, 100));
    }
    void TearDown() override {
        for (CDialog& page : m_pages)
            if (page.GetSafeHwnd()) page.DestroyWindow();
        UiTest::TearDown();
    }
    // Three pages made from real templates.
    void MakeThreePages() {
        ASSERT_TRUE(m_sheet.AddPage(L"投影", &m_pages[0], IDD_ABOUT));
        ASSERT_TRUE(m_sheet.AddPage(L"转换", &m_pages[1], IDD_DRAW_TEXT));
        ASSERT_TRUE(m_sheet.AddPage(L"拟合", &m_pages[2], IDD_ABOUT));
        m_sheet.CreatePages();
        Pump();
    }
    bool Shown(int page) { return m_pages[page].IsWindowVisible() != FALSE; }

    CTabSheet m_sheet;
    CDialog m_pages[3];
};

TEST_F(TabSheetTest, SixteenPagesAtMost) {
    CDialog spare;
    for (int i = 0; i < CTabSheet::kMaxPages; ++i)
        EXPECT_TRUE(m_sheet.AddPage(L"页", &spare, IDD_ABOUT)) << i;
    EXPECT_FALSE(m_sheet.AddPage(L"十七", &m_pages[0], IDD_DRAW_TEXT));
    EXPECT_EQ(m_sheet.GetPageCount(), 16);
    EXPECT_EQ(m_sheet.GetPage(15), &spare);
    EXPECT_EQ(m_sheet.GetPage(16), nullptr);
}

TEST_F(TabSheetTest, PagesSitBelowTheTabRowOneAtATime) {
    MakeThreePages();
    EXPECT_EQ(m_sheet.GetItemCount(), 3);
    EXPECT_TRUE(Shown(0));
    EXPECT_FALSE(Shown(1));
    EXPECT_FALSE(Shown(2));
    CRect client;
    CRect tab;
    m_sheet.GetClientRect(&client);
    m_sheet.GetItemRect(0, &tab);
    CPoint origin(tab.left, tab.bottom + 1);
    m_sheet.ClientToScreen(&origin);
    for (CDialog& page : m_pages) {
        CRect rect;
        page.GetWindowRect(&rect);
        EXPECT_EQ(rect.TopLeft(), origin);
        EXPECT_EQ(rect.Width(), client.right - tab.left - 2);
        EXPECT_EQ(rect.Height(), client.bottom - tab.bottom - 3);
    }
}

TEST_F(TabSheetTest, SetActivePageSwapsPagesAndTabs) {
    MakeThreePages();
    EXPECT_EQ(m_sheet.SetActivePage(0), 0);
    EXPECT_EQ(m_sheet.SetActivePage(-1), -1);
    EXPECT_EQ(m_sheet.SetActivePage(3), -1);
    EXPECT_TRUE(Shown(0));
    EXPECT_EQ(m_sheet.SetActivePage(2), 0);
    EXPECT_FALSE(Shown(0));
    EXPECT_TRUE(Shown(2));
    EXPECT_EQ(m_sheet.GetCurSel(), 2);
    EXPECT_EQ(m_sheet.SetActivePage(1), 2);
    EXPECT_TRUE(Shown(1));
    EXPECT_FALSE(Shown(2));
}

TEST_F(TabSheetTest, ActivatePageBringsALaterPageForwardWithTheFocus) {
    MakeThreePages();
    m_sheet.ActivatePage(0);
    m_sheet.ActivatePage(3);
    EXPECT_TRUE(Shown(0));
    EXPECT_EQ(m_sheet.GetCurSel(), 0);
    m_sheet.ActivatePage(2);
    EXPECT_TRUE(Shown(2));
    EXPECT_FALSE(Shown(0));
    EXPECT_EQ(m_sheet.GetCurSel(), 2);
    const HWND focus = ::GetFocus();
    EXPECT_TRUE(focus == m_pages[2].m_hWnd || ::IsChild(m_pages[2].m_hWnd, focus));
    // Page 0 never comes back through it.
    m_sheet.ActivatePage(0);
    EXPECT_TRUE(Shown(2));
}

TEST_F(TabSheetTest, ATappedTabShowsItsPage) {
    MakeThreePages();
    CRect tab;
    m_sheet.GetItemRect(1, &tab);
    Tap(m_sheet.m_hWnd, tab.CenterPoint());
    EXPECT_EQ(m_sheet.GetCurSel(), 1);
    EXPECT_TRUE(Shown(1));
    EXPECT_FALSE(Shown(0));
    // A tap on the tab that shows changes nothing.
    Tap(m_sheet.m_hWnd, tab.CenterPoint());
    EXPECT_TRUE(Shown(1));
    EXPECT_EQ(m_sheet.SetActivePage(1), 1);
}

CStringArray Strings(std::initializer_list<const wchar_t*> items) {
    CStringArray array;
    for (const wchar_t* item : items) array.Add(item);
    return array;
}

std::vector<CString> Items(const CStringArray& array) {
    std::vector<CString> items;
    for (int i = 0; i < array.GetSize(); ++i) items.push_back(array[i]);
    return items;
}

TEST(SortStringArrayTest, SortsWithoutRegardToCaseAndKeepsEqualsInOrder) {
    CStringArray names = Strings({L"b", L"A", L"a", L"C"});
    SortStringArray::Sort(names);
    EXPECT_EQ(Items(names), (std::vector<CString>{L"A", L"a", L"b", L"C"}));
    names =
        Strings({L"data", L"Result", L"Jobs", L"ruvo.ini", L"DATA", L"作业", L"abc10", L"abc9"});
    SortStringArray::Sort(names);
    EXPECT_EQ(Items(names), (std::vector<CString>{L"abc10", L"abc9", L"data", L"DATA", L"Jobs",
                                                  L"Result", L"ruvo.ini", L"作业"}));
    CStringArray one = Strings({L"Z"});
    SortStringArray::Sort(one);
    EXPECT_EQ(Items(one), std::vector<CString>{L"Z"});
    CStringArray none;
    SortStringArray::Sort(none);
    EXPECT_EQ(none.GetSize(), 0);
}

}  // namespace
}  // namespace uitest
