// The receiver link against the simulated receiver on a pseudo-terminal, on
// the virtual clock: the test's thread drives the clock (its sleeps move it)
// and owns the notify window that collects the reader's lines.
#pragma once

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Thread.h"
#include "platform/base/ThreadSignal.h"
#include "platform/device/KernelIoControl.h"
#include "platform/files/DevicePath.h"
#include "platform/files/Registry.h"
#include "platform/serial/LineState.h"
#include "platform/serial/PortMap.h"
#include "platform/testing/ProcessCounts.h"
#include "platform/testing/SlotUart.h"
#include "platform/win/WinApi.h"
#include "platform/win/WinInternal.h"
#include "receiver/link/ByteBuffer.h"
#include "receiver/link/GpsComm.h"
#include "receiver/link/PeripheralControl.h"
#include "receiver/link/PortMessages.h"
#include "sim/GnssSimulator.h"
#include "tests/receiver/link/PortTestSupport.h"

namespace quorvel::testing {

// The document's side of the link start.
struct FakeLinkHost : IGpsLinkHost {
    int RadioFormat() const override { return format.load(); }
    void SetReceiverType(int nType) override { receiverType = nType; }
    std::atomic<int> format{0};
    std::atomic<int> receiverType{-1};
};

// What reached the notify window, in order: each line's bytes (the 0 byte
// the reader appends stripped and checked) and each sigma.
struct LinkEvents {
    std::vector<std::string> lines;
    std::vector<float> sigmas;
    std::vector<char> order;  // 'L' line, 'S' sigma
    int badEnds = 0;          // lines that did not end in CR and 0
};

class GpsLinkFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/quorvel-gps-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_root = pattern;
        SetDeviceRoot(m_root);
        SYSTEMTIME start{2024, 6, 6, 1, 8, 0, 0, 0};
        UseVirtualClock(start);
        SetVirtualClockDriver(GetCurrentThreadId());
        ResetSerialPortPower();
        m_window = std::make_unique<PortWindow>([this](UINT msg, WPARAM wParam, LPARAM lParam) {
            return OnMessage(msg, wParam, lParam);
        });
        m_comm = std::make_unique<CGpsComm>();
        m_comm->SetHost(&m_host);
        m_comm->SetNotifyWindow(m_window->Handle());
    }
    void TearDown() override {
        if (m_comm && m_comm->IsOpen()) m_comm->Close();
        m_comm.reset();  // waits for a reader that is still there
        m_window.reset();
        m_sim.reset();
        ClearSerialPortMappings();
        SetVirtualClockDriver(0);
        UseRealClock();
        ResetDeviceEmulation();
        ResetPeripheralControl();
        ResetSerialPortPower();
        SetDeviceRoot("");
        std::filesystem::remove_all(m_root);
    }

    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_GPS_SENTENCE) {
            if (m_beforeLine) m_beforeLine();
            const auto* buffer = reinterpret_cast<CByteBuffer*>(wParam);
            std::string bytes(reinterpret_cast<const char*>(buffer->GetAt(0)), buffer->GetSize());
            if (bytes.size() < 2 || bytes.back() != '\0' || bytes[bytes.size() - 2] != '\r' ||
                lParam != kGpsSentenceMark) {
                ++m_events.badEnds;
            }
            if (!bytes.empty()) bytes.pop_back();
            m_events.lines.push_back(std::move(bytes));
            m_events.order.push_back('L');
        } else if (msg == WM_GPS_BIN1_SIGMA) {
            m_events.sigmas.push_back(*reinterpret_cast<const float*>(wParam));
            m_events.order.push_back('S');
        }
        return 0;
    }

    // The simulated receiver as COM `port`.
    void StartSim(int port, sim::GnssSimOptions options = {}) {
        options.linkPath = m_root + "/gnss";
        m_sim = std::make_unique<sim::GnssSimulator>(options);
        std::string error;
        ASSERT_TRUE(m_sim->Start(error)) << error;
        MapSerialPort(port, m_sim->Path());
    }
    // A receiver that says nothing by itself; the test writes for it.
    void StartQuietSim(int port) {
        sim::GnssSimOptions options;
        options.silenceAfterS = 0;
        options.silenceForS = 1e9;
        StartSim(port, options);
    }

    void UseProfile(const char* profile) {
        std::ofstream(m_root + "/device.conf") << "profile = " << profile << "\n";
        ResetDeviceEmulation();
        ResetPeripheralControl();
    }

    // Serves what the reader sends to this thread, waiting in real time
    // (the virtual clock stands still meanwhile) until `done` or `realMs`.
    bool Serve(const std::function<bool()>& done, int realMs = 30000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(realMs);
        for (;;) {
            win::ServeSentMessages();
            if (done()) return true;
            if (std::chrono::steady_clock::now() > end) return false;
            pollfd p{CurrentThreadSignal().Fd(), POLLIN, 0};
            poll(&p, 1, 2);
        }
    }
    // Moves the clock on by `ms` in steps, serving the reader between them,
    // once the reader waits on the clock.
    void Advance(uint64_t ms, uint64_t step = 10) {
        WaitForVirtualClockWaiters(1, 2000);
        for (uint64_t done = 0; done < ms; done += step) {
            Sleep(static_cast<DWORD>(std::min(step, ms - done)));
            win::ServeSentMessages();
        }
    }
    // The link from Start to its first read: the open, the set-up lists
    // and the link-start frames.
    void StartLink(uint64_t openMs = 1500) {
        m_comm->Start();
        Advance(openMs);
    }

    // The simulator's log without time stamps or line-state notes.
    std::vector<std::string> LogEntries() const {
        std::vector<std::string> entries;
        for (const sim::LoggedCommand& c : m_sim->Log().Items()) {
            if (c.kind == sim::LoggedCommand::Kind::kLines) continue;
            entries.push_back(sim::FormatLogEntry(c).substr(11));
        }
        return entries;
    }
    size_t LogCount() const { return LogEntries().size(); }
    bool WaitForLog(size_t count, int realMs = 20000) {
        return m_sim->Log().WaitFor(
            [count](const std::vector<sim::LoggedCommand>& items) {
                size_t n = 0;
                for (const auto& c : items) n += c.kind != sim::LoggedCommand::Kind::kLines;
                return n >= count;
            },
            realMs);
    }

    static std::vector<std::string> ReadLines(const std::string& path) {
        std::ifstream in(path);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    std::string m_root;
    FakeLinkHost m_host;
    LinkEvents m_events;
    // Runs inside each WM_GPS_SENTENCE, before the line is taken.
    std::function<void()> m_beforeLine;
    std::unique_ptr<PortWindow> m_window;
    std::unique_ptr<CGpsComm> m_comm;
    std::unique_ptr<sim::GnssSimulator> m_sim;
};

}  // namespace quorvel::testing
