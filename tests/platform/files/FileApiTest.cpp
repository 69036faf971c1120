// Folders, listings, copies and renames through device paths.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/files/File.h"
#include "platform/files/FileApi.h"
#include "platform/testing/TempDeviceRoot.h"

namespace {

using quorvel::testing::DeviceRootTest;

class FileApiTest : public DeviceRootTest {};

// Every name a FindFirstFile/FindNextFile loop yields; ends on ERROR_NO_MORE_FILES.
std::vector<std::wstring> List(LPCTSTR pattern, DWORD* firstError = nullptr) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATA data;
    HANDLE find = FindFirstFile(pattern, &data);
    if (find == INVALID_HANDLE_VALUE) {
        if (firstError != nullptr) *firstError = GetLastError();
        return names;
    }
    do {
        names.push_back(data.cFileName);
    } while (FindNextFile(find, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(find));
    return names;
}

using Names = std::vector<std::wstring>;

TEST_F(FileApiTest, ListingsHideDotEntriesAndMatchPatternsIgnoringCase) {
    WriteHost("job/a.DAT", "12345");
    WriteHost("job/b.dat", "");
    WriteHost("job/README", "no dot");
    WriteHost("job/c.lib", "");
    WriteHost("job/data/x.txt", "");
    EXPECT_EQ(List(L"\\job\\*.*"), (Names{L"a.DAT", L"b.dat", L"c.lib", L"data", L"README"}));
    EXPECT_EQ(List(L"\\JOB\\*"), (Names{L"a.DAT", L"b.dat", L"c.lib", L"data", L"README"}));
    EXPECT_EQ(List(L"\\job\\*.dat"), (Names{L"a.DAT", L"b.dat"}));
    EXPECT_EQ(List(L"\\job\\?.LIB"), (Names{L"c.lib"}));
    EXPECT_EQ(List(L"\\job\\readme.*"), (Names{L"README"}));
    EXPECT_EQ(List(L"\\job\\A.dat"), (Names{L"a.DAT"}));  // a plain name finds that entry

    WIN32_FIND_DATA data;
    HANDLE find = FindFirstFile(L"\\job\\*.dat", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_EQ(data.nFileSizeHigh, 0u);
    EXPECT_EQ(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_GT(data.ftLastWriteTime.dwHighDateTime, 0x01D00000u);  // after 2014 in 1601-based time
    FindClose(find);
    find = FindFirstFile(L"\\job\\data", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
    FindClose(find);
}

TEST_F(FileApiTest, EmptyAndMissingListingsReportThePlatformErrors) {
    WriteHost("empty/.keep-out", "");
    std::filesystem::remove(Host("empty/.keep-out"));
    DWORD error = 0;
    EXPECT_TRUE(List(L"\\empty\\*.*", &error).empty());
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(List(L"\\missing\\*.*", &error).empty());
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(FindNextFile(INVALID_HANDLE_VALUE, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(FindClose(reinterpret_cast<HANDLE>(0x1234)));
}

TEST_F(FileApiTest, ChineseNamesAreCreatedFoundListedAndDeleted) {
    ASSERT_TRUE(CreateDirectory(L"\\Flash Disk", nullptr));
    ASSERT_TRUE(CreateDirectoryW(L"\\Flash Disk\\测试作业", nullptr));
    CFile file;
    ASSERT_TRUE(
        file.Open(L"\\Flash Disk\\测试作业\\点库.lib", CFile::modeCreate | CFile::modeWrite));
    EXPECT_TRUE(file.Write("P1,1,2,3\r\n", 10));
    file.Close();
    EXPECT_EQ(ReadHost("Flash Disk/测试作业/点库.lib"), "P1,1,2,3\r\n");

    EXPECT_EQ(GetFileAttributesW(L"\\FLASH DISK\\测试作业\\点库.LIB"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(List(L"\\flash disk\\*.*"), (Names{L"测试作业"}));
    EXPECT_EQ(List(L"\\Flash Disk\\测试作业\\*.LIB"), (Names{L"点库.lib"}));
    EXPECT_FALSE(RemoveDirectory(L"\\Flash Disk\\测试作业"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
    EXPECT_TRUE(DeleteFileW(L"\\flash disk\\测试作业\\点库.Lib"));
    EXPECT_TRUE(RemoveDirectoryW(L"\\FLASH DISK\\测试作业"));
    EXPECT_TRUE(List(L"\\Flash Disk\\*.*").empty());
}

TEST_F(FileApiTest, HostNamesThatAreNotUtf8CanStillBeListedAndDeleted) {
    WriteHost("odd/bad\xff\xfe name.dat", "x");
    WriteHost("odd/half\xe6\xb5.dat", "y");
    const Names names = List(L"\\odd\\*.dat");
    ASSERT_EQ(names.size(), 2u);
    for (const std::wstring& name : names) {
        const std::wstring path = L"\\odd\\" + name;
        EXPECT_NE(GetFileAttributes(path.c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_TRUE(DeleteFile(path.c_str()));
    }
    EXPECT_TRUE(List(L"\\odd\\*.*").empty());
    // Carried bytes never stand for ASCII: no separator can be smuggled in.
    const wchar_t sneaky[] = {L'\\', 0xDC2F, L'x', 0};
    EXPECT_EQ(GetFileAttributes(sneaky), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FileApiTest, FoldersFilesAndTheirErrors) {
    EXPECT_TRUE(CreateDirectory(L"\\Jobs", nullptr));
    EXPECT_FALSE(CreateDirectory(L"\\JOBS", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectory(L"\\Jobs\\a\\b", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    WriteHost("Jobs/file.txt", "x");
    EXPECT_FALSE(DeleteFile(L"\\Jobs"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(RemoveDirectory(L"\\Jobs\\file.txt"));
    EXPECT_FALSE(RemoveDirectory(L"\\"));
    EXPECT_FALSE(DeleteFile(L"\\Jobs\\none.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetFileAttributes(L"\\Jobs\\none.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    std::filesystem::permissions(Host("Jobs/file.txt"), std::filesystem::perms::owner_read);
    EXPECT_EQ(GetFileAttributes(L"\\jobs\\FILE.txt"), FILE_ATTRIBUTE_READONLY);
    WriteHost(".registry-like", "");
    EXPECT_EQ(GetFileAttributes(L"\\.registry-like"), FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(FileApiTest, CopyReplacesOnlyWhenAllowed) {
    WriteHost("windows/programs/ActiveSync/Direct.lnk", "22#\"\\windows\\repllog.exe\"");
    WriteHost("windows/桌面/Direct.lnk", "old");
    EXPECT_FALSE(CopyFile(L"\\windows\\programs\\ActiveSync\\Direct.lnk",
                          L"\\windows\\桌面\\Direct.lnk", TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_EQ(ReadHost("windows/桌面/Direct.lnk"), "old");
    EXPECT_TRUE(CopyFileW(L"\\windows\\programs\\activesync\\direct.lnk",
                          L"\\windows\\桌面\\DIRECT.LNK", FALSE));
    EXPECT_EQ(ReadHost("windows/桌面/Direct.lnk"), "22#\"\\windows\\repllog.exe\"");
    EXPECT_TRUE(CopyFile(L"\\windows\\桌面\\Direct.lnk", L"\\windows\\copy.lnk", TRUE));
    EXPECT_EQ(ReadHost("windows/copy.lnk"), ReadHost("windows/桌面/Direct.lnk"));

    EXPECT_FALSE(CopyFile(L"\\windows\\none.lnk", L"\\windows\\x.lnk", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(CopyFile(L"\\windows\\copy.lnk", L"\\windows\\programs", FALSE));
    EXPECT_FALSE(CopyFile(L"\\windows\\copy.lnk", L"\\nowhere\\x.lnk", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(CopyFile(L"\\windows\\copy.lnk", L"\\WINDOWS\\COPY.LNK", FALSE));
    EXPECT_EQ(ReadHost("windows/copy.lnk"), ReadHost("windows/桌面/Direct.lnk"));
}

TEST_F(FileApiTest, MoveRenamesButNeverOverwrites) {
    WriteHost("a/one.txt", "1");
    WriteHost("a/two.txt", "2");
    EXPECT_FALSE(MoveFile(L"\\a\\one.txt", L"\\A\\TWO.TXT"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(ReadHost("a/two.txt"), "2");
    EXPECT_TRUE(MoveFileW(L"\\a\\one.txt", L"\\a\\three.txt"));
    EXPECT_EQ(ReadHost("a/three.txt"), "1");
    EXPECT_FALSE(HostExists("a/one.txt"));
    EXPECT_TRUE(MoveFile(L"\\a\\three.txt", L"\\a\\THREE.txt"));  // letter case only
    EXPECT_EQ(List(L"\\a\\t*"), (Names{L"THREE.txt", L"two.txt"}));
    EXPECT_TRUE(MoveFile(L"\\a", L"\\b"));
    EXPECT_EQ(ReadHost("b/two.txt"), "2");
    EXPECT_FALSE(MoveFile(L"\\b", L"\\b\\inside"));
    EXPECT_FALSE(MoveFile(L"\\", L"\\c"));
}

}  // namespace
