// What start-up makes of damaged roots and job files (the boxes it shows,
// in order, and that it still opens), and of the job's link and storage
// settings.
#include <cmath>
#include <filesystem>
#include <limits>
#include <random>
#include <tuple>

#include "app/settings/DefaultRecords.h"
#include "app/settings/IniFile.h"
#include "app/shell/AppGlobals.h"
#include "platform/serial/PortMap.h"
#include "tests/app/ShellTest.h"

namespace fs = std::filesystem;

namespace shelltest {
namespace {

TEST_F(ShellTest, FlashDiskAsAFileShowsEveryWriteFailureAndStillOpens) {
    fs::remove(Host(L"\\Flash Disk"));
    WriteDevice(L"\\Flash Disk", "not a folder");
    m_modals->ExpectMessageBox(L"创建esystem.sys文件错误").Answer(IDOK);
    m_modals->ExpectMessageBox(L"创建Ini文件错误").Answer(IDOK);
    m_modals->ExpectMessageBox(L"创建par文件错误").Answer(IDOK);
    m_modals->ExpectMessageBox(L"创建esystem.sys文件错误").Answer(IDOK);
    ASSERT_TRUE(Start());
    EXPECT_EQ(Boxes(*m_modals), Reference("boxes_flash_disk_file.txt"));
    // The defaults are in memory and the window shows the default job.
    EXPECT_EQ(Doc().m_strJobDir, CString(L"\\Flash Disk\\Jobs\\ruvo\\"));
    EXPECT_EQ(Doc().m_sysParams.ScreenScale, 1.0);
    CString title;
    Frame()->GetWindowText(title);
    EXPECT_EQ(title, CString(L"Quorvel<ruvo.dat>"));
    EXPECT_EQ(ReadDevice(L"\\Flash Disk"), "not a folder");
}

TEST_F(ShellTest, AnUnreadableSystemFileGivesWayToTheDefaultJob) {
    fs::create_directories(Host(L"\\Flash Disk\\esystem.sys"));
    m_modals->ExpectMessageBox(L"Read Sys file failed!").Answer(IDOK);
    m_modals->ExpectMessageBox(L"读esystem.sys文件错误").Answer(IDOK);
    m_modals->ExpectMessageBox(L"创建esystem.sys文件错误").Answer(IDOK);
    ASSERT_TRUE(Start());
    EXPECT_EQ(Boxes(*m_modals), Reference("boxes_system_file_folder.txt"));
    // Never paths from empty text: the default job's folders, nothing in the
    // root itself.
    EXPECT_EQ(List(L"\\Flash Disk"), (std::vector<std::string>{"Jobs", "esystem.sys"}));
    EXPECT_EQ(List(L"\\Flash Disk\\Jobs\\ruvo"),
              (std::vector<std::string>{"data", "result", "ruvo.ini", "ruvo.par"}));
}

TEST_F(ShellTest, ASystemFileWithoutAJobFolderGivesWayToTheDefaultJob) {
    WriteDevice(L"\\Flash Disk\\esystem.sys", "\r\n[System]\r\nszIniFile=ruvo.ini\r\n");
    m_modals->ExpectMessageBox(L"读esystem.sys文件错误").Answer(IDOK);
    ASSERT_TRUE(Start());
    EXPECT_EQ(Doc().m_strJobDir, CString(L"\\Flash Disk\\Jobs\\ruvo\\"));
    EXPECT_EQ(Doc().m_strDataFile, CString(L"ruvo.dat"));
    // The point-name advance wrote the default job's record.
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\esystem.sys"), Reference("esystem_first_start.sys"));
    EXPECT_FALSE(IsFolder(L"\\Flash Disk\\data"));
}

TEST_F(ShellTest, AGarbageSettingsFileOpensWithTheReadersFallbacks) {
    WriteDefaultJob([](SystemParams&) {});
    WriteDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini",
                "\x01\x02 garbage ]]]=[[[\r\nnothing=here\r\n");
    ASSERT_TRUE(Start());
    EXPECT_EQ(Boxes(*m_modals), "");
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini"),
              "\x01\x02 garbage ]]]=[[[\r\nnothing=here\r\n");
    EXPECT_TRUE(Frame()->IsWindowVisible());
}

// The four ways a settings file is found damaged, each in a job's .ini, in
// its .par and in esystem.sys.
enum class Shape { kGarbage, kBinary, kTenMegabytes, kNoBracket };
enum class Damaged { kIni, kPar, kSystemFile };

