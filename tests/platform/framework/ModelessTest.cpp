// Modeless dialogs (top-level and as pages inside another window), the
// owner a dialog gets when the program names none, responders choosing in
// lists and boxes, and the text dump of a dialog's controls.
#include "platform/testing/DialogDump.h"
#include "tests/platform/framework/FrameworkTest.h"

using namespace fwtest;
using quorvel::testing::ModalScript;

namespace {

constexpr UINT IDD_PAGE = 3200;
constexpr UINT IDD_CHOICE = 3201;
constexpr UINT IDC_NAME = 1201;
constexpr UINT IDC_KIND = 1202;
constexpr UINT IDC_ON = 1203;
constexpr UINT IDC_A = 1204;
constexpr UINT IDC_B = 1205;
constexpr UINT IDC_NESTED = 1206;

class CPageDlg : public CDialog {
  public:
    CString m_name = L"页";
    int m_inits = 0;
    BOOL OnInitDialog() override {
        ++m_inits;
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_NAME, m_name); }
    void OnOK() override {
        CDialog::OnOK();
        DestroyWindow();
    }
};

using ModelessTest = FrameworkTest;

TEST_F(ModelessTest, TopLevelModelessDialogIsOwnedByTheMainWindowAndEndsByItsOwnOk) {
    TemplateBuilder t(IDD_PAGE, 100, 60, WS_POPUP | WS_CAPTION | WS_VISIBLE);
    t.Edit(IDC_NAME, 5, 5).Button(L"确定", IDOK, 5, 30, true);
    CPageDlg page;
    ASSERT_TRUE(page.CreateIndirect(t.Get()));
    EXPECT_EQ(page.m_inits, 1);
    EXPECT_EQ(::GetWindow(page.m_hWnd, GW_OWNER), m_main.m_hWnd);
    EXPECT_EQ(page.GetParent(), &m_main);
    EXPECT_EQ(TextOf(::GetDlgItem(page.m_hWnd, IDC_NAME)), L"页");
    EXPECT_TRUE(m_main.IsWindowEnabled());  // modeless: the owner stays usable

    page.SetDlgItemText(IDC_NAME, L"报警");
    page.SendMessage(WM_COMMAND, IDOK, 0);
    EXPECT_EQ(page.m_name, L"报警");
    EXPECT_EQ(page.m_hWnd, nullptr);
}

TEST_F(ModelessTest, ChildDialogIsAPageOfItsParentAndKeepsItsKeys) {
    TemplateBuilder t(IDD_PAGE, 100, 60, WS_CHILD | WS_VISIBLE);
    t.Edit(IDC_NAME, 5, 5).Button(L"确定", IDOK, 5, 30, true);
    CPageDlg page;
    ASSERT_TRUE(page.CreateIndirect(t.Get(), &m_main));
    EXPECT_EQ(::GetParent(page.m_hWnd), m_main.m_hWnd);
    EXPECT_TRUE(page.GetStyle() & WS_CHILD);
    page.SetWindowPos(&CWnd::wndTop, 5, 5, 200, 120, SWP_SHOWWINDOW);
    CRect r;
    page.GetWindowRect(&r);
    EXPECT_EQ(r, CRect(5, 5, 205, 125));

    // A key typed into the page is the page's, never its parent's.
    page.GetDlgItem(IDC_NAME)->SetFocus();
    m_main.m_nKeysSeen = 0;
    Key('Z');
    quorvel::win::PumpUntilIdle();
    EXPECT_EQ(m_main.m_nKeysSeen, 0);
}

// ---- Choices made by a responder ----

class CChoiceDlg : public CDialog {
  public:
    explicit CChoiceDlg(TemplateBuilder& t) { InitModalIndirect(t.Get()); }
    CString m_name;
    int m_kind = 0;
    int m_on = 0;
    int m_radio = 0;
    int m_kindChanges = 0;
    HWND m_ownerOfNested = nullptr;
    BOOL m_outerEnabledMeanwhile = TRUE;
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_NAME, m_name);
        DDX_CBIndex(pDX, IDC_KIND, m_kind);
        DDX_Check(pDX, IDC_ON, m_on);
        DDX_Radio(pDX, IDC_A, m_radio);
    }

  protected:
    afx_msg void OnKind() { ++m_kindChanges; }
    afx_msg void OnNested() {
        TemplateBuilder inner(IDD_PAGE);
        inner.Button(L"确定", IDOK, 5, 5, true);
        CDialog dlg;  // no parent named, as the program often writes it
        dlg.InitModalIndirect(inner.Get());
        dlg.DoModal();
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CChoiceDlg, CDialog)
ON_CBN_SELCHANGE(IDC_KIND, OnKind)
ON_BN_CLICKED(IDC_NESTED, OnNested)
END_MESSAGE_MAP()

