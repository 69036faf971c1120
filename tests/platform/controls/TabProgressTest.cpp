// Tab controls, progress bars and scroll bar controls: looks, selection
// changes the parent may refuse, the sheet's inside, ranges and steps, and
// what the stylus on a scroll bar tells its parent.
#include "platform/controls/ScrollBars.h"
#include "platform/testing/ReferenceImage.h"
#include "tests/platform/controls/ControlTest.h"

using namespace controltest;

namespace {

class Tabs : public ControlTest {
  protected:
    static void AddTab(HWND tabs, int index, const wchar_t* text) {
        TCITEM item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPWSTR>(text);
        SendMessage(tabs, TCM_INSERTITEM, index, reinterpret_cast<LPARAM>(&item));
    }
    HWND Make3(HWND host, RECT r) {
        HWND t = Make(host, WC_TABCONTROL, L"", 0, r, 1026);
        AddTab(t, 0, L"星图");
        AddTab(t, 1, L"信噪比");
        AddTab(t, 2, L"其他");
        return t;
    }
};

TEST_F(Tabs, LooksMatchTheirReference) {
    Sheet sheet;
    for (int sel : {0, 2}) {
        HWND host = Host(160, 70);
        HWND t = Make3(host, {3, 3, 157, 67});
        SendMessage(t, TCM_SETCURSEL, sel, 0);
        if (sel == 2) SetFocus(t);
        sheet.Add(Snap(host));
        DestroyWindow(host);
    }
    quorvel::testing::ExpectMatchesReference(sheet.image(), "tabs");
}

TEST_F(Tabs, ATapAsksThenTellsAndTheProgramsChoiceTellsNobody) {
    HWND host = Host(200, 100);
    HWND t = Make3(host, {0, 0, 190, 90});
    EXPECT_EQ(SendMessage(t, TCM_GETCURSEL, 0, 0), 0);  // the first tab put in
    EXPECT_EQ(SendMessage(t, TCM_GETITEMCOUNT, 0, 0), 3);
    RECT second{};
    SendMessage(t, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    Tap(t, {second.left + 4, second.top + 4});
    EXPECT_EQ(SendMessage(t, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessage(t, TCM_GETCURFOCUS, 0, 0), 1);
    std::vector<UINT> codes;
    for (const Event& e : Events()) codes.push_back(e.code);
    EXPECT_EQ(codes, (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
    OnHostMessage(WM_NOTIFY, [](HWND, UINT, WPARAM, LPARAM lParam) -> LRESULT {
        return reinterpret_cast<NMHDR*>(lParam)->code == TCN_SELCHANGING;  // refuse
    });
    RECT third{};
    SendMessage(t, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&third));
    Wait();
    Tap(t, {third.left + 4, third.top + 4});
    EXPECT_EQ(SendMessage(t, TCM_GETCURSEL, 0, 0), 1);
    TakeEvents();
    EXPECT_EQ(SendMessage(t, TCM_SETCURSEL, 2, 0), 1);
    EXPECT_TRUE(Events().empty());
    RECT inside{0, 0, 190, 90};
    SendMessage(t, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&inside));
    EXPECT_GT(inside.top, second.bottom - 1);  // below the tabs
    RECT back = inside;
    SendMessage(t, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(back.top, 0);
    EXPECT_EQ(back.right, 190);
    SendMessage(t, TCM_DELETEITEM, 0, 0);
    EXPECT_EQ(SendMessage(t, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Text(t),
              "SysTabControl32 id=1026 \"\" (0,0,190,90) sel=1 tabs=[\"信噪比\",\"其他\"]");
}

class Bars : public ControlTest {};

TEST_F(Bars, ProgressAndScrollBarLooksMatchTheirReference) {
    Sheet sheet;
    auto add = [&](const wchar_t* cls, DWORD style, int w, int h, auto&& prepare) {
        HWND c = Alone(cls, L"", style, w, h);
        prepare(c);
        sheet.Add(Snap(c));
        DestroyWindow(GetParent(c));
    };
    add(PROGRESS_CLASS, 0, 150, 14, [](HWND p) { SendMessage(p, PBM_SETPOS, 40, 0); });
    add(PROGRESS_CLASS, PBS_SMOOTH, 150, 14, [](HWND p) { SendMessage(p, PBM_SETPOS, 75, 0); });
    add(WC_SCROLLBAR, SBS_HORZ, 150, 13, [](HWND s) {
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 99, 20, 40, 0};
        SetScrollInfo(s, SB_CTL, &info, TRUE);
    });
    add(WC_SCROLLBAR, SBS_HORZ | WS_DISABLED, 150, 13, [](HWND) {});
    quorvel::testing::ExpectMatchesReference(sheet.image(), "bars");
}

TEST_F(Bars, ProgressRangesStepsAndWraps) {
    HWND host = Host(200, 40);
    HWND p = Make(host, PROGRESS_CLASS, L"", 0, {0, 0, 150, 14}, 1);
    SendMessage(p, PBM_SETRANGE, 0, MAKELPARAM(0, 80));
    EXPECT_EQ(SendMessage(p, PBM_SETRANGE32, 0, 15), MAKELONG(0, 80));
    EXPECT_EQ(SendMessage(p, PBM_SETSTEP, 2, 0), 10);
    for (int i = 0; i < 7; ++i) SendMessage(p, PBM_STEPIT, 0, 0);
    EXPECT_EQ(SendMessage(p, PBM_GETPOS, 0, 0), 14);
    SendMessage(p, PBM_STEPIT, 0, 0);  // past the end: from the start again
    EXPECT_LT(SendMessage(p, PBM_GETPOS, 0, 0), 14);
    const LRESULT before = SendMessage(p, PBM_GETPOS, 0, 0);
    EXPECT_EQ(SendMessage(p, PBM_SETPOS, 99, 0), before);  // gives the previous position
    EXPECT_EQ(SendMessage(p, PBM_GETPOS, 0, 0), 15);
    SendMessage(p, PBM_DELTAPOS, static_cast<WPARAM>(-5), 0);
    PBRANGE range{};
    EXPECT_EQ(SendMessage(p, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), 0);
    EXPECT_EQ(range.iHigh, 15);
    EXPECT_EQ(Text(p), "msctls_progress32 id=1 \"\" (0,0,150,14) range=0..15 pos=10");
}

TEST_F(Bars, TheStylusOnAScrollBarTellsTheParentWhichMovesIt) {
    std::vector<std::pair<int, int>> scrolls;  // (code, position)
    OnHostMessage(WM_HSCROLL, [&](HWND, UINT, WPARAM wParam, LPARAM lParam) -> LRESULT {
        scrolls.emplace_back(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        HWND bar = reinterpret_cast<HWND>(lParam);
        if (LOWORD(wParam) == SB_THUMBPOSITION) SetScrollPos(bar, SB_CTL, HIWORD(wParam), TRUE);
        return 0;
    });
    HWND host = Host(200, 40);
    HWND s = Make(host, WC_SCROLLBAR, L"", SBS_HORZ, {0, 0, 113, 13}, 5);
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 99, 10, 0, 0};
    SetScrollInfo(s, SB_CTL, &info, TRUE);
    Tap(s, {108, 6});  // the right arrow
    Wait();
    Tap(s, {80, 6});  // the track after the thumb
    Wait();
    ASSERT_GE(scrolls.size(), 4u);
    EXPECT_EQ(scrolls[0].first, SB_LINERIGHT);
    EXPECT_EQ(scrolls[1].first, SB_ENDSCROLL);
    EXPECT_EQ(scrolls[2].first, SB_PAGERIGHT);
    EXPECT_EQ(GetScrollPos(s, SB_CTL), 0);  // the parent did not move it
    scrolls.clear();
    Down(s, {16, 6});  // the thumb, at the start of the track
    Move(s, {60, 6});
    Up(s, {60, 6});
    ASSERT_EQ(scrolls.size(), 3u);
    EXPECT_EQ(scrolls[0].first, SB_THUMBTRACK);
    EXPECT_EQ(scrolls[1].first, SB_THUMBPOSITION);
    EXPECT_GT(scrolls[1].second, 40);
    EXPECT_EQ(GetScrollPos(s, SB_CTL), scrolls[1].second);
    EXPECT_EQ(Text(s), "ScrollBar id=5 \"\" (0,0,113,13) SBS_HORZ range=0..99 page=10 pos=" +
                           std::to_string(scrolls[1].second));
}

TEST_F(Bars, WindowScrollStateIsKeptForAnyWindow) {
    HWND host = Host(100, 100);
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 100, 50, 0};
    EXPECT_EQ(SetScrollInfo(host, SB_VERT, &info, FALSE), 0);  // a page holds everything
    SetScrollRange(host, SB_HORZ, 0, 300, FALSE);
    EXPECT_EQ(SetScrollPos(host, SB_HORZ, 120, FALSE), 0);
    EXPECT_EQ(GetScrollPos(host, SB_HORZ), 120);
    int low = -1, high = -1;
    EXPECT_TRUE(GetScrollRange(host, SB_HORZ, &low, &high));
    EXPECT_EQ(high, 300);
    EXPECT_TRUE(quorvel::controls::WindowScrollBarShown(host, SB_HORZ));
    EXPECT_FALSE(quorvel::controls::WindowScrollBarShown(host, SB_VERT));
}

}  // namespace
