// A simulated device on a pseudo-terminal mapped as a numbered port, and a
// window on the test's own thread that collects what the port readers send.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/base/Clock.h"
#include "platform/base/ThreadSignal.h"
#include "platform/files/DevicePath.h"
#include "platform/serial/LineState.h"
#include "platform/serial/PortMap.h"
#include "platform/serial/SerialPort.h"
#include "platform/testing/PtyPeer.h"
#include "platform/testing/TempDeviceRoot.h"
#include "platform/testing/WaitUntil.h"
#include "platform/win/WinApi.h"
#include "platform/win/WinInternal.h"

namespace quorvel::testing {

// A window whose procedure is a function, for one test at a time.
class PortWindow {
  public:
    using Handler = std::function<LRESULT(UINT, WPARAM, LPARAM)>;

    explicit PortWindow(Handler handler) {
        static const bool registered = [] {
            WNDCLASS wc{};
            wc.lpfnWndProc = &PortWindow::Proc;
            wc.lpszClassName = L"QuorvelPortSink";
            return RegisterClass(&wc) != 0;
        }();
        EXPECT_TRUE(registered);
        s_current = this;
        m_handler = std::move(handler);
        m_hwnd = CreateWindow(L"QuorvelPortSink", L"sink", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr);
        EXPECT_NE(m_hwnd, nullptr);
    }
    ~PortWindow() {
        Destroy();
        s_current = nullptr;
    }
    void Destroy() {
        if (m_hwnd != nullptr && IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
    }
    HWND Handle() const { return m_hwnd; }

  private:
    static LRESULT Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (s_current != nullptr && s_current->m_handler && msg >= WM_USER) {
            return s_current->m_handler(msg, wParam, lParam);
        }
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }

    static inline PortWindow* s_current = nullptr;
    Handler m_handler;
    HWND m_hwnd = nullptr;
};

// The control block and time-outs an open port was given, as its driver
// holds them.
struct PortSettings {
    DCB dcb{};
    COMMTIMEOUTS timeouts{};
    DWORD lowFlags = 0;  // the low 15 bits of the flag word
};

inline PortSettings SettingsOf(int port) {
    PortSettings s;
    auto open = serial::SerialPort::OpenPort(port);
    EXPECT_TRUE(open != nullptr);
    if (open == nullptr) return s;
    open->GetState(s.dcb);
    open->GetTimeouts(s.timeouts);
    std::memcpy(&s.lowFlags, reinterpret_cast<const BYTE*>(&s.dcb) + 8, sizeof s.lowFlags);
    s.lowFlags &= 0x7FFF;
    return s;
}

// Serves what the readers send to this thread until `done` holds or
// `realMs` of real time have passed.
inline ::testing::AssertionResult ServeUntil(const std::function<bool()>& done, int realMs = 5000) {
    return WaitUntil(done, "the port readers' messages served to this thread", realMs, [&] {
        win::ServeSentMessages();
        if (!done()) CurrentThreadSignal().Wait(ClockNowMs() + 20);
    });
}

class LinkPortFixture : public ::testing::Test {
  protected:
    void StartPeer(int port) {
        m_deviceRoot.emplace("quorvel-link");
        ASSERT_TRUE(m_deviceRoot->Made());
        m_root = m_deviceRoot->Root();
        std::string error;
        ASSERT_TRUE(m_peer.Open(m_root + "/device", error)) << error;
        MapSerialPort(port, m_peer.Path());
    }
    void TearDown() override {
        m_peer.Close();
        ClearSerialPortMappings();
        m_deviceRoot.reset();
    }

    static int CountEntries(const char* folder) {
        int n = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            (void)entry;
            ++n;
        }
        return n;
    }

    // Threads of this process once those that are ending have gone (a
    // joined thread's host thread leaves a moment after the join), waiting
    // at most two seconds for the count to fall to `expected`.
    static int SettledThreads(int expected) {
        int count = 0;
        (void)WaitUntil([&] { return (count = CountEntries("/proc/self/task")) <= expected; },
                        "the ended threads to leave", 2000, [] { usleep(1000); });
        return count;
    }

    std::optional<TempDeviceRoot> m_deviceRoot;
    std::string m_root;
    PtyPeer m_peer;
};

}  // namespace quorvel::testing
