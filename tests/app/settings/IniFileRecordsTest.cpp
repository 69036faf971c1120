// The three settings files written and read through CIniFile: byte-exact
// files against hand-written references, round trips and absent keys.
#include "app/settings/DefaultRecords.h"
#include "app/settings/IniFile.h"
#include "platform/files/FileApi.h"
#include "tests/app/SettingsTestRoot.h"
#include "tests/app/settings/SettingsRecords.h"

namespace {

const wchar_t kRoot[] = L"\\Flash Disk\\";
const wchar_t kJobDir[] = L"\\Flash Disk\\Jobs\\ruvo\\";

class IniRecordsTest : public SettingsTest {
  protected:
    void SetUp() override {
        SettingsTest::SetUp();
        ASSERT_TRUE(CreateDirectory(L"\\Flash Disk\\Jobs", nullptr));
        ASSERT_TRUE(CreateDirectory(L"\\Flash Disk\\Jobs\\ruvo", nullptr));
    }
    // A .ini holding the title, "[System Par]" and the given key lines.
    void WriteIni(const std::string& keyLines) {
        WriteDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini",
                        "title\r\n\r\n[System Par]\r\n" + keyLines);
    }
    CIniFile m_ini;
};

TEST_F(IniRecordsTest, FirstStartFilesMatchTheReferencesByteForByte) {
    CSystemFileRecord job;
    job.szIniFile = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini";
    job.szDataFile = L"ruvo.dat";
    job.szLastSaveName = L"PT";
    ASSERT_TRUE(m_ini.WriteSystemFile(kRoot, L"esystem.sys", job));
    EXPECT_EQ(ReadDeviceFile(L"\\Flash Disk\\esystem.sys"),
              ReferenceFile("esystem_first_start.sys"));

    SystemParams params;
    FillDefaultIniRecord(params);
    ASSERT_TRUE(m_ini.WriteSystemParams(kJobDir, L"ruvo.ini", params));
    EXPECT_EQ(ReadDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini"),
              ReferenceFile("default_job.ini"));

    CoordSysParams coord;
    FillDefaultParRecord(coord);
    ASSERT_TRUE(m_ini.WriteCoordParams(kJobDir, L"ruvo.par", coord));
    EXPECT_EQ(ReadDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.par"),
              ReferenceFile("default_job.par"));
}

TEST_F(IniRecordsTest, ChineseJobPathsAreWrittenInTheDeviceCodePageAndReadBack) {
    ASSERT_TRUE(CreateDirectory(L"\\Flash Disk\\Jobs\\测量一队", nullptr));
    CSystemFileRecord job;
    job.szIniFile = L"\\Flash Disk\\Jobs\\测量一队\\测量一队.ini";
    job.szDataFile = L"外业数据.dat";
    job.szLastSaveName = L"点12";
    ASSERT_TRUE(m_ini.WriteSystemFile(kRoot, L"esystem.sys", job));
    EXPECT_EQ(ReadDeviceFile(L"\\Flash Disk\\esystem.sys"),
              ReferenceFile("esystem_chinese_job.sys"));

    CSystemFileRecord back;
    ASSERT_TRUE(m_ini.ReadSystemFile(kRoot, L"esystem.sys", &back));
    ExpectSameRecord(job, back);

    // A job's files in a Chinese folder under a Chinese name.
    SystemParams params = DistinctSystemParams(0);
    ASSERT_TRUE(
        m_ini.WriteSystemParams(L"\\Flash Disk\\Jobs\\测量一队\\", L"测量一队.ini", params));
    SystemParams read;
    ASSERT_TRUE(m_ini.ReadSystemParams(L"\\Flash Disk\\Jobs\\测量一队\\", L"测量一队.ini", &read));
    EXPECT_EQ(read.szSFName, params.szSFName);
}

