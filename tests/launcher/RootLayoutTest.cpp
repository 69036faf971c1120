// A fresh handheld laid out in a temporary folder and read back through the
// device's own file, shortcut and registry functions.
#include "launcher/RootLayout.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/base/TextConv.h"
#include "platform/device/SoundWave.h"
#include "platform/files/DevicePath.h"
#include "platform/files/Registry.h"
#include "platform/testing/ChildProcess.h"

namespace quorvel::launcher {
namespace {

namespace fs = std::filesystem;

class LauncherRoot : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("quorvel-launcher-root-" + std::to_string(getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path m_dir;
};

TEST_F(LauncherRoot, OnlyAMissingOrEmptyFolderIsLaidOut) {
    EXPECT_TRUE(RootNeedsLayout((m_dir / "missing").string()));
    EXPECT_TRUE(RootNeedsLayout(m_dir.string()));
    std::ofstream(m_dir / "ports") << "COM1=/dev/null\n";
    EXPECT_FALSE(RootNeedsLayout(m_dir.string()));
    EXPECT_FALSE(RootNeedsLayout((m_dir / "ports").string()));  // a file is no root to lay out
}

TEST_F(LauncherRoot, AFreshHandheldHasItsFoldersShortcutsSoundAndBoardKey) {
    const fs::path root = m_dir / "device";
    std::string error;
    ASSERT_TRUE(LayOutFreshRoot(root.string(), &error)) << error;
    EXPECT_EQ(fs::path(GetDeviceRoot()), fs::absolute(root));
    for (const char* folder : {"Flash Disk", "Windows/桌面", "Windows/Programs/ActiveSync"})
        EXPECT_TRUE(fs::is_directory(root / folder)) << folder;
    const fs::path sync = root / "Windows/Programs/ActiveSync";
    EXPECT_EQ(quorvel::testing::ReadFile((sync / "Direct.lnk").string()),
              "21#\"\\Windows\\direct.exe\"");
    EXPECT_EQ(quorvel::testing::ReadFile((sync / "Obex 工具.lnk").string()),
              "19#\"\\Windows\\obex.exe\"");

    const std::string wav = quorvel::testing::ReadFile((root / "Windows/exclam.wav").string());
    EXPECT_EQ(std::vector<uint8_t>(wav.begin(), wav.end()), MakeExclamationWave());
    device::WaveInfo info;
    ASSERT_TRUE(device::ParseWave(reinterpret_cast<const uint8_t*>(wav.data()), wav.size(), &info));
    EXPECT_EQ(info.formatTag, 1);
    EXPECT_EQ(info.sampleRate, 8000u);
    EXPECT_EQ(info.durationMs, 180u);

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, L"Drivers\\PsionTeklogix\\Expansion Slot", 0,
                           KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD type = 0, value = 0, size = sizeof value;
    EXPECT_EQ(
        RegQueryValueEx(key, L"FFUART", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
        ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(value, 1u);
}

TEST_F(LauncherRoot, AFolderThatCannotBeMadeFailsWithTheReason) {
    std::ofstream(m_dir / "file") << "x";
    std::string error;
    EXPECT_FALSE(LayOutFreshRoot((m_dir / "file" / "device").string(), &error));
    EXPECT_NE(error.find("cannot make"), std::string::npos) << error;
}

}  // namespace
}  // namespace quorvel::launcher
