// Hostile and careless input: every failure is a return value, nothing
// crashes, hangs, or touches anything outside the device root.
#include <filesystem>
#include <random>
#include <string>

#include "platform/files/AtomicFile.h"
#include "platform/files/File.h"
#include "platform/files/FileApi.h"
#include "platform/files/Registry.h"
#include "platform/testing/TempDeviceRoot.h"

namespace {

using quorvel::testing::DeviceRootTest;

class BadInputTest : public DeviceRootTest {};

#define EXPECT_ERROR(call, error)                                      \
    do {                                                               \
        SetLastError(0);                                               \
        EXPECT_FALSE(call);                                            \
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(error)) << #call; \
    } while (0)

TEST_F(BadInputTest, NullAndEmptyPathsFailWithAnError) {
    WriteHost("f.txt", "x");
    WIN32_FIND_DATA data;
    std::string host;
    CFile file;
    for (const auto& [path, error] : {std::pair<LPCTSTR, DWORD>{nullptr, ERROR_INVALID_PARAMETER},
                                      std::pair<LPCTSTR, DWORD>{L"", ERROR_PATH_NOT_FOUND}}) {
        EXPECT_EQ(GetFileAttributes(path), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(GetLastError(), error);
        EXPECT_ERROR(CreateDirectory(path, nullptr), error);
        EXPECT_ERROR(RemoveDirectory(path), error);
        EXPECT_ERROR(DeleteFile(path), error);
        EXPECT_ERROR(CopyFile(path, L"\\g.txt", FALSE), error);
        EXPECT_ERROR(CopyFile(L"\\f.txt", path, FALSE), error);
        EXPECT_ERROR(MoveFile(path, L"\\g.txt"), error);
        EXPECT_ERROR(MoveFile(L"\\f.txt", path), error);
        EXPECT_EQ(FindFirstFile(path, &data), INVALID_HANDLE_VALUE);
        EXPECT_ERROR(file.Open(path, CFile::modeCreate | CFile::modeWrite), error);
        EXPECT_ERROR(quorvel::WriteFileAtomic(path, "x", 1), error);
        EXPECT_ERROR(quorvel::ResolveDevicePath(path, host, true), error);
        quorvel::CAtomicFileWriter writer;
        EXPECT_ERROR(writer.Open(path), error);
    }
    EXPECT_EQ(FindFirstFile(L"\\*.*", nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(ReadHost("f.txt"), "x");
}

TEST_F(BadInputTest, OverlongPathsAndNamesAreRefused) {
    const std::wstring huge = L"\\" + std::wstring(100000, L'a');
    EXPECT_EQ(GetFileAttributes(huge.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_ERROR(CreateDirectory(huge.c_str(), nullptr), ERROR_FILENAME_EXCED_RANGE);
    // Short enough for the device, too long for one host name in UTF-8.
    const std::wstring wide = L"\\" + std::wstring(200, L'点');
    EXPECT_ERROR(CreateDirectory(wide.c_str(), nullptr), ERROR_FILENAME_EXCED_RANGE);
    CFile file;
    EXPECT_FALSE(file.Open(wide.c_str(), CFile::modeCreate | CFile::modeWrite));
    EXPECT_ERROR(quorvel::WriteFileAtomic(wide.c_str(), "x", 1), ERROR_FILENAME_EXCED_RANGE);
    WIN32_FIND_DATA data;
    EXPECT_EQ(FindFirstFile((wide + L"\\*.*").c_str(), &data), INVALID_HANDLE_VALUE);
    // Within the device's limit, but one component too long for the host.
    const std::wstring longest = L"\\" + std::wstring(MAX_PATH - 2, L'b');
    EXPECT_ERROR(CreateDirectory(longest.c_str(), nullptr), ERROR_FILENAME_EXCED_RANGE);
    const std::wstring fits = L"\\" + std::wstring(200, L'b');
    EXPECT_TRUE(CreateDirectory(fits.c_str(), nullptr));
}

TEST_F(BadInputTest, RandomPathsNeverReachOutsideTheRoot) {
    WriteHost("Flash Disk/Jobs/a.dat", "x");
    const wchar_t alphabet[] = {L'\\',    L'/', L'.',    L'.',  L'a',   L'B',   L'*',
                                L'?',     L':', L' ',    L'点', 0xDC80, 0xDC2F, 0xD800,
                                0x110000, L'F', L'\x01', L'\\', L'.'};
    std::mt19937 random(7);
    WIN32_FIND_DATA data;
    for (int i = 0; i < 3000; ++i) {
        std::wstring path;
        const size_t length = random() % 24;
        for (size_t k = 0; k < length; ++k) path += alphabet[random() % std::size(alphabet)];
        GetFileAttributes(path.c_str());
        (void)CreateDirectory(path.c_str(), nullptr);  // any answer will do, no crash
        HANDLE find = FindFirstFile(path.c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) FindClose(find);
        (void)quorvel::WriteFileAtomic((path + L"x").c_str(), "y", 1);
    }
    // Nothing was made beside the root.
    size_t outside = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_base)) {
        ++outside;
    }
    EXPECT_EQ(outside, 1u);
}

TEST_F(BadInputTest, RegistryCallsWithBadArguments) {
    HKEY key = nullptr;
    const HKEY bogus = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0xBAD0));
    EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, L"K", 0, nullptr, 0, 0, nullptr, nullptr, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, L"K", 0, 0, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegOpenKeyEx(bogus, L"K", 0, 0, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCreateKeyEx(nullptr, L"K", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegSetValueEx(bogus, L"v", 0, REG_SZ, nullptr, 0), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(bogus), ERROR_INVALID_HANDLE);
    const std::wstring tooLong(300, L'k');
    EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, tooLong.c_str(), 0, nullptr, 0, 0, nullptr, &key,
                             nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, L"a\nb", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_INVALID_PARAMETER);

    ASSERT_EQ(
        RegCreateKeyEx(HKEY_LOCAL_MACHINE, L"\\K\\\\L\\", 0, nullptr, 0, 0, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueEx(key, L"v", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueEx(key, L"v", nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
    const DWORD value = 3;
    ASSERT_EQ(RegSetValueEx(key, L"v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4),
              ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueEx(key, L"v", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    RegCloseKey(key);
    HKEY same = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, L"k\\l", 0, 0, &same), ERROR_SUCCESS);
    RegCloseKey(same);

    // Keys nest 512 levels deep and no deeper, however the path is given.
    std::wstring deepest;
    for (int level = 0; level < 512; ++level) deepest += L"d\\";
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, deepest.c_str(), 0, nullptr, 0, 0, nullptr, &key,
                             nullptr),
              ERROR_SUCCESS);
    HKEY deeper = nullptr;
    EXPECT_EQ(RegCreateKeyEx(key, L"e", 0, nullptr, 0, 0, nullptr, &deeper, nullptr),
              ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
    std::wstring huge;
    for (int level = 0; level < 100000; ++level) huge += L"h\\";
    EXPECT_EQ(
        RegCreateKeyEx(HKEY_CURRENT_USER, huge.c_str(), 0, nullptr, 0, 0, nullptr, &key, nullptr),
        ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, huge.c_str(), 0, 0, &key), ERROR_FILE_NOT_FOUND);
    quorvel::ResetRegistryForTests();  // the deepest key reads back from the file
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, deepest.c_str(), 0, 0, &key), ERROR_SUCCESS);
    RegCloseKey(key);

    quorvel::SetDeviceRoot("");
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, L"K", 0, 0, &key), ERROR_PATH_NOT_FOUND);
}

