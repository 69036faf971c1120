// The owner-drawn button on real dialogs: every look against reference
// images and text dumps, the default state and Enter following the focus,
// taps and double taps, hover on the virtual clock, disabling the focused
// button, the setters' refusals and the icons it owns.
#include <functional>

#include "platform/gdi/GdiApi.h"
#include "platform/testing/DialogDump.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/TemplateBuilder.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/OwnerDrawButton.h"

namespace uitest {
namespace {

using quorvel::testing::TemplateBuilder;

constexpr UINT kHostId = 9100;
constexpr int kButtonId = 1050;
constexpr int kOtherId = 1051;
constexpr int kEditId = 1052;
// The program's picture buttons: a lighter face, green caption.
constexpr COLORREF kPickFace = 0xC0C0C0 + 0x1E1E1E;
constexpr COLORREF kPickText = RGB(0, 128, 0);

// A borderless dialog holding the buttons, subclassed when it opens as the
// program's dialogs do it; counts the clicks it hears of.
class CButtonHostDlg : public CDialog {
  public:
    std::vector<int> clicks;
    COwnerDrawButton button;
    COwnerDrawButton other;
    bool withOthers = false;

  protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        EXPECT_TRUE(button.SubclassDlgItem(kButtonId, this));
        if (withOthers) {
            EXPECT_TRUE(other.SubclassDlgItem(kOtherId, this));
        }
        button.SetFlat(FALSE);
        other.SetFlat(FALSE);
        return TRUE;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (HIWORD(wParam) == BN_CLICKED) clicks.push_back(LOWORD(wParam));
        return CDialog::OnCommand(wParam, lParam);
    }
};

// One button of the given template style at (4, 4), the size given in
// pixels; with `withOthers` also a second button and an edit after it.
class ButtonHost {
  public:
    ButtonHost(const wchar_t* caption, DWORD type, int cx, int cy, bool withOthers = false)
        : m_template(kHostId, 150, 60, WS_POPUP | WS_VISIBLE, L""),
          button(dialog.button),
          other(dialog.other) {
        m_template.Add(WC_BUTTON, caption, kButtonId, 2, 2, 40, 14, type | WS_TABSTOP);
        if (withOthers) {
            m_template.Add(WC_BUTTON, L"取消", kOtherId, 50, 2, 40, 14, BS_PUSHBUTTON | WS_TABSTOP);
            m_template.Edit(kEditId, 2, 40);
        }
        dialog.withOthers = withOthers;
        EXPECT_TRUE(dialog.CreateIndirect(m_template.Get()));
        button.MoveWindow(4, 4, cx, cy);
        if (!withOthers) {
            // The looks start from nothing focused and the template's type.
            dialog.MoveWindow(0, 0, cx + 8, cy + 8);
            ::SetFocus(nullptr);
            button.SendMessage(BM_SETSTYLE, type == BS_DEFPUSHBUTTON ? BS_DEFPUSHBUTTON : 0);
        }
        UiTest::Pump();
    }
    ~ButtonHost() {
        if (dialog.GetSafeHwnd()) dialog.DestroyWindow();
        UiTest::Pump();
    }
    quorvel::gdi::Image Snap() {
        button.RedrawWindow();
        UiTest::Pump();
        return quorvel::gdi::CaptureWindow(button.m_hWnd);
    }
    // The button's line of the dialog's dump, with its own state.
    std::string Dump(const std::string& name) {
        const std::string dump = quorvel::testing::DumpDialog(dialog.m_hWnd);
        const size_t at = dump.find("Button id=" + std::to_string(kButtonId));
        std::string line = dump.substr(at, dump.find('\n', at) - at);
        return name + ": " + line + (button.IsDefaultButton() ? " default" : "") +
               (button.GetCheckState() ? " checked" : "") + (button.IsHovered() ? " hover" : "") +
               "\n";
    }

  private:
    TemplateBuilder m_template;