TemplateBuilder ChoiceTemplate() {
    TemplateBuilder t(IDD_CHOICE, 130, 100);
    t.Edit(IDC_NAME, 5, 5).Combo(IDC_KIND, 5, 20, {L"单点", L"差分", L"浮点", L"固定"});
    t.Check(L"开启", IDC_ON, 5, 36)
        .Radio(L"甲", IDC_A, 5, 48, true)
        .Radio(L"乙", IDC_B, 5, 60, false);
    t.Button(L"确定", IDOK, 5, 80, true).Button(L"嵌套", IDC_NESTED, 60, 80);
    return t;
}

TEST_F(ModelessTest, ResponderTypesSelectsAndChecksLikeAUser) {
    ModalScript modals;
    modals.ExpectDialog(IDD_CHOICE)
        .Type(IDC_NAME, L"基站2")
        .Select(IDC_KIND, 3)
        .Check(IDC_ON)
        .Click(IDC_B)
        .Click(IDOK);
    TemplateBuilder t = ChoiceTemplate();
    CChoiceDlg dlg(t);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_name, L"基站2");
    EXPECT_EQ(dlg.m_kind, 3);
    EXPECT_EQ(dlg.m_kindChanges, 1);
    EXPECT_EQ(dlg.m_on, 1);
    EXPECT_EQ(dlg.m_radio, 1);
}

TEST_F(ModelessTest, DialogOpenedWithoutParentInsideAModalBelongsToThatModal) {
    ModalScript modals;
    HWND outer = nullptr;
    modals.ExpectDialog(IDD_CHOICE).Do([&](HWND d) { outer = d; }).Click(IDC_NESTED).Click(IDOK);
    modals.ExpectDialog(IDD_PAGE)
        .Do([&](HWND d) {
            EXPECT_EQ(::GetWindow(d, GW_OWNER), outer);
            EXPECT_FALSE(::IsWindowEnabled(outer));
        })
        .Click(IDOK);
    TemplateBuilder t = ChoiceTemplate();
    CChoiceDlg dlg(t);
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(ModelessTest, DumpListsEveryControlWithItsState) {
    TemplateBuilder t = ChoiceTemplate();
    CChoiceDlg dlg(t);
    dlg.m_name = L"测站";
    dlg.m_kind = 1;
    dlg.m_on = 1;
    ASSERT_TRUE(dlg.CreateIndirect(t.Get()));
    const std::string dump = quorvel::testing::DumpDialog(dlg.m_hWnd);
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = dump.find('\n', start)) != std::string::npos;
         start = end + 1) {
        lines.push_back(dump.substr(start, end - start));
    }
    ASSERT_EQ(lines.size(), 8u) << dump;
    EXPECT_NE(lines[0].find("\"测试\""), std::string::npos) << dump;
    EXPECT_NE(lines[1].find("测站"), std::string::npos) << dump;
    EXPECT_NE(lines[2].find("差分"), std::string::npos) << dump;
    EXPECT_NE(lines[3].find("id=1203 \"开启\""), std::string::npos) << dump;
    EXPECT_NE(lines[3].find(" checked"), std::string::npos) << dump;
    EXPECT_EQ(lines[1].rfind("  ", 0), 0u) << "controls are indented below the dialog";
    dlg.DestroyWindow();
}

}  // namespace

namespace {

TEST_F(ModelessTest, FocusMovesThroughTheTabOrderOnRequest) {
    TemplateBuilder t = ChoiceTemplate();
    CChoiceDlg dlg(t);
    ASSERT_TRUE(dlg.CreateIndirect(t.Get()));
    dlg.GotoDlgCtrl(dlg.GetDlgItem(IDC_KIND));
    EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), static_cast<int>(IDC_KIND));
    dlg.NextDlgCtrl();
    EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), static_cast<int>(IDC_ON));
    dlg.PrevDlgCtrl();
    dlg.PrevDlgCtrl();
    EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), static_cast<int>(IDC_NAME));
    dlg.DestroyWindow();
}

// A template of the program's resources, opened by id as the program does.
TEST_F(ModelessTest, ResourceTemplateIsOpenedByItsId) {
    const quorvel::resources::DialogTemplate* chosen = nullptr;
    for (const auto& d : quorvel::resources::AllDialogs()) {
        bool standard = !d.items.empty() && (d.style & WS_CHILD) == 0;
        for (const auto& item : d.items) {
            WNDCLASS wc{};
            standard = standard && GetClassInfo(nullptr, item.className, &wc);
        }
        if (standard) {
            chosen = &d;
            break;
        }
    }
    ASSERT_NE(chosen, nullptr);
    ModalScript modals;
    modals.ExpectDialog(chosen->id).Key(VK_ESCAPE);
    CDialog dlg(chosen->id);
    EXPECT_EQ(dlg.m_nIDHelp, chosen->id);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

}  // namespace
