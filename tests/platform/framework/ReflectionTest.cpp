// Notifications a control sends its parent, handled by the control's own
// class: owner drawing, colours, WM_COMMAND and WM_NOTIFY, and the _EX forms
// that let the parent see the notification too.
#include "tests/platform/framework/FrameworkTest.h"

using namespace fwtest;

namespace {

constexpr UINT kNotifierId = 40;
constexpr UINT kButtonId = 41;
constexpr UINT WM_FIRE = WM_APP + 2;

// A control of our own that tells its parent NM_CLICK when asked.
LRESULT NotifierProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_FIRE) return DefWindowProc(hwnd, msg, wParam, lParam);
    NMHDR header{hwnd, static_cast<UINT_PTR>(GetDlgCtrlID(hwnd)), NM_CLICK};
    return SendMessage(GetParent(hwnd), WM_NOTIFY, header.idFrom,
                       reinterpret_cast<LPARAM>(&header));
}

LPCTSTR NotifierClass() {
    static const bool registered = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = &NotifierProc;
        wc.lpszClassName = L"FwNotifier";
        return RegisterClass(&wc) != 0;
    }();
    return registered ? L"FwNotifier" : nullptr;
}

class COwnNotifier : public CWnd {
  public:
    BOOL alsoParent = FALSE;
    int clicks = 0;

  protected:
    afx_msg BOOL OnClick(NMHDR* header, LRESULT* result) {
        ++clicks;
        EXPECT_EQ(header->code, NM_CLICK);
        *result = 5;
        return !alsoParent;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(COwnNotifier, CWnd)
ON_NOTIFY_REFLECT_EX(NM_CLICK, OnClick)
END_MESSAGE_MAP()

class CSelfDrawnButton : public CButton {
  public:
    int draws = 0;
    int clicks = 0;
    UINT drawnId = 0;
    HBRUSH brush = nullptr;
    void DrawItem(LPDRAWITEMSTRUCT dis) override {
        ++draws;
        drawnId = dis->CtlID;
        CDC* dc = CDC::FromHandle(dis->hDC);
        dc->FillSolidRect(&dis->rcItem, RGB(0, 128, 0));
    }

  protected:
    afx_msg void OnClicked() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSelfDrawnButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

class CColourLabel : public CStatic {
  public:
    CBrush brush{RGB(255, 255, 255)};
    int asked = 0;

  protected:
    afx_msg HBRUSH CtlColor(CDC* dc, UINT type) {
        ++asked;
        EXPECT_EQ(type, static_cast<UINT>(CTLCOLOR_STATIC));
        dc->SetBkMode(TRANSPARENT);
        return brush;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CColourLabel, CStatic)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CParent : public CWnd {
  public:
    int notifies = 0;
    int clicks = 0;
    int draws = 0;
    BOOL drawsItself = FALSE;

  protected:
    afx_msg void OnChildClick(NMHDR*, LRESULT*) { ++notifies; }
    afx_msg void OnButton() { ++clicks; }
    afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT dis) {
        if (!drawsItself) {
            CWnd::OnDrawItem(id, dis);
            return;
        }
        ++draws;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CParent, CWnd)
ON_NOTIFY(NM_CLICK, kNotifierId, OnChildClick)
ON_BN_CLICKED(kButtonId, OnButton)
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

class ReflectionTest : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), L"parent", WS_POPUP | WS_VISIBLE,
                                      0, 0, 200, 200, m_main.m_hWnd, nullptr));
    }
    CParent m_parent;
};

TEST_F(ReflectionTest, OwnerDrawnButtonDrawsItselfUnlessItsParentDraws) {
    CSelfDrawnButton button;
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 50, 30),
                              &m_parent, kButtonId));
    button.UpdateWindow();
    EXPECT_GE(button.draws, 1);
    EXPECT_EQ(button.drawnId, kButtonId);
    CClientDC dc(&button);
    EXPECT_EQ(dc.GetPixel(5, 5), RGB(0, 128, 0));

    m_parent.drawsItself = TRUE;
    const int before = button.draws;
    button.Invalidate();
    button.UpdateWindow();
    EXPECT_EQ(button.draws, before);
    EXPECT_GE(m_parent.draws, 1);
}

TEST_F(ReflectionTest, ReflectedClickStaysWithTheButton) {
    CSelfDrawnButton button;
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 50, 30),
                              &m_parent, kButtonId));
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(button.clicks, 1);
    EXPECT_EQ(m_parent.clicks, 0);

    // A plain button has no reflection entry: the parent's map has it.
    CButton plain;
    ASSERT_TRUE(
        plain.Create(L"ok", WS_CHILD | WS_VISIBLE, CRect(60, 10, 100, 30), &m_parent, kButtonId));
    plain.SendMessage(BM_CLICK);
    EXPECT_EQ(m_parent.clicks, 1);
}

TEST_F(ReflectionTest, NotifyReflectExDecidesWhetherTheParentSeesItToo) {
    COwnNotifier child;
    ASSERT_TRUE(child.Create(NotifierClass(), L"", WS_VISIBLE, CRect(0, 0, 20, 20), &m_parent,
                             kNotifierId));
    EXPECT_EQ(child.SendMessage(WM_FIRE), 5);
    EXPECT_EQ(child.clicks, 1);
    EXPECT_EQ(m_parent.notifies, 0);

    child.alsoParent = TRUE;
    child.SendMessage(WM_FIRE);
    EXPECT_EQ(child.clicks, 2);
    EXPECT_EQ(m_parent.notifies, 1);
}

TEST_F(ReflectionTest, ParentSeesNotificationsOfControlsWithoutObjects) {
    HWND raw =
        CreateWindow(NotifierClass(), L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, m_parent.m_hWnd,
                     reinterpret_cast<HMENU>(kNotifierId), nullptr, nullptr);
    SendMessage(raw, WM_FIRE, 0, 0);
    EXPECT_EQ(m_parent.notifies, 1);
}

TEST_F(ReflectionTest, LabelGivesItsOwnBrushWhenAskedForColours) {
    CColourLabel label;
    ASSERT_TRUE(
        label.Create(L"标签", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(0, 50, 80, 70), &m_parent));
    label.UpdateWindow();
    EXPECT_GE(label.asked, 1);
    CClientDC dc(&label);
    EXPECT_EQ(dc.GetPixel(78, 18), RGB(255, 255, 255));
}

}  // namespace
