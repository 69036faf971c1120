// The new-job command in the running program: the wizard's job with its
// folders and files byte for byte, the base station from the receiver, the
// point naming and the title; a job made over an existing one, a cancelled
// wizard, the apply mode, and the names a job cannot have.
#include <cmath>

#include "app/coordsys/ParamWizardDlg.h"
#include "app/jobs/NewJobDlg.h"
#include "app/settings/DefaultRecords.h"
#include "tests/app/commands/JobTestSupport.h"

namespace commandstest {
namespace {

constexpr LPCTSTR kRoad1 = L"\\Flash Disk\\Jobs\\road1\\";
constexpr LPCTSTR kRuvo = L"\\Flash Disk\\Jobs\\ruvo\\";

// The job a new job is made from: a receiver on COM1 by number, port
// choice 2 and differential format 3 (a new job keeps both), and settings
// the new job's defaults replace.
void FromJob(SystemParams& p) {
    p.Port = 2;
    p.nRadioFormat = 3;
    p.nComMode = 1;
    p.nInputCom = 1;
    p.nTimeZone = 5;
    p.SoundBandrate = 19200;
    p.nLinkMode = 0;
    p.nWorkMode = 2;
    p.nDisplayType = 0;
    p.CodeSaveType = 1;
}

// The wizard's pages as a surveyor fills them for the job.
void FillWizard(HWND hwnd) {
    CParamWizardDlg* wizard = DialogOf<CParamWizardDlg>(hwnd);
    ASSERT_NE(wizard, nullptr);
    wizard->m_pageProjection.SetDlgItemText(IDC_PROJ_CENTER, L"3");
    wizard->m_pageFour.CheckDlgButton(IDC_PARAM_ENABLE, 1);
    wizard->m_pageFour.SetDlgItemText(IDC_FOUR_ROTATION, L"0.3000");
    wizard->m_pageSeven.SetDlgItemText(IDC_PARAM_WX, L"1.0");
    wizard->m_pageSeven.SetDlgItemText(IDC_PARAM_K, L"2");
}

class NewJobTest : public JobTest {
  protected:
    void ExpectNewJob(LPCTSTR name) {
        m_modals->ExpectDialog(IDD_NEW_JOB).SetText(IDC_NEW_JOB_NAME, name).Click(IDOK);
    }
};

TEST_F(NewJobTest, TheWizardsJobHasItsFoldersFilesNamesAndTitle) {
    StartOnJob(FromJob);
    Doc().m_bMeridianAlarmOff = Doc().m_bSevenParAlarmOff = Doc().m_bFourParAlarmOff = 1;
    Doc().m_strNextPointName = L"K17";
    m_modals->ExpectDialog(IDD_NEW_JOB)
        .Do([](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_NEW_JOB_PATH), L"\\Flash Disk\\Jobs\\");
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_NEW_JOB_PATH)));
            EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_NEW_JOB_WIZARD), BST_CHECKED);
        })
        .Type(IDC_NEW_JOB_NAME, L"road1")
        .Do([](HWND dialog) {
            EXPECT_EQ(DialogOf<CNewJobDlg>(dialog)->m_strIniPath,
                      CString(L"\\Flash Disk\\Jobs\\road1\\road1.ini"));
        })
        .Click(IDOK);
    m_modals->ExpectDialog(IDD_PARAM_WIZARD).Do(FillWizard).Click(IDOK);
    Command(ID_JOB_NEW);
    EXPECT_EQ(m_modals->Pending(), 0);

    EXPECT_TRUE(IsFolder(L"\\Flash Disk\\Jobs\\road1\\data"));
    EXPECT_TRUE(IsFolder(L"\\Flash Disk\\Jobs\\road1\\result"));
    EXPECT_EQ(List(kRoad1), (std::vector<std::string>{"data", "result", "road1.ini", "road1.par"}));
    EXPECT_TRUE(List(L"\\Flash Disk\\Jobs\\road1\\data").empty());  // no data file yet
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\Jobs\\road1\\road1.ini"), CommandsReference("road1.ini"));
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\esystem.sys"), CommandsReference("road1_esystem.sys"));
    std::map<std::string, double> base = ExpectLinesMatch(
        ReadDevice(L"\\Flash Disk\\Jobs\\road1\\road1.par"), CommandsReference("road1.par"));
    EXPECT_NEAR(base["szdBaseLat"], 48.5129880016, 1e-10);
    EXPECT_NEAR(base["szdBaseLon"], 2.1740199983, 1e-10);
    EXPECT_NEAR(base["szdBaseHgt"], kLoggedHeight, 1e-6);
    EXPECT_NEAR(base["szdBaseX"], kBaseNorth, 1e-4);
    EXPECT_NEAR(base["szdBaseY"], kBaseEast, 1e-4);
    EXPECT_NEAR(base["szdBaseH"], kLoggedHeight, 1e-6);
    EXPECT_EQ(base["szdSx0"], base["szdBaseX"]);
    EXPECT_EQ(base["szdSy0"], base["szdBaseY"]);
    EXPECT_EQ(base["szdSh0"], base["szdBaseH"]);

    // The document now works in the new job.
    EXPECT_EQ(Doc().m_strJobDir, CString(kRoad1));
    EXPECT_EQ(Doc().m_strDataDir, CString(L"\\Flash Disk\\Jobs\\road1\\data\\"));
    EXPECT_EQ(Doc().m_strResultDir, CString(L"\\Flash Disk\\Jobs\\road1\\result\\"));
    EXPECT_EQ(Doc().m_strDataFile, CString(L"road1.dat"));
    EXPECT_EQ(Doc().m_strParName, CString(L"road1.par"));
    EXPECT_EQ(Doc().m_strPointName, CString(L"PT"));
    EXPECT_EQ(Doc().m_strNextPointName, CString(L"PT1"));
    EXPECT_FALSE(Doc().m_bMeridianAlarmOff || Doc().m_bSevenParAlarmOff ||
                 Doc().m_bFourParAlarmOff);
    EXPECT_EQ(Doc().m_calibMeasured[0].x, base["szdBaseX"]);
    EXPECT_EQ(Title(), L"Quorvel <road1.dat>");
    // The next position is projected as the new job says.
    const SurveyRecord fix = NextFix();
    EXPECT_NEAR(fix.dProjX, kSiteNorth, 1e-3);
    EXPECT_NEAR(fix.dProjY, kSiteEast, 1e-3);
    // The job it was made from keeps its own settings.
    EXPECT_EQ(ReadSettings(kRuvo, L"ruvo.ini").nTimeZone, 5);
}

