// CIniFile against files it did not write, failed writes and interrupted
// writers.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <random>

#include "app/settings/DefaultRecords.h"
#include "app/settings/IniFile.h"
#include "app/settings/KeyValueFile.h"
#include "platform/files/FileApi.h"
#include "tests/app/SettingsTestRoot.h"
#include "tests/app/settings/SettingsRecords.h"

namespace {

const wchar_t kJobDir[] = L"\\Flash Disk\\Jobs\\ruvo\\";
const wchar_t kIniPath[] = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini";

class IniRobustnessTest : public SettingsTest {
  protected:
    void SetUp() override {
        SettingsTest::SetUp();
        ASSERT_TRUE(CreateDirectory(L"\\Flash Disk\\Jobs", nullptr));
        ASSERT_TRUE(CreateDirectory(L"\\Flash Disk\\Jobs\\ruvo", nullptr));
    }
    // Reads `bytes` as the job's .ini into a record of distinct values.
    SystemParams ReadIniBytes(const std::string& bytes) {
        WriteDeviceFile(kIniPath, bytes);
        SystemParams params = Before();
        EXPECT_TRUE(m_ini.ReadSystemParams(kJobDir, L"ruvo.ini", &params));
        return params;
    }
    static SystemParams Before() { return DistinctSystemParams(0); }
    CIniFile m_ini;
};

std::string RandomBytes(size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(n, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

TEST_F(IniRobustnessTest, FilesWithoutTheSectionGiveTheFallbacks) {
    const SystemParams expected = WithIniFallbacks(Before());
    ExpectSameRecord(expected, ReadIniBytes(""));
    ExpectSameRecord(expected, ReadIniBytes("Port=3\r\nnTimeZone=2\r\n"));  // no "["
    ExpectSameRecord(expected, ReadIniBytes(RandomBytes(64 * 1024, 1)));
    ExpectSameRecord(expected, ReadIniBytes(std::string(5000, '\0') + "[System Par]"));
    // "[" and "]" inside the name split it into other sections.
    ExpectSameRecord(expected, ReadIniBytes("[System [Par]]\r\nnTimeZone=3\r\n"));
    ExpectSameRecord(expected, ReadIniBytes("[[[[]]]]\r\n]]][System Par\r\nnTimeZone=3\r\n"));
}

TEST_F(IniRobustnessTest, LineEndsOtherThanCrLf) {
    SystemParams expected = WithIniFallbacks(Before());
    expected.nTimeZone = 3;
    ExpectSameRecord(expected, ReadIniBytes("[System Par]\r\nnTimeZone=3"));  // no line end
    expected.szSFName = L"AB";
    ExpectSameRecord(expected, ReadIniBytes("[System Par]\nnTimeZone=3\nszSFName=AB\n"));
    // Without LF the section is one line whose key is not a key.
    ExpectSameRecord(WithIniFallbacks(Before()),
                     ReadIniBytes("[System Par]\rnTimeZone=3\rszSFName=AB\r"));
}

TEST_F(IniRobustnessTest, RepeatedKeysBadNumbersAndBracketsInValues) {
    SystemParams expected = WithIniFallbacks(Before());
    expected.nTimeZone = 3;
    expected.dCollectTime = 0.0;
    expected.nFixLevel = 0;
    expected.szdRoverAntH = -1.5;
    ExpectSameRecord(expected, ReadIniBytes("[System Par]\r\nnTimeZone=3\r\nnTimeZone=4\r\n"
                                            "dCollectTime=fast\r\nnFixLevel=\r\n"
                                            "szdRoverAntH=-1.5m\r\n"));
    // A "[" in a value ends the section there.
    expected = WithIniFallbacks(Before());
    expected.szSFName = L"A";
    ExpectSameRecord(expected, ReadIniBytes("[System Par]\r\nszSFName=A[B]C\r\nnTimeZone=3\r\n"));
}

TEST_F(IniRobustnessTest, ATenMegabyteFileIsReadToItsEnd) {
    std::string bytes = "title\r\n\r\n[System Par]\r\n";
    std::string filler(999, 'x');
    while (bytes.size() < 10 * 1024 * 1024) bytes += filler + "\r\n";
    bytes += "nTimeZone=3\r\nszSFName=" + std::string(100000, 'N') + "\r\n";
    SystemParams params = ReadIniBytes(bytes);
    EXPECT_EQ(params.nTimeZone, 3);
    EXPECT_EQ(params.szSFName.GetLength(), 100000);
    EXPECT_EQ(params.nInputCom, 7);
}

TEST_F(IniRobustnessTest, ReadersOfFilesThatCannotBeLoadedSayWhichAndKeepTheRecord) {
    m_boxes.Expect(L"Read Sys file failed!", IDOK);
    m_boxes.Expect(L"Read Status Par file failed!", IDOK);
    m_boxes.Expect(L"Read Par file failed!", IDOK);
    m_boxes.Expect(L"Read Status Par file failed!", IDOK);
    m_boxes.Expect(L"Read Par file failed!", IDOK);

    CSystemFileRecord job = DistinctSystemFile(0);
    EXPECT_FALSE(m_ini.ReadSystemFile(L"\\Flash Disk\\", L"esystem.sys", &job));
    ExpectSameRecord(DistinctSystemFile(0), job);
    SystemParams params = Before();
    EXPECT_FALSE(m_ini.ReadSystemParams(kJobDir, L"ruvo.ini", &params));
    CoordSysParams coord = DistinctCoordParams(0);
    EXPECT_FALSE(m_ini.ReadCoordParams(kJobDir, L"ruvo.par", &coord));
    ExpectSameRecord(DistinctCoordParams(0), coord);
    // A folder where the file should be, and an empty path.
    EXPECT_FALSE(m_ini.ReadSystemParams(L"\\Flash Disk\\Jobs\\", L"ruvo", &params));
    ExpectSameRecord(Before(), params);
    EXPECT_FALSE(m_ini.ReadCoordParams(L"", L"", &coord));

    ASSERT_EQ(m_boxes.Count(), 5);
    for (const quorvel::MessageBoxRequest& box : m_boxes.Requests()) {
        EXPECT_EQ(box.type, MB_OK);
    }
    EXPECT_EQ(m_boxes.Requests()[0].text, L"Read Sys file failed!");
}

TEST_F(IniRobustnessTest, FailedWritesReturnFalseAndLeaveFoldersAsTheyWere) {
    SystemParams params;
    FillDefaultIniRecord(params);
    EXPECT_FALSE(m_ini.WriteSystemParams(L"\\Flash Disk\\Jobs\\none\\", L"none.ini", params));
    EXPECT_EQ(GetFileAttributes(L"\\Flash Disk\\Jobs\\none"), INVALID_FILE_ATTRIBUTES);

    ASSERT_TRUE(CreateDirectory(kIniPath, nullptr));
    WriteDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini\\inside.txt", "kept");
    EXPECT_FALSE(m_ini.WriteSystemParams(kJobDir, L"ruvo.ini", params));
    CoordSysParams coord;
    EXPECT_FALSE(m_ini.WriteCoordParams(kJobDir, L"ruvo.ini", coord));
    EXPECT_FALSE(m_ini.WriteSystemFile(kJobDir, L"ruvo.ini", CSystemFileRecord()));
    EXPECT_EQ(ReadDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini\\inside.txt"), "kept");
    EXPECT_EQ(CountHostEntries(kJobDir), 1);  // no temporary left behind
}

// In a child whose files may not grow past 200 bytes, every whole-file write
// fails part-way; the files written before stay as they were.
TEST_F(IniRobustnessTest, AWriteThatFailsPartWayKeepsThePreviousFile) {
    SystemParams oldParams;
    FillDefaultIniRecord(oldParams);
    ASSERT_TRUE(m_ini.WriteSystemParams(kJobDir, L"ruvo.ini", oldParams));
    CoordSysParams oldCoord;
    FillDefaultParRecord(oldCoord);
    ASSERT_TRUE(m_ini.WriteCoordParams(kJobDir, L"ruvo.par", oldCoord));
    const std::string iniBefore = ReadDeviceFile(kIniPath);
    const std::string parBefore = ReadDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.par");

    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{200, 200};
        setrlimit(RLIMIT_FSIZE, &limit);
        CIniFile ini;
        bool allFailed = !ini.WriteSystemParams(kJobDir, L"ruvo.ini", DistinctSystemParams(3)) &&
                         !ini.WriteCoordParams(kJobDir, L"ruvo.par", DistinctCoordParams(3));
        _exit(allFailed ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a write reported success";
    EXPECT_EQ(ReadDeviceFile(kIniPath), iniBefore);
    EXPECT_EQ(ReadDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.par"), parBefore);
    EXPECT_EQ(CountHostEntries(kJobDir), 2);
}

// A writer killed at any moment leaves the old file or the new one.
TEST_F(IniRobustnessTest, AKilledWriterNeverLeavesATornFile) {
    SystemParams first = DistinctSystemParams(0);
    SystemParams second = DistinctSystemParams(100);
    ASSERT_TRUE(m_ini.WriteSystemParams(kJobDir, L"ruvo.ini", second));
    const std::string secondBytes = ReadDeviceFile(kIniPath);
    ASSERT_TRUE(m_ini.WriteSystemParams(kJobDir, L"ruvo.ini", first));
    const std::string firstBytes = ReadDeviceFile(kIniPath);

    for (int round = 0; round < 20; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            CIniFile ini;
            for (unsigned i = 0;; ++i) {
                // Killed at any point: only what the file holds afterwards counts.
                (void)ini.WriteSystemParams(kJobDir, L"ruvo.ini", (i % 2 == 0u) ? second : first);
            }
        }
        timespec pause{0, 300000L * round};
        nanosleep(&pause, nullptr);
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        std::string bytes = ReadDeviceFile(kIniPath);
        ASSERT_TRUE(bytes == firstBytes || bytes == secondBytes) << "torn after round " << round;
    }
    SystemParams back;
    EXPECT_TRUE(m_ini.ReadSystemParams(kJobDir, L"ruvo.ini", &back));
}

}  // namespace
