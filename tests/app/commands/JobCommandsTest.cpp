// The job commands besides the new job, in the running program: opening a
// job, the delete list and deletion, the data file, and the settings files
// that cannot be written.
#include <filesystem>

#include "app/jobs/DeleteJobDlg.h"
#include "app/settings/DefaultRecords.h"
#include "tests/app/commands/JobTestSupport.h"

namespace commandstest {
namespace {

constexpr LPCTSTR kRuvo = L"\\Flash Disk\\Jobs\\ruvo\\";
constexpr LPCTSTR kSystemFile = L"\\Flash Disk\\esystem.sys";

void NoChange(SystemParams&) {}

class JobCommandsTest : public JobTest {
  protected:
    std::string SystemFile() const { return ReadDevice(kSystemFile); }
    void MakeFolder(LPCTSTR devicePath) { std::filesystem::create_directories(Host(devicePath)); }
};

// ---- Open job ----

TEST_F(JobCommandsTest, OpeningAJobSwitchesItsPathsRecordsEngineAndSystemFile) {
    StartOnJob(NoChange);
    Doc().m_strNextPointName = L"K7";
    Doc().m_bFourParAlarmOff = 1;
    SystemParams ini;
    FillDefaultIniRecord(ini);
    ini.nTimeZone = 9;
    CoordSysParams par;
    FillDefaultParRecord(par);
    par.szdCenter = 3.0;
    par.szdSx1 = 11.0;
    WriteJob(L"other", ini, par);

    m_modals->ExpectDialog(IDD_FILE_OPEN).Click(IDCANCEL);
    Command(ID_JOB_OPEN);
    EXPECT_EQ(Doc().m_strJobDir, CString(kRuvo));

    m_modals->ExpectDialog(IDD_FILE_OPEN)
        .Do([](HWND dialog) {  // it starts in the current job
            EXPECT_EQ(ItemText(dialog, IDC_FILE_OPEN_PATH), L"\\Flash Disk\\Jobs\\ruvo");
        })
        .Do(ChooseInTree({L"Jobs", L"other", L"other.ini"}))
        .Click(IDOK);
    Command(ID_JOB_OPEN);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(Doc().m_strJobDir, CString(L"\\Flash Disk\\Jobs\\other\\"));
    EXPECT_EQ(Doc().m_strDataDir, CString(L"\\Flash Disk\\Jobs\\other\\data\\"));
    EXPECT_EQ(Doc().m_strDataFile, CString(L"other.dat"));
    EXPECT_EQ(Doc().m_sysParams.nTimeZone, 9);
    EXPECT_EQ(Doc().m_coordParams.szdCenter, 3.0);
    EXPECT_EQ(Doc().m_calibMeasured[1].x, 11.0);
    EXPECT_EQ(
        Lines(kSystemFile),
        (std::vector<std::string>{"", "[System]", "szIniFile=\\Flash Disk\\Jobs\\other\\other.ini",
                                  "szDataFile=other.dat", "szLastSaveName=PT"}));
    EXPECT_EQ(Title(), L"Quorvel <other.dat>");
    // The next position is projected with the opened job's central meridian.
    const SurveyRecord fix = NextFix();
    EXPECT_NEAR(fix.dProjX, kSiteNorth, 1e-3);
    EXPECT_NEAR(fix.dProjY, kSiteEast, 1e-3);
    // Folders are not made, the naming and the alarms stay.
    EXPECT_FALSE(IsFolder(L"\\Flash Disk\\Jobs\\other\\data"));
    EXPECT_EQ(Doc().m_strNextPointName, CString(L"K7"));
    EXPECT_TRUE(Doc().m_bFourParAlarmOff);
}

TEST_F(JobCommandsTest, AJobWithoutItsParameterFileIsOpenedAfterBothBoxes) {
    StartOnJob(NoChange);
    const CoordSysParams before = Doc().m_coordParams;
    MakeFolder(L"\\Flash Disk\\Jobs\\bare");
    SystemParams ini;
    FillDefaultIniRecord(ini);
    ini.nGAngle = 15;
    ASSERT_TRUE(CIniFile().WriteSystemParams(L"\\Flash Disk\\Jobs\\bare\\", L"bare.ini", ini));
    m_modals->ExpectDialog(IDD_FILE_OPEN)
        .Do(ChooseInTree({L"Jobs", L"bare", L"bare.ini"}))
        .Click(IDOK);
    m_modals->ExpectMessageBox(L"Read Par file failed!").Answer(IDOK);
    m_modals->ExpectMessageBox(L"读par文件错误,请检查错误!").Answer(IDOK);
    Command(ID_JOB_OPEN);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(Doc().m_strJobDir, CString(L"\\Flash Disk\\Jobs\\bare\\"));
    EXPECT_EQ(Doc().m_sysParams.nGAngle, 15);
    EXPECT_EQ(Doc().m_coordParams.szdBaseX, before.szdBaseX);  // what the reader left
    EXPECT_NE(SystemFile().find("szIniFile=\\Flash Disk\\Jobs\\bare\\bare.ini"), std::string::npos);
    EXPECT_EQ(Title(), L"Quorvel <bare.dat>");
}

// ---- Delete job ----

TEST_F(JobCommandsTest, TheDeleteListOffersOtherJobsAndDeletesOnlyWhatItShould) {
    // The current job's folder is spelt otherwise than its settings file.
    CIniFile ini;
    ASSERT_TRUE(ini.WriteSystemFile(L"\\Flash Disk\\", L"esystem.sys",
                                    {L"\\Flash Disk\\Jobs\\Road\\road.ini", L"PT", L"road.dat"}));
    MakeFolder(L"\\Flash Disk\\Jobs\\Road");
    StartAndSettle();
    WaitForLinkOpen();
    ASSERT_TRUE(IsFile(L"\\Flash Disk\\Jobs\\Road\\road.ini"));
    SystemParams defaults;
    FillDefaultIniRecord(defaults);
    CoordSysParams par;
    FillDefaultParRecord(par);
    WriteJob(L"a", defaults, par);
    WriteDevice(L"\\Flash Disk\\Jobs\\a\\data\\a.dat", "1");
    WriteDevice(L"\\Flash Disk\\Jobs\\a\\result\\r.txt", "2");
    WriteDevice(L"\\Flash Disk\\Jobs\\a\\keep\\k.txt", "3");
    WriteDevice(L"\\Flash Disk\\Jobs\\a\\line.lnb", "4");
    WriteDevice(L"\\Flash Disk\\Jobs\\b\\b.txt", "no settings file of its own");
    WriteDevice(L"\\Flash Disk\\Jobs\\c\\other.ini", "");
    WriteJob(L"d", defaults, par);
    WriteDevice(L"\\Flash Disk\\Jobs\\notes.ini", "a file, no folder");

    m_modals->ExpectDialog(IDD_DELETE_JOB)
        .Do([](HWND dialog) {
            EXPECT_EQ(
                shelltest::ListBoxTexts(dialog, IDC_DELETE_JOB_LIST),
                (std::vector<std::wstring>{L"\\Flash Disk\\Jobs\\a", L"\\Flash Disk\\Jobs\\d"}));
        })
        .Click(IDC_DELETE_JOB_DELETE)
        .Select(IDC_DELETE_JOB_LIST, 0)
        .Click(IDC_DELETE_JOB_DELETE)
        .Do([](HWND) { EXPECT_TRUE(IsFile(L"\\Flash Disk\\Jobs\\a\\a.ini")); })
        .Click(IDC_DELETE_JOB_DELETE)
        .Do([](HWND dialog) {
            EXPECT_EQ(shelltest::ListBoxTexts(dialog, IDC_DELETE_JOB_LIST),
                      (std::vector<std::wstring>{L"\\Flash Disk\\Jobs\\d"}));
            EXPECT_EQ(DialogOf<CDeleteJobDlg>(dialog)->m_nSelect, -1);
        })
        .Click(IDCANCEL);
    m_modals->ExpectMessageBox(L"请先选择一个作业").Answer(IDOK);
    m_modals->ExpectMessageBox(L"确实删除该作业和作业中的所有文件及文件夹吗?").Answer(IDNO);
    m_modals->ExpectMessageBox(L"确实删除该作业和作业中的所有文件及文件夹吗?").Answer(IDYES);
    Command(ID_JOB_DELETE);
    EXPECT_EQ(m_modals->Pending(), 0);
    // Its files, data and results went; the folder stays with the subfolder
    // it held, which is not entered.
    EXPECT_EQ(List(L"\\Flash Disk\\Jobs\\a"), (std::vector<std::string>{"keep"}));
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\Jobs\\a\\keep\\k.txt"), "3");
    EXPECT_TRUE(IsFile(L"\\Flash Disk\\Jobs\\Road\\road.ini"));
    EXPECT_TRUE(IsFile(L"\\Flash Disk\\Jobs\\d\\d.par"));
    EXPECT_TRUE(IsFile(L"\\Flash Disk\\Jobs\\b\\b.txt"));
}

TEST_F(JobCommandsTest, TheDeleteListHoldsTheFirstFiftyFolders) {
    StartOnJob(NoChange);
    SystemParams defaults;
    FillDefaultIniRecord(defaults);
    CoordSysParams par;
    FillDefaultParRecord(par);
    for (int i = 0; i < 55; ++i) {
        wchar_t name[8];
        swprintf(name, 8, L"j%02d", i);
        WriteJob(name, defaults, par);
    }
    m_modals->ExpectDialog(IDD_DELETE_JOB)
        .Do([](HWND dialog) {
            const std::vector<std::wstring> texts =
                shelltest::ListBoxTexts(dialog, IDC_DELETE_JOB_LIST);
            // The first 50 in the folder's order; "ruvo" comes after them.
            ASSERT_EQ(texts.size(), 50u);
            EXPECT_EQ(texts.front(), L"\\Flash Disk\\Jobs\\j00");
            EXPECT_EQ(texts.back(), L"\\Flash Disk\\Jobs\\j49");
        })
        .Click(IDCANCEL);
    Command(ID_JOB_DELETE);
}

// ---- Data file ----

TEST_F(JobCommandsTest, ANewDataFileIsMadeEmptyInTheDataFolderAnExistingOneKept) {
    StartOnJob(NoChange);
    m_modals->ExpectDialog(IDD_FILE_SAVE).Type(IDC_FILE_SAVE_NAME, L"line2").Click(IDOK);
    Command(ID_CHOOSE_DATA_FILE);
    EXPECT_TRUE(IsFile(L"\\Flash Disk\\Jobs\\ruvo\\data\\line2.dat"));
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\data\\line2.dat"), "");
    EXPECT_EQ(Doc().m_strDataFile, CString(L"line2.dat"));
    EXPECT_NE(SystemFile().find("szDataFile=line2.dat\r\n"), std::string::npos);
    EXPECT_EQ(Title(), L"Quorvel <line2.dat>");

    WriteDevice(L"\\Flash Disk\\Jobs\\ruvo\\data\\old.dat", "PT1,1,2,3,\r\n");
    m_modals->ExpectDialog(IDD_FILE_SAVE)
        .Do(ChooseInTree({L"old.dat"}))
        .Click(IDOK)
        // Names the settings files cannot give back are refused.
        .SetText(IDC_FILE_SAVE_NAME, L"a[1]")
        .Click(IDOK)
        .SetText(IDC_FILE_SAVE_NAME, L"a=b")
        .Click(IDOK)
        .SetText(IDC_FILE_SAVE_NAME, L"old")
        .Click(IDOK);
    m_modals->ExpectMessageBox(L"该文件已存在，要覆盖此文件吗?").Answer(IDCANCEL);
    m_modals->ExpectMessageBox(L"文件名中含有非法字符,请重新输入!").Answer(IDOK);
    m_modals->ExpectMessageBox(L"文件名中含有非法字符,请重新输入!").Answer(IDOK);
    m_modals->ExpectMessageBox(L"该文件已存在，要覆盖此文件吗?").Answer(IDOK);
    Command(ID_CHOOSE_DATA_FILE);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\data\\old.dat"), "PT1,1,2,3,\r\n");
    EXPECT_EQ(Doc().m_strDataFile, CString(L"old.dat"));

    m_modals->ExpectDialog(IDD_FILE_SAVE).Type(IDC_FILE_SAVE_NAME, L"gone").Click(IDCANCEL);
    Command(ID_CHOOSE_DATA_FILE);
    EXPECT_FALSE(IsFile(L"\\Flash Disk\\Jobs\\ruvo\\data\\gone.dat"));
    EXPECT_EQ(Doc().m_strDataFile, CString(L"old.dat"));
}

TEST_F(JobCommandsTest, AnOpenedDataFileElsewhereKeepsOnlyItsName) {
    StartOnJob(NoChange);
    WriteDevice(L"\\Flash Disk\\Jobs\\ruvo\\data\\sub\\far.dat", "x");
    WriteDevice(L"\\Flash Disk\\Jobs\\ruvo\\data\\b[2].dat", "y");
    m_modals->ExpectDialog(IDD_FILE_OPEN)
        .Do(ChooseInTree({L"b[2].dat"}))
        .Click(IDOK)
        .Do(ChooseInTree({L"sub", L"far.dat"}))
        .Click(IDOK);
    m_modals->ExpectMessageBox(L"文件名中含有非法字符,请重新输入!").Answer(IDOK);
    Command(ID_OPEN_DATA_FILE);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(Doc().m_strDataFile, CString(L"far.dat"));
    EXPECT_EQ(Doc().m_strDataDir, CString(L"\\Flash Disk\\Jobs\\ruvo\\data\\"));
    EXPECT_FALSE(IsFile(L"\\Flash Disk\\Jobs\\ruvo\\data\\far.dat"));  // opening makes nothing
    EXPECT_NE(SystemFile().find("szDataFile=far.dat\r\n"), std::string::npos);
    EXPECT_EQ(Title(), L"Quorvel <far.dat>");
}

// ---- Files that cannot be written ----

TEST_F(JobCommandsTest, AFailedWriteIsReportedOnceAndTheNextGoodOneStoresTheValues) {
    StartOnJob(NoChange);
    // The job folder goes under the program.
    std::filesystem::remove_all(Host(L"\\Flash Disk\\Jobs\\ruvo"));
    m_modals->ExpectDialog(IDD_TIME_ZONE).SetText(IDC_TIME_ZONE, L"3").Click(IDOK);
    m_modals->ExpectMessageBox(L"创建Ini文件错误,请检查错误!").Answer(IDOK);
    Command(ID_TIME_ZONE);
    m_modals->ExpectDialog(IDD_CORRECTION_PARAM).SetText(IDC_CORRECTION_H, L"0.25").Click(IDOK);
    m_modals->ExpectMessageBox(L"创建par文件错误,请检查错误!").Answer(IDOK);
    Command(ID_PARAM_CORRECTION);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(Doc().m_sysParams.nTimeZone, 3);
    EXPECT_EQ(Doc().m_coordParams.szdCorrectionH, 0.25);

    // The folder is back: the next writes store what was kept.
    MakeFolder(L"\\Flash Disk\\Jobs\\ruvo");
    m_modals->ExpectDialog(IDD_HEIGHT_FIT).Click(IDOK);
    Command(ID_PARAM_HEIGHT_FIT);
    EXPECT_EQ(ReadParams(kRuvo, L"ruvo.par").szdCorrectionH, 0.25);
    m_modals->ExpectDialog(IDD_DATA_COLLECT_SET).Click(IDOK);
    Command(ID_DATA_COLLECT_SETTINGS);
    EXPECT_EQ(ReadSettings(kRuvo, L"ruvo.ini").nTimeZone, 3);

    // A folder where the settings file belongs.
    std::filesystem::remove(Host(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini"));
    MakeFolder(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini");
    m_modals->ExpectDialog(IDD_TIME_ZONE).SetText(IDC_TIME_ZONE, L"4").Click(IDOK);
    m_modals->ExpectMessageBox(L"创建Ini文件错误,请检查错误!").Answer(IDOK);
    Command(ID_TIME_ZONE);
    // And one where esystem.sys belongs.
    std::filesystem::remove(Host(kSystemFile));
    MakeFolder(kSystemFile);
    m_modals->ExpectDialog(IDD_FILE_SAVE).Type(IDC_FILE_SAVE_NAME, L"n").Click(IDOK);
    m_modals->ExpectMessageBox(L"创建esystem.sys文件错误,请检查错误!").Answer(IDOK);
    Command(ID_CHOOSE_DATA_FILE);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(Doc().m_strDataFile, CString(L"n.dat"));
    EXPECT_EQ(Title(), L"Quorvel <n.dat>");
}

}  // namespace
}  // namespace commandstest