std::string DamagedBytes(Shape shape) {
    std::mt19937 random(7);
    auto randomBytes = [&](size_t n) {
        std::string bytes(n, '\0');
        for (char& c : bytes) c = static_cast<char>(random());
        return bytes;
    };
    switch (shape) {
        case Shape::kGarbage:
            return "\x01\x02 garbage ]]]=[[[\r\n[TouYin Par]\r\nszdDa=abc\r\nszdTk=\r\n"
                   "[System Par]\r\nnothing=here\r\n[System]\r\nszIniFile=none\r\n";
        case Shape::kBinary:
            return randomBytes(64 * 1024);
        case Shape::kTenMegabytes:
            return randomBytes(10 * 1024 * 1024);
        case Shape::kNoBracket:
            return "szdDa=6378137\r\nszdDf=298.257223563\r\nszdTk=1\r\nszIniFile=\\x\\a.ini\r\n"
                   "dRmshLimit=0.5\r\nScreenScale=2\r\n";
    }
    return {};
}

// A fix at the default base site, through the grid conversion as the
// receiver parser runs it with the document's engine and parameters.
void GridOf(CVendropDoc& doc, const CoordSysParams& params, double& x, double& y) {
    CCoordTransform& engine = doc.m_coordTransform;
    engine.SetEllipsoid(params.szdDa, params.szdDf, params.szdTHigh);
    engine.SetProjection(params.szlTx, params.szlTy, params.szdCenter, params.szdTk, params.szdTlon,
                         params.szdTHigh);
    double h = 0.0;
    engine.Wgs84ToGrid(48.8583, 2.2945, 35.0, params, x, y, h);
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<Damaged, Shape>>& info) {
    static const char* const kFiles[] = {"Ini", "Par", "SystemFile"};
    static const char* const kShapes[] = {"Garbage", "Binary", "TenMegabytes", "NoBracket"};
    return std::string(kFiles[static_cast<int>(std::get<0>(info.param))]) +
           kShapes[static_cast<int>(std::get<1>(info.param))];
}

class DamagedSettingsTest : public ShellTest,
                            public ::testing::WithParamInterface<std::tuple<Damaged, Shape>> {};

