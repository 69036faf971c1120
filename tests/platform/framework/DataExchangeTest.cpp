// Data exchange between a dialog's members and its controls: every kind,
// both ways, the text numbers are written as and read from, the prompts of
// refused values, DDV ranges, and notifications held back meanwhile.
#include "tests/platform/framework/FrameworkTest.h"

using namespace fwtest;
using quorvel::testing::ModalScript;

namespace {

enum : UINT {
    IDD_ALL = 3100,
    IDC_STR = 1101,
    IDC_INT,
    IDC_UINT,
    IDC_LONG,
    IDC_SHORT,
    IDC_BYTE,
    IDC_FLOAT,
    IDC_DOUBLE,
    IDC_CHECK,
    IDC_RADIO1,
    IDC_RADIO2,
    IDC_RADIO3,
    IDC_COMBO,
    IDC_LIST,
    IDC_AFTER,
};

TemplateBuilder AllTemplate() {
    TemplateBuilder t(IDD_ALL, 135, 200, WS_POPUP | WS_CAPTION | WS_VISIBLE);
    int y = 2;
    for (UINT id = IDC_STR; id <= IDC_DOUBLE; ++id, y += 13) t.Edit(id, 2, y);
    t.Check(L"选中", IDC_CHECK, 2, y);
    t.Radio(L"甲", IDC_RADIO1, 2, y + 12, true).Radio(L"乙", IDC_RADIO2, 2, y + 24, false);
    t.Add(WC_STATIC, L"不是单选", 0xFFFF, 2, y + 36, 40, 10, SS_LEFT);
    t.Radio(L"丙", IDC_RADIO3, 2, y + 48, false);
    t.Combo(IDC_COMBO, 70, 2, {L"Single", L"DGPS", L"FLOAT", L"FIXED"});
    t.List(IDC_LIST, 70, 20, {L"北京", L"上海", L"广州"});
    t.Edit(IDC_AFTER, 70, 60);
    return t;
}

struct Values {
    CString text = L"点名";
    int i = -42;
    UINT u = 4000000000u;
    long l = -2147483647L;
    short s = -32768;
    BYTE b = 255;
    float f = 1.1f;
    double d = 90.0;
    int check = 1;
    int radio = 2;
    int cbIndex = 3;
    CString cbString = L"DGPS";
    int lbIndex = 1;
    CString lbString;
    double after = 7;
    bool exchangeStrings = false;
};

class CAllDlg : public CDialog {
  public:
    Values v;
    int changes = 0;
    int minI = INT_MIN, maxI = INT_MAX;
    double minD = -1e300, maxD = 1e300;
    int maxChars = 100;

    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_STR, v.text);
        DDV_MaxChars(pDX, v.text, maxChars);
        DDX_Text(pDX, IDC_INT, v.i);
        DDV_MinMaxInt(pDX, v.i, minI, maxI);
        DDX_Text(pDX, IDC_UINT, v.u);
        DDX_Text(pDX, IDC_LONG, v.l);
        DDX_Text(pDX, IDC_SHORT, v.s);
        DDX_Text(pDX, IDC_BYTE, v.b);
        DDX_Text(pDX, IDC_FLOAT, v.f);
        DDX_Text(pDX, IDC_DOUBLE, v.d);
        DDV_MinMaxDouble(pDX, v.d, minD, maxD);
        DDX_Check(pDX, IDC_CHECK, v.check);
        DDX_Radio(pDX, IDC_RADIO1, v.radio);
        if (v.exchangeStrings) {
            DDX_CBString(pDX, IDC_COMBO, v.cbString);
            DDX_LBString(pDX, IDC_LIST, v.lbString);
        } else {
            DDX_CBIndex(pDX, IDC_COMBO, v.cbIndex);
            DDX_LBIndex(pDX, IDC_LIST, v.lbIndex);
        }
        DDX_Text(pDX, IDC_AFTER, v.after);
    }

  protected:
    afx_msg void OnChange() { ++changes; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CAllDlg, CDialog)
ON_EN_CHANGE(IDC_STR, OnChange)
END_MESSAGE_MAP()

