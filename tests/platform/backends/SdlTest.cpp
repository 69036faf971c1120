// The SDL backend on a private Xvfb server, driven through X itself: XTest
// input travels the same path as a person's, and the window's pixels are
// read back from the server.
#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <functional>
#include <string>

#include "platform/backends/Backend.h"
#include "platform/backends/LedPanel.h"
#include "platform/backends/SdlBackend.h"
#include "platform/base/Clock.h"
#include "platform/device/DeviceLibrary.h"
#include "platform/device/Leds.h"
#include "platform/gdi/Surface.h"
#include "platform/testing/WaitUntil.h"
#include "platform/win/WinInternal.h"
#include "tests/platform/backends/TestWindow.h"
#include "tests/platform/backends/XvfbServer.h"
#include "tests/platform/device/SoundTestWave.h"

using backendtest::TestWindow;
using backendtest::XClient;
using backendtest::XvfbServer;
using quorvel::backends::BackendOptions;
using quorvel::backends::SdlBackend;
using quorvel::gdi::PixelFromColor;

namespace {

XvfbServer* g_server = nullptr;

uint32_t Rgb(const SDL_Color& c) {
    return (static_cast<uint32_t>(c.r) << 16) | (static_cast<uint32_t>(c.g) << 8) | c.b;
}

class SdlBackendTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!XvfbServer::Available()) return;
        m_savedDisplay = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
        g_server = new XvfbServer;
        m_started = g_server->Start();
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    static void TearDownTestSuite() {
        delete g_server;
        g_server = nullptr;
        if (!m_savedDisplay.empty()) ::setenv("DISPLAY", m_savedDisplay.c_str(), 1);
    }

    void SetUp() override {
        if (g_server == nullptr) GTEST_SKIP() << "Xvfb is not installed (package xvfb)";
        ASSERT_TRUE(m_started) << "Xvfb did not start";
        quorvel::UseVirtualClock(SYSTEMTIME{2024, 5, 0, 17, 8, 0, 0, 0});
        quorvel::device::ResetLedsForTests();
        std::string error;
        BackendOptions options;
        options.scale = 2;
        m_backend = SdlBackend::Create(options, &error);
        ASSERT_NE(m_backend, nullptr) << error;
        m_xwindow = backendtest::XWindowOf(m_backend->Window());
        ASSERT_NE(m_xwindow, 0u);
        ASSERT_TRUE(m_x.Connected());
    }

    // Polls the backend and the program's queue until `done` holds, for at
    // most a few seconds of real time: X events take their own time.
    ::testing::AssertionResult Until(const std::function<bool()>& done,
                                     const std::string& what = "the display to follow") {
        return quorvel::testing::WaitUntil(
            [&] {
                m_backend->PollEvents();
                quorvel::win::PumpUntilIdle();
                m_backend->PresentIfChanged();
                return done();
            },
            what, 5000, [] { SDL_Delay(5); });
    }
    ::testing::AssertionResult PixelBecomes(int x, int y, uint32_t rgb) {
        return Until([&] { return m_x.Pixel(m_xwindow, x, y) == rgb; },
                     "pixel " + std::to_string(x) + "," + std::to_string(y) + " to turn " +
                         std::to_string(rgb));
    }

    static inline bool m_started = false;
    static inline std::string m_savedDisplay;
    std::unique_ptr<SdlBackend> m_backend;
    backendtest::XWindowId m_xwindow = 0;
    XClient m_x;
};

}  // namespace

TEST_F(SdlBackendTest, ShowsTheScreenScaledWithTheLedsBeside) {
    EXPECT_TRUE(quorvel::backends::ShouldUseSdl(false));
    EXPECT_FALSE(quorvel::backends::ShouldUseSdl(true));
    TestWindow window;
    quorvel::backends::DeviceLink link(*m_backend);
    const HMODULE module = LoadLibrary(L"jettce.dll");
    reinterpret_cast<LEDUPDATEPROC>(GetProcAddress(module, L"LedUpdate"))(0, 1);

    // Screen (40, 50) is in the block, (200, 300) is background; doubled.
    EXPECT_TRUE(PixelBecomes(80, 100, PixelFromColor(backendtest::kBlockColour)));
    EXPECT_EQ(m_x.Pixel(m_xwindow, 400, 600), PixelFromColor(backendtest::kBackground));
    EXPECT_EQ(m_x.Pixel(m_xwindow, 479, 639), PixelFromColor(backendtest::kBackground));

    using quorvel::backends::kLedLooks;
    const int ledX = (quorvel::gdi::kScreenWidth + quorvel::backends::kLedPanelWidth / 2) * 2;
    EXPECT_EQ(m_x.Pixel(m_xwindow, ledX, kLedLooks[0].centreY * 2), Rgb(kLedLooks[0].lit));
    EXPECT_EQ(m_x.Pixel(m_xwindow, ledX, kLedLooks[1].centreY * 2),
              Rgb(quorvel::backends::kLedDarkColour));

    // Changes of the screen and of an LED each show up.
    window.SetBlockColour(RGB(255, 0, 255));
    reinterpret_cast<LEDUPDATEPROC>(GetProcAddress(module, L"LedUpdate"))(4, 1);
    EXPECT_TRUE(PixelBecomes(80, 100, 0xFF00FFu));
    EXPECT_TRUE(PixelBecomes(ledX, kLedLooks[1].centreY * 2, Rgb(kLedLooks[1].lit)));
    FreeLibrary(module);
}

