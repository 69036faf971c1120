#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "platform/backends/Backend.h"
#include "platform/backends/HeadlessBackend.h"
#include "platform/base/Clock.h"
#include "platform/base/Thread.h"
#include "platform/device/DeviceLibrary.h"
#include "platform/device/Leds.h"
#include "platform/device/Sound.h"
#include "platform/gdi/Image.h"
#include "platform/gdi/Surface.h"
#include "platform/testing/TempDeviceRoot.h"
#include "platform/testing/WaitUntil.h"
#include "platform/win/WinInternal.h"
#include "tests/platform/backends/TestWindow.h"
#include "tests/platform/device/SoundTestWave.h"

using quorvel::backends::BackendOptions;
using quorvel::backends::DeviceLink;
using quorvel::backends::HeadlessBackend;

namespace {

class Headless : public ::testing::Test {
  protected:
    void SetUp() override {
        quorvel::UseVirtualClock(SYSTEMTIME{2024, 5, 0, 17, 8, 0, 0, 0});
        quorvel::device::ResetLedsForTests();
        m_snapshots = m_root.Base() + "/snapshots";
    }

    quorvel::testing::TempDeviceRoot m_root{"quorvel-headless"};
    std::string m_snapshots;
};

BackendOptions HeadlessOptions(const std::string& snapshotDir = "") {
    BackendOptions options;
    options.headless = true;
    options.snapshotDir = snapshotDir;
    options.snapshotIntervalMs = 1000;
    return options;
}

quorvel::gdi::Image LoadPng(const std::string& path) {
    quorvel::gdi::Image image;
    EXPECT_TRUE(quorvel::gdi::LoadImageFile(path, &image)) << path;
    return image;
}

}  // namespace

TEST_F(Headless, SoundsAreRecordedWithTheirLengthsAndSynchronousOnesTakeThem) {
    m_root.WriteHost("Flash Disk/Wav/Alarm5.wav",
                     soundtest::FileBytes(soundtest::MakeWave({.rate = 8000, .frames = 4000})));
    m_root.WriteHost("Windows/exclam.wav",
                     soundtest::FileBytes(soundtest::MakeWave({.rate = 16000, .frames = 20000})));
    HeadlessBackend backend(HeadlessOptions());
    {
        DeviceLink link(backend);
        EXPECT_TRUE(sndPlaySound(L"\\Flash Disk\\Wav\\Alarm5.wav", SND_ASYNC));

        std::atomic<bool> done{false};
        std::thread player([&] {
            EXPECT_TRUE(sndPlaySound(L"\\Windows\\exclam.wav", SND_SYNC));
            done = true;
        });
        ASSERT_TRUE(quorvel::WaitForVirtualClockWaiters(1));
        quorvel::AdvanceVirtualClock(1249);
        EXPECT_FALSE(done.load());
        quorvel::AdvanceVirtualClock(1);
        player.join();
        EXPECT_TRUE(sndPlaySound(nullptr, 0));
    }
    // Unlinked, the backend hears nothing more.
    EXPECT_TRUE(sndPlaySound(L"\\Windows\\exclam.wav", SND_ASYNC));

    const auto played = backend.PlayedWaves();
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(played[0].durationMs, 500u);
    EXPECT_TRUE(played[0].async);
    EXPECT_EQ(played[1].durationMs, 1250u);
    EXPECT_FALSE(played[1].async);
    EXPECT_EQ(backend.SoundStops(), 1);
}

TEST_F(Headless, LedsAreRecordedFromTheLedLibrary) {
    HeadlessBackend backend(HeadlessOptions());
    DeviceLink link(backend);
    const HMODULE module = LoadLibrary(L"\\Windows\\JETTCE.DLL");
    const auto ledUpdate = reinterpret_cast<LEDUPDATEPROC>(GetProcAddress(module, L"LedUpdate"));
    ASSERT_NE(ledUpdate, nullptr);
    ledUpdate(4, 1);
    ledUpdate(0, 1);
    ledUpdate(0, 0);
    FreeLibrary(module);

    const auto changes = backend.LedChanges();
    // The link first shows both LEDs as they are.
    ASSERT_EQ(changes.size(), 5u);
    EXPECT_EQ(changes[0].led, 0);
    EXPECT_FALSE(changes[0].on);
    EXPECT_EQ(changes[1].led, 4);
    EXPECT_FALSE(changes[1].on);
    EXPECT_EQ(changes[2].led, 4);
    EXPECT_TRUE(changes[2].on);
    EXPECT_TRUE(changes[3].on);
    EXPECT_EQ(changes[4].led, 0);
    EXPECT_FALSE(changes[4].on);
}

