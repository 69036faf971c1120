// The emulated OEM resource interface: its table, its status words and the
// requests it refuses.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/device/KernelIoControl.h"
#include "platform/files/DevicePath.h"
#include "platform/serial/LineState.h"
#include "platform/testing/TempDeviceRoot.h"

namespace quorvel {
namespace {

class KernelIoControlTest : public testing::DeviceRootTest {
  protected:
    void SetUp() override {
        DeviceRootTest::SetUp();
        ResetDeviceEmulation();
    }
    void TearDown() override {
        ResetDeviceEmulation();
        DeviceRootTest::TearDown();
    }

    // {handle, status} of a claim (1) or release (0).
    std::pair<DWORD, DWORD> Claim(DWORD op, DWORD entry, DWORD handle, DWORD slot) {
        DWORD in[104] = {op, entry, handle, 1, slot};
        DWORD out[2] = {0, 1};
        DWORD returned = 0;
        EXPECT_TRUE(
            KernelIoControl(kIoctlResourceClaim, in, sizeof in, out, sizeof out, &returned));
        EXPECT_EQ(returned, 8u);
        return {out[0], out[1]};
    }

    DWORD Switch(DWORD slot, DWORD entry, DWORD handle, DWORD on) {
        DWORD in[4] = {slot, entry, handle, on};
        DWORD status = 1;
        DWORD returned = 0;
        EXPECT_TRUE(KernelIoControl(kIoctlResourceSwitch, in, sizeof in, &status, sizeof status,
                                    &returned));
        return status;
    }
};

TEST_F(KernelIoControlTest, WithoutConfigurationTheOemInterfaceIsThere) {
    EXPECT_EQ(CurrentDeviceProfile(), DeviceProfile::kOemInterface);
    DWORD counts[2] = {};
    DWORD returned = 0;
    ASSERT_TRUE(KernelIoControl(kIoctlResourceCount, nullptr, 0, counts, sizeof counts, &returned));
    EXPECT_NE(counts[0], 0u);
    EXPECT_EQ(counts[1], 4u);
    DWORD entry[2] = {};
    for (DWORD i = 0; i < counts[1]; ++i) {
        ASSERT_TRUE(
            KernelIoControl(kIoctlResourceEntry, &i, sizeof i, entry, sizeof entry, &returned));
    }
    EXPECT_EQ(entry[0], 0u);  // the last entry has type 0 but is absent
    EXPECT_EQ(entry[1], 0u);
    DWORD beyond = counts[1];
    EXPECT_FALSE(KernelIoControl(kIoctlResourceEntry, &beyond, sizeof beyond, entry, sizeof entry,
                                 &returned));
}

TEST_F(KernelIoControlTest, StatusWordsOfClaimsAndSwitches) {
    EXPECT_EQ(Claim(1, 0, 0, 70).second, 1u);  // not the power entry
    EXPECT_EQ(Claim(1, 1, 0, 68).second, 3u);  // no such slot
    EXPECT_EQ(Claim(0, 1, 5, 70).second, 7u);  // release without a claim
    const auto [handle, status] = Claim(1, 1, 0, 70);
    ASSERT_EQ(status, 0u);
    EXPECT_NE(handle, 0u);
    EXPECT_EQ(Claim(1, 1, 0, 70).second, 8u);     // already claimed
    EXPECT_EQ(Switch(70, 1, handle + 1, 0), 7u);  // not the holder
    EXPECT_EQ(Switch(68, 1, handle, 0), 3u);
    EXPECT_EQ(Switch(70, 1, handle, 0), 0u);
    EXPECT_FALSE(IsPeripheralPowered(70));
    EXPECT_FALSE(IsSerialPortPowered(5));
    EXPECT_EQ(Claim(0, 1, handle + 1, 70).second, 7u);
    EXPECT_EQ(Claim(0, 1, handle, 70), std::make_pair(DWORD{0}, DWORD{0}));
    // The power outlives the claim.
    EXPECT_FALSE(IsPeripheralPowered(70));
    ResetDeviceEmulation();
    EXPECT_TRUE(IsSerialPortPowered(5));
}

TEST_F(KernelIoControlTest, ShortBuffersAndUnknownCodesFail) {
    DWORD small[1] = {};
    DWORD returned = 7;
    EXPECT_FALSE(KernelIoControl(kIoctlResourceCount, nullptr, 0, small, sizeof small, &returned));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(returned, 0u);
    DWORD in[4] = {70, 1, 0, 1};
    EXPECT_FALSE(KernelIoControl(kIoctlResourceClaim, in, sizeof in, small, 8, &returned));
    EXPECT_FALSE(KernelIoControl(kIoctlResourceSwitch, in, 12, small, sizeof small, &returned));
    EXPECT_FALSE(KernelIoControl(0x12345678, nullptr, 0, nullptr, 0, &returned));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
}

TEST_F(KernelIoControlTest, ProfilesFromTheDeviceRoot) {
    DWORD counts[2] = {};
    BYTE name[200] = {};
    DWORD returned = 0;
    std::ofstream(m_root + "/device.conf") << "profile=name\n";
    ResetDeviceEmulation();
    EXPECT_EQ(CurrentDeviceProfile(), DeviceProfile::kPlatformNameOnly);
    EXPECT_FALSE(
        KernelIoControl(kIoctlResourceCount, nullptr, 0, counts, sizeof counts, &returned));
    EXPECT_TRUE(KernelIoControl(kIoctlPlatformName, nullptr, 0, name, sizeof name, &returned));
    std::ofstream(m_root + "/device.conf") << "# bare\n  profile =  none \n";
    ResetDeviceEmulation();
    EXPECT_EQ(CurrentDeviceProfile(), DeviceProfile::kNone);
    EXPECT_FALSE(KernelIoControl(kIoctlPlatformName, nullptr, 0, name, sizeof name, &returned));
    EXPECT_EQ(KernelIoControlCalls(), 1u);
}

}  // namespace
}  // namespace quorvel