TEST_F(SdlBackendTest, KeysAndTapsArriveThroughX) {
    TestWindow window;
    m_x.Focus(m_xwindow);
    m_x.MovePointer(m_xwindow, 200, 300);
    m_x.Button(true);
    m_x.MovePointer(m_xwindow, 210, 321);
    m_x.Button(false);
    m_x.Key(backendtest::kKeyA);
    m_x.Key(backendtest::kKeyF3);
    m_x.Key(backendtest::kKeyComma);
    m_x.Key(backendtest::kKey1, true);  // '!' on the test server's US layout
    ASSERT_TRUE(Until([&] { return window.Saw(WM_CHAR, '!'); }));

    std::vector<backendtest::Input> taps, keys, chars;
    for (const backendtest::Input& in : window.Inputs()) {
        if (in.msg >= WM_MOUSEMOVE) taps.push_back(in);
        if (in.msg == WM_KEYDOWN) keys.push_back(in);
        if (in.msg == WM_CHAR) chars.push_back(in);
    }
    ASSERT_EQ(taps.size(), 3u);
    EXPECT_EQ(taps[0].msg, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(taps[0].lParam, MAKELPARAM(100, 150));
    EXPECT_EQ(taps[1].msg, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(taps[1].lParam, MAKELPARAM(105, 160));
    EXPECT_EQ(taps[2].msg, static_cast<UINT>(WM_LBUTTONUP));

    // Letters and function keys are keys; punctuation comes as text; each
    // character arrives once.
    std::vector<WPARAM> keyCodes, charCodes;
    for (const auto& in : keys) keyCodes.push_back(in.wParam);
    for (const auto& in : chars) charCodes.push_back(in.wParam);
    EXPECT_EQ(keyCodes, (std::vector<WPARAM>{'A', VK_F3, VK_SHIFT}));
    EXPECT_EQ(charCodes, (std::vector<WPARAM>{'a', ',', '!'}));
}

TEST_F(SdlBackendTest, SoundsAreQueuedAndStopped) {
    m_backend->PlayWave(soundtest::MakeWave({.rate = 8000, .frames = 8000}), true);
    EXPECT_GT(m_backend->QueuedAudioBytes(), 0u);
    m_backend->StopSound();
    EXPECT_EQ(m_backend->QueuedAudioBytes(), 0u);
    // Whatever is not a sound is dropped.
    m_backend->PlayWave({'R', 'I', 'F', 'F'}, true);
    EXPECT_EQ(m_backend->QueuedAudioBytes(), 0u);
}

TEST_F(SdlBackendTest, ClosingTheWindowEndsTheLoopAndTheWindowGoes) {
    TestWindow window;
    m_backend->Present();
    m_x.RequestClose(m_xwindow);
    // The loop sleeps on the clock between polls; only a real one moves.
    quorvel::UseRealClock();
    EXPECT_EQ(quorvel::backends::RunMessageLoop(*m_backend), 0);
    EXPECT_FALSE(m_backend->PollEvents());
    m_backend.reset();
    EXPECT_FALSE(m_x.WindowExists(m_xwindow));
}

// An 800 x 600 display, where the window at twice the size stood 40 rows
// past the bottom and 20 above the top.
TEST(SdlWindowOnSmallScreen, TheDefaultWindowLiesWhollyOnTheScreen) {
    if (!XvfbServer::Available()) GTEST_SKIP() << "Xvfb is not installed (package xvfb)";
    const char* saved = std::getenv("DISPLAY");
    const std::string savedDisplay = saved != nullptr ? saved : "";
    XvfbServer server;
    ASSERT_TRUE(server.Start("800x600x24")) << "Xvfb did not start";
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    {
        std::string error;
        std::unique_ptr<SdlBackend> backend = SdlBackend::Create(BackendOptions{}, &error);
        ASSERT_NE(backend, nullptr) << error;
        XClient x;
        ASSERT_TRUE(x.Connected());
        const backendtest::XRect screen = x.ScreenSize();
        ASSERT_EQ(screen.width, 800);
        ASSERT_EQ(screen.height, 600);
        const backendtest::XWindowId window = backendtest::XWindowOf(backend->Window());
        backendtest::XRect rect;
        // The server places the window as it maps it.
        EXPECT_TRUE(quorvel::testing::WaitUntil(
            [&] {
                backend->PollEvents();
                rect = x.RectOnScreen(window);
                return rect.width > 0 && rect.x > 0;
            },
            "the window to be placed", 5000, [] { SDL_Delay(5); }));
        EXPECT_EQ(backend->Scale(), 1);
        EXPECT_EQ(rect.width, quorvel::gdi::kScreenWidth + quorvel::backends::kLedPanelWidth);
        EXPECT_EQ(rect.height, quorvel::gdi::kScreenHeight);
        EXPECT_GE(rect.x, 0);
        EXPECT_GE(rect.y, 0);
        EXPECT_LE(rect.x + rect.width, screen.width);
        EXPECT_LE(rect.y + rect.height, screen.height);
    }
    if (!savedDisplay.empty()) ::setenv("DISPLAY", savedDisplay.c_str(), 1);
}
