// The paint cycle: when WM_PAINT comes, what it covers, what is clipped, and
// what a change of the tree uncovers.
#include "tests/platform/win/WinTestSupport.h"

using namespace wintest;

namespace {

struct Painted {
    HWND hwnd;
    RECT bounds;
    bool erase;
};

std::vector<Painted> g_painted;

// What gdi's BeginPaint/EndPaint do with the update area, without drawing.
LRESULT PaintLikeBeginPaint(HWND hwnd, UINT, WPARAM, LPARAM) {
    RECT r;
    bool erase;
    quorvel::win::TakeUpdateRegion(hwnd, &r, &erase);
    if (erase) SendMessage(hwnd, WM_ERASEBKGND, 0, 0);
    g_painted.push_back({hwnd, r, erase});
    return 0;
}

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

long Area(const std::vector<RECT>& rects) {
    long a = 0;
    for (const RECT& r : rects) a += (r.right - r.left) * (r.bottom - r.top);
    return a;
}

class Paint : public WinTest {
  protected:
    void SetUp() override {
        WinTest::SetUp();
        g_painted.clear();
    }
    HWND Painting(HWND h) {
        Log::Get().On(h, WM_PAINT, PaintLikeBeginPaint);
        return h;
    }
    void Settle() {
        quorvel::win::PumpUntilIdle();
        g_painted.clear();
        Log::Get().Take();
    }
};

TEST_F(Paint, NewWindowsPaintParentsFirstOnceTheQueueIsEmpty) {
    HWND top = Painting(Top());
    HWND child = Painting(Child(top, {10, 10, 50, 50}));
    PostMessage(top, WM_USER, 0, 0);
    quorvel::win::PumpUntilIdle();
    auto seq = Only(Log::Get().Take(), {WM_USER, WM_PAINT, WM_ERASEBKGND});
    const std::vector<std::pair<HWND, UINT>> want{{top, WM_USER},
                                                  {top, WM_PAINT},
                                                  {top, WM_ERASEBKGND},
                                                  {child, WM_PAINT},
                                                  {child, WM_ERASEBKGND}};
    EXPECT_EQ(seq, want);
    ASSERT_EQ(g_painted.size(), 2u);
    EXPECT_TRUE(Same(g_painted[1].bounds, RECT{0, 0, 40, 40}));
    EXPECT_FALSE(quorvel::win::PumpUntilIdle());
}

TEST_F(Paint, InvalidationAccumulatesAndErasesOnlyWhenAsked) {
    HWND top = Painting(Top());
    Settle();
    RECT a{10, 10, 20, 20}, b{100, 30, 120, 400};
    InvalidateRect(top, &a, FALSE);
    quorvel::win::PumpUntilIdle();
    ASSERT_EQ(g_painted.size(), 1u);
    EXPECT_FALSE(g_painted[0].erase);
    InvalidateRect(top, &a, FALSE);
    InvalidateRect(top, &b, TRUE);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(top, &update, FALSE));
    EXPECT_TRUE(Same(update, RECT{10, 10, 120, 320}));  // bounded, clipped to the client
    quorvel::win::PumpUntilIdle();
    ASSERT_EQ(g_painted.size(), 2u);
    EXPECT_TRUE(g_painted[1].erase);
    EXPECT_FALSE(GetUpdateRect(top, &update, FALSE));
    InvalidateRect(top, nullptr, TRUE);
    ValidateRect(top, nullptr);
    EXPECT_FALSE(quorvel::win::PumpUntilIdle());
}

TEST_F(Paint, UpdateWindowPaintsAtOnce) {
    HWND top = Painting(Top());
    HWND child = Painting(Child(top, {0, 0, 10, 10}));
    UpdateWindow(top);
    ASSERT_EQ(g_painted.size(), 2u);
    EXPECT_EQ(g_painted[0].hwnd, top);
    EXPECT_EQ(g_painted[1].hwnd, child);
    EXPECT_FALSE(quorvel::win::PumpUntilIdle());
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(g_painted.size(), 4u);
}