  public:
    CButtonHostDlg dialog;
    COwnerDrawButton& button;
    COwnerDrawButton& other;
};

class OwnerDrawButtonTest : public UiTest {
  protected:
    // Renders one look: `setup` prepares the button before the snapshot.
    void Look(const std::string& name, const wchar_t* caption, DWORD type, int cx, int cy,
              const std::function<void(ButtonHost&)>& setup) {
        ButtonHost host(caption, type, cx, cy);
        setup(host);
        Pump();
        m_images.push_back(host.Snap());
        m_dumps += host.Dump(name);
    }
    std::vector<quorvel::gdi::Image> m_images;
    std::string m_dumps;
};

TEST_F(OwnerDrawButtonTest, EveryLookMatchesItsReferenceAndDump) {
    auto none = [](ButtonHost&) {};
    Look("normal", L"确定", BS_PUSHBUTTON, 60, 24, none);
    Look("focused", L"确定", BS_PUSHBUTTON, 60, 24, [](ButtonHost& h) { h.button.SetFocus(); });
    Look("default", L"确定", BS_DEFPUSHBUTTON, 60, 24, none);
    Look("pressed", L"确定", BS_PUSHBUTTON, 60, 24,
         [](ButtonHost& h) { h.button.SendMessage(BM_SETSTATE, TRUE); });
    Look("disabled caption", L"确定", BS_PUSHBUTTON, 60, 24,
         [](ButtonHost& h) { h.button.EnableWindow(FALSE); });
    Look("disabled, normal icon", L"", BS_PUSHBUTTON, 36, 36, [](ButtonHost& h) {
        h.button.SetIcon(IDI_PICK_LIBRARY, 0, 0);
        h.button.EnableWindow(FALSE);
    });
    Look("disabled, disabled icon", L"", BS_PUSHBUTTON, 36, 36, [](ButtonHost& h) {
        h.button.SetIcon(IDI_PICK_LIBRARY, 0, 0, 0, 0, 0, IDI_PICK_PLAN, 0, 0);
        h.button.EnableWindow(FALSE);
    });
    Look("check on", L"测量", BS_AUTOCHECKBOX, 60, 24, [](ButtonHost& h) {
        h.button.SetIcon(IDI_STORE, 16, 16, IDI_STORE_TYPE, 16, 16);
        h.button.SendMessage(BM_CLICK);
        ::SetFocus(nullptr);
    });
    Look("check off", L"测量", BS_AUTOCHECKBOX, 60, 24, [](ButtonHost& h) {
        h.button.SetIcon(IDI_STORE, 16, 16, IDI_STORE_TYPE, 16, 16);
        h.button.SendMessage(BM_CLICK);
        h.button.SendMessage(BM_CLICK);
        ::SetFocus(nullptr);
    });
    for (int align = 0; align < 3; ++align) {
        for (const wchar_t* caption : {L"坐标库", L""}) {
            Look("align " + std::to_string(align) + (*caption ? " caption" : " alone"), caption,
                 BS_PUSHBUTTON, 70, 44, [&](ButtonHost& h) {
                     h.button.SetIcon(IDI_COORD_LIBRARY, 20, 20);
                     EXPECT_EQ(h.button.SetAlign(align), 0u);
                 });
        }
    }
    Look("picture button", L"", BS_PUSHBUTTON, 28, 22, [](ButtonHost& h) {
        h.button.SetIcon(IDI_PICK_LIBRARY, 28, 22);
        h.button.SetColor(COwnerDrawButton::BTNST_COLOR_BK_IN, kPickFace);
        h.button.SetColor(COwnerDrawButton::BTNST_COLOR_FG_IN, kPickText);
        h.button.SetAlign(COwnerDrawButton::ST_ALIGN_HORIZ_RIGHT);
    });
    Look("icon larger than the button", L"", BS_PUSHBUTTON, 28, 22,
         [](ButtonHost& h) { h.button.SetIcon(IDI_PICK_PLAN, 0, 0); });
    Look("flat", L"存储", BS_PUSHBUTTON, 60, 24, [](ButtonHost& h) { h.button.SetFlat(TRUE); });
    Look("flat, hovered", L"存储", BS_PUSHBUTTON, 60, 24, [](ButtonHost& h) {
        h.button.SetFlat(TRUE);
        h.button.SetColor(COwnerDrawButton::BTNST_COLOR_BK_IN, kPickFace);
        h.button.SetColor(COwnerDrawButton::BTNST_COLOR_FG_IN, kPickText);
        CRect r;
        h.button.GetWindowRect(&r);
        quorvel::win::InjectHover(r.CenterPoint().x, r.CenterPoint().y);
    });
    quorvel::testing::ExpectMatchesReference(Stack(m_images), "owner_draw_buttons");
    ExpectMatchesText(m_dumps, "owner_draw_buttons");
}

TEST_F(OwnerDrawButtonTest, TheDefaultFrameAndEnterFollowTheFocus) {
    ButtonHost host(L"确定", BS_DEFPUSHBUTTON, 60, 24, true);
    host.other.MoveWindow(70, 4, 60, 24);
    host.dialog.GotoDlgCtrl(host.dialog.GetDlgItem(kEditId));
    Pump();
    EXPECT_TRUE(host.button.IsDefaultButton());
    EXPECT_FALSE(host.other.IsDefaultButton());
    const auto Press = [](UINT vk) {
        quorvel::win::InjectKey(vk, true);
        quorvel::win::InjectKey(vk, false);
        Pump();
    };
    Press(VK_TAB);  // from the edit round to the first button
    EXPECT_EQ(::GetFocus(), host.button.m_hWnd);
    Press(VK_TAB);
    EXPECT_EQ(::GetFocus(), host.other.m_hWnd);
    EXPECT_TRUE(host.other.IsDefaultButton());
    EXPECT_FALSE(host.button.IsDefaultButton());
    EXPECT_EQ(host.other.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    std::vector<quorvel::gdi::Image> looks{quorvel::gdi::CaptureWindow(host.dialog.m_hWnd)};
    Press(VK_RETURN);
    EXPECT_EQ(host.dialog.clicks, std::vector<int>{kOtherId});
    Press(VK_TAB);  // to the edit: the first button is the default again
    EXPECT_TRUE(host.button.IsDefaultButton());
    EXPECT_FALSE(host.other.IsDefaultButton());
    looks.push_back(quorvel::gdi::CaptureWindow(host.dialog.m_hWnd));
    Press(VK_RETURN);
    EXPECT_EQ(host.dialog.clicks, (std::vector<int>{kOtherId, kButtonId}));
    quorvel::testing::ExpectMatchesReference(Stack(looks), "owner_draw_default_moves");
}

TEST_F(OwnerDrawButtonTest, TapsAndDoubleTapsAreEachAPressAndCheckModeToggles) {
    ButtonHost host(L"确定", BS_PUSHBUTTON, 60, 24);
    Tap(host.button.m_hWnd, {10, 10});
    Tap(host.button.m_hWnd, {11, 10});  // a double tap: two presses
    EXPECT_EQ(host.dialog.clicks, (std::vector<int>{kButtonId, kButtonId}));
    EXPECT_FALSE(host.button.GetCheckState());

    ButtonHost check(L"测量", BS_CHECKBOX, 60, 24);
    Advance(1000);
    Tap(check.button.m_hWnd, {10, 10});
    EXPECT_TRUE(check.button.GetCheckState());
    Tap(check.button.m_hWnd, {10, 10});
    EXPECT_FALSE(check.button.GetCheckState());
    EXPECT_EQ(check.dialog.clicks, (std::vector<int>{kButtonId, kButtonId}));
}

TEST_F(OwnerDrawButtonTest, AFlatButtonsBorderLastsUntilTheFirstTickAfterThePointerLeft) {
    ButtonHost host(L"存储", BS_PUSHBUTTON, 60, 24);
    host.button.SetFlat(TRUE);
    const quorvel::gdi::Image plain = host.Snap();
    CRect r;
    host.button.GetWindowRect(&r);
    // Moves with the stylus down start no hover.
    quorvel::win::InjectStylus(r.left + 5, r.top + 5, true);
    quorvel::win::InjectStylus(r.left + 9, r.top + 6, true);
    Pump();
    EXPECT_FALSE(host.button.IsHovered());
    quorvel::win::InjectStylus(r.right + 20, r.top + 5, false);
    Advance(1000);
    host.button.SendMessage(BM_SETSTATE, FALSE);
    EXPECT_EQ(host.Snap(), plain);

    quorvel::win::InjectHover(r.left + 5, r.top + 5);
    Pump();
    EXPECT_TRUE(host.button.IsHovered());
    const quorvel::gdi::Image hovered = host.Snap();
    EXPECT_NE(hovered, plain);
    Advance(50);  // the first tick: still inside
    EXPECT_TRUE(host.button.IsHovered());
    Advance(10);
    quorvel::win::InjectHover(r.right + 2, r.bottom + 2);
    Advance(39);
    EXPECT_TRUE(host.button.IsHovered());
    EXPECT_EQ(host.Snap(), hovered);
    Advance(1);  // the tick after the pointer left
    EXPECT_FALSE(host.button.IsHovered());
    EXPECT_EQ(host.Snap(), plain);

    // A button that is not flat never hovers.
    host.button.SetFlat(FALSE);
    quorvel::win::InjectHover(r.left + 6, r.top + 6);
    Pump();
    EXPECT_FALSE(host.button.IsHovered());
}

TEST_F(OwnerDrawButtonTest, DisablingTheFocusedButtonMovesTheFocusOn) {
    ButtonHost host(L"确定", BS_PUSHBUTTON, 60, 24, true);
    host.button.SetFocus();
    host.button.EnableWindow(FALSE);
    EXPECT_EQ(::GetFocus(), host.other.m_hWnd);
    // A button without the focus leaves it where it is.
    host.dialog.GotoDlgCtrl(host.dialog.GetDlgItem(kEditId));
    host.button.EnableWindow(TRUE);
    host.other.EnableWindow(FALSE);
    EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), kEditId);

