// Drawing on windows: the default erase with the class brush, paint
// contexts clipped to the update area, client contexts clipped to what is
// visible of a window, window snapshots, and two threads drawing on the
// screen in turns.
#include <gtest/gtest.h>

#include <thread>

#include "platform/gdi/GdiApi.h"
#include "platform/gdi/Image.h"
#include "platform/gdi/Surface.h"
#include "platform/testing/TempDeviceRoot.h"
#include "platform/win/WinInternal.h"
#include "tests/platform/gdi/MemoryCanvas.h"

namespace quorvel::gdi::test {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

int g_paints = 0;

// Paints a red square in the top-left corner of its client area.
LRESULT CALLBACK SquareProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT) return DefWindowProc(hwnd, msg, wParam, lParam);
    ++g_paints;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    FillSolidRect(dc, 0, 0, 10, 10, kRed);
    EndPaint(hwnd, &ps);
    return 0;
}

class WindowDrawing : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Install();
        WNDCLASS wc{};
        wc.lpfnWndProc = SquareProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"GdiTestSquare";
        RegisterClass(&wc);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = L"GdiTestWhite";
        RegisterClass(&wc);
    }
    void SetUp() override {
        ResizeScreen(kScreenWidth, kScreenHeight);
        m_top = CreateWindowEx(0, L"GdiTestSquare", L"", WS_POPUP | WS_VISIBLE, 20, 30, 100, 80,
                               nullptr, nullptr, nullptr, nullptr);
        m_child = CreateWindowEx(0, L"GdiTestWhite", L"", WS_CHILD | WS_VISIBLE, 40, 20, 30, 30,
                                 m_top, nullptr, nullptr, nullptr);
        win::PumpUntilIdle();
    }
    void TearDown() override {
        DestroyWindow(m_top);
        win::PumpUntilIdle();
    }
    static COLORREF ScreenAt(int x, int y) { return ColorFromPixel(CaptureScreen().At(x, y)); }

    HWND m_top = nullptr;
    HWND m_child = nullptr;
};

TEST_F(WindowDrawing, PaintingErasesWithTheClassBrushThenDrawsInClientCoordinates) {
    EXPECT_EQ(ScreenAt(20, 30), kRed);                        // the top window's square
    EXPECT_EQ(ScreenAt(50, 60), GetSysColor(COLOR_BTNFACE));  // its background
    EXPECT_EQ(ScreenAt(60, 50), kRed);                        // the child's own square
    EXPECT_EQ(ScreenAt(80, 70), RGB(255, 255, 255));          // the child's background
}

TEST_F(WindowDrawing, PaintContextOnlyReachesTheUpdateArea) {
    const RECT whole{0, 0, 100, 80};
    HDC dc = GetDC(m_top);
    FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(m_top, dc);
    const RECT part{50, 50, 60, 60};
    InvalidateRect(m_top, &part, TRUE);
    const int before = g_paints;
    win::PumpUntilIdle();
    EXPECT_EQ(g_paints, before + 1);
    EXPECT_EQ(ScreenAt(20, 30), RGB(0, 0, 0));  // outside the update: the square is not redrawn
    EXPECT_EQ(ScreenAt(75, 85), GetSysColor(COLOR_BTNFACE));  // inside: erased
}

TEST_F(WindowDrawing, ClientContextsAreClippedToTheVisibleWindow) {
    const uint64_t generation = win::ScreenGeneration();
    HDC dc = GetDC(m_top);
    Selected brush(dc, CreateSolidBrush(kBlue));
    Rectangle(dc, -50, -50, 500, 500);
    ReleaseDC(m_top, dc);
    EXPECT_GT(win::ScreenGeneration(), generation);
    EXPECT_EQ(ScreenAt(20, 30), kBlue);
    EXPECT_EQ(ScreenAt(60, 50), kRed);  // the child is not painted over
    EXPECT_NE(ScreenAt(19, 30), kBlue);
    EXPECT_NE(ScreenAt(120, 30), kBlue);
    HDC child = GetDC(m_child);
    const RECT all{-100, -100, 300, 300};
    FillRect(child, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(m_child, child);
    EXPECT_EQ(ScreenAt(60, 50), RGB(0, 0, 0));
    EXPECT_EQ(ScreenAt(59, 50), kBlue);
    EXPECT_EQ(ScreenAt(90, 50), kBlue);
}

TEST_F(WindowDrawing, FramesCaptionsAndTheDesktopAreDrawnByDefault) {
    HWND framed = CreateWindowEx(0, L"GdiTestWhite", L"测量", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                 130, 100, 100, 60, nullptr, nullptr, nullptr, nullptr);
    win::PumpUntilIdle();
    EXPECT_EQ(ScreenAt(130, 100), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(ScreenAt(229, 159), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(ScreenAt(225, 105), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(ScreenAt(180, 140), RGB(255, 255, 255));  // the client area below the caption
    RECT caption{131, 101, 229, 101 + win::kCaptionHeight};
    int titlePixels = 0;
    const Image screen = CaptureScreen();
    for (int y = caption.top; y < caption.bottom; ++y) {
        for (int x = caption.left; x < caption.right; ++x) {
            titlePixels += screen.At(x, y) == PixelFromColor(GetSysColor(COLOR_CAPTIONTEXT));
        }
    }
    EXPECT_GT(titlePixels, 20);
    DestroyWindow(framed);
    win::PumpUntilIdle();
    EXPECT_EQ(ScreenAt(200, 140), GetSysColor(COLOR_BACKGROUND));  // uncovered desktop
}

TEST_F(WindowDrawing, WindowSnapshotIsTheWindowsRectangle) {
    const Image image = CaptureWindow(m_top);
    EXPECT_EQ(image.width, 100);
    EXPECT_EQ(image.height, 80);
    EXPECT_EQ(image.At(0, 0), PixelFromColor(kRed));
    const testing::TempFolder folder("quorvel-gdi-window");
    ASSERT_TRUE(folder.Made());
    const std::string path = folder.Path() + "/window.png";
    ASSERT_TRUE(SaveWindowPng(m_top, path));
    Image loaded;
    ASSERT_TRUE(LoadImageFile(path, &loaded));
    EXPECT_EQ(loaded, image);
}

// A worker thread's message box paints the screen while this thread paints
// its windows: the two draw in turns (the suite under ThreadSanitizer sees
// any pixel both touch at once), and every pixel ends as one of them drew it.
TEST_F(WindowDrawing, TwoThreadsDrawingOnTheScreenTakeTurns) {
    auto draw = [](COLORREF color) {
        HDC dc = GetDC(nullptr);
        for (int i = 0; i < 200; ++i) {
            FillSolidRect(dc, 0, 0, 60, 60, color);
            (void)CaptureScreen();
        }
        ReleaseDC(nullptr, dc);
    };
    std::thread worker(draw, kBlue);
    draw(kRed);
    worker.join();
    const Image screen = CaptureScreen();
    const uint32_t first = screen.At(0, 0);
    EXPECT_TRUE(first == PixelFromColor(kRed) || first == PixelFromColor(kBlue));
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) ASSERT_EQ(screen.At(x, y), first) << x << "," << y;
}

}  // namespace
}  // namespace quorvel::gdi::test
