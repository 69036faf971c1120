// Peripheral power under each profile of the platform emulation, and the
// expansion-slot receiver that talks only while it is powered.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/base/Handle.h"
#include "platform/device/KernelIoControl.h"
#include "platform/files/DevicePath.h"
#include "platform/serial/LineState.h"
#include "platform/serial/PortMap.h"
#include "platform/serial/SerialApi.h"
#include "platform/testing/TempDeviceRoot.h"
#include "receiver/link/PeripheralControl.h"
#include "sim/GnssSimulator.h"

namespace quorvel::testing {
namespace {

class PeripheralControlTest : public DeviceRootTest {
  protected:
    void TearDown() override {
        ResetDeviceEmulation();
        ResetPeripheralControl();
        DeviceRootTest::TearDown();
    }

    void UseProfile(const char* profile) {
        std::ofstream(m_root + "/device.conf")
            << "# emulated handheld\nprofile = " << profile << "\n";
        ResetDeviceEmulation();
        ResetPeripheralControl();
    }
};

TEST_F(PeripheralControlTest, OemInterfaceClaimsSwitchesAndReleases) {
    UseProfile("oem");
    EXPECT_EQ(ClaimPeripheral(kReceiverPeripheral, TRUE), 0);
    EXPECT_EQ(PeripheralControlMode(), 1);
    const uint64_t afterClaim = KernelIoControlCalls();
    EXPECT_EQ(ClaimPeripheral(kReceiverPeripheral, TRUE), 3);  // already ours
    EXPECT_EQ(KernelIoControlCalls(), afterClaim);
    EXPECT_EQ(SwitchPeripheral(kReceiverPeripheral, FALSE), 0);
    EXPECT_FALSE(IsPeripheralPowered(70));
    EXPECT_FALSE(IsSerialPortPowered(5));
    EXPECT_EQ(SwitchPeripheral(kReceiverPeripheral, TRUE), 0);
    EXPECT_TRUE(IsPeripheralPowered(70));
    EXPECT_EQ(ClaimPeripheral(kReceiverPeripheral, FALSE), 0);

    const uint64_t afterRelease = KernelIoControlCalls();
    EXPECT_EQ(ClaimPeripheral(kReceiverPeripheral, FALSE), 2);  // never claimed now
    EXPECT_EQ(ClaimPeripheral(12, FALSE), 2);
    EXPECT_EQ(KernelIoControlCalls(), afterRelease);
}

TEST_F(PeripheralControlTest, OutOfRangeDevicesAreRefused) {
    UseProfile("oem");
    EXPECT_EQ(ClaimPeripheral(17, TRUE), 2);
    EXPECT_EQ(ClaimPeripheral(-1, TRUE), 2);
    for (int device = 0; device <= 6; ++device) EXPECT_EQ(SwitchPeripheral(device, TRUE), 2);
    EXPECT_EQ(SwitchPeripheral(17, TRUE), 2);
    EXPECT_EQ(ClaimPeripheral(0, TRUE), 0);  // claimable, though not switchable
    EXPECT_EQ(ClaimPeripheral(16, TRUE), 0);
    EXPECT_EQ(SwitchPeripheral(16, TRUE), 0);
}

TEST_F(PeripheralControlTest, PlatformAnswersMapToResults) {
    UseProfile("oem");
    // Another program holds slot 70: the platform answers 8.
    DWORD in[104] = {1, 1, 0, 1, 70};
    DWORD out[2] = {0, 1};
    DWORD returned = 0;
    ASSERT_TRUE(KernelIoControl(kIoctlResourceClaim, in, sizeof in, out, sizeof out, &returned));
    ASSERT_EQ(out[1], 0u);
    EXPECT_EQ(ClaimPeripheral(kReceiverPeripheral, TRUE), 3);
    // Switching without holding the slot: the platform answers 7.
    EXPECT_EQ(SwitchPeripheral(kReceiverPeripheral, FALSE), 1);
    EXPECT_TRUE(IsPeripheralPowered(70));
}

// A claim of `slot` made straight to the platform, as another program would.
DWORD ClaimSlotDirectly(DWORD slot, DWORD claim = 1, DWORD handle = 0) {
    DWORD in[104] = {claim, 1, handle, 1, slot};
    DWORD out[2] = {0, 1};
    DWORD returned = 0;
    EXPECT_TRUE(KernelIoControl(kIoctlResourceClaim, in, sizeof in, out, sizeof out, &returned));
    return out[1];
}

TEST_F(PeripheralControlTest, EveryDeviceReachesItsOwnSlot) {
    UseProfile("oem");
    const DWORD slots[17] = {63, 64, 65, 66, 73, 75, 96, 67, 69, 70, 71, 72, 74, 76, 90, 92, 94};
    for (int device = 0; device < 17; ++device) {
        ASSERT_EQ(ClaimPeripheral(device, TRUE), 0) << device;
        EXPECT_EQ(ClaimSlotDirectly(slots[device]), 8u) << device;  // held now
        if (device >= 7) {
            EXPECT_EQ(SwitchPeripheral(device, FALSE), 0) << device;
            EXPECT_FALSE(IsPeripheralPowered(static_cast<int>(slots[device]))) << device;
        }
        EXPECT_EQ(ClaimPeripheral(device, FALSE), 0) << device;
        EXPECT_EQ(ClaimSlotDirectly(slots[device]), 0u) << device;  // free again
    }
}

TEST_F(PeripheralControlTest, ReleaseThePlatformRefusesIsRefused) {
    UseProfile("oem");
    ASSERT_EQ(ClaimPeripheral(kReceiverPeripheral, TRUE), 0);
    // The platform forgets its claims behind the module's back: the release
    // names a holder it does not know (it answers 7).
    ResetDeviceEmulation();
    EXPECT_EQ(ClaimPeripheral(kReceiverPeripheral, FALSE), 2);
    // The module still counts the slot as its own.
    EXPECT_EQ(ClaimPeripheral(kReceiverPeripheral, TRUE), 3);
}

TEST_F(PeripheralControlTest, PlatformNameWithoutTheInterfaceSupportsNothing) {
    UseProfile("name");
    EXPECT_TRUE(IsWorkaboutPro());
    EXPECT_EQ(ClaimPeripheral(kReceiverPeripheral, TRUE), 1);
    EXPECT_EQ(PeripheralControlMode(), 2);
    EXPECT_EQ(ClaimPeripheral(17, TRUE), 1);
    EXPECT_EQ(ClaimPeripheral(kReceiverPeripheral, FALSE), 1);
    EXPECT_EQ(SwitchPeripheral(kReceiverPeripheral, FALSE), 1);
    EXPECT_EQ(SwitchPeripheral(3, TRUE), 1);
    EXPECT_TRUE(IsPeripheralPowered(70));
}

TEST_F(PeripheralControlTest, NeitherInterfaceNorNameSupportsNothing) {
    UseProfile("none");
    EXPECT_FALSE(IsWorkaboutPro());
    EXPECT_EQ(SwitchPeripheral(kReceiverPeripheral, TRUE), 1);
    EXPECT_EQ(PeripheralControlMode(), 0);
    EXPECT_EQ(ClaimPeripheral(kReceiverPeripheral, TRUE), 1);
}

TEST_F(PeripheralControlTest, DetectionRunsOncePerRun) {
    UseProfile("oem");
    InitPeripheralControl();
    const uint64_t calls = KernelIoControlCalls();
    EXPECT_EQ(calls, 1u + 4u);  // the count, then each of the four entries
    InitPeripheralControl();
    DetectPeripheralControl();
    EXPECT_EQ(KernelIoControlCalls(), calls);
}

TEST_F(PeripheralControlTest, PlatformNameIsCheckedInSixteenBitUnits) {
    UseProfile("oem");
    EXPECT_TRUE(IsWorkaboutPro());
    BYTE buffer[200] = {};
    DWORD returned = 0;
    ASSERT_TRUE(KernelIoControl(kIoctlPlatformName, nullptr, 0, buffer, sizeof buffer, &returned));
    EXPECT_EQ(returned, 28u);
    EXPECT_EQ(buffer[0], 'W');
    EXPECT_EQ(buffer[1], 0);
    EXPECT_EQ(buffer[2], 'O');
    EXPECT_FALSE(KernelIoControl(kIoctlPlatformName, nullptr, 0, buffer, 27, &returned));
}

// The expansion-slot receiver on COM5, seen through the port.
class ReceiverBoardTest : public PeripheralControlTest {
  protected:
    // Waits end as soon as what they wait for is there; the limit only has
    // to be generous enough for a loaded machine.
    static constexpr int kPatienceMs = 20000;

