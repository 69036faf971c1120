// The file that follows the screen, on the virtual clock: written at once
// for the first picture, then at most once a second while the screen
// changes, a change that came too soon written once its second is up, and
// nothing rewritten while the screen stays as it is.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "launcher/Snapshots.h"
#include "platform/base/Clock.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdi/Image.h"
#include "platform/win/WinInternal.h"

namespace quorvel::launcher {
namespace {

namespace fs = std::filesystem;

void PaintScreen(COLORREF colour) {
    HDC dc = GetDC(nullptr);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all{0, 0, 240, 320};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    ReleaseDC(nullptr, dc);
    win::NoteScreenChanged();
}

uint32_t PixelOf(const std::string& path) {
    gdi::Image image;
    EXPECT_TRUE(gdi::LoadImageFile(path, &image)) << path;
    return image.pixels.empty() ? 0 : image.At(120, 160);
}

TEST(LauncherSnapshots, LatestFollowsTheScreenAtMostOnceASecond) {
    UseVirtualClock(SYSTEMTIME{2024, 5, 0, 17, 8, 0, 0, 0});
    gdi::Install();
    const fs::path dir =
        fs::temp_directory_path() / ("quorvel-launcher-shots-" + std::to_string(getpid()));
    fs::remove_all(dir);
    CSnapshotWriter writer((dir / "sub").string());
    ASSERT_TRUE(fs::is_directory(dir / "sub"));
    const std::string latest = writer.LatestPath();
    EXPECT_TRUE(fs::path(latest).is_absolute());

    PaintScreen(RGB(255, 0, 0));
    EXPECT_EQ(writer.Tick(), UINT32_MAX);
    EXPECT_EQ(writer.Written(), 1);
    EXPECT_EQ(PixelOf(latest), 0xFF0000u);

    AdvanceVirtualClock(300);
    PaintScreen(RGB(0, 255, 0));
    EXPECT_EQ(writer.Tick(), 700u);  // due once the second is up
    EXPECT_EQ(writer.Written(), 1);
    AdvanceVirtualClock(699);
    EXPECT_EQ(writer.Tick(), 1u);
    AdvanceVirtualClock(1);
    EXPECT_EQ(writer.Tick(), UINT32_MAX);
    EXPECT_EQ(writer.Written(), 2);
    EXPECT_EQ(PixelOf(latest), 0x00FF00u);
    EXPECT_FALSE(fs::exists(latest + ".part"));

    AdvanceVirtualClock(5000);  // nothing changed: nothing written
    EXPECT_EQ(writer.Tick(), UINT32_MAX);
    EXPECT_EQ(writer.Written(), 2);

    CSnapshotWriter none("");
    PaintScreen(RGB(0, 0, 255));
    EXPECT_EQ(none.Tick(), UINT32_MAX);
    fs::remove_all(dir);
    UseRealClock();
}

}  // namespace
}  // namespace quorvel::launcher
