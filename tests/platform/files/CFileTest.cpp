// CFile in the open modes the program uses.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/files/File.h"
#include "platform/files/FileApi.h"
#include "platform/testing/TempDeviceRoot.h"

namespace {

using quorvel::testing::DeviceRootTest;

class CFileTest : public DeviceRootTest {
  protected:
    static bool WriteText(LPCTSTR path, UINT flags, const std::string& text, bool toEnd = false) {
        CFile file;
        if (!file.Open(path, flags)) return false;
        if (toEnd) file.SeekToEnd();
        (void)file.Write(text.data(), static_cast<UINT>(text.size()));  // kept in HasWriteError
        file.Close();
        return !file.HasWriteError();
    }
    // The whole file in one read sized by GetLength, as every reader does.
    static std::string ReadWhole(LPCTSTR path) {
        CFile file;
        if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone)) return "<open failed>";
        std::string text(static_cast<size_t>(file.GetLength()), '\0');
        const UINT got = file.Read(text.data(), static_cast<UINT>(text.size()));
        EXPECT_EQ(got, text.size());
        EXPECT_EQ(file.Read(text.data(), 1), 0u);  // at the end
        return text;
    }
};

constexpr UINT kCreate = CFile::modeCreate | CFile::modeWrite;
constexpr UINT kKeep = CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite;

TEST_F(CFileTest, TruncateKeepAndAppendModes) {
    const LPCTSTR path = L"\\Jobs\\ruvo.RTK";
    ASSERT_TRUE(CreateDirectory(L"\\Jobs", nullptr));

    ASSERT_TRUE(WriteText(path, kCreate | CFile::typeBinary, "first line\r\n"));
    EXPECT_EQ(ReadWhole(path), "first line\r\n");

    // Create without truncating, append: the old text stays in front.
    ASSERT_TRUE(WriteText(path, kKeep, "second\r\n", true));
    EXPECT_EQ(ReadWhole(L"\\jobs\\RUVO.rtk"), "first line\r\nsecond\r\n");

    // Create without truncating and no seek: written over the start, the old
    // tail stays (the program's result files rely on the device doing this).
    ASSERT_TRUE(WriteText(path, kKeep, "XY"));
    EXPECT_EQ(ReadWhole(path), "XYrst line\r\nsecond\r\n");

    // Create and truncate: only the new text.
    ASSERT_TRUE(WriteText(path, kCreate, "new"));
    EXPECT_EQ(ReadWhole(path), "new");

    // No-truncate on a missing file creates it; an empty open keeps it empty.
    ASSERT_TRUE(WriteText(L"\\Jobs\\made.txt", kKeep, "", true));
    EXPECT_EQ(GetFileAttributes(L"\\Jobs\\made.txt"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadWhole(L"\\Jobs\\made.txt"), "");
}

TEST_F(CFileTest, SeekPositionAndLength) {
    WriteHost("f.bin", "0123456789");
    CFile file;
    ASSERT_TRUE(file.Open(L"\\f.bin", CFile::modeReadWrite));
    EXPECT_EQ(file.GetLength(), 10u);
    EXPECT_EQ(file.Seek(4, CFile::begin), 4u);
    char c = 0;
    EXPECT_EQ(file.Read(&c, 1), 1u);
    EXPECT_EQ(c, '4');
    EXPECT_EQ(file.Seek(2, CFile::current), 7u);
    EXPECT_EQ(file.Seek(-1, CFile::end), 9u);
    EXPECT_EQ(file.Seek(-20, CFile::current), static_cast<ULONGLONG>(-1));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
    EXPECT_EQ(file.GetPosition(), 9u);  // unchanged by the refused seek
    EXPECT_EQ(file.SeekToEnd(), 10u);
    EXPECT_TRUE(file.Write("AB", 2));
    file.SeekToBegin();
    EXPECT_EQ(file.GetPosition(), 0u);
    EXPECT_EQ(file.GetLength(), 12u);
    EXPECT_TRUE(file.GetFilePath() == L"\\f.bin");
}

TEST_F(CFileTest, OpenFailuresAreReturnedWithTheirCause) {
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(L"\\none.txt", CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);

    EXPECT_FALSE(file.Open(L"\\no\\such\\folder.txt", kCreate, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    ASSERT_TRUE(CreateDirectory(L"\\dir", nullptr));
    EXPECT_FALSE(file.Open(L"\\DIR", CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);
    EXPECT_FALSE(file.Open(L"\\dir", kCreate, &error));

    // A pipe in the root must fail at once, not wait for a writer.
    ASSERT_EQ(::mkfifo(Host("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(file.Open(L"\\pipe", CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);

    WriteHost("ro.txt", "keep");
    std::filesystem::permissions(Host("ro.txt"), std::filesystem::perms::owner_read);
    if (::geteuid() != 0) {
        EXPECT_FALSE(file.Open(L"\\ro.txt", kCreate, &error));
        EXPECT_EQ(error.m_cause, CFileException::accessDenied);
        EXPECT_EQ(ReadHost("ro.txt"), "keep");
    }
}

TEST_F(CFileTest, FailedWritesAreSeenAndClosedFilesRefuseWork) {
    WriteHost("r.txt", "data");
    CFile file;
    ASSERT_TRUE(file.Open(L"\\r.txt", CFile::modeRead));
    EXPECT_FALSE(file.HasWriteError());
    EXPECT_FALSE(file.Write("x", 1));  // opened for reading only
    EXPECT_TRUE(file.HasWriteError());
    file.Close();
    EXPECT_EQ(ReadHost("r.txt"), "data");
    EXPECT_TRUE(file.HasWriteError());  // still visible after Close
    ASSERT_TRUE(file.Open(L"\\r.txt", CFile::modeRead));
    EXPECT_FALSE(file.HasWriteError());  // a new Open starts clean
    file.Abort();

    char buffer[4];
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(file.Write("x", 1));
    EXPECT_EQ(file.GetLength(), 0u);
    EXPECT_EQ(file.Seek(0, CFile::end), static_cast<ULONGLONG>(-1));
    file.Flush();
    file.Close();
    file.Close();
}

TEST_F(CFileTest, DestructionClosesAndReopeningClosesTheFirstFile) {
    {
        CFile file;
        ASSERT_TRUE(file.Open(L"\\a.txt", kCreate));
        EXPECT_TRUE(file.Write("a", 1));
        ASSERT_TRUE(file.Open(L"\\b.txt", kCreate));  // a.txt is closed here
        EXPECT_TRUE(file.Write("b", 1));
    }
    EXPECT_EQ(ReadHost("a.txt"), "a");
    EXPECT_EQ(ReadHost("b.txt"), "b");
    EXPECT_TRUE(DeleteFile(L"\\a.txt"));
}

}  // namespace