    void SetUp() override {
        PeripheralControlTest::SetUp();
        UseProfile("oem");
        sim::GnssSimOptions options;
        options.rateHz = 20;
        options.linkPath = m_root + "/slot";
        m_board = std::make_unique<sim::GnssSimulator>(options);
        std::string error;
        ASSERT_TRUE(m_board->Start(error)) << error;
        MapSerialPort(5, m_board->Path());
        m_port = CreateFileW(L"COM5:", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                             nullptr);
        ASSERT_NE(m_port, INVALID_HANDLE_VALUE);
        COMMTIMEOUTS t{MAXDWORD, 0, 0, 0, 100};
        ASSERT_TRUE(SetCommTimeouts(m_port, &t));
    }
    void TearDown() override {
        if (m_port != INVALID_HANDLE_VALUE) CloseHandle(m_port);
        m_board.reset();
        ClearSerialPortMappings();
        PeripheralControlTest::TearDown();
    }

    void Power(BOOL on) {
        EXPECT_EQ(ClaimPeripheral(kReceiverPeripheral, TRUE), 0);
        EXPECT_EQ(SwitchPeripheral(kReceiverPeripheral, on), 0);
        EXPECT_EQ(ClaimPeripheral(kReceiverPeripheral, FALSE), 0);
    }