TEST_F(IniRecordsTest, ALongJobPathIsWrittenWholeAndReadBackWhole) {
    CSystemFileRecord job;
    job.szIniFile = L"\\Flash Disk\\Jobs\\";
    while (Gbk(job.szIniFile).size() < 400) job.szIniFile += L"很长的作业路径";
    job.szDataFile = L"数据.dat";
    job.szLastSaveName = L"PT";
    ASSERT_GE(Gbk(job.szIniFile).size(), 400u);
    ASSERT_TRUE(m_ini.WriteSystemFile(kRoot, L"esystem.sys", job));

    std::string bytes = ReadDeviceFile(L"\\Flash Disk\\esystem.sys");
    EXPECT_NE(bytes.find("szIniFile=" + Gbk(job.szIniFile) + "\r\nszDataFile="), std::string::npos);
    CSystemFileRecord back;
    ASSERT_TRUE(m_ini.ReadSystemFile(kRoot, L"esystem.sys", &back));
    ExpectSameRecord(job, back);
}

TEST_F(IniRecordsTest, EveryFieldSurvivesAWriteAndARead) {
    SystemParams params = DistinctSystemParams(0);
    params.Port = 2;  // a value that reading leaves as it is
    ASSERT_TRUE(m_ini.WriteSystemParams(kJobDir, L"ruvo.ini", params));
    SystemParams readParams = DistinctSystemParams(500);
    readParams.szTitle = L"kept";
    ASSERT_TRUE(m_ini.ReadSystemParams(kJobDir, L"ruvo.ini", &readParams));
    params.szTitle = L"kept";  // the title line is never read back
    ExpectSameRecord(params, readParams);

    CoordSysParams coord = DistinctCoordParams(0);
    coord.szdBaseHgt = 12.3456789012;
    coord.szdBaseH = -7.0000000001;
    ASSERT_TRUE(m_ini.WriteCoordParams(kJobDir, L"ruvo.par", coord));
    CoordSysParams readCoord = DistinctCoordParams(500);
    readCoord.szTitle = L"kept";
    ASSERT_TRUE(m_ini.ReadCoordParams(kJobDir, L"ruvo.par", &readCoord));
    coord.szTitle = L"kept";
    ExpectSameRecord(coord, readCoord);

    CSystemFileRecord job = DistinctSystemFile(0);
    ASSERT_TRUE(m_ini.WriteSystemFile(kRoot, L"esystem.sys", job));
    CSystemFileRecord readJob = DistinctSystemFile(500);
    ASSERT_TRUE(m_ini.ReadSystemFile(kRoot, L"esystem.sys", &readJob));
    ExpectSameRecord(job, readJob);
    EXPECT_TRUE(m_ini.GetSections().empty());
}

TEST_F(IniRecordsTest, DefaultsReadBackAsWrittenExceptThePortChoice) {
    SystemParams params;
    FillDefaultIniRecord(params);
    ASSERT_TRUE(m_ini.WriteSystemParams(kJobDir, L"ruvo.ini", params));
    SystemParams back;
    ASSERT_TRUE(m_ini.ReadSystemParams(kJobDir, L"ruvo.ini", &back));
    EXPECT_EQ(params.Port, 3);
    EXPECT_EQ(back.Port, 1);
    EXPECT_EQ(back.szTitle, L"");  // the title line is not read
    back.Port = 3;
    back.szTitle = params.szTitle;
    ExpectSameRecord(params, back);
}

TEST_F(IniRecordsTest, StoredPortChoicesAreConvertedOnReading) {
    struct Case {
        const char* line;
        int expected;
    } cases[] = {{"Port=5\r\n", 0}, {"Port=3\r\n", 1}, {"Port=2\r\n", 2},
                 {"Port=0\r\n", 0}, {"", 1},           {"Port=x\r\n", 0}};
    for (const Case& c : cases) {
        WriteIni(c.line);
        SystemParams params;
        params.Port = 42;
        ASSERT_TRUE(m_ini.ReadSystemParams(kJobDir, L"ruvo.ini", &params));
        EXPECT_EQ(params.Port, c.expected) << c.line;
    }
}