TEST_F(Paint, HiddenWindowsAndRedrawOffAreNotPainted) {
    HWND top = Painting(Top(0));
    HWND list = Painting(Child(top, {0, 0, 10, 10}));
    EXPECT_FALSE(quorvel::win::PumpUntilIdle());
    ShowWindow(top, SW_SHOW);
    Settle();
    SendMessage(list, WM_SETREDRAW, FALSE, 0);
    InvalidateRect(list, nullptr, TRUE);
    quorvel::win::PumpUntilIdle();
    EXPECT_TRUE(g_painted.empty());
    SendMessage(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    quorvel::win::PumpUntilIdle();
    ASSERT_EQ(g_painted.size(), 1u);
    EXPECT_EQ(g_painted[0].hwnd, list);
}

TEST_F(Paint, APaintLeftUnvalidatedDoesNotRepeat) {
    HWND top = Top();
    Log::Get().On(top, WM_PAINT, [](HWND, UINT, WPARAM, LPARAM) { return LRESULT{0}; });
    quorvel::win::PumpUntilIdle();
    EXPECT_EQ(Log::Get().Of(top, WM_PAINT).size(), 1u);
}

TEST_F(Paint, ClipChildrenDecidesWhetherChildrenRepaintWithTheirParent) {
    HWND plain = Painting(Top());
    HWND inPlain = Painting(Child(plain, {0, 0, 10, 10}));
    Settle();
    InvalidateRect(plain, nullptr, TRUE);
    quorvel::win::PumpUntilIdle();
    EXPECT_EQ(g_painted.size(), 2u);
    SetWindowLong(plain, GWL_STYLE, GetWindowLong(plain, GWL_STYLE) | WS_CLIPCHILDREN);
    Settle();
    InvalidateRect(plain, nullptr, TRUE);
    quorvel::win::PumpUntilIdle();
    ASSERT_EQ(g_painted.size(), 1u);
    EXPECT_NE(g_painted[0].hwnd, inPlain);
}

TEST_F(Paint, VisibleRectsLeaveOutChildrenWindowsAboveAndWhatIsOffTheParent) {
    HWND top = Top(WS_VISIBLE, {0, 0, 200, 200});
    HWND child = Child(top, {10, 10, 60, 60});
    HWND overhang = Child(top, {180, 180, 260, 260});
    std::vector<RECT> rects = quorvel::win::VisibleRects(top, true);
    EXPECT_EQ(Area(rects), 200L * 200 - 50 * 50 - 20 * 20);
    for (const RECT& r : rects) {
        RECT x{std::max(r.left, LONG{10}), std::max(r.top, LONG{10}), std::min(r.right, LONG{60}),
               std::min(r.bottom, LONG{60})};
        EXPECT_TRUE(x.right <= x.left || x.bottom <= x.top);
    }
    EXPECT_EQ(Area(quorvel::win::VisibleRects(overhang, false)), 20L * 20);
    HWND popup = Top(WS_VISIBLE | WS_POPUP, {0, 0, 35, 35});
    EXPECT_EQ(Area(quorvel::win::VisibleRects(child, false)), 50L * 50 - 25 * 25);
    ShowWindow(popup, SW_HIDE);
    ShowWindow(top, SW_HIDE);
    EXPECT_TRUE(quorvel::win::VisibleRects(child, false).empty());
}

TEST_F(Paint, HidingAWindowRepaintsOnlyWhatItUncovered) {
    HWND below = Painting(Top(WS_VISIBLE, {0, 0, 240, 320}));
    HWND beside = Painting(Top(WS_VISIBLE | WS_POPUP, {200, 0, 240, 40}));
    HWND popup = Painting(Top(WS_VISIBLE | WS_POPUP, {50, 50, 150, 150}));
    Settle();
    ShowWindow(popup, SW_HIDE);
    quorvel::win::PumpUntilIdle();
    ASSERT_EQ(g_painted.size(), 1u);
    EXPECT_EQ(g_painted[0].hwnd, below);
    EXPECT_TRUE(Same(g_painted[0].bounds, RECT{50, 50, 150, 150}));
    EXPECT_TRUE(g_painted[0].erase);
    (void)beside;
}

TEST_F(Paint, MovingAWindowRepaintsItAndWhatItLeft) {
    HWND below = Painting(Top(WS_VISIBLE, {0, 0, 240, 320}));
    HWND popup = Painting(Top(WS_VISIBLE | WS_POPUP, {0, 0, 100, 100}));
    Settle();
    MoveWindow(popup, 50, 0, 100, 100, TRUE);
    quorvel::win::PumpUntilIdle();
    ASSERT_EQ(g_painted.size(), 2u);
    EXPECT_EQ(g_painted[0].hwnd, popup);  // topmost first
    EXPECT_TRUE(Same(g_painted[0].bounds, RECT{0, 0, 100, 100}));
    EXPECT_EQ(g_painted[1].hwnd, below);
    EXPECT_TRUE(Same(g_painted[1].bounds, RECT{0, 0, 50, 100}));
    EXPECT_EQ(Log::Get().Of(popup, WM_MOVE).size(), 1u);
    EXPECT_TRUE(Log::Get().Of(popup, WM_SIZE).empty());
}

std::vector<RECT> g_desktop;

TEST_F(Paint, UncoveredDesktopGoesToTheDrawingLibrary) {
    quorvel::win::SetDesktopPaintHook([](const RECT& r) { g_desktop.push_back(r); });
    HWND popup = Top(WS_VISIBLE | WS_POPUP, {0, 0, 100, 100});
    Settle();
    g_desktop.clear();
    DestroyWindow(popup);
    quorvel::win::SetDesktopPaintHook(nullptr);
    ASSERT_EQ(g_desktop.size(), 1u);
    EXPECT_TRUE(Same(g_desktop[0], RECT{0, 0, 100, 100}));
}

TEST_F(Paint, FramedWindowsGetTheirFramePaintedWithTheFirstPaintAndCaptionChanges) {
    HWND dlg = Top(WS_VISIBLE | WS_POPUP | WS_CAPTION, {20, 20, 220, 220});
    quorvel::win::PumpUntilIdle();
    auto seq = Only(Log::Get().Take(), {WM_PAINT, WM_NCPAINT});
    const std::vector<std::pair<HWND, UINT>> want{{dlg, WM_PAINT}, {dlg, WM_NCPAINT}};
    EXPECT_EQ(seq, want);
    SetWindowText(dlg, L"数据采集");
    quorvel::win::PumpUntilIdle();
    EXPECT_EQ(Log::Get().Of(dlg, WM_NCPAINT).size(), 1u);
    EXPECT_TRUE(Log::Get().Of(dlg, WM_ERASEBKGND).empty());
}

}  // namespace