TEST_F(Headless, SnapshotsFollowTheScreenAtMostOncePerInterval) {
    HeadlessBackend backend(HeadlessOptions(m_snapshots));
    backendtest::TestWindow window;
    quorvel::win::PumpUntilIdle();
    ASSERT_TRUE(backend.PresentIfChanged());
    EXPECT_FALSE(backend.PresentIfChanged());  // nothing new
    ASSERT_EQ(backend.SnapshotCount(), 1);
    quorvel::gdi::Image first = LoadPng(m_snapshots + "/screen-000001.png");
    ASSERT_EQ(first.width, 240);
    ASSERT_EQ(first.height, 320);
    EXPECT_EQ(first.At(40, 50), quorvel::gdi::PixelFromColor(backendtest::kBlockColour));
    EXPECT_EQ(first.At(200, 300), quorvel::gdi::PixelFromColor(backendtest::kBackground));

    // A change within the interval waits for it, then is written even
    // though nothing changes after it.
    window.SetBlockColour(RGB(0, 255, 0));
    EXPECT_TRUE(backend.PresentIfChanged());
    EXPECT_EQ(backend.SnapshotCount(), 1);
    quorvel::AdvanceVirtualClock(999);
    EXPECT_FALSE(backend.PresentIfChanged());
    quorvel::AdvanceVirtualClock(1);
    EXPECT_TRUE(backend.PresentIfChanged());
    ASSERT_EQ(backend.SnapshotCount(), 2);
    EXPECT_EQ(LoadPng(m_snapshots + "/screen-000002.png").At(40, 50), 0x00FF00u);
    EXPECT_EQ(LoadPng(m_snapshots + "/screen.png"), LoadPng(m_snapshots + "/screen-000002.png"));
    EXPECT_FALSE(std::filesystem::exists(m_snapshots + "/screen.png.part"));
}

// With nothing to poll for, the loop sleeps until it is woken, except for
// a change that came too soon after the last snapshot: it wakes for that
// one when its interval has passed.
TEST_F(Headless, MessageLoopWakesForAHeldBackSnapshot) {
    HeadlessBackend backend(HeadlessOptions(m_snapshots));
    backendtest::TestWindow window;
    quorvel::win::PumpUntilIdle();
    ASSERT_TRUE(backend.PresentIfChanged());
    EXPECT_EQ(backend.PollIntervalMs(), quorvel::backends::Backend::kNoPoll);
    window.SetBlockColour(RGB(0, 255, 0));
    quorvel::AdvanceVirtualClock(400);
    const DWORD loopThread = GetCurrentThreadId();
    const std::string second = m_snapshots + "/screen-000002.png";
    std::thread driver([&] {
        EXPECT_TRUE(quorvel::WaitForVirtualClockWaiters(1));
        quorvel::AdvanceVirtualClock(599);
        EXPECT_TRUE(quorvel::WaitForVirtualClockWaiters(1));
        EXPECT_FALSE(std::filesystem::exists(second));
        quorvel::AdvanceVirtualClock(1);
        EXPECT_TRUE(quorvel::testing::WaitUntil([&] { return std::filesystem::exists(second); },
                                                "the held-back snapshot written"));
        PostThreadMessage(loopThread, WM_QUIT, 3, 0);
    });
    EXPECT_EQ(quorvel::backends::RunMessageLoop(backend), 3);
    driver.join();
    EXPECT_EQ(backend.SnapshotCount(), 2);
    EXPECT_EQ(LoadPng(second).At(40, 50), 0x00FF00u);
}

TEST_F(Headless, MessageLoopDispatchesInputAndEndsOnQuit) {
    HeadlessBackend backend(HeadlessOptions());
    backendtest::TestWindow window;
    // Input injected like a test driver does reaches the window in the loop.
    quorvel::win::InjectStylus(100, 150, true);
    quorvel::win::InjectStylus(100, 150, false);
    PostQuitMessage(7);
    EXPECT_EQ(quorvel::backends::RunMessageLoop(backend), 7);
    EXPECT_TRUE(window.Saw(WM_LBUTTONDOWN, MK_LBUTTON));
    EXPECT_TRUE(window.Saw(WM_LBUTTONUP, 0));
}

TEST(BackendChoice, HeadlessWithoutADisplay) {
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display ? display : "";
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const std::string savedWayland = wayland ? wayland : "";
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    EXPECT_FALSE(quorvel::backends::ShouldUseSdl(false));
    EXPECT_FALSE(quorvel::backends::ShouldUseSdl(true));
    EXPECT_TRUE(quorvel::backends::CreateBackend(true)->IsHeadless());
    if (display) ::setenv("DISPLAY", saved.c_str(), 1);
    if (wayland) ::setenv("WAYLAND_DISPLAY", savedWayland.c_str(), 1);
}

TEST(BackendChoice, CommandLineOptionsAreTakenOut) {
    char prog[] = "quorvel", root[] = "--root", dir[] = "/tmp/r", headless[] = "--headless",
         snaps[] = "--snapshots", snapDir[] = "/tmp/s", scale[] = "--scale", three[] = "3";
    char* argv[] = {prog, root, dir, headless, snaps, snapDir, scale, three, nullptr};
    int argc = 8;
    BackendOptions options;
    std::string error;
    ASSERT_TRUE(quorvel::backends::TakeBackendOptions(argc, argv, &options, &error)) << error;
    EXPECT_TRUE(options.headless);
    EXPECT_EQ(options.snapshotDir, "/tmp/s");
    EXPECT_EQ(options.scale, 3);
    ASSERT_EQ(argc, 3);  // the program's own options stay, in order
    EXPECT_STREQ(argv[1], "--root");
    EXPECT_STREQ(argv[2], "/tmp/r");
    EXPECT_EQ(argv[3], nullptr);

    char nine[] = "9", empty[] = "";
    for (char* bad : {nine, empty}) {
        char* badArgv[] = {prog, scale, bad, nullptr};
        argc = 3;
        EXPECT_FALSE(quorvel::backends::TakeBackendOptions(argc, badArgv, &options, &error));
    }
    char* missing[] = {prog, snaps, nullptr};
    argc = 2;
    EXPECT_FALSE(quorvel::backends::TakeBackendOptions(argc, missing, &options, &error));
    EXPECT_NE(error.find("--snapshots"), std::string::npos);
}