TEST_F(BadInputTest, MangledRegistryFilesNeverCrashTheLoader) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, L"Drivers\\Slot", 0, nullptr, 0, 0, nullptr, &key,
                             nullptr),
              ERROR_SUCCESS);
    const std::wstring text = L"text \"quoted\" \\ 点";
    ASSERT_EQ(RegSetValueEx(key, L"s", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(WCHAR))),
              ERROR_SUCCESS);
    const BYTE bytes[] = {1, 2, 3};
    ASSERT_EQ(RegSetValueEx(key, L"b", 0, REG_BINARY, bytes, 3), ERROR_SUCCESS);
    RegCloseKey(key);
    const std::string good = ReadHost(".registry");
    std::mt19937 random(99);
    for (int i = 0; i < 300; ++i) {
        std::string mangled = good;
        for (int edits = 1 + random() % 4; edits > 0; --edits) {
            const size_t at = random() % mangled.size();
            mangled[at] = static_cast<char>(random() % 256);
        }
        WriteHost(".registry", mangled);
        quorvel::ResetRegistryForTests();
        if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, L"Drivers\\Slot", 0, 0, &key) == ERROR_SUCCESS) {
            DWORD size = 0;
            RegQueryValueEx(key, L"s", nullptr, nullptr, nullptr, &size);
            RegCloseKey(key);
        }
    }
}

}  // namespace
