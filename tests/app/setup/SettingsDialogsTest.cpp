// The settings dialogs over the running program, answered by responders:
// each one's controls after initialisation (a text dump), what it takes
// from the job's settings, its enabling rules and refusals, and what it
// hands back to its opener.
#include "app/libraries/OverLimitPromptDlg.h"
#include "app/setup/BasePositionDlg.h"
#include "app/setup/DataCollectSetDlg.h"
#include "app/setup/DataConvertModeDlg.h"
#include "app/setup/FileOpenModeDlg.h"
#include "app/setup/InstrumentSetDlg.h"
#include "app/setup/RoverAntHeightDlg.h"
#include "app/setup/StaticModeDlg.h"
#include "app/setup/StorageSetDlg.h"
#include "app/setup/SystemInfoDlg.h"
#include "app/setup/TimeZoneDlg.h"
#include "platform/files/Shell.h"
#include "res/resource.h"
#include "tests/app/setup/SetupTest.h"

namespace setuptest {
namespace {

class SettingsDialogsTest : public SetupTest {};

TEST_F(SettingsDialogsTest, DataCollectionGreysTheIntervalThatDoesNotApply) {
    StartProgram([](SystemParams& p) {
        p.nCollectStatus = 1;
        p.nCollectMode = 2;
        p.dCollectTime = 1.5;
        p.dCollectDis = 2.25;
        p.dDeepInterTime = 3.0;
    });
    auto enabled = [](bool time, bool distance) {
        return [time, distance](HWND dialog) {
            EXPECT_EQ(ItemEnabled(dialog, IDC_COLLECT_TIME), time);
            EXPECT_EQ(ItemEnabled(dialog, IDC_COLLECT_DISTANCE), distance);
        };
    };
    m_modals->ExpectDialog(IDD_DATA_COLLECT_SET)
        .Do(Dump("data_collect"))
        .Do(enabled(false, false))
        .Click(IDC_COLLECT_BY_TIME)
        .Do(enabled(true, false))
        .Click(IDC_COLLECT_BY_DISTANCE)
        .Do(enabled(false, true))
        .SetText(IDC_COLLECT_DISTANCE, L"12.5")
        .Click(IDC_COLLECT_RTK)
        // A depth interval that is no number: the prompt, the dialog stays.
        .SetText(IDC_COLLECT_DEPTH_TIME, L"1e")
        .Click(IDOK)
        .SetText(IDC_COLLECT_DEPTH_TIME, L"4")
        .Click(IDOK);
    m_modals->ExpectMessageBox(L"请输入一个数字").Answer(IDOK);
    CDataCollectSetDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nCollectStatus, 2);
    EXPECT_EQ(dlg.m_nCollectMode, 1);
    EXPECT_EQ(dlg.m_dCollectTime, 1.5);
    EXPECT_EQ(dlg.m_dCollectDis, 12.5);
    EXPECT_EQ(dlg.m_dDeepInterTime, 4.0);

    // Opened on the other modes; a mode outside the three greys neither.
    const struct {
        int mode;
        bool time, distance;
    } modes[] = {{0, true, false}, {1, false, true}, {3, true, true}};
    for (const auto& m : modes) {
        Doc().m_sysParams.nCollectMode = m.mode;
        m_modals->ExpectDialog(IDD_DATA_COLLECT_SET)
            .Do(enabled(m.time, m.distance))
            .Click(IDCANCEL);
        CDataCollectSetDlg other;
        EXPECT_EQ(other.DoModal(), IDCANCEL);
    }
}

TEST_F(SettingsDialogsTest, StorageRefusesANameNoFileCanCarry) {
    StartProgram([](SystemParams& p) {
        p.szSFName = L"LN";
        p.nSFStartID = 7;
        p.nSFNameMode = 1;
    });
    m_modals->ExpectDialog(IDD_STORAGE_SET)
        .Do(Dump("storage"))
        .SetText(IDC_STORAGE_FILE_NAME, L"line:1")
        .Click(IDOK)
        .SetText(IDC_STORAGE_FILE_NAME, L"..\\up")
        .Click(IDOK)
        .SetText(IDC_STORAGE_FILE_NAME, L"a=b")
        .Click(IDOK)
        .SetText(IDC_STORAGE_LINE_NUMBER, L"x")
        .Click(IDOK)
        .SetText(IDC_STORAGE_FILE_NAME, L"测线")
        .SetText(IDC_STORAGE_LINE_NUMBER, L"12")
        .Click(IDC_STORAGE_NAME_LINE)
        .Click(IDOK);
    for (int i = 0; i < 3; ++i)
        m_modals->ExpectMessageBox(L"文件名中含有非法字符,请重新输入!").Answer(IDOK);
    m_modals->ExpectMessageBox(L"请输入一个整数").Answer(IDOK);
    CStorageSetDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_szSFName, CString(L"测线"));
    EXPECT_EQ(dlg.m_nSFStartID, 12);
    EXPECT_EQ(dlg.m_nSFNameMode, 2);
    EXPECT_NE(shelltest::Boxes(*m_modals).find("\"提示\" \"文件名中含有非法字符"),
              std::string::npos);
}

