// The SDL window's scale and place on displays of the usual sizes.
#include "platform/backends/WindowFit.h"

#include <gtest/gtest.h>

#include "platform/backends/LedPanel.h"
#include "platform/gdi/Surface.h"

namespace quorvel::backends {
namespace {

constexpr int kContentWidth = gdi::kScreenWidth + kLedPanelWidth;  // 280
constexpr int kContentHeight = gdi::kScreenHeight;                 // 320

bool Inside(const FitRect& inner, const FitRect& outer) {
    return inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

TEST(WindowFit, TheDefaultScaleIsTheLargestThatFitsTheUsableArea) {
    struct Case {
        FitRect area;
        int scale;
    };
    const Case cases[] = {
        {{0, 0, 800, 600}, 1},     // 560 x 640 would stand 40 rows below the screen
        {{0, 0, 1920, 1080}, 3},   // 840 x 960; 4 would be 1280 rows
        {{0, 0, 640, 480}, 1},     //
        {{0, 27, 1920, 1053}, 3},  // a panel along the top
        {{0, 0, 1366, 728}, 2},    // a laptop less its task bar
        {{0, 0, 3840, 2160}, 6},   // 1680 x 1920
        {{0, 0, 8000, 8000}, kMaxScale},
    };
    for (const Case& c : cases) {
        const WindowFit fit = FitWindow(c.area, kContentWidth, kContentHeight, 0);
        EXPECT_EQ(fit.scale, c.scale) << c.area.width << "x" << c.area.height;
        EXPECT_EQ(fit.window.width, kContentWidth * c.scale);
        EXPECT_EQ(fit.window.height, kContentHeight * c.scale);
        EXPECT_TRUE(Inside(fit.window, c.area)) << c.area.width << "x" << c.area.height;
    }
    // Centred in the area, whose origin need not be the screen's.
    const WindowFit fit = FitWindow({100, 27, 800, 600}, kContentWidth, kContentHeight, 0);
    EXPECT_EQ(fit.window.x, 100 + (800 - 280) / 2);
    EXPECT_EQ(fit.window.y, 27 + (600 - 320) / 2);
}

TEST(WindowFit, AScaleAskedForIsKeptAndTheMenuBarStaysInSight) {
    // Too large for the area: the top left corner stays in it, the rest
    // goes past the right and bottom edges rather than above the top.
    const WindowFit big = FitWindow({0, 0, 800, 600}, kContentWidth, kContentHeight, 2);
    EXPECT_EQ(big.scale, 2);
    EXPECT_EQ(big.window.x, (800 - 560) / 2);
    EXPECT_EQ(big.window.y, 0);
    EXPECT_EQ(big.window.height, 640);
    // A display smaller than even one screen pixel per pixel.
    const WindowFit tiny = FitWindow({10, 20, 200, 200}, kContentWidth, kContentHeight, 0);
    EXPECT_EQ(tiny.scale, 1);
    EXPECT_EQ(tiny.window.x, 10);
    EXPECT_EQ(tiny.window.y, 20);
}

}  // namespace
}  // namespace quorvel::backends
