// Templates to pixels: dialog units from the template's font, the dialog's
// frame and position, maximised dialogs, centring, and the program's own
// templates with their initial list items and images.
#include "platform/base/TextConv.h"
#include "platform/resources/Resources.h"
#include "res/resource.h"
#include "tests/platform/dialogs/DialogTestSupport.h"

using namespace dlgtest;

namespace {

RECT RectInDialog(HWND dialog, UINT id) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, static_cast<int>(id)), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

::testing::AssertionResult SameRect(const RECT& actual, const RECT& expected) {
    if (actual.left == expected.left && actual.top == expected.top &&
        actual.right == expected.right && actual.bottom == expected.bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << actual.left << "," << actual.top << ")-(" << actual.right << ","
           << actual.bottom << ") instead of (" << expected.left << "," << expected.top << ")-("
           << expected.right << "," << expected.bottom << ")";
}

class DialogLayout : public DialogTest {
  protected:
    HWND Modeless(TemplateBuilder& t, HWND parent = nullptr) {
        HWND h = CreateDialogIndirectParam(nullptr, t.Get(), parent, &ScriptProc,
                                           reinterpret_cast<LPARAM>(&m_script));
        m_dialogs.push_back(h);
        return h;
    }
    void TearDown() override {
        for (HWND h : m_dialogs)
            if (IsWindow(h)) DestroyWindow(h);
        DialogTest::TearDown();
    }
    Script m_script, m_about;  // outlive the dialogs, destroyed in TearDown
    std::vector<HWND> m_dialogs;
};

// The 9-point Song face of the templates is 12 pixels high and averages 6
// pixels a letter with the pinned font: one dialog unit is 1.5 pixels
// across and 1.5 down.
TEST_F(DialogLayout, TemplateUnitsBecomePixelsOfTheDialogFont) {
    TemplateBuilder t(600, 150, 112);
    t.Font(9, L"宋体")
        .Add(L"Edit", L"", 1203, 38, 14, 102, 12, WS_BORDER | WS_TABSTOP)
        .Add(L"Button", L"确定", IDOK, 18, 94, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP)
        .Add(L"Static", L"内容:", 1300, 11, 17, 25, 9, SS_LEFT);
    HWND dlg = Modeless(t);
    ASSERT_TRUE(dlg);
    const auto units = quorvel::dialogs::DialogUnitsOf(dlg);
    EXPECT_EQ(units.avgCharWidth, 6);
    EXPECT_EQ(units.charHeight, 12);
    EXPECT_TRUE(SameRect(RectInDialog(dlg, 1203), RECT{57, 21, 210, 39}));
    EXPECT_TRUE(SameRect(RectInDialog(dlg, IDOK), RECT{27, 141, 102, 162}));
    // Odd units round half away from zero: 11 * 1.5 = 16.5 -> 17.
    EXPECT_TRUE(SameRect(RectInDialog(dlg, 1300), RECT{17, 26, 55, 40}));
    RECT client{};
    GetClientRect(dlg, &client);
    EXPECT_TRUE(SameRect(client, RECT{0, 0, 225, 168}));
    RECT window{};
    GetWindowRect(dlg, &window);
    EXPECT_EQ(window.bottom - window.top, 168 + quorvel::win::kCaptionHeight + 2);
    RECT mapped{38, 14, 140, 26};
    EXPECT_TRUE(MapDialogRect(dlg, &mapped));
    EXPECT_TRUE(SameRect(mapped, RECT{57, 21, 210, 39}));
    EXPECT_EQ(SendMessage(dlg, WM_GETFONT, 0, 0), SendDlgItemMessage(dlg, 1203, WM_GETFONT, 0, 0));
}

TEST_F(DialogLayout, MaximisedDialogsFillTheScreen) {
    TemplateBuilder byStyle(602, 100, 60, WS_POPUP | WS_CAPTION | WS_MAXIMIZE | WS_VISIBLE);
    HWND a = Modeless(byStyle);
    TemplateBuilder byShow(603, 100, 60);
    HWND b = Modeless(byShow);
    ShowWindow(b, 11);  // the program's show command
    for (HWND h : {a, b}) {
        RECT r{};
        GetWindowRect(h, &r);
        EXPECT_TRUE(SameRect(r, RECT{0, 0, 240, 320}));
        EXPECT_TRUE(IsZoomed(h));
    }
    // A modal dialog that maximises itself while it initialises stays so.
    TemplateBuilder modal(607, 100, 60);
    Script script;
    script.on = [](HWND hwnd, UINT msg, WPARAM, LPARAM) {
        if (msg == WM_INITDIALOG) ShowWindow(hwnd, 11);
        return FALSE;
    };
    RECT shown{};
    dlgtest::Hook hook([&](const quorvel::dialogs::ModalInfo& info) {
        GetWindowRect(info.dialog, &shown);
        EndDialog(info.dialog, IDOK);
        return quorvel::dialogs::ModalVerdict::kProceed;
    });
    RunModal(modal, script);
    EXPECT_TRUE(SameRect(shown, RECT{0, 0, 240, 320}));
}

TEST_F(DialogLayout, CentringKeepsTheDialogOverItsOwnerOrTheScreen) {
    TemplateBuilder t(604, 100, 40, WS_POPUP | WS_CAPTION | DS_CENTER);
    HWND dlg = Modeless(t);
    RECT r{};
    GetWindowRect(dlg, &r);
    EXPECT_EQ(r.left, (240 - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (320 - (r.bottom - r.top)) / 2);

    TemplateBuilder page(605, 60, 20, WS_CHILD);
    HWND child = Modeless(page, Owner());
    quorvel::dialogs::CenterWindow(child);
    GetWindowRect(child, &r);
    EXPECT_EQ(r.left, (240 - (r.right - r.left)) / 2);
}

TEST_F(DialogLayout, ProgramTemplatesBringTheirListsImagesAndDefaultButton) {
    quorvel::resources::Install();
    HWND text = CreateDialogParam(nullptr, MAKEINTRESOURCE(IDD_DRAW_TEXT), Owner(), &ScriptProc,
                                  reinterpret_cast<LPARAM>(&m_script));
    ASSERT_TRUE(text);
    m_dialogs.push_back(text);
    EXPECT_EQ(quorvel::dialogs::DialogTemplateId(text), static_cast<UINT>(IDD_DRAW_TEXT));
    EXPECT_EQ(SendDlgItemMessage(text, IDC_DRAW_TEXT_SIZE, CB_GETCOUNT, 0, 0), 6);
    EXPECT_EQ(SendMessage(text, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
    EXPECT_EQ(GetFocus(), GetDlgItem(text, IDC_DRAW_TEXT_CONTENT));
    EXPECT_FALSE(IsWindowVisible(text));  // no WS_VISIBLE in the template

    HWND dlg = CreateDialogParam(nullptr, MAKEINTRESOURCE(IDD_ABOUT), Owner(), &ScriptProc,
                                 reinterpret_cast<LPARAM>(&m_about));
    ASSERT_TRUE(dlg);
    m_dialogs.push_back(dlg);
    wchar_t caption[16] = {};
    GetWindowText(dlg, caption, 16);
    EXPECT_EQ(CString(caption), CString(L"关于"));
    HWND icon = GetWindow(dlg, GW_CHILD);  // the template's first control
    EXPECT_NE(SendMessage(icon, STM_GETIMAGE, IMAGE_ICON, 0), 0);
    EXPECT_EQ(CreateDialogParam(nullptr, MAKEINTRESOURCE(9999), Owner(), &ScriptProc, 0), nullptr);
}

TEST_F(DialogLayout, ItemHelpersReadAndWriteNumbersAndChecks) {
    TemplateBuilder t(606, 120, 40);
    t.Edit(1001, 4, 4).Add(L"Button", L"选项", 1002, 4, 20, 50, 10, BS_AUTOCHECKBOX | WS_TABSTOP);
    HWND dlg = Modeless(t);
    BOOL ok = FALSE;
    SetDlgItemInt(dlg, 1001, static_cast<UINT>(-25), TRUE);
    EXPECT_EQ(static_cast<int>(GetDlgItemInt(dlg, 1001, &ok, TRUE)), -25);
    EXPECT_TRUE(ok);
    GetDlgItemInt(dlg, 1001, &ok, FALSE);
    EXPECT_FALSE(ok);  // negative text is no unsigned number
    for (const wchar_t* bad : {L"", L"12a", L"99999999999"}) {
        SetDlgItemText(dlg, 1001, bad);
        GetDlgItemInt(dlg, 1001, &ok, TRUE);
        EXPECT_FALSE(ok) << quorvel::ToUtf8(bad);
    }
    SetDlgItemText(dlg, 1001, L" 42 ");
    EXPECT_EQ(GetDlgItemInt(dlg, 1001, &ok, FALSE), 42u);
    CheckDlgButton(dlg, 1002, BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 1002), static_cast<UINT>(BST_CHECKED));
}

}  // namespace