TEST_F(SettingsDialogsTest, ASlantHeightShorterThanTheAntennaRadiusIsRefused) {
    StartProgram([](SystemParams& p) {
        p.szdSourceAntHgt = 1.25;
        p.nAntHgtType = 0;
        p.nUseAntHgt = 1;
    });
    m_modals->ExpectDialog(IDD_ROVER_ANT_HEIGHT)
        .Do(Dump("rover_antenna_height"))
        .SetText(IDC_ANT_HEIGHT, L"0.05")
        .Click(IDC_ANT_SLANT)
        .Click(IDOK)
        .SetText(IDC_ANT_HEIGHT, L"0.0975")
        .Click(IDOK);
    m_modals->ExpectMessageBox(L"斜高不能小于0.0975米,请重新输入!").Answer(IDOK);
    CRoverAntHeightDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_szdSourceAntHgt, 0.0975);
    EXPECT_EQ(dlg.m_nAntHgtType, 1);
    EXPECT_EQ(dlg.m_nUseAntHgt, 1);
    // Measured vertically any height is taken.
    m_modals->ExpectDialog(IDD_ROVER_ANT_HEIGHT).SetText(IDC_ANT_HEIGHT, L"0.05").Click(IDOK);
    CRoverAntHeightDlg vertical;
    ASSERT_EQ(vertical.DoModal(), IDOK);
    EXPECT_EQ(vertical.m_szdSourceAntHgt, 0.05);
}

TEST_F(SettingsDialogsTest, TimeZoneTakesAnyWholeNumber) {
    StartProgram([](SystemParams& p) { p.nTimeZone = 8; });
    m_modals->ExpectDialog(IDD_TIME_ZONE)
        .Do(Dump("time_zone"))
        .SetText(IDC_TIME_ZONE, L"8.5")
        .Click(IDOK)
        .SetText(IDC_TIME_ZONE, L"-13")
        .Click(IDOK);
    m_modals->ExpectMessageBox(L"请输入一个整数").Answer(IDOK);
    CTimeZoneDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nTimeZone, -13);
}