// One letter typed gives the shortest ini path; Cancel creates nothing.
TEST_F(NewJobTest, ANameOfOneLetterGivesItsIniPath) {
    StartOnJob(FromJob);
    m_modals->ExpectDialog(IDD_NEW_JOB)
        .Type(IDC_NEW_JOB_NAME, L"a")
        .Do([](HWND dialog) {
            EXPECT_EQ(DialogOf<CNewJobDlg>(dialog)->m_strIniPath,
                      CString(L"\\Flash Disk\\Jobs\\a\\a.ini"));
        })
        .Click(IDCANCEL);
    Command(ID_JOB_NEW);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_FALSE(IsFolder(L"\\Flash Disk\\Jobs\\a"));
}

TEST_F(NewJobTest, OverAnExistingJobYesKeepsItsDataAndNoChangesNothing) {
    StartOnJob(FromJob);
    ExpectNewJob(L"road1");
    m_modals->ExpectDialog(IDD_PARAM_WIZARD).Click(IDOK);
    Command(ID_JOB_NEW);
    WriteDevice(L"\\Flash Disk\\Jobs\\road1\\data\\road1.dat", "PT1,1,2,3,\r\n");
    WriteDevice(L"\\Flash Disk\\Jobs\\road1\\result\\r.txt", "r");
    const std::string ini = ReadDevice(L"\\Flash Disk\\Jobs\\road1\\road1.ini");
    const std::string sys = ReadDevice(L"\\Flash Disk\\esystem.sys");

    // No: nothing is asked further and nothing changes.
    Doc().m_sysParams.nTimeZone = 3;
    ExpectNewJob(L"road1");
    m_modals->ExpectMessageBox(L"作业文件已存在，是否覆盖?").Answer(IDNO);
    Command(ID_JOB_NEW);
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\Jobs\\road1\\road1.ini"), ini);
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\esystem.sys"), sys);
    EXPECT_EQ(Doc().m_sysParams.nTimeZone, 3);

    // Yes: the job's files are written anew, its data and results stay.
    ExpectNewJob(L"road1");
    m_modals->ExpectMessageBox(L"作业文件已存在，是否覆盖?").Answer(IDYES);
    m_modals->ExpectDialog(IDD_PARAM_WIZARD).Click(IDOK);
    Command(ID_JOB_NEW);
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\Jobs\\road1\\data\\road1.dat"), "PT1,1,2,3,\r\n");
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\Jobs\\road1\\result\\r.txt"), "r");
    EXPECT_EQ(ReadSettings(kRoad1, L"road1.ini").nTimeZone, 8);
    EXPECT_EQ(m_modals->Pending(), 0);
}