class DataExchangeTest : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        m_template = AllTemplate();
        ASSERT_TRUE(m_dlg.CreateIndirect(m_template.Get(), &m_main));
    }
    void TearDown() override {
        m_dlg.DestroyWindow();
        FrameworkTest::TearDown();
    }
    CString Text(UINT id) { return TextOf(::GetDlgItem(m_dlg.m_hWnd, static_cast<int>(id))); }
    void Set(UINT id, LPCTSTR text) { m_dlg.SetDlgItemText(static_cast<int>(id), text); }
    // Reading must fail with a prompt containing `prompt`.
    void ExpectRefused(UINT id, LPCTSTR text, LPCTSTR prompt) {
        Set(id, text);
        ModalScript modals;
        modals.ExpectMessageBox(prompt).Answer(IDOK);
        EXPECT_FALSE(m_dlg.UpdateData(TRUE)) << "accepted " << quorvel::ToUtf8(text);
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(m_dlg.m_hWnd, static_cast<int>(id)));
    }
    TemplateBuilder m_template{0};
    CAllDlg m_dlg;
};

TEST_F(DataExchangeTest, ControlsShowEveryKindOfMemberAsTheFrameworkWritesIt) {
    m_dlg.UpdateData(FALSE);
    EXPECT_EQ(Text(IDC_STR), L"点名");
    EXPECT_EQ(Text(IDC_INT), L"-42");
    EXPECT_EQ(Text(IDC_UINT), L"4000000000");
    EXPECT_EQ(Text(IDC_LONG), L"-2147483647");
    EXPECT_EQ(Text(IDC_SHORT), L"-32768");
    EXPECT_EQ(Text(IDC_BYTE), L"255");
    EXPECT_EQ(Text(IDC_FLOAT), L"1.1");
    EXPECT_EQ(Text(IDC_DOUBLE), L"90");
    EXPECT_EQ(m_dlg.IsDlgButtonChecked(IDC_CHECK), 1u);
    EXPECT_EQ(m_dlg.GetCheckedRadioButton(IDC_RADIO1, IDC_RADIO3), static_cast<int>(IDC_RADIO3));
    EXPECT_EQ(m_dlg.SendDlgItemMessage(IDC_COMBO, CB_GETCURSEL), 3);
    EXPECT_EQ(m_dlg.SendDlgItemMessage(IDC_LIST, LB_GETCURSEL), 1);
}

TEST_F(DataExchangeTest, ValuesComeBackUnchangedThroughTheControls) {
    m_dlg.UpdateData(FALSE);
    const Values before = m_dlg.v;
    m_dlg.v = Values{};
    m_dlg.v.text = L"x";
    m_dlg.v.i = m_dlg.v.radio = m_dlg.v.cbIndex = m_dlg.v.lbIndex = 0;
    m_dlg.v.d = m_dlg.v.f = 0;
    ASSERT_TRUE(m_dlg.UpdateData(TRUE));
    EXPECT_EQ(m_dlg.v.text, before.text);
    EXPECT_EQ(m_dlg.v.i, before.i);
    EXPECT_EQ(m_dlg.v.u, before.u);
    EXPECT_EQ(m_dlg.v.l, before.l);
    EXPECT_EQ(m_dlg.v.s, before.s);
    EXPECT_EQ(m_dlg.v.b, before.b);
    EXPECT_EQ(m_dlg.v.f, before.f);
    EXPECT_EQ(m_dlg.v.d, before.d);
    EXPECT_EQ(m_dlg.v.check, before.check);
    EXPECT_EQ(m_dlg.v.radio, before.radio);
    EXPECT_EQ(m_dlg.v.cbIndex, before.cbIndex);
    EXPECT_EQ(m_dlg.v.lbIndex, before.lbIndex);
}

