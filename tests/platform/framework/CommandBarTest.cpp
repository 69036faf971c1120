// The command bar window on its own, below the framework classes: its
// layout on the 240-pixel screen, drop-downs opened and chosen from with
// the stylus, toolbar taps and the close box, all through injected input.
#include <gtest/gtest.h>

#include <vector>

#include "platform/base/Clock.h"
#include "platform/base/Geometry.h"
#include "platform/framework/CommandBarControl.h"
#include "platform/framework/FrameworkIds.h"
#include "platform/gdi/GdiApi.h"
#include "platform/resources/Resources.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"

using quorvel::framework::CommandBarControl;

namespace {

struct Sent {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Sent> g_sent;

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND || msg == WM_CLOSE || msg == WM_INITMENUPOPUP) {
        g_sent.push_back({msg, wParam, lParam});
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

class CommandBarWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        quorvel::UseVirtualClock(SYSTEMTIME{2012, 6, 5, 1, 8, 0, 0, 0});
        quorvel::gdi::Install();
        quorvel::resources::Install();
        static const bool registered = [] {
            WNDCLASS wc{};
            wc.lpfnWndProc = HostProc;
            wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
            wc.lpszClassName = L"BarHost";
            return RegisterClass(&wc) != 0;
        }();
        ASSERT_TRUE(registered);
        m_host = CreateWindowEx(0, L"BarHost", L"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr,
                                nullptr, nullptr, nullptr);
        HWND bar = CommandBarControl::Create(m_host, 59392, WS_VISIBLE);
        m_bar = CommandBarControl::From(bar);
        ASSERT_NE(m_bar, nullptr);
        ASSERT_TRUE(m_bar->InsertMenuBar(IDR_MAINFRAME));
        m_bar->InsertSeparator(6);
        ASSERT_TRUE(m_bar->AddToolbar(IDR_MAINFRAME));
        m_bar->AddAdornments(0);
        MoveWindow(bar, 0, 0, 240, m_bar->HeightFor(240), TRUE);
        quorvel::win::PumpUntilIdle();
        g_sent.clear();
    }
    void TearDown() override {
        DestroyWindow(m_host);
        quorvel::win::PumpUntilIdle();
    }
    void Press(POINT p) {
        quorvel::win::InjectStylus(p.x, p.y, true);
        quorvel::win::PumpUntilIdle();
    }
    void Release(POINT p) {
        quorvel::win::InjectStylus(p.x, p.y, false);
        quorvel::win::PumpUntilIdle();
    }
    void Tap(POINT p) {
        Press(p);
        Release(p);
    }
    static POINT Centre(const RECT& r) { return CRect(r).CenterPoint(); }
    POINT TitleCentre(int title) { return Centre(m_bar->TitleRect(title)); }
    POINT ItemCentre(int index) { return Centre(m_bar->OpenPopup()->ItemRect(index)); }
    POINT ButtonCentre(UINT id) { return Centre(m_bar->FindButton(id)->rect); }
    std::vector<Sent> Take(UINT msg) {
        std::vector<Sent> out;
        for (const Sent& s : g_sent)
            if (s.msg == msg) out.push_back(s);
        return out;
    }

    HWND m_host = nullptr;
    CommandBarControl* m_bar = nullptr;
};

TEST_F(CommandBarWindow, MenuTitlesShareTheFirstRowWithTheCloseBoxAndButtonsWrapBelow) {
    EXPECT_EQ(m_bar->HeightFor(240), 2 * CommandBarControl::kRowHeight);
    const RECT close = m_bar->CloseRect();
    EXPECT_EQ(close.right, 239);
    EXPECT_EQ(close.top, 1);
    RECT last = m_bar->TitleRect(5);
    EXPECT_EQ(last.top, 0);
    EXPECT_LE(last.right, close.left);
    int x = 0;
    for (const CommandBarControl::Item& item : m_bar->Items()) {
        if (item.kind != CommandBarControl::Item::Button) continue;
        EXPECT_GE(item.rect.top, CommandBarControl::kRowHeight) << item.id;
        EXPECT_EQ(item.rect.left, x) << item.id;
        x = item.rect.right;
    }
    EXPECT_LE(x, 240);
    // A wider bar puts everything on one row.
    EXPECT_EQ(m_bar->HeightFor(640), CommandBarControl::kRowHeight);
}