// The job opens with the default job's values, not zeros: the .ini quietly
// (its absent keys keep their defaults), the .par with the box that says
// its parameters gave way to the defaults, esystem.sys with its own box and
// the default job. Positions come out as a clean job's, and nothing that
// is written back holds "nan".
TEST_P(DamagedSettingsTest, StartsWithTheDefaultJobsValues) {
    const auto [damaged, shape] = GetParam();
    WriteDefaultJob([](SystemParams&) {});
    CoordSysParams clean;
    FillDefaultParRecord(clean);
    ASSERT_TRUE(CIniFile().WriteCoordParams(L"\\Flash Disk\\Jobs\\ruvo\\", L"ruvo.par", clean));
    const LPCTSTR path = damaged == Damaged::kIni   ? L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini"
                         : damaged == Damaged::kPar ? L"\\Flash Disk\\Jobs\\ruvo\\ruvo.par"
                                                    : L"\\Flash Disk\\esystem.sys";
    WriteDevice(path, DamagedBytes(shape));
    if (damaged == Damaged::kPar)
        m_modals->ExpectMessageBox(L"工程参数文件有误,已使用缺省参数,请检查!").Answer(IDOK);
    if (damaged == Damaged::kSystemFile)
        m_modals->ExpectMessageBox(L"读esystem.sys文件错误,请检查!").Answer(IDOK);
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(Doc().m_strJobDir, CString(L"\\Flash Disk\\Jobs\\ruvo\\"));

    SystemParams defaults;
    FillDefaultIniRecord(defaults);
    const SystemParams& p = Doc().m_sysParams;
    EXPECT_EQ(p.dRmshLimit, defaults.dRmshLimit);
    EXPECT_EQ(p.dRmsvLimit, defaults.dRmsvLimit);
    EXPECT_EQ(p.ScreenScale, defaults.ScreenScale);
    EXPECT_EQ(p.szdAutoSaveDis, defaults.szdAutoSaveDis);
    EXPECT_EQ(p.nAutoSaveTime, defaults.nAutoSaveTime);
    EXPECT_EQ(p.nSmoothSecond, defaults.nSmoothSecond);
    EXPECT_EQ(p.dCollectTime, defaults.dCollectTime);
    EXPECT_EQ(p.szSFName, defaults.szSFName);

    const CoordSysParams& c = Doc().m_coordParams;
    EXPECT_EQ(c.szdDa, clean.szdDa);
    EXPECT_EQ(c.szdDf, clean.szdDf);
    EXPECT_EQ(c.szdTk, clean.szdTk);
    EXPECT_EQ(c.szlTy, clean.szlTy);
    EXPECT_EQ(c.szdCk1, clean.szdCk1);
    EXPECT_EQ(c.szdBaseX, clean.szdBaseX);
    double x = 0.0, y = 0.0, cleanX = 0.0, cleanY = 0.0;
    GridOf(Doc(), c, x, y);
    GridOf(Doc(), clean, cleanX, cleanY);
    EXPECT_TRUE(std::isfinite(x) && std::isfinite(y));
    EXPECT_EQ(x, cleanX);
    EXPECT_EQ(y, cleanY);
    Doc().LoadCoordTransform();

    // What the program writes back holds the defaults.
    ASSERT_TRUE(Doc().SaveSystemParams());
    ASSERT_TRUE(Doc().SaveCoordParams());
    const std::string ini = ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini");
    EXPECT_NE(ini.find("dRmshLimit=0.1000000000\r\n"), std::string::npos);
    const std::string par = ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.par");
    EXPECT_NE(par.find("szdDa=6378245.0000000000\r\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    AllShapes, DamagedSettingsTest,
    ::testing::Combine(::testing::Values(Damaged::kIni, Damaged::kPar, Damaged::kSystemFile),
                       ::testing::Values(Shape::kGarbage, Shape::kBinary, Shape::kTenMegabytes,
                                         Shape::kNoBracket)),
    CaseName);

// Settings files that cannot be read at all: their boxes, and the program
// runs on the default job's values.
TEST_F(ShellTest, UnreadableSettingsFilesLeaveTheDefaultsInUse) {
    WriteDefaultJob([](SystemParams&) {});
    fs::remove(Host(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini"));
    fs::create_directories(Host(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini"));
    fs::create_directories(Host(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.par"));
    m_modals->ExpectMessageBox(L"Read Status Par file failed!").Answer(IDOK);
    m_modals->ExpectMessageBox(L"读取Ini文件错误,请检查错误!").Answer(IDOK);
    m_modals->ExpectMessageBox(L"Read Par file failed!").Answer(IDOK);
    m_modals->ExpectMessageBox(L"读par文件错误,请检查错误!").Answer(IDOK);
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_modals->Pending(), 0);
    SystemParams defaults;
    FillDefaultIniRecord(defaults);
    EXPECT_EQ(Doc().m_sysParams.dRmshLimit, defaults.dRmshLimit);
    EXPECT_EQ(Doc().m_sysParams.ScreenScale, defaults.ScreenScale);
    EXPECT_EQ(Doc().m_sysParams.SoundUse, defaults.SoundUse);
    CoordSysParams clean;
    FillDefaultParRecord(clean);
    EXPECT_EQ(Doc().m_coordParams.szdDa, clean.szdDa);
    EXPECT_EQ(Doc().m_coordParams.szdTk, clean.szdTk);
}

// Numbers that are not finite (beyond the double range): a .par holding one
// gives way to the defaults with the box; an .ini's keeps the key's default. Neither is ever
// written back as text.
TEST_F(ShellTest, NumbersThatAreNotFiniteAreNeitherUsedNorWritten) {
    WriteDefaultJob([](SystemParams& p) { p.dRmshLimit = 0.25; });
    CoordSysParams par;
    FillDefaultParRecord(par);
    par.szdDa = 6378137.0;
    par.szdDf = 298.257223563;
    ASSERT_TRUE(CIniFile().WriteCoordParams(L"\\Flash Disk\\Jobs\\ruvo\\", L"ruvo.par", par));
    std::string parText = ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.par");
    parText.replace(parText.find("szddx=0.0000000000"), 18, "szddx=1e999");
    WriteDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.par", parText);
    std::string iniText = ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini");
    iniText.replace(iniText.find("dCollectTime=3.0000000000"), 25, "dCollectTime=-1e999");
    WriteDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini", iniText);

    m_modals->ExpectMessageBox(L"工程参数文件有误,已使用缺省参数,请检查!").Answer(IDOK);
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(Doc().m_coordParams.szdDa, 6378245.0);
    EXPECT_EQ(Doc().m_coordParams.szddx, 0.0);
    EXPECT_EQ(Doc().m_sysParams.dCollectTime, 3.0);
    EXPECT_EQ(Doc().m_sysParams.dRmshLimit, 0.25);

    // A value gone bad in memory is left out of the file, not written as
    // text: the key reads back as its default.
    Doc().m_sysParams.dCollectDis = std::numeric_limits<double>::quiet_NaN();
    Doc().m_coordParams.szdTHigh = -std::numeric_limits<double>::infinity();
    ASSERT_TRUE(Doc().SaveSystemParams());
    ASSERT_TRUE(Doc().SaveCoordParams());
    for (LPCTSTR file :
         {L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini", L"\\Flash Disk\\Jobs\\ruvo\\ruvo.par"}) {
        const std::string text = ReadDevice(file);
        EXPECT_EQ(text.find("nan"), std::string::npos) << text;
        EXPECT_EQ(text.find("inf"), std::string::npos) << text;
    }
}

TEST_F(ShellTest, TheLinkTakesItsPortFromTheConnectionSettings) {
    struct Case {
        int comMode;
        int storedPort;
        int expectedPort;
        int expectedBaud;
    };
    // Stored port 5 and 3 are older spellings of the choices 0 and 1.
    const Case cases[] = {{0, 0, 5, 57600}, {0, 1, 1, 57600}, {0, 2, 1, 9600}, {0, 3, 1, 57600},
                          {0, 5, 5, 57600}, {1, 0, 7, 57600}, {2, 2, 5, 57600}};
    static Case current;
    quorvel::MapSerialPort(7, m_receiver.Path());
    for (const Case& c : cases) {
        current = c;
        WriteDefaultJob([](SystemParams& p) {
            p.nComMode = current.comMode;
            p.Port = current.storedPort;
            p.nInputCom = 7;
        });
        // The previous start's reader may still be opening its port: it
        // stops before the settings it reads are reset.
        g_gpsComm.Close();
        g_gpsComm.Reset();
        delete m_app;
        m_app = new CVendropApp;
        ASSERT_TRUE(Start());
        EXPECT_EQ(g_gpsComm.m_nPort, c.expectedPort) << c.comMode << " " << c.storedPort;
        EXPECT_EQ(g_gpsComm.m_nBaud, c.expectedBaud) << c.comMode << " " << c.storedPort;
        EXPECT_EQ(g_gpsComm.m_cParity, 'N');
        EXPECT_EQ(g_gpsComm.m_nDataBits, 8);
        EXPECT_EQ(g_gpsComm.m_nStopBits, 1);
        Frame()->DestroyWindow();
        Pump();
    }
}

TEST_F(ShellTest, TheStorageStateFollowsTheStorageType) {
    struct Expected {
        int storeKind;
        BOOL smooth;
        int smoothCount;
        int autoKind;
        int autoInterval;
        int collectInterval;
    };
    // nSmoothSecond 7, nAutoSaveTime 12, szdAutoSaveDis 9.75.
    const Expected expected[] = {{1, 0, 0, 0, 0, 5},   {2, 0, 0, 0, 0, 5}, {3, 1, 7, 0, 0, 5},
                                 {4, 0, 0, 1, 12, 12}, {4, 0, 0, 2, 9, 5}, {6, 0, 0, 0, 0, 5}};
    static int type;
    for (type = 0; type <= 5; ++type) {
        WriteDefaultJob([](SystemParams& p) {
            p.nSaveType = type;
            p.nSmoothSecond = 7;
            p.nAutoSaveTime = 12;
            p.szdAutoSaveDis = 9.75;
            p.szdRoverAntH = 1.8;
        });
        delete m_app;
        m_app = new CVendropApp;
        ASSERT_TRUE(Start());
        const CVendropDoc& doc = Doc();
        const Expected& e = expected[type];
        EXPECT_EQ(doc.m_nStoreType, type);
        EXPECT_EQ(doc.m_nStoreKind, e.storeKind) << type;
        EXPECT_EQ(doc.m_bSmoothStore, e.smooth) << type;
        EXPECT_EQ(doc.m_nSmoothCount, e.smoothCount) << type;
        EXPECT_EQ(doc.m_nAutoKind, e.autoKind) << type;
        EXPECT_EQ(doc.m_nAutoInterval, e.autoInterval) << type;
        EXPECT_EQ(doc.m_nAutoCollectInterval, e.collectInterval) << type;
        EXPECT_EQ(doc.m_nSmoothEpochs, 7);
        EXPECT_EQ(doc.m_nAutoTime, 12);
        EXPECT_EQ(doc.m_dAutoDistance, 9.75);
        EXPECT_EQ(doc.m_dPointAntHeight, 1.8);
        Frame()->DestroyWindow();
        Pump();
    }
}

}  // namespace
}  // namespace shelltest