TEST_F(DataExchangeTest, DoublesKeepFifteenSignificantDigits) {
    struct Case {
        double value;
        const wchar_t* shown;
    } cases[] = {{0.0, L"0"},
                 {-2.5, L"-2.5"},
                 {0.1, L"0.1"},
                 {1e-7, L"1e-07"},
                 {123456789.123456, L"123456789.123456"},
                 {1e20, L"1e+20"}};
    for (const Case& c : cases) {
        m_dlg.v.d = c.value;
        m_dlg.UpdateData(FALSE);
        EXPECT_EQ(Text(IDC_DOUBLE), c.shown);
        ASSERT_TRUE(m_dlg.UpdateData(TRUE));
        EXPECT_EQ(m_dlg.v.d, c.value);
    }
    // More digits than fifteen come back rounded to fifteen.
    m_dlg.v.d = 0.1 + 0.2;
    m_dlg.UpdateData(FALSE);
    ASSERT_TRUE(m_dlg.UpdateData(TRUE));
    EXPECT_EQ(m_dlg.v.d, 0.3);
    m_dlg.v.d = 1.0 / 3;
    m_dlg.UpdateData(FALSE);
    EXPECT_EQ(Text(IDC_DOUBLE), L"0.333333333333333");
    ASSERT_TRUE(m_dlg.UpdateData(TRUE));
    EXPECT_EQ(m_dlg.v.d, 0.333333333333333);
}

TEST_F(DataExchangeTest, NumbersAreReadWithBlanksSignsAndExponents) {
    m_dlg.UpdateData(FALSE);
    Set(IDC_INT, L"  +17 ");
    Set(IDC_DOUBLE, L"\t-1.5e3 ");
    Set(IDC_FLOAT, L".5");
    Set(IDC_UINT, L"0");
    ASSERT_TRUE(m_dlg.UpdateData(TRUE));
    EXPECT_EQ(m_dlg.v.i, 17);
    EXPECT_EQ(m_dlg.v.d, -1500.0);
    EXPECT_EQ(m_dlg.v.f, 0.5f);
    EXPECT_EQ(m_dlg.v.u, 0u);
}

TEST_F(DataExchangeTest, TextThatIsNotANumberOfTheKindIsRefusedWithThePrompt) {
    m_dlg.UpdateData(FALSE);
    const struct {
        UINT id;
        const wchar_t* text;
        const wchar_t* prompt;
    } cases[] = {
        {IDC_INT, L"", L"请输入一个整数。"},
        {IDC_INT, L"abc", L"请输入一个整数。"},
        {IDC_INT, L"12abc", L"请输入一个整数。"},
        {IDC_INT, L"1.5", L"请输入一个整数。"},
        {IDC_INT, L"2147483648", L"请输入一个整数。"},
        {IDC_UINT, L"-1", L"请输入一个整数。"},
        {IDC_SHORT, L"32768", L"请输入一个整数。"},
        {IDC_INT, L"0x10", L"请输入一个整数。"},
        {IDC_BYTE, L"256", L"请输入一个介于0和255之间的整数。"},
        {IDC_DOUBLE, L"1e", L"请输入一个数字。"},
        {IDC_DOUBLE, L"1.2.3", L"请输入一个数字。"},
        {IDC_DOUBLE, L"inf", L"请输入一个数字。"},
        {IDC_DOUBLE, L"--1", L"请输入一个数字。"},
        {IDC_FLOAT, L"nan", L"请输入一个数字。"},
    };
    for (const auto& c : cases) {
        ExpectRefused(c.id, c.text, c.prompt);
        m_dlg.UpdateData(FALSE);  // back to good values
    }
}

TEST_F(DataExchangeTest, RefusalStopsTheExchangeAtTheControlAndSelectsItsText) {
    m_dlg.UpdateData(FALSE);
    Set(IDC_STR, L"新点");
    Set(IDC_DOUBLE, L"north");
    Set(IDC_AFTER, L"8");
    ExpectRefused(IDC_DOUBLE, L"north", L"请输入一个数字");
    EXPECT_EQ(m_dlg.v.text, L"新点");  // before the failing control: read
    EXPECT_EQ(m_dlg.v.after, 7);       // after it: untouched
    DWORD start = 9, end = 9;
    m_dlg.SendDlgItemMessage(IDC_DOUBLE, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                             reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);
}

