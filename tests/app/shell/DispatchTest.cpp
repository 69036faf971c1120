#include "tests/app/shell/DispatchTest.h"

#include <poll.h>

#include <chrono>

#include "app/FrameMessages.h"
#include "platform/base/Clock.h"
#include "platform/base/ThreadSignal.h"
#include "platform/serial/PortMap.h"
#include "platform/win/WinInternal.h"

namespace shelltest {

namespace {
ScreenWindow* g_screen = nullptr;
}  // namespace

std::vector<std::string> LogEntries(const quorvel::sim::CommandLog& log) {
    std::vector<std::string> entries;
    for (const quorvel::sim::LoggedCommand& c : log.Items()) {
        if (c.kind == quorvel::sim::LoggedCommand::Kind::kLines) continue;
        entries.push_back(quorvel::sim::FormatLogEntry(c).substr(11));
    }
    return entries;
}

std::unique_ptr<quorvel::sim::GnssSimulator> StartQuietReceiver(const std::string& linkPath) {
    quorvel::sim::GnssSimOptions options;
    options.silenceAfterS = 0;
    options.silenceForS = 1e9;
    options.linkPath = linkPath;
    auto receiver = std::make_unique<quorvel::sim::GnssSimulator>(options);
    std::string error;
    if (!receiver->Start(error)) {
        ADD_FAILURE() << error;
        return nullptr;
    }
    quorvel::MapSerialPort(1, receiver->Path());
    return receiver;
}

void DispatchTest::TearDown() {
    ShellTest::TearDown();
    m_sim.reset();
}

void DispatchTest::StartReceiver(quorvel::sim::GnssSimOptions options) {
    m_sim.reset();
    options.linkPath = m_root + "/gnss" + std::to_string(++m_sims);
    m_sim = std::make_unique<quorvel::sim::GnssSimulator>(options);
    std::string error;
    ASSERT_TRUE(m_sim->Start(error)) << error;
    quorvel::MapSerialPort(1, m_sim->Path());
    quorvel::MapSerialPort(5, m_sim->Path());
}

CMainFrame* DispatchTest::StartProgram(void (*change)(SystemParams&)) {
    WriteDefaultJob(change);
    return StartAndSettle();
}

bool DispatchTest::AdvanceUntil(const std::function<bool()>& done, uint64_t clockMs) {
    for (uint64_t t = 0; t < clockMs; t += 10) {
        if (done()) return true;
        Sleep(10);
        quorvel::win::PumpUntilIdle();
    }
    return done();
}

bool DispatchTest::Serve(const std::function<bool()>& done, int realMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(realMs);
    for (;;) {
        quorvel::win::PumpUntilIdle();
        if (done()) return true;
        if (std::chrono::steady_clock::now() > end) return false;
        pollfd p{quorvel::CurrentThreadSignal().Fd(), POLLIN, 0};
        poll(&p, 1, 2);
    }
}

bool DispatchTest::Deliver(const std::string& line, int realMs) {
    Frame()->m_nNoDataTicks = 99;
    m_receiver.Write(line);
    return Serve([] { return GetMainFrame()->m_nNoDataTicks == 0; }, realMs);
}

bool DispatchTest::BringUpLink() {
    auto started = [this] {
        int frames = 0;
        for (const auto& c : m_sim->Log().Items())
            frames += c.kind == quorvel::sim::LoggedCommand::Kind::kFrame && c.frameId == 52;
        return frames >= 2;
    };
    return RunLinkToItsReadLoop() && Serve(started, 20000);
}

std::vector<std::string> DispatchTest::LogEntries() const {
    return shelltest::LogEntries(m_sim->Log());
}

std::vector<std::string> DispatchTest::SentTexts() const {
    std::vector<std::string> texts;
    for (const quorvel::sim::LoggedCommand& c : m_sim->Log().Items())
        if (c.kind == quorvel::sim::LoggedCommand::Kind::kText) texts.push_back(c.text);
    return texts;
}

ScreenWindow::ScreenWindow() {
    static const bool registered = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = &ScreenWindow::Proc;
        wc.lpszClassName = L"QuorvelTestScreen";
        return RegisterClass(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    g_screen = this;
    m_hwnd = CreateWindow(L"QuorvelTestScreen", L"screen", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                          nullptr, nullptr);
}

ScreenWindow::~ScreenWindow() {
    if (IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
    g_screen = nullptr;
}

LRESULT CALLBACK ScreenWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GPS_POSITION && g_screen != nullptr) {
        const auto* fix = reinterpret_cast<const SurveyRecord*>(wParam);
        if (lParam == kGpsPositionNew) g_screen->positions.push_back({*fix, g_pDoc->m_curFix});
        if (lParam == kGpsPositionStatus) g_screen->notices.push_back(*fix);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

}  // namespace shelltest