TEST_F(SettingsDialogsTest, SystemInformationShowsTheDevicesFiguresInKilobytes) {
    StartProgram();
    MEMORYSTATUS memory{};
    GlobalMemoryStatus(&memory);
    STORE_INFORMATION store{};
    ASSERT_TRUE(GetStoreInformation(&store));
    const int figures[] = {IDC_SYSINFO_MEM_TOTAL,   IDC_SYSINFO_MEM_USED,   IDC_SYSINFO_MEM_FREE,
                           IDC_SYSINFO_STORE_TOTAL, IDC_SYSINFO_STORE_USED, IDC_SYSINFO_STORE_FREE};
    m_modals->ExpectDialog(IDD_SYSTEM_INFO)
        .Do([&](HWND dialog) {
            const auto number = [dialog](int id) { return std::stol(Text(dialog, id)); };
            EXPECT_EQ(number(IDC_SYSINFO_MEM_TOTAL), static_cast<long>(memory.dwTotalPhys >> 10));
            EXPECT_EQ(number(IDC_SYSINFO_STORE_TOTAL), static_cast<long>(store.dwStoreSize >> 10));
            // Used is the difference of the shifted figures.
            EXPECT_EQ(number(IDC_SYSINFO_MEM_USED),
                      number(IDC_SYSINFO_MEM_TOTAL) - number(IDC_SYSINFO_MEM_FREE));
            EXPECT_EQ(number(IDC_SYSINFO_STORE_USED),
                      number(IDC_SYSINFO_STORE_TOTAL) - number(IDC_SYSINFO_STORE_FREE));
            EXPECT_LE(number(IDC_SYSINFO_STORE_FREE), number(IDC_SYSINFO_STORE_TOTAL));
            EXPECT_GT(number(IDC_SYSINFO_MEM_FREE), 0);
            // The layout, without the host's own figures.
            for (int id : figures) SetDlgItemText(dialog, id, L"#");
            ExpectDump(dialog, "system_info");
        })
        .Click(IDOK);
    CSystemInfoDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(SettingsDialogsTest, TheChoiceDialogsEndWithTheirChoice) {
    StartProgram();
    const struct {
        int button;
        INT_PTR result;
        int choice;
    } choices[] = {{IDC_OPEN_MODE_OVERWRITE, IDOK, 0},
                   {IDC_OPEN_MODE_APPEND, IDOK, 1},
                   {IDCANCEL, IDCANCEL, 2}};
    for (const auto& c : choices) {
        m_modals->ExpectDialog(IDD_FILE_OPEN_MODE).Do(Dump("file_open_mode")).Click(c.button);
        CFileOpenModeDlg dlg;
        EXPECT_EQ(dlg.DoModal(), c.result);
        EXPECT_EQ(dlg.m_nResult, c.choice);
    }
    // Closed by its window the open mode is cancelled too.
    m_modals->ExpectDialog(IDD_FILE_OPEN_MODE).Key(VK_ESCAPE);
    CFileOpenModeDlg escaped;
    EXPECT_EQ(escaped.DoModal(), IDCANCEL);
    EXPECT_EQ(escaped.m_nResult, 2);

    m_modals->ExpectDialog(IDD_DATA_CONVERT_MODE)
        .Do(Dump("data_convert_mode"))
        .Click(IDC_CONVERT_RAW)
        .Click(IDOK);
    CDataConvertModeDlg convert;
    EXPECT_EQ(convert.DoModal(), IDOK);
    EXPECT_EQ(convert.m_nMode, 2);

    m_modals->ExpectDialog(IDD_OVER_LIMIT_PROMPT).Do(Dump("over_limit_prompt")).Click(IDCANCEL);
    COverLimitPromptDlg prompt;
    prompt.m_strText = L"第1点水平精度超限\r\n第3点高程精度超限\r\n";
    EXPECT_EQ(prompt.DoModal(), IDCANCEL);
}

TEST_F(SettingsDialogsTest, TheReceiverSetUpDialogsOpenOnTheirDefaults) {
    StartProgram([](SystemParams& p) { p.nRadioFormat = 3; });
    Doc().m_curFix.dLat = 48.8583;
    Doc().m_curFix.dLon = 2.2945;
    Doc().m_curFix.dHeight = 35.0;
    m_modals->ExpectDialog(IDD_INSTRUMENT_SET).Do(Dump("instrument")).Click(IDOK);
    CInstrumentSetDlg instrument;
    EXPECT_EQ(instrument.DoModal(), IDOK);
    EXPECT_EQ(instrument.m_nMode, 0);

    m_modals->ExpectDialog(IDD_STATIC_MODE)
        .Do(Dump("static_mode"))
        .SetText(IDC_STATIC_PDOP, L"abc")
        .Click(IDOK)
        .Click(IDCANCEL);
    m_modals->ExpectMessageBox(L"请输入一个数字").Answer(IDOK);
    CStaticModeDlg staticMode;
    EXPECT_EQ(staticMode.DoModal(), IDCANCEL);

    m_modals->ExpectDialog(IDD_BASE_MANUAL_SET).Do(Dump("base_manual")).Click(IDCANCEL);
    CBaseManualSetDlg manual;
    EXPECT_EQ(manual.DoModal(), IDCANCEL);
    m_modals->ExpectDialog(IDD_BASE_SETTING).Do(Dump("base_setting")).Click(IDCANCEL);
    CBaseSettingDlg setting;
    EXPECT_EQ(setting.DoModal(), IDCANCEL);
}

}  // namespace
}  // namespace setuptest