TEST_F(DataExchangeTest, RangeChecksRefuseOnlyWhenReading) {
    m_dlg.minI = 0;
    m_dlg.maxI = 1000;
    m_dlg.minD = -90;
    m_dlg.maxD = 90;
    m_dlg.maxChars = 4;
    m_dlg.v.i = 5000;
    m_dlg.v.d = 90.5;
    m_dlg.v.text = L"太长的名字";
    {
        ModalScript none;  // writing never checks
        EXPECT_TRUE(m_dlg.UpdateData(FALSE));
    }
    Set(IDC_STR, L"好");
    ExpectRefused(IDC_INT, L"1001", L"请输入一个介于0和1000之间的整数。");
    Set(IDC_INT, L"1000");
    ExpectRefused(IDC_DOUBLE, L"90.5", L"请输入一个介于-90和90之间的数字。");
    Set(IDC_DOUBLE, L"-90");
    ExpectRefused(IDC_STR, L"12345", L"输入的字符不能超过4个。");
    Set(IDC_STR, L"1234");
    EXPECT_TRUE(m_dlg.UpdateData(TRUE));
    EXPECT_EQ(m_dlg.v.i, 1000);
    EXPECT_EQ(m_dlg.v.d, -90);
}

TEST_F(DataExchangeTest, RadioGroupCountsOnlyItsRadioButtonsAndMayHaveNone) {
    m_dlg.v.radio = -1;
    m_dlg.UpdateData(FALSE);
    EXPECT_EQ(m_dlg.GetCheckedRadioButton(IDC_RADIO1, IDC_RADIO3), 0);
    m_dlg.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO2);
    ASSERT_TRUE(m_dlg.UpdateData(TRUE));
    EXPECT_EQ(m_dlg.v.radio, 1);
    m_dlg.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, 0);
    ASSERT_TRUE(m_dlg.UpdateData(TRUE));
    EXPECT_EQ(m_dlg.v.radio, -1);
}

TEST_F(DataExchangeTest, ListsAndCombosExchangeTheirStrings) {
    m_dlg.v.exchangeStrings = true;
    m_dlg.v.cbString = L"FL";  // the first item starting with it
    m_dlg.v.lbString = L"广州";
    m_dlg.UpdateData(FALSE);
    EXPECT_EQ(m_dlg.SendDlgItemMessage(IDC_COMBO, CB_GETCURSEL), 2);
    EXPECT_EQ(m_dlg.SendDlgItemMessage(IDC_LIST, LB_GETCURSEL), 2);
    m_dlg.SendDlgItemMessage(IDC_LIST, LB_SETCURSEL, 0);
    ASSERT_TRUE(m_dlg.UpdateData(TRUE));
    EXPECT_EQ(m_dlg.v.cbString, L"FLOAT");
    EXPECT_EQ(m_dlg.v.lbString, L"北京");

    m_dlg.v.lbString = L"深圳";  // no such item: nothing selected
    m_dlg.UpdateData(FALSE);
    EXPECT_EQ(m_dlg.SendDlgItemMessage(IDC_LIST, LB_GETCURSEL), LB_ERR);
    ASSERT_TRUE(m_dlg.UpdateData(TRUE));
    EXPECT_EQ(m_dlg.v.lbString, L"");
}

TEST_F(DataExchangeTest, DialogHearsNoNotificationsWhileItExchanges) {
    m_dlg.v.text = L"新";
    m_dlg.UpdateData(FALSE);
    EXPECT_EQ(m_dlg.changes, 0);
    Set(IDC_STR, L"再改");
    EXPECT_EQ(m_dlg.changes, 1);
}

class CBoundDlg : public CDialog {
  public:
    CEdit m_edit;
    CComboBox m_combo;
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_STR, m_edit);
        DDX_Control(pDX, IDC_COMBO, m_combo);
    }
};

TEST_F(DataExchangeTest, ControlsAreBoundToMembersOnce) {
    TemplateBuilder t = AllTemplate();
    CBoundDlg dlg;
    ASSERT_TRUE(dlg.CreateIndirect(t.Get(), &m_main));
    ASSERT_NE(dlg.m_edit.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(dlg.m_edit.m_hWnd), &dlg.m_edit);
    EXPECT_EQ(dlg.m_combo.GetCount(), 4);
    CString item;
    dlg.m_combo.GetLBText(1, item);
    EXPECT_EQ(item, L"DGPS");
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(dlg.m_edit.m_hWnd, nullptr);
}

}  // namespace
