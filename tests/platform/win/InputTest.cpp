// Keys to the focus window, the stylus as a mouse, hit testing, capture,
// double taps, focus and activation.
#include "tests/platform/win/WinTestSupport.h"

using namespace wintest;

namespace {

class Input : public WinTest {
  protected:
    void Tap(int x, int y) {
        quorvel::win::InjectStylus(x, y, true);
        quorvel::win::InjectStylus(x, y, false);
        quorvel::win::PumpUntilIdle();
    }
    void Key(UINT vk) {
        quorvel::win::InjectKey(vk, true);
        quorvel::win::InjectKey(vk, false);
        quorvel::win::PumpUntilIdle();
    }
};

TEST_F(Input, KeysGoToTheFocusWindowAndCharactersFollowTranslation) {
    HWND top = Top();
    HWND edit = Child(top, {0, 0, 50, 20});
    SetFocus(edit);
    Log::Get().Take();
    Key('A');
    Key(VK_RETURN);
    quorvel::win::InjectKey(VK_SHIFT, true);
    Key('7');
    quorvel::win::InjectKey(VK_SHIFT, false);
    Key(VK_LEFT);
    Key(VK_F5);
    std::vector<WPARAM> chars;
    for (const Entry& e : Log::Get().Of(edit, WM_CHAR)) chars.push_back(e.wParam);
    EXPECT_EQ(chars, (std::vector<WPARAM>{L'a', L'\r', L'&'}));
    auto downs = Log::Get().Of(edit, WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 6u);
    EXPECT_EQ(downs[0].wParam, WPARAM{'A'});
    EXPECT_EQ(downs[4].wParam, WPARAM{VK_LEFT});
    EXPECT_EQ(downs[5].wParam, WPARAM{VK_F5});
    auto ups = Log::Get().Of(edit, WM_KEYUP);
    ASSERT_FALSE(ups.empty());
    EXPECT_TRUE(static_cast<DWORD>(ups[0].lParam) & 0x80000000u);  // transition bit
    EXPECT_TRUE(Log::Get().Of(top, WM_KEYDOWN).empty());
}

TEST_F(Input, AltMakesSystemKeysAndKeyStateFollowsRetrieval) {
    HWND top = Top();
    SetFocus(top);
    quorvel::win::InjectKey(VK_MENU, true);
    EXPECT_LT(GetAsyncKeyState(VK_MENU), 0);
    EXPECT_GE(GetKeyState(VK_MENU), 0);  // not retrieved yet
    quorvel::win::PumpUntilIdle();
    EXPECT_LT(GetKeyState(VK_MENU), 0);
    Log::Get().Take();
    Key('B');
    quorvel::win::InjectKey(VK_MENU, false);
    quorvel::win::PumpUntilIdle();
    auto sys = Log::Get().Of(top, WM_SYSKEYDOWN);
    ASSERT_EQ(sys.size(), 1u);
    EXPECT_EQ(sys[0].wParam, WPARAM{'B'});
    EXPECT_TRUE(Log::Get().Of(top, WM_KEYDOWN).empty());
}

TEST_F(Input, WithoutFocusKeysGoToTheActiveWindow) {
    HWND top = Top();
    SetFocus(nullptr);
    Log::Get().Take();
    Key(VK_ESCAPE);
    EXPECT_EQ(Log::Get().Of(top, WM_KEYDOWN).size(), 1u);
}

TEST_F(Input, KeyboardIdleResetInjectsNothing) {
    HWND top = Top();
    SetFocus(top);
    quorvel::win::PumpUntilIdle();
    const uint64_t before = quorvel::win::IdleResetCount();
    keybd_event(1, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_FALSE(quorvel::win::PumpUntilIdle());
    EXPECT_EQ(quorvel::win::IdleResetCount(), before + 1);
    EXPECT_TRUE(Log::Get().Of(top, WM_KEYUP).empty());
}

TEST_F(Input, StylusDownMoveUpInClientCoordinatesMovesOnlyWhileDown) {
    HWND top = Top(WS_VISIBLE | WS_CAPTION);
    HWND view = Child(top, {10, 10, 110, 110});
    quorvel::win::PumpUntilIdle();
    Log::Get().Take();
    const int ox = 1 + 10, oy = 1 + 20 + 10;  // frame, caption, child offset
    std::vector<bool> held;                   // the left button's key state as each handler sees it
    for (UINT msg : {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP})
        Log::Get().On(view, msg, [&held](HWND, UINT, WPARAM, LPARAM) {
            held.push_back(GetKeyState(VK_LBUTTON) < 0);
            return LRESULT{0};
        });
    quorvel::win::InjectStylus(ox + 5, oy + 6, true);
    quorvel::win::InjectStylus(ox + 8, oy + 9, true);
    quorvel::win::InjectStylus(ox + 8, oy + 9, true);  // no movement: no message
    quorvel::win::InjectStylus(ox + 20, oy + 20, false);
    quorvel::win::InjectStylus(ox + 30, oy + 30, false);  // hovering: nothing
    quorvel::win::PumpUntilIdle();
    auto seq = Only(Log::Get().Take(), {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP});
    const std::vector<std::pair<HWND, UINT>> want{
        {view, WM_LBUTTONDOWN}, {view, WM_MOUSEMOVE}, {view, WM_LBUTTONUP}};
    EXPECT_EQ(seq, want);
    EXPECT_EQ(held, (std::vector<bool>{true, true, false}));
    EXPECT_GE(GetKeyState(VK_LBUTTON), 0);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, ox + 30);
    EXPECT_EQ(WindowFromPoint(POINT{ox + 1, oy + 1}), view);
    EXPECT_EQ(WindowFromPoint(POINT{ox - 5, oy - 5}), top);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{15, 15}), view);
}