    // What the board says within `ms` of real time, up to its first line end.
    std::string Listen(int ms) {
        std::string heard;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end && heard.find('\n') == std::string::npos) {
            char buffer[256];
            DWORD n = 0;
            if (ReadFile(m_port, buffer, sizeof buffer, &n, nullptr)) heard.append(buffer, n);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return heard;
    }

    // Waits until the last line state the board noticed holds `state`: from
    // then on it talks in whole sentences or not at all.
    bool BoardSees(const std::string& state) {
        return m_board->Log().WaitFor(
            [&](const std::vector<sim::LoggedCommand>& items) {
                for (auto it = items.rbegin(); it != items.rend(); ++it) {
                    if (it->kind == sim::LoggedCommand::Kind::kLines) {
                        return it->text.find(state) != std::string::npos;
                    }
                }
                return false;
            },
            kPatienceMs);
    }

    std::unique_ptr<sim::GnssSimulator> m_board;
    HANDLE m_port = INVALID_HANDLE_VALUE;
};

TEST_F(ReceiverBoardTest, TalksOnlyWhilePowered) {
    Power(FALSE);
    ASSERT_TRUE(BoardSees("POWER=0")) << "the board never saw its power go";
    EXPECT_EQ(Listen(300), "");
    Power(TRUE);
    EXPECT_NE(Listen(kPatienceMs).find("$GP"), std::string::npos);
    Power(FALSE);
    ASSERT_TRUE(BoardSees("POWER=0")) << "the board never saw its power go";
    EXPECT_EQ(Listen(300), "");
    // Nor does it hear anything while off: what is written then never
    // reaches it, while a line written once it is back on does, after
    // anything written before.
    m_board->Log().Clear();
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(m_port, "$JOFF\r\n", 7, &written, nullptr));
    Power(TRUE);
    ASSERT_TRUE(WriteFile(m_port, "$JASC\r\n", 7, &written, nullptr));
    ASSERT_TRUE(m_board->Log().WaitFor(
        [](const std::vector<sim::LoggedCommand>& items) {
            return std::any_of(items.begin(), items.end(), [](const sim::LoggedCommand& c) {
                return c.kind == sim::LoggedCommand::Kind::kText;
            });
        },
        kPatienceMs))
        << "the board never heard the line written while on";
    EXPECT_EQ(m_board->Log().TextLines(), std::vector<std::string>{"$JASC"});
}

}  // namespace
}  // namespace quorvel::testing
