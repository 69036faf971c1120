// Device path resolution, driven through the file functions the program uses.
#include <cwchar>
#include <fstream>
#include <string>

#include "platform/files/File.h"
#include "platform/files/FileApi.h"
#include "platform/files/HostText.h"
#include "platform/testing/TempDeviceRoot.h"

namespace {

using quorvel::testing::DeviceRootTest;

class DevicePathTest : public DeviceRootTest {};

std::string Narrow(LPCTSTR path) {
    std::string out;
    quorvel::files::WideToUtf8(path, std::wcslen(path), out);
    return out;
}

std::string ReadAll(LPCTSTR path) {
    CFile file;
    if (!file.Open(path, CFile::modeRead)) return "<open failed>";
    std::string text(static_cast<size_t>(file.GetLength()), '\0');
    text.resize(file.Read(text.data(), static_cast<UINT>(text.size())));
    return text;
}

TEST_F(DevicePathTest, ComponentsAreFoundIgnoringCaseWithTheHostSpelling) {
    WriteHost("Flash Disk/Jobs/ruvo/ruvo.ini", "[Job]\r\n");
    EXPECT_EQ(ReadAll(L"\\FLASH DISK\\jobs\\RUVO\\ruvo.INI"), "[Job]\r\n");

    std::string host;
    ASSERT_TRUE(quorvel::ResolveDevicePath(L"\\flash disk\\JOBS\\Ruvo\\RUVO.ini", host, false));
    EXPECT_EQ(host, Host("Flash Disk/Jobs/ruvo/ruvo.ini"));

    // A new entry keeps the spelling given, inside the existing folders.
    CFile file;
    ASSERT_TRUE(
        file.Open(L"\\FLASH DISK\\JOBS\\ruvo\\New.RTK", CFile::modeCreate | CFile::modeWrite));
    file.Close();
    EXPECT_TRUE(HostExists("Flash Disk/Jobs/ruvo/New.RTK"));
    EXPECT_EQ(GetFileAttributes(L"\\Flash Disk\\Jobs\\ruvo\\new.rtk"), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(DevicePathTest, AnExactSpellingWinsOverAnotherCase) {
    WriteHost("dir/Name.txt", "mixed");
    WriteHost("dir/name.txt", "lower");
    EXPECT_EQ(ReadAll(L"\\dir\\name.txt"), "lower");
    EXPECT_EQ(ReadAll(L"\\dir\\Name.txt"), "mixed");
    const std::string either = ReadAll(L"\\dir\\NAME.TXT");
    EXPECT_EQ(either, ReadAll(L"\\DIR\\NaMe.TxT"));  // always the same one
}

TEST_F(DevicePathTest, DoubledAndForwardSeparatorsAndDotsResolveAlike) {
    WriteHost("Flash Disk/Jobs/ruvo/a.txt", "A");
    for (LPCTSTR path :
         {L"\\Flash Disk\\Jobs\\\\ruvo\\a.txt", L"\\\\Flash Disk\\Jobs\\ruvo\\\\a.txt",
          L"/Flash Disk/Jobs/ruvo/a.txt", L"\\Flash Disk\\.\\Jobs\\ruvo\\.\\a.txt",
          L"\\Flash Disk\\Jobs\\other\\..\\ruvo\\a.txt", L"Flash Disk\\Jobs\\ruvo\\a.txt"}) {
        EXPECT_EQ(ReadAll(path), "A") << Narrow(path);
    }
    EXPECT_EQ(GetFileAttributes(L"\\Flash Disk\\Jobs\\\\ruvo\\"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributes(L"\\"), FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(DevicePathTest, LeavingTheRootIsRefusedNotClamped) {
    // A file just outside the root, and one of the same name inside it.
    std::ofstream(m_base + "/passwd") << "outside";
    WriteHost("passwd", "inside");
    WriteHost("Flash Disk/x", "");
    for (LPCTSTR path : {L"\\Flash Disk\\..\\..\\passwd", L"\\..\\passwd", L"..\\passwd",
                         L"\\Flash Disk\\..\\Flash Disk\\..\\..\\root\\passwd", L"/../passwd"}) {
        SetLastError(0);
        EXPECT_EQ(GetFileAttributes(path), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
        CFile file;
        CFileException error;
        EXPECT_FALSE(file.Open(path, CFile::modeCreate | CFile::modeWrite, &error));
        EXPECT_EQ(error.m_cause, CFileException::badPath);
        EXPECT_FALSE(CreateDirectory(path, nullptr));
    }
    std::string host;
    EXPECT_FALSE(quorvel::ResolveDevicePath(L"\\Flash Disk\\..\\..\\etc\\passwd", host, true));
    std::ifstream outside(m_base + "/passwd");
    std::string text;
    outside >> text;
    EXPECT_EQ(text, "outside");
    // Going up inside the root is fine.
    EXPECT_EQ(ReadAll(L"\\Flash Disk\\..\\passwd"), "inside");
}

TEST_F(DevicePathTest, MissingFoldersAndNamesTheDeviceRefuses) {
    std::string host;
    SetLastError(0);
    EXPECT_FALSE(quorvel::ResolveDevicePath(L"\\nowhere\\file.txt", host, true));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(quorvel::ResolveDevicePath(L"\\missing.txt", host, false));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(quorvel::ResolveDevicePath(L"\\missing.txt", host, true));

    // A file used as a folder.
    WriteHost("plain", "x");
    EXPECT_FALSE(quorvel::ResolveDevicePath(L"\\plain\\inner.txt", host, true));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    for (LPCTSTR bad :
         {L"\\a*b.txt", L"\\what?.txt", L"\\x\"y", L"\\pipe|name", L"\\tab\there", L"\\COM1:"}) {
        SetLastError(0);
        EXPECT_FALSE(quorvel::ResolveDevicePath(bad, host, true));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
    }
}

TEST_F(DevicePathTest, NothingResolvesBeforeARootIsSet) {
    quorvel::SetDeviceRoot("");
    std::string host;
    EXPECT_FALSE(quorvel::ResolveDevicePath(L"\\", host, false));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(GetFileAttributes(L"\\"), INVALID_FILE_ATTRIBUTES);

    // A root that does not exist on the host: its paths are missing paths.
    quorvel::SetDeviceRoot(m_base + "/absent");
    EXPECT_FALSE(CreateDirectory(L"\\Jobs", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

}  // namespace
