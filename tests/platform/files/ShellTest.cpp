// Shortcuts, store and memory figures.
#include <cwchar>
#include <string>

#include "platform/files/FileApi.h"
#include "platform/files/Shell.h"
#include "platform/testing/TempDeviceRoot.h"

namespace {

using quorvel::testing::DeviceRootTest;

class ShellTest : public DeviceRootTest {};

TEST_F(ShellTest, ShortcutsHoldTheirTargetInTheDeviceForm) {
    ASSERT_TRUE(CreateDirectory(L"\\windows", nullptr));
    ASSERT_TRUE(CreateDirectory(L"\\windows\\桌面", nullptr));
    wchar_t path[] = L"\\windows\\桌面\\Quorvel1.0.lnk";
    wchar_t target[] = L"\"Flash Disk\\Quorvel\\Quorvel1.1.exe\"";
    ASSERT_TRUE(SHCreateShortcut(path, target));
    EXPECT_EQ(ReadHost("windows/桌面/Quorvel1.0.lnk"),
              "35#\"Flash Disk\\Quorvel\\Quorvel1.1.exe\"");
    EXPECT_NE(GetFileAttributes(L"\\WINDOWS\\桌面\\quorvel1.0.LNK"), INVALID_FILE_ATTRIBUTES);

    wchar_t chinese[] = L"测试";
    ASSERT_TRUE(SHCreateShortcut(path, chinese));  // replaces the first
    EXPECT_EQ(ReadHost("windows/桌面/Quorvel1.0.lnk"), "2#\xb2\xe2\xca\xd4");

    wchar_t nowhere[] = L"\\windows\\程序\\x.lnk";
    EXPECT_FALSE(SHCreateShortcut(nowhere, target));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(SHCreateShortcut(nullptr, target));
    EXPECT_FALSE(SHCreateShortcut(path, nullptr));
}

TEST_F(ShellTest, StoreAndMemoryFiguresComeFromTheHost) {
    STORE_INFORMATION store{};
    ASSERT_TRUE(GetStoreInformation(&store));
    EXPECT_GT(store.dwStoreSize, 0u);
    EXPECT_LE(store.dwFreeSize, store.dwStoreSize);
    EXPECT_FALSE(GetStoreInformation(nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    MEMORYSTATUS memory{};
    GlobalMemoryStatus(&memory);
    EXPECT_EQ(memory.dwLength, sizeof(MEMORYSTATUS));
    EXPECT_GT(memory.dwTotalPhys, 0u);
    EXPECT_LE(memory.dwAvailPhys, memory.dwTotalPhys);
    EXPECT_LE(memory.dwMemoryLoad, 100u);
    GlobalMemoryStatus(nullptr);

    quorvel::SetDeviceRoot("");
    EXPECT_FALSE(GetStoreInformation(&store));
}

}  // namespace