TEST_F(CommandBarWindow, ATitleTapOpensItsDropDownAndAnItemTapPostsItsCommand) {
    Tap(TitleCentre(1));
    auto init = Take(WM_INITMENUPOPUP);
    ASSERT_EQ(init.size(), 1u);
    EXPECT_EQ(LOWORD(init[0].lParam), 1);
    auto* popup = quorvel::framework::MenuTree::FromHandle(reinterpret_cast<HMENU>(init[0].wParam));
    EXPECT_EQ(popup, &m_bar->Menu()->Titles()[1]);
    ASSERT_EQ(m_bar->OpenTitle(), 1);
    RECT popupRect{};
    GetWindowRect(m_bar->OpenPopup()->Hwnd(), &popupRect);
    EXPECT_EQ(popupRect.left, m_bar->TitleRect(1).left);
    EXPECT_EQ(popupRect.top, CommandBarControl::kRowHeight);
    EXPECT_EQ(GetActiveWindow(), m_host);  // the drop-down never takes activation

    HWND popupWnd = m_bar->OpenPopup()->Hwnd();
    Tap(ItemCentre(1));  // "仪器设置"
    EXPECT_EQ(m_bar->OpenTitle(), -1);
    EXPECT_FALSE(IsWindow(popupWnd));
    auto commands = Take(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(LOWORD(commands[0].wParam), ID_INSTRUMENT_SETTINGS);
    EXPECT_EQ(commands[0].lParam, 0);
}

TEST_F(CommandBarWindow, GreyedItemsSeparatorsAndTapsOutsideChooseNothing) {
    m_bar->Menu()->Find(ID_JOB_OPEN)->enabled = false;
    Tap(TitleCentre(0));
    Tap(ItemCentre(1));  // greyed: the menu stays open
    EXPECT_EQ(m_bar->OpenTitle(), 0);
    Tap(ItemCentre(3));  // separator
    EXPECT_EQ(m_bar->OpenTitle(), 0);
    Tap(POINT{200, 300});  // below the drop-down: closes it, and the tap goes nowhere else
    EXPECT_EQ(m_bar->OpenTitle(), -1);
    EXPECT_TRUE(Take(WM_COMMAND).empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CommandBarWindow, TappingTitlesSwitchesOrClosesAndDraggingChoosesOnRelease) {
    Tap(TitleCentre(0));
    Tap(TitleCentre(2));
    EXPECT_EQ(m_bar->OpenTitle(), 2);
    Tap(TitleCentre(2));
    EXPECT_EQ(m_bar->OpenTitle(), -1);

    // Down on a title, slide into the drop-down and lift over an item.
    Press(TitleCentre(5));
    const POINT item = ItemCentre(0);
    quorvel::win::InjectStylus(item.x, item.y, true);
    quorvel::win::PumpUntilIdle();
    EXPECT_EQ(m_bar->OpenPopup()->Hot(), 0);
    Release(item);
    auto commands = Take(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(LOWORD(commands[0].wParam), ID_GRAPH_ZOOM_IN);
}

TEST_F(CommandBarWindow, ButtonsActWhenLiftedOverThemAndTheCloseBoxPostsClose) {
    Tap(ButtonCentre(ID_VIEW_TOGGLE));
    auto commands = Take(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(LOWORD(commands[0].wParam), ID_VIEW_TOGGLE);

    g_sent.clear();
    Press(ButtonCentre(ID_FILE_SAVE));
    Release(POINT{120, 200});  // slid off before lifting
    m_bar->SetButtonState(ID_JOB_NEW, false, false);
    Tap(ButtonCentre(ID_JOB_NEW));
    EXPECT_TRUE(Take(WM_COMMAND).empty());

    Tap(Centre(m_bar->CloseRect()));
    EXPECT_EQ(Take(WM_CLOSE).size(), 1u);
}

}  // namespace
