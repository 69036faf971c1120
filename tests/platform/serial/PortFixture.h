// A device root in a temporary folder and a simulated device on a
// pseudo-terminal, mapped as one of the device's numbered ports.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/base/Clock.h"
#include "platform/base/Handle.h"
#include "platform/files/DevicePath.h"
#include "platform/serial/LineState.h"
#include "platform/serial/PortMap.h"
#include "platform/serial/SerialApi.h"
#include "platform/testing/PtyPeer.h"
#include "platform/testing/TempDeviceRoot.h"
#include "platform/testing/WaitUntil.h"

namespace quorvel::testing {

class PortFixture : public DeviceRootTest {
  protected:
    static constexpr int kPort = 5;

    void SetUp() override {
        DeviceRootTest::SetUp();
        if (HasFatalFailure()) return;
        ClearSerialPortMappings();
        ResetSerialPortPower();
        std::string error;
        ASSERT_TRUE(m_peer.Open(m_root + "/gnss", error)) << error;
        MapSerialPort(kPort, m_peer.Path());
    }

    void TearDown() override {
        if (m_port != INVALID_HANDLE_VALUE) CloseHandle(m_port);
        m_peer.Close();
        ClearSerialPortMappings();
        ResetSerialPortPower();
        UseRealClock();
        DeviceRootTest::TearDown();
    }

    HANDLE OpenPort(LPCWSTR name = L"COM5:") {
        m_port =
            CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        return m_port;
    }

    void SetTimeouts(DWORD interval, DWORD multiplier, DWORD constant, DWORD writeMultiplier,
                     DWORD writeConstant) {
        COMMTIMEOUTS t{interval, multiplier, constant, writeMultiplier, writeConstant};
        ASSERT_TRUE(SetCommTimeouts(m_port, &t));
    }

    DWORD Queued() {
        COMSTAT stat{};
        DWORD errors = 0;
        return ClearCommError(m_port, &errors, &stat) ? stat.cbInQue : 0;
    }

    // Bytes the program sent, as the peer reads them within `ms`.
    std::string PeerReads(int ms = 200) {
        char buffer[256];
        size_t n = m_peer.Read(buffer, sizeof buffer, ms);
        return std::string(buffer, n);
    }

    PtyPeer m_peer;
    HANDLE m_port = INVALID_HANDLE_VALUE;
};

inline SYSTEMTIME TestStartUtc() {
    SYSTEMTIME st{};
    st.wYear = 2012;
    st.wMonth = 6;
    st.wDay = 1;
    st.wHour = 8;
    return st;
}

}  // namespace quorvel::testing