TEST_F(Input, ClientCoordinatesOfTheTap) {
    HWND top = Top();
    HWND view = Child(top, {10, 20, 110, 120});
    quorvel::win::PumpUntilIdle();
    Log::Get().Take();
    Tap(15, 27);
    auto downs = Log::Get().Of(view, WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].wParam, WPARAM{MK_LBUTTON});
    EXPECT_EQ(GET_X_LPARAM(downs[0].lParam), 5);
    EXPECT_EQ(GET_Y_LPARAM(downs[0].lParam), 7);
}

TEST_F(Input, DisabledChildPassesTheTapToItsParentAndDisabledTopLevelSwallowsIt) {
    HWND top = Top();
    HWND button = Child(top, {0, 0, 50, 50}, WS_VISIBLE | WS_DISABLED);
    quorvel::win::PumpUntilIdle();
    Log::Get().Take();
    Tap(10, 10);
    EXPECT_TRUE(Log::Get().Of(button, WM_LBUTTONDOWN).empty());
    EXPECT_EQ(Log::Get().Of(top, WM_LBUTTONDOWN).size(), 1u);
    EnableWindow(top, FALSE);
    Log::Get().Take();
    Tap(100, 100);
    EXPECT_TRUE(Only(Log::Get().Take(), {WM_LBUTTONDOWN, WM_LBUTTONUP}).empty());
}

TEST_F(Input, TransparentWindowsLetTheTapThrough) {
    HWND top = Top();
    HWND label = Child(top, {0, 0, 50, 50});
    Log::Get().On(label, WM_NCHITTEST,
                  [](HWND, UINT, WPARAM, LPARAM) { return LRESULT{HTTRANSPARENT}; });
    quorvel::win::PumpUntilIdle();
    Log::Get().Take();
    Tap(10, 10);
    EXPECT_TRUE(Log::Get().Of(label, WM_LBUTTONDOWN).empty());
    EXPECT_EQ(Log::Get().Of(top, WM_LBUTTONDOWN).size(), 1u);
}

