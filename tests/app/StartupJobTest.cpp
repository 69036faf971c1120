// What start-up makes of damaged roots and job files (the boxes it shows,
// in order, and that it still opens), and of the job's link and storage
// settings.
#include <filesystem>

#include "app/AppGlobals.h"
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