TEST_F(IniRecordsTest, CollectStatusIsStoredUnderItsOwnOldKey) {
    SystemParams params;
    FillDefaultIniRecord(params);
    params.nCollectStatus = 2;
    ASSERT_TRUE(m_ini.WriteSystemParams(kJobDir, L"ruvo.ini", params));
    std::string bytes = ReadDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini");
    EXPECT_NE(bytes.find("\r\nszCollectStatus=2\r\n"), std::string::npos);
    SystemParams back;
    ASSERT_TRUE(m_ini.ReadSystemParams(kJobDir, L"ruvo.ini", &back));
    EXPECT_EQ(back.nCollectStatus, 2);
}

TEST_F(IniRecordsTest, AnEmptySectionGivesEveryFallbackAndKeepsTheRest) {
    WriteIni("");
    const SystemParams before = DistinctSystemParams(0);
    SystemParams params = before;
    ASSERT_TRUE(m_ini.ReadSystemParams(kJobDir, L"ruvo.ini", &params));
    ExpectSameRecord(WithIniFallbacks(before), params);
}

TEST_F(IniRecordsTest, SingleMissingKeysFallBackOneByOne) {
    SystemParams params;
    FillDefaultIniRecord(params);
    params.nLinkMode = 0;
    params.nInputCom = 3;
    params.SoundBandrate = 4800;
    ASSERT_TRUE(m_ini.WriteSystemParams(kJobDir, L"ruvo.ini", params));
    std::string full = ReadDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini");
    struct Case {
        const char* line;
        int SystemParams::*field;
        int expected;
    } cases[] = {{"nLinkMode=0\r\n", &SystemParams::nLinkMode, 1},
                 {"nInputCom=3\r\n", &SystemParams::nInputCom, 7},
                 {"SoundBandrate=4800\r\n", &SystemParams::SoundBandrate, 9600}};
    for (const Case& c : cases) {
        std::string bytes = full;
        bytes.erase(bytes.find(c.line), std::string(c.line).size());
        WriteDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini", bytes);
        SystemParams back = params;
        back.*c.field = -5;
        ASSERT_TRUE(m_ini.ReadSystemParams(kJobDir, L"ruvo.ini", &back));
        EXPECT_EQ(back.*c.field, c.expected) << c.line;
        back.*c.field = params.*c.field;
        back.Port = params.Port;
        ExpectSameRecord(params, back);
    }
}

TEST_F(IniRecordsTest, AbsentParAndSystemFileKeysKeepTheirFieldsButProjectLat) {
    WriteDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.par",
                    "title\r\n\r\n[TouYin Par]\r\nnCoord=2\r\n\r\n[Base Coordinate]\r\n"
                    "szdBaseHgt=1.5\r\n");
    const CoordSysParams before = DistinctCoordParams(0);
    CoordSysParams coord = before;
    ASSERT_TRUE(m_ini.ReadCoordParams(kJobDir, L"ruvo.par", &coord));
    CoordSysParams expected = before;
    expected.nCoord = 2;
    expected.szdBaseHgt = 1.5;
    expected.ProjectLat = 0.0;
    ExpectSameRecord(expected, coord);

    WriteDeviceFile(L"\\Flash Disk\\esystem.sys", "\r\n[System]\r\nszDataFile=a.dat\r\n");
    CSystemFileRecord job = DistinctSystemFile(0);
    ASSERT_TRUE(m_ini.ReadSystemFile(kRoot, L"esystem.sys", &job));
    CSystemFileRecord expectedJob = DistinctSystemFile(0);
    expectedJob.szDataFile = L"a.dat";
    ExpectSameRecord(expectedJob, job);
}

TEST_F(IniRecordsTest, KeysAreLookedUpOnlyInTheirOwnSection) {
    // The base height placed in the projection section is not the base's.
    WriteDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.par",
                    "title\r\n\r\n[TouYin Par]\r\nszdBaseH=9\r\n[Base Coordinate]\r\nnCoord=4\r\n");
    CoordSysParams coord = DistinctCoordParams(0);
    const CoordSysParams before = coord;
    ASSERT_TRUE(m_ini.ReadCoordParams(kJobDir, L"ruvo.par", &coord));
    EXPECT_EQ(coord.szdBaseH, before.szdBaseH);
    EXPECT_EQ(coord.nCoord, before.nCoord);
}

}  // namespace