TEST_F(Input, TopmostVisibleWindowGetsTheTap) {
    HWND below = Top(WS_VISIBLE, {0, 0, 240, 320});
    HWND above = Top(WS_VISIBLE | WS_POPUP, {50, 50, 150, 150});
    HWND hidden = Top(WS_POPUP, {0, 0, 240, 320});
    quorvel::win::PumpUntilIdle();
    Log::Get().Take();
    Tap(60, 60);
    Tap(10, 10);
    EXPECT_EQ(Log::Get().Of(above, WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(Log::Get().Of(below, WM_LBUTTONDOWN).size(), 1u);
    EXPECT_TRUE(Log::Get().Of(hidden, WM_LBUTTONDOWN).empty());
    EXPECT_EQ(GetActiveWindow(), below);  // a tap activates its top-level window
}

TEST_F(Input, ANoActivatePopupTakesTheTapButLeavesTheActiveWindow) {
    HWND below = Top(WS_VISIBLE, {0, 0, 240, 320});
    HWND list = Top(WS_VISIBLE | WS_POPUP, {50, 50, 150, 150});
    SetWindowLong(list, GWL_EXSTYLE, WS_EX_NOACTIVATE);
    SetActiveWindow(below);
    SetWindowPos(list, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_EQ(GetActiveWindow(), below);
    quorvel::win::PumpUntilIdle();
    Log::Get().Take();
    Tap(60, 60);
    EXPECT_EQ(Log::Get().Of(list, WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(GetActiveWindow(), below);
}

TEST_F(Input, CaptureTakesEveryStylusMessage) {
    HWND top = Top();
    HWND a = Child(top, {0, 0, 50, 50});
    HWND b = Child(top, {100, 100, 150, 150});
    quorvel::win::PumpUntilIdle();
    SetCapture(a);
    Log::Get().Take();
    quorvel::win::InjectStylus(120, 120, true);
    quorvel::win::InjectStylus(125, 125, false);
    quorvel::win::PumpUntilIdle();
    EXPECT_TRUE(Log::Get().Of(b, WM_LBUTTONDOWN).empty());
    auto down = Log::Get().Of(a, WM_LBUTTONDOWN);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(down[0].lParam), 120);
    EXPECT_EQ(GetCapture(), a);
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Log::Get().Of(a, WM_CAPTURECHANGED).size(), 1u);
    Tap(120, 120);
    EXPECT_EQ(Log::Get().Of(b, WM_LBUTTONDOWN).size(), 1u);
}

TEST_F(Input, DoubleTapNeedsTheClassStyleTimeAndPlace) {
    HWND plain = Top(WS_VISIBLE | WS_POPUP, {0, 0, 100, 100});
    HWND dbl = Top(WS_VISIBLE | WS_POPUP, {120, 0, 220, 100}, nullptr, L"RecDbl");
    quorvel::win::PumpUntilIdle();
    Log::Get().Take();
    Tap(10, 10);
    Tap(11, 11);
    EXPECT_TRUE(Log::Get().Of(plain, WM_LBUTTONDBLCLK).empty());
    Tap(130, 10);
    quorvel::AdvanceVirtualClock(400);
    Tap(132, 12);  // within 500 ms and a few pixels
    Tap(132, 12);  // a third tap starts over
    EXPECT_EQ(Log::Get().Of(dbl, WM_LBUTTONDBLCLK).size(), 1u);
    EXPECT_EQ(Log::Get().Of(dbl, WM_LBUTTONDOWN).size(), 2u);
    quorvel::AdvanceVirtualClock(600);
    Tap(132, 12);  // too late
    Tap(150, 40);  // too far
    EXPECT_EQ(Log::Get().Of(dbl, WM_LBUTTONDBLCLK).size(), 1u);
    EXPECT_EQ(Log::Get().Of(dbl, WM_LBUTTONDOWN).size(), 4u);
}

TEST_F(Input, MouseLeaveOnRequest) {
    HWND top = Top();
    HWND button = Child(top, {0, 0, 50, 50});
    quorvel::win::PumpUntilIdle();
    quorvel::win::InjectStylus(10, 10, true);
    quorvel::win::PumpUntilIdle();
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, button, 0};
    EXPECT_TRUE(TrackMouseEvent(&tme));
    quorvel::win::InjectStylus(20, 20, true);
    quorvel::win::PumpUntilIdle();
    EXPECT_TRUE(Log::Get().Of(button, WM_MOUSELEAVE).empty());
    quorvel::win::InjectStylus(100, 100, true);
    quorvel::win::InjectStylus(100, 100, false);
    quorvel::win::PumpUntilIdle();
    EXPECT_EQ(Log::Get().Of(button, WM_MOUSELEAVE).size(), 1u);
}

TEST_F(Input, AHoveringPointerMovesWithoutButtonsAndOnlyWhileTheStylusIsUp) {
    HWND top = Top();
    HWND left = Child(top, {0, 0, 50, 50});
    HWND right = Child(top, {60, 0, 110, 50});
    quorvel::win::PumpUntilIdle();
    Log::Get().Take();
    quorvel::win::InjectHover(10, 12);
    quorvel::win::InjectHover(10, 12);  // no movement: no message
    quorvel::win::InjectHover(70, 5);
    quorvel::win::PumpUntilIdle();
    const std::vector<Entry> moves = Log::Get().Of(left, WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].wParam, WPARAM{0});
    EXPECT_EQ(moves[0].lParam, MAKELPARAM(10, 12));
    ASSERT_EQ(Log::Get().Of(right, WM_MOUSEMOVE).size(), 1u);
    EXPECT_EQ(Log::Get().Of(right, WM_MOUSEMOVE)[0].lParam, MAKELPARAM(10, 5));
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 70);
    Log::Get().Take();
    // While the stylus is down only its own moves count.
    quorvel::win::InjectStylus(20, 20, true);
    quorvel::win::InjectHover(30, 30);
    quorvel::win::InjectStylus(20, 20, false);
    quorvel::win::PumpUntilIdle();
    EXPECT_EQ(Only(Log::Get().Take(), {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}),
              (std::vector<std::pair<HWND, UINT>>{{left, WM_LBUTTONDOWN}, {left, WM_LBUTTONUP}}));
}

