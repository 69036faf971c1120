// The receiver set-up commands of the running program with the simulated
// receiver on COM1: what each sends, byte for byte against references
// written out by hand, what it stores, and what it refuses.
#include "app/shell/AppGlobals.h"
#include "platform/base/Clock.h"
#include "platform/resources/Resources.h"
#include "res/resource.h"
#include "tests/app/setup/SetupTest.h"

namespace setuptest {
namespace {

class SetupCommandsTest : public SetupTest {};

TEST_F(SetupCommandsTest, TheMaskIsSentAndStoredOnlyWithinZeroToEightyNine) {
    StartProgram();
    for (int mask : {0, 89}) {
        const CString text(std::to_string(mask).c_str());
        m_modals->ExpectDialog(IDD_SAT_MASK)
            .Do(Dump("sat_mask"))
            .SetText(IDC_SAT_MASK_ANGLE, text)
            .Click(IDOK);
        Command(ID_ELEVATION_MASK);
        ExpectLog("mask_" + std::to_string(mask) + ".log");
        EXPECT_EQ(SavedSettings().nGAngle, mask);
        EXPECT_NE(ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini")
                      .find("nGAngle=" + std::to_string(mask) + "\r\n"),
                  std::string::npos);
        ClearLog();
    }
    // Out of range or no number: the dialog stays; Cancel sends nothing.
    m_modals->ExpectDialog(IDD_SAT_MASK)
        .SetText(IDC_SAT_MASK_ANGLE, L"-1")
        .Click(IDOK)
        .SetText(IDC_SAT_MASK_ANGLE, L"90")
        .Click(IDOK)
        .SetText(IDC_SAT_MASK_ANGLE, L"3x")
        .Click(IDOK)
        .Click(IDCANCEL);
    m_modals->ExpectMessageBox(L"卫星截止角必须在0~89度之间").Answer(IDOK);
    m_modals->ExpectMessageBox(L"卫星截止角必须在0~89度之间").Answer(IDOK);
    m_modals->ExpectMessageBox(L"请输入一个整数").Answer(IDOK);
    Command(ID_ELEVATION_MASK);
    EXPECT_EQ(SavedSettings().nGAngle, 89);
    EXPECT_TRUE(Log().empty());
}

TEST_F(SetupCommandsTest, TheRoverSetUpSendsTheInterfaceModeOfEachFormatAndStoresTheFour) {
    StartProgram([](SystemParams& p) { p.nRadioFormat = 2; });
    int stored = 2;
    for (int format = 3; format >= 0; --format) {
        const CString rmsh(std::to_string(0.05 + format).c_str());
        m_modals->ExpectDialog(IDD_ROVER_SET)
            .Do([stored, format](HWND dialog) {
                // It opens on the stored values.
                EXPECT_EQ(SendDlgItemMessage(dialog, IDC_ROVER_DIFF_FORMAT, CB_GETCURSEL, 0, 0),
                          stored);
                if (format == 3) ExpectDump(dialog, "rover_set");
            })
            .Select(IDC_ROVER_FIX_LEVEL, format % 2)
            .Select(IDC_ROVER_DIFF_FORMAT, format)
            .SetText(IDC_ROVER_RMSH, rmsh)
            .SetText(IDC_ROVER_RMSV, L"0.12")
            .Click(IDOK);
        Command(ID_ROVER_SETTINGS);
        ExpectLog("rover_" + std::to_string(format) + ".log");
        const SystemParams saved = SavedSettings();
        EXPECT_EQ(saved.nRadioFormat, format);
        EXPECT_EQ(saved.nFixLevel, format % 2);
        EXPECT_DOUBLE_EQ(saved.dRmshLimit, 0.05 + format);
        EXPECT_DOUBLE_EQ(saved.dRmsvLimit, 0.12);
        stored = format;
        ClearLog();
    }
    // A limit that is no number keeps the dialog; Cancel stores nothing.
    m_modals->ExpectDialog(IDD_ROVER_SET)
        .Select(IDC_ROVER_DIFF_FORMAT, 3)
        .SetText(IDC_ROVER_RMSV, L"0,5")
        .Click(IDOK)
        .Click(IDCANCEL);
    m_modals->ExpectMessageBox(L"请输入一个数字").Answer(IDOK);
    Command(ID_ROVER_SETTINGS);
    EXPECT_EQ(SavedSettings().nRadioFormat, 0);
    EXPECT_TRUE(Log().empty());
}

TEST_F(SetupCommandsTest, RadioSettingsDependOnTheReceiverAndTheCorrectionLink) {
    StartProgram();
    // No identification yet: no receiver of the family.
    m_modals->ExpectMessageBox(L"GPS主机类型不匹配!").Answer(IDOK);
    Command(ID_RADIO_SETTINGS);
    Identify("VX40Q2708");
    m_modals->ExpectMessageBox(L"Q27基准站不可以设置电台!").Answer(IDOK);
    Command(ID_RADIO_SETTINGS);
    EXPECT_EQ(shelltest::Boxes(*m_modals),
              "message box \"信息提示\" \"GPS主机类型不匹配!\"\n  answer 1\n  closed\n"
              "message box \"信息提示\" \"Q27基准站不可以设置电台!\"\n  answer 1\n  closed\n");

    Identify("VX41T70815");
    m_modals->ExpectDialog(IDD_RADIO_CHANNEL).Click(IDCANCEL);
    Command(ID_RADIO_SETTINGS);
    EXPECT_EQ(Item(ID_RADIO_SETTINGS).text, "电台设置");

    // The GSM and network links have their own dialogs.
    const struct {
        int mode;
        UINT dialog;
        const char* text;
    } links[] = {{1, IDD_GSM_SETTINGS, "GSM设置"}, {2, IDD_NET_CONNECT, "网络连接"}};
    for (const auto& link : links) {
        Doc().m_sysParams.GSMMODE = link.mode;
        if (quorvel::resources::FindDialog(link.dialog))
            m_modals->ExpectDialog(link.dialog).Click(IDCANCEL);
        Command(ID_RADIO_SETTINGS);
        EXPECT_EQ(Item(ID_RADIO_SETTINGS).text, link.text);
    }
    // A network link is opened whatever the receiver's radio.
    Identify("VX40Q2708");
    if (quorvel::resources::FindDialog(IDD_NET_CONNECT))
        m_modals->ExpectDialog(IDD_NET_CONNECT).Click(IDCANCEL);
    Command(ID_RADIO_SETTINGS);

    // Greyed while a measurement runs or the sounder is connected.
    EXPECT_TRUE(Item(ID_RADIO_SETTINGS).enabled);
    Doc().m_bMeasuring = 1;
    EXPECT_FALSE(Item(ID_RADIO_SETTINGS).enabled);
    EXPECT_FALSE(Item(ID_INSTRUMENT_SETTINGS).enabled);
    Doc().m_bMeasuring = 0;
    Doc().m_bSounderActive = 1;
    EXPECT_FALSE(Item(ID_RADIO_SETTINGS).enabled);
    EXPECT_FALSE(Item(ID_INSTRUMENT_SETTINGS).enabled);
    Doc().m_bSounderActive = 0;
    EXPECT_TRUE(Item(ID_INSTRUMENT_SETTINGS).enabled);
}

TEST_F(SetupCommandsTest, StaticModeSendsItsParametersAndEndsTheProgramThroughItsQuestion) {
    StartProgram();
    // Without the receiver family the instrument settings do not open.
    m_modals->ExpectMessageBox(L"GPS主机类型不匹配!").Answer(IDOK);
    Command(ID_INSTRUMENT_SETTINGS);
    Identify("VX40T00815");
    // Cancelled static parameters send nothing.
    m_modals->ExpectDialog(IDD_INSTRUMENT_SET).Click(IDC_INSTRUMENT_STATIC).Click(IDOK);
    m_modals->ExpectDialog(IDD_STATIC_MODE).Click(IDCANCEL);
    Command(ID_INSTRUMENT_SETTINGS);
    EXPECT_TRUE(Log().empty());

    m_modals->ExpectDialog(IDD_INSTRUMENT_SET).Click(IDC_INSTRUMENT_STATIC).Click(IDOK);
    m_modals->ExpectDialog(IDD_STATIC_MODE)
        .SetText(IDC_STATIC_INTERVAL, L"30")
        .SetText(IDC_STATIC_CUTOFF, L"5")
        .SetText(IDC_STATIC_PDOP, L"2.55")
        .Click(IDOK);
    m_modals->ExpectMessageBox(L"确定退出程序吗?").Answer(IDYES);
    Command(ID_INSTRUMENT_SETTINGS);
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
    ExpectLog("static_mode.log");
}

TEST_F(SetupCommandsTest, DynamicModeEndsWithItsMessageOnTheRoverModel) {
    StartProgram();
    Identify("VX40T00815");
    m_modals->ExpectDialog(IDD_INSTRUMENT_SET).Click(IDOK);
    m_modals->ExpectMessageBox(L"动态模式设置完成,请检查!").Answer(IDOK);
    Command(ID_INSTRUMENT_SETTINGS);
    ExpectLog("dynamic_mode.log");
    // Cancel of the mode sends nothing.
    ClearLog();
    m_modals->ExpectDialog(IDD_INSTRUMENT_SET).Click(IDCANCEL);
    Command(ID_INSTRUMENT_SETTINGS);
    EXPECT_TRUE(Log().empty());
}

TEST_F(SetupCommandsTest, TheBaseModelStartsItsBaseByItselfWithTheChosenParameters) {
    StartProgram([](SystemParams& p) { p.nRadioFormat = 2; });
    Identify("VX41T52468");
    EXPECT_EQ(Doc().m_nReceiverVariant, 1);
    m_modals->ExpectDialog(IDD_INSTRUMENT_SET).Click(IDOK);
    m_modals->ExpectDialog(IDD_BASE_SET_MODE).Do(Dump("base_set_mode")).Click(IDC_BASE_MODE_AUTO);
    m_modals->ExpectDialog(IDD_BASE_AUTO_START)
        .Do(Dump("base_auto_start"))
        .Do([](HWND dialog) {
            EXPECT_EQ(SendDlgItemMessage(dialog, IDC_AUTO_FORMAT, CB_GETCURSEL, 0, 0), 2);
            EXPECT_EQ(Text(dialog, IDC_AUTO_INTERVAL), "1");
        })
        .SetText(IDC_AUTO_INTERVAL, L"5")
        .Select(IDC_AUTO_FORMAT, 1)
        .SetText(IDC_AUTO_CUTOFF, L"12")
        .SetText(IDC_AUTO_PDOP, L"2.0")
        .Click(IDOK);
    m_modals->ExpectMessageBox(L"自动启动基站参数设置完成!").Answer(IDOK);
    Command(ID_INSTRUMENT_SETTINGS);
    ExpectLog("auto_start.log");
    EXPECT_EQ(SavedSettings().nRadioFormat, 1);
    EXPECT_EQ(Doc().m_sysParams.nRadioFormat, 1);
    // Cancel of the mode choice ends after the dynamic mode.
    ClearLog();
    m_modals->ExpectDialog(IDD_INSTRUMENT_SET).Click(IDOK);
    m_modals->ExpectDialog(IDD_BASE_SET_MODE).Click(IDCANCEL);
    Command(ID_INSTRUMENT_SETTINGS);
    ExpectLog("dynamic_mode.log");
}

TEST_F(SetupCommandsTest, WorkModeSendsTheModeAndTheStaticParametersOnce) {
    StartProgram();
    m_modals->ExpectDialog(IDD_INSTRUMENT_SET).Click(IDOK);
    Command(ID_WORK_MODE);
    ExpectLog("work_mode_dynamic.log");
    ClearLog();
    m_modals->ExpectDialog(IDD_INSTRUMENT_SET).Click(IDC_INSTRUMENT_STATIC).Click(IDOK);
    m_modals->ExpectDialog(IDD_STATIC_MODE).Click(IDOK);
    Command(ID_WORK_MODE);
    ExpectLog("work_mode_static.log");
    // A PDOP beyond every count sends the largest one, by its low byte.
    ClearLog();
    m_modals->ExpectDialog(IDD_INSTRUMENT_SET).Click(IDC_INSTRUMENT_STATIC).Click(IDOK);
    m_modals->ExpectDialog(IDD_STATIC_MODE).SetText(IDC_STATIC_PDOP, L"1e300").Click(IDOK);
    Command(ID_WORK_MODE);
    ExpectLog("work_mode_static_huge_pdop.log");
    // Nothing is stored and the program runs on.
    EXPECT_NE(m_app->m_pMainWnd, nullptr);
}

}  // namespace
}  // namespace setuptest