TEST_F(NewJobTest, ACancelledWizardMakesNothingAndTheJobKeepsItsSettings) {
    StartOnJob(FromJob);
    const std::string sys = ReadDevice(L"\\Flash Disk\\esystem.sys");
    ExpectNewJob(L"road2");
    m_modals->ExpectDialog(IDD_PARAM_WIZARD).Click(IDCANCEL);
    Command(ID_JOB_NEW);
    EXPECT_FALSE(IsFolder(L"\\Flash Disk\\Jobs\\road2"));
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\esystem.sys"), sys);
    EXPECT_EQ(Doc().m_strJobDir, CString(kRuvo));
    EXPECT_EQ(Doc().m_sysParams.nTimeZone, 5);
    EXPECT_EQ(Doc().m_sysParams.SoundBandrate, 19200);

    // Every close writes the settings: the job's own come back.
    m_modals->ExpectMessageBox(L"确定退出程序吗?").Answer(IDYES);
    Command(ID_FRAME_EXIT);
    const SystemParams saved = ReadSettings(kRuvo, L"ruvo.ini");
    EXPECT_EQ(saved.nTimeZone, 5);
    EXPECT_EQ(saved.SoundBandrate, 19200);
    EXPECT_EQ(saved.nComMode, 1);
}

// The apply mode takes the chosen job's two records; a cancelled choice
// ends the command with nothing changed.
TEST_F(NewJobTest, TheApplyModeTakesTheChosenJobsRecords) {
    StartOnJob(FromJob);
    SystemParams ini;
    FillDefaultIniRecord(ini);
    ini.nTimeZone = 9;
    ini.szSFName = L"SRC";
    CoordSysParams par;
    FillDefaultParRecord(par);
    par.szdCenter = 3.0;
    par.szdCx1 = 12.5;
    par.nDifang = 1;
    par.szdSx2 = 7.0;
    WriteJob(L"src", ini, par);

    m_modals->ExpectDialog(IDD_NEW_JOB)
        .SetText(IDC_NEW_JOB_NAME, L"copy")
        .Click(IDC_NEW_JOB_APPLY)
        .Click(IDOK);
    m_modals->ExpectDialog(IDD_FILE_OPEN).Click(IDCANCEL);
    Command(ID_JOB_NEW);
    EXPECT_FALSE(IsFolder(L"\\Flash Disk\\Jobs\\copy"));

    m_modals->ExpectDialog(IDD_NEW_JOB)
        .SetText(IDC_NEW_JOB_NAME, L"copy")
        .Click(IDC_NEW_JOB_APPLY)
        .Click(IDOK);
    m_modals->ExpectDialog(IDD_FILE_OPEN)
        .Do(ChooseInTree({L"Jobs", L"src", L"src.ini"}))
        .Click(IDOK);
    Command(ID_JOB_NEW);
    EXPECT_EQ(m_modals->Pending(), 0);
    const CString folder = L"\\Flash Disk\\Jobs\\copy\\";
    const SystemParams copyIni = ReadSettings(folder, L"copy.ini");
    EXPECT_EQ(copyIni.nTimeZone, 9);
    EXPECT_EQ(copyIni.szSFName, CString(L"SRC"));
    const CoordSysParams copyPar = ReadParams(folder, L"copy.par");
    EXPECT_EQ(copyPar.szdCenter, 3.0);
    EXPECT_EQ(copyPar.szdCx1, 12.5);
    EXPECT_NEAR(copyPar.szdBaseX, kBaseNorth, 1e-4);  // the base point refreshed
    // The calibration table follows the new job's parameters.
    EXPECT_EQ(Doc().m_calibMeasured[2].x, 7.0);
    EXPECT_EQ(Doc().m_calibMeasured[0].x, copyPar.szdBaseX);
    EXPECT_EQ(Title(), L"Quorvel <copy.dat>");
}

TEST_F(NewJobTest, NamesThatCannotNameAJobAreRefusedAndNothingIsMade) {
    StartOnJob(FromJob);
    const std::vector<std::string> before = List(L"\\Flash Disk\\Jobs");
    quorvel::testing::ModalStep& dialog = m_modals->ExpectDialog(IDD_NEW_JOB);
    for (const wchar_t* bad :
         {L"", L"   ", L"a/b", L"a\\b", L"..", L"x:y", L"a*b", L"[1]", L"a=b", L"a?b", L"a|b"}) {
        dialog.SetText(IDC_NEW_JOB_NAME, bad).Click(IDOK).Do([](HWND hwnd) {
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(hwnd, IDC_NEW_JOB_NAME));
        });
        m_modals->ExpectMessageBox(L"作业名称无效,请重新输入!").Answer(IDOK);
    }
    dialog.Click(IDCANCEL);
    Command(ID_JOB_NEW);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(List(L"\\Flash Disk\\Jobs"), before);

    ExpectNewJob(L"测量一");
    m_modals->ExpectDialog(IDD_PARAM_WIZARD).Click(IDOK);
    Command(ID_JOB_NEW);
    EXPECT_TRUE(IsFile(L"\\Flash Disk\\Jobs\\测量一\\测量一.par"));
    EXPECT_EQ(ReadSettings(L"\\Flash Disk\\Jobs\\测量一\\", L"测量一.ini").Port, 2);
    EXPECT_EQ(Title(), L"Quorvel <测量一.dat>");
}

}  // namespace
}  // namespace commandstest