TEST_F(Input, FocusMovesWithKillAndSetFocusAndActivatesTheTopLevelWindow) {
    HWND first = Top();
    HWND second = Top();
    HWND edit = Child(first, {0, 0, 10, 10});
    SetFocus(second);
    Log::Get().Take();
    EXPECT_EQ(SetFocus(edit), second);
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(GetFocus(), edit);
    auto seq = Only(Log::Get().Take(), {WM_ACTIVATE, WM_KILLFOCUS, WM_SETFOCUS});
    // second deactivated, first activated (its default handling takes the
    // focus), then the focus moves on to the edit.
    const std::vector<std::pair<HWND, UINT>> want{{second, WM_ACTIVATE},  {first, WM_ACTIVATE},
                                                  {second, WM_KILLFOCUS}, {first, WM_SETFOCUS},
                                                  {first, WM_KILLFOCUS},  {edit, WM_SETFOCUS}};
    EXPECT_EQ(seq, want);
    DestroyWindow(edit);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Input, ClosingTheActiveWindowHandsActivationToItsOwner) {
    HWND frame = Top();
    HWND other = Top(WS_VISIBLE | WS_POPUP, {0, 0, 10, 10});
    HWND dialog = Top(WS_VISIBLE | WS_POPUP, {0, 0, 100, 100}, frame);
    EXPECT_EQ(GetActiveWindow(), dialog);
    DestroyWindow(dialog);
    EXPECT_EQ(GetActiveWindow(), frame);
    EXPECT_EQ(GetFocus(), frame);
    ShowWindow(frame, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), other);
}

}  // namespace