    ButtonHost alone(L"唯一", BS_PUSHBUTTON, 60, 24);
    alone.button.SetFocus();
    alone.button.EnableWindow(FALSE);
    EXPECT_EQ(::GetFocus(), alone.dialog.m_hWnd);
}

TEST_F(OwnerDrawButtonTest, RefusedSettingsChangeNothing) {
    ButtonHost host(L"坐标库", BS_PUSHBUTTON, 70, 44);
    host.button.SetIcon(IDI_COORD_LIBRARY, 20, 20);
    host.button.SetAlign(COwnerDrawButton::ST_ALIGN_VERT);
    host.button.SetColor(COwnerDrawButton::BTNST_COLOR_BK_OUT, RGB(200, 220, 255));
    const quorvel::gdi::Image before = host.Snap();
    EXPECT_EQ(host.button.SetAlign(3), 4u);
    EXPECT_EQ(host.button.SetColor(6, RGB(255, 0, 0)), 3u);
    EXPECT_EQ(host.button.SetColor(-1, RGB(255, 0, 0)), 3u);
    EXPECT_EQ(host.Snap(), before);
    EXPECT_EQ(host.button.SetDefaultColors(), 0u);
    EXPECT_NE(host.Snap(), before);
}

TEST_F(OwnerDrawButtonTest, TheButtonOwnsItsIcons) {
    const size_t icons = quorvel::gdi::LiveObjectCount(quorvel::gdi::kIconObjects);
    {
        ButtonHost host(L"", BS_PUSHBUTTON, 36, 36);
        host.button.SetIcon(IDI_PICK_LIBRARY, 0, 0, IDI_PICK_PLAN, 30, 30, IDI_SPARE, 28, 22);
        EXPECT_EQ(quorvel::gdi::LiveObjectCount(quorvel::gdi::kIconObjects), icons + 3);
        host.button.SetIcon(IDI_PICK_PLAN, 28, 22);  // the three go, one comes
        EXPECT_EQ(quorvel::gdi::LiveObjectCount(quorvel::gdi::kIconObjects), icons + 1);
        host.button.SetIcon(IDI_PICK_LIBRARY, 0, 0, IDI_PICK_PLAN, 30, 30, IDI_SPARE, 28, 22);
        host.Snap();
    }
    EXPECT_EQ(quorvel::gdi::LiveObjectCount(quorvel::gdi::kIconObjects), icons);
    // Without a normal icon the others are not kept.
    COwnerDrawButton loose;
    HICON out = ::LoadIcon(nullptr, MAKEINTRESOURCE(IDI_PICK_PLAN));
    ASSERT_NE(out, nullptr);
    loose.SetIcon(nullptr, 0, 0, out, 32, 32);
    EXPECT_EQ(quorvel::gdi::LiveObjectCount(quorvel::gdi::kIconObjects), icons);
}

}  // namespace
}  // namespace uitest
