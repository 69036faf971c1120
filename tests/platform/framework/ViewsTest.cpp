// The view kinds the program uses, switched into the demonstration frame:
// a scroll view larger than its window, a form view on a dialog template
// with data exchange, and a list view that is a report list control.
#include "platform/framework/DataExchange.h"
#include "platform/framework/FormView.h"
#include "platform/framework/ListView.h"
#include "platform/framework/ScrollView.h"
#include "platform/gdi/Image.h"
#include "tests/platform/framework/DemoApp.h"

using namespace demo;

namespace {

// 400 x 600 of drawing: white, with a red band from y 300 to 320.
class CTallView : public CScrollView {
    DECLARE_DYNCREATE(CTallView)
  public:
    void OnInitialUpdate() override {
        CScrollView::OnInitialUpdate();
        SetScrollSizes(MM_TEXT, CSize(400, 600));
    }
    void OnDraw(CDC* pDC) override {
        pDC->FillSolidRect(0, 0, 400, 600, RGB(255, 255, 255));
        pDC->FillSolidRect(0, 300, 400, 20, RGB(255, 0, 0));
    }
};
IMPLEMENT_DYNCREATE(CTallView, CScrollView)

class CTextForm : public CFormView {
    DECLARE_DYNCREATE(CTextForm)
  public:
    CTextForm() : CFormView(IDD_DRAW_TEXT) {}
    CString m_strText = L"初始";
    int m_nClicks = 0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CFormView::DoDataExchange(pDX);
        DDX_Text(pDX, IDC_DRAW_TEXT_CONTENT, m_strText);
    }
    afx_msg void OnColour() { ++m_nClicks; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTextForm, CFormView)
BEGIN_MESSAGE_MAP(CTextForm, CFormView)
ON_BN_CLICKED(IDC_DRAW_TEXT_COLOR, OnColour)
END_MESSAGE_MAP()

class CRowsView : public CListView {
    DECLARE_DYNCREATE(CRowsView)
  public:
    void OnInitialUpdate() override {
        CListView::OnInitialUpdate();
        CListCtrl& list = GetListCtrl();
        list.InsertColumn(0, L"Name", LVCFMT_LEFT, 200);
        list.InsertColumn(1, L"Age", LVCFMT_LEFT, 200);
        list.InsertItem(0, L"甲");
        list.SetItemText(0, 1, L"20");
    }
};
IMPLEMENT_DYNCREATE(CRowsView, CListView)

using Views = DemoTest;

TEST_F(Views, AScrollViewShowsBarsAndDrawsWhereItIsScrolledTo) {
    CDemoFrame* frame = Start();
    auto* view = static_cast<CTallView*>(frame->SwitchTo(RUNTIME_CLASS(CTallView)));
    ASSERT_NE(view, nullptr);
    Pump();
    CWnd* vbar = view->GetDlgItem(0xEA00);
    CWnd* hbar = view->GetDlgItem(0xEA10);
    ASSERT_TRUE(vbar && hbar);
    EXPECT_TRUE(vbar->IsWindowVisible());
    EXPECT_TRUE(hbar->IsWindowVisible());
    // The band is below the window until the view scrolls down to it.
    EXPECT_EQ(quorvel::gdi::CaptureScreen().At(100, 44 + 10), 0xFFFFFFu);
    view->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 300),
                      reinterpret_cast<LPARAM>(vbar->m_hWnd));
    Pump();
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 300));
    EXPECT_EQ(quorvel::gdi::CaptureScreen().At(100, 44 + 10), 0xFF0000u);
    // A tap on the bar's lower part pages down; the position stops at the end.
    CRect bar;
    vbar->GetWindowRect(&bar);
    for (int i = 0; i < 10; ++i) Tap(CPoint(bar.CenterPoint().x, bar.bottom - 25));
    CRect client;
    view->GetClientRect(&client);
    EXPECT_EQ(view->GetScrollPosition().y, 600 - (client.Height() - bar.Width()));
}

TEST_F(Views, AScrollViewThatFitsHasNoBars) {
    CDemoFrame* frame = Start();
    auto* view = static_cast<CTallView*>(frame->SwitchTo(RUNTIME_CLASS(CTallView)));
    view->SetScrollSizes(MM_TEXT, CSize(100, 100));
    CWnd* vbar = view->GetDlgItem(0xEA00);
    EXPECT_TRUE(!vbar || !vbar->IsWindowVisible());
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 0));
}

TEST_F(Views, AFormViewIsItsDialogWithDataExchange) {
    CDemoFrame* frame = Start();
    auto* form = static_cast<CTextForm*>(frame->SwitchTo(RUNTIME_CLASS(CTextForm)));
    ASSERT_NE(form, nullptr);
    Pump();
    EXPECT_EQ(form->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(form->GetDocument(), frame->GetActiveDocument());
    EXPECT_FALSE(form->GetStyle() & WS_CAPTION);
    CRect rect;
    form->GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(0, 44, 240, 320));
    CString text;
    form->GetDlgItemText(IDC_DRAW_TEXT_CONTENT, text);
    EXPECT_EQ(text, CString(L"初始"));  // filled at the initial update
    form->SetDlgItemText(IDC_DRAW_TEXT_CONTENT, L"改过");
    ASSERT_TRUE(form->UpdateData(TRUE));
    EXPECT_EQ(form->m_strText, CString(L"改过"));
    CRect button;
    form->GetDlgItem(IDC_DRAW_TEXT_COLOR)->GetWindowRect(&button);
    Tap(button.CenterPoint());
    EXPECT_EQ(form->m_nClicks, 1);
}

TEST_F(Views, TheFramesHotKeysComeBeforeTheFormsDialogKeys) {
    CDemoFrame* frame = Start();
    auto* form = static_cast<CTextForm*>(frame->SwitchTo(RUNTIME_CLASS(CTextForm)));
    form->GetDlgItem(IDC_DRAW_TEXT_CONTENT)->SetFocus();
    const HWND hwnd = frame->m_hWnd;
    quorvel::win::InjectKey('A', true);
    quorvel::win::InjectKey('A', false);
    Pump();
    CString text;
    form->GetDlgItemText(IDC_DRAW_TEXT_CONTENT, text);
    EXPECT_GE(text.Find(L'a'), 0);  // typing reaches the edit
    quorvel::win::InjectKey('X', true);
    quorvel::win::InjectKey('X', false);
    Pump();
    EXPECT_TRUE(Logged("frame: key x"));
    EXPECT_FALSE(IsWindow(hwnd));  // closed through ID_APP_EXIT and WM_CLOSE
}

TEST_F(Views, AListViewIsAReportListControl) {
    CDemoFrame* frame = Start();
    auto* view = static_cast<CRowsView*>(frame->SwitchTo(RUNTIME_CLASS(CRowsView)));
    ASSERT_NE(view, nullptr);
    WCHAR cls[32] = {};
    ::GetClassName(view->m_hWnd, cls, 32);
    EXPECT_EQ(CString(cls), CString(L"SysListView32"));
    EXPECT_EQ(view->GetListCtrl().GetItemCount(), 1);
    EXPECT_EQ(view->GetListCtrl().GetItemText(0, 1), CString(L"20"));
    EXPECT_TRUE(view->GetStyle() & LVS_REPORT);
    EXPECT_EQ(frame->GetActiveView(), view);
}

}  // namespace
