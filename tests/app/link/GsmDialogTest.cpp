// The GSM settings dialog over the running program: its four requests with
// their mailbox rows and outcome texts, the base number and modem state a
// read brings, and "退出": refused while an interval is not valid, else the
// intervals saved, the receiver told to stop searching twice 100 ms apart,
// the mailbox released and the base-station log asked for.
#include <filesystem>

#include "app/link/GsmSettingsDlg.h"
#include "app/shell/MainFrame.h"
#include "platform/base/Clock.h"
#include "res/resource.h"
#include "tests/app/link/LinkTest.h"

namespace linktest {
namespace {

void Click(HWND dialog, int id) {
    ::SendMessage(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    quorvel::testing::PumpDialogMessages(dialog);
}

// The GSM flags as one text: read, set, set-number, dial and hang-up
// requests, the radio read, then the four results, then the radio state
// and the busy word.
std::string GsmFlags() {
    const CGpsComm& c = g_gpsComm;
    std::string s;
    for (int b :
         {c.m_bGsmReadReq, c.m_bGsmSetReq, static_cast<int>(c.m_bGsmSetNumberReq),
          static_cast<int>(c.m_bGsmDialReq), static_cast<int>(c.m_bGsmHangUpReq), c.m_bRadioReadReq,
          static_cast<int>(c.m_bGsmReadOk), static_cast<int>(c.m_bGsmSetOk),
          static_cast<int>(c.m_bGsmDialOk), static_cast<int>(c.m_bGsmHangUpOk)})
        s += static_cast<char>('0' + b);
    return s + " radio " + std::to_string(c.m_nRadioState) + " busy " +
           std::to_string(c.m_nBusy.load());
}

bool RequestButtonsEnabled(HWND d) {
    return ItemEnabled(d, IDC_GSM_READ) && ItemEnabled(d, IDC_GSM_SET) &&
           ItemEnabled(d, IDC_GSM_DIAL) && ItemEnabled(d, IDC_GSM_HANG_UP);
}

bool RequestButtonsDisabled(HWND d) {
    return !ItemEnabled(d, IDC_GSM_READ) && !ItemEnabled(d, IDC_GSM_SET) &&
           !ItemEnabled(d, IDC_GSM_DIAL) && !ItemEnabled(d, IDC_GSM_HANG_UP);
}

using GsmDialogTest = LinkTest;

TEST_F(GsmDialogTest, EachOperationReportsOnlyItselfAndAReadBringsTheNumberAndState) {
    StartProgram([](SystemParams& p) {
        p.GSMSendTimeInterval = 8;
        p.GSMSendDisInterval = 150.0;
    });
    g_gpsComm.m_strGsmBaseNumber = L"13300001111";
    g_gpsComm.m_strModemState = L"CONNECTED";
    Frame()->m_strCurGga = L"\n$GPGGA,080000.00,3150.0,N,11710.0,E,4,09,1.0,30.0,M,0,M,1,0*5C\r";
    m_modals->ExpectDialog(IDD_GSM_SETTINGS)
        .Do([&](HWND d) {
            EXPECT_EQ(ItemText(d, IDC_GSM_TIME_INTERVAL), L"8");
            EXPECT_EQ(ItemText(d, IDC_GSM_DIS_INTERVAL), L"150");
            EXPECT_EQ(ItemText(d, IDC_GSM_BASE_NUMBER), L"13300001111");
            EXPECT_EQ(ItemText(d, IDC_GSM_MODEM_STATE), L"");
            EXPECT_EQ(ItemText(d, IDC_GSM_GGA),
                      L"$GPGGA,080000.00,3150.0,N,11710.0,E,4,09,1.0,30.0,M,0,M,1,0*5C");
            g_gpsComm.m_bRadioReadReq = 1;
            g_gpsComm.m_bGsmDialReq = 1;
            Click(d, IDC_GSM_READ);
            EXPECT_EQ(GsmFlags(), "1000000000 radio -1 busy 1");
            EXPECT_EQ(g_gpsComm.m_strGsmBaseNumber, CString(L""));
            EXPECT_EQ(ItemText(d, IDC_GSM_STATUS), L"提示:读取GSM信息...");
            EXPECT_TRUE(RequestButtonsDisabled(d));
            // The watchdog ends it: the number shown is the one emptied,
            // an unknown state leaves the text as it was.
            g_gpsComm.m_strModemState = L"OFF";
            Tick(d, 12);
            EXPECT_EQ(ItemText(d, IDC_GSM_STATUS), L"提示:读操作超时!");
            EXPECT_EQ(ItemText(d, IDC_GSM_BASE_NUMBER), L"");
            EXPECT_EQ(ItemText(d, IDC_GSM_MODEM_STATE), L"");
            EXPECT_TRUE(RequestButtonsEnabled(d));
            EXPECT_EQ(GsmFlags(), "0000000000 radio -1 busy 0");

            const struct {
                const char* state;
                const wchar_t* text;
            } states[] = {{"READY", L"待机状态"},
                          {"DIALING", L"拨号状态"},
                          {"CONNECTED", L"正在通讯"},
                          {"BUSY", L"正在通讯"}};
            for (const auto& s : states) {
                Click(d, IDC_GSM_READ);
                g_gpsComm.m_strGsmBaseNumber = L"13900002222";
                g_gpsComm.m_strModemState = CString(s.state);
                g_gpsComm.m_bGsmReadOk = 1;
                g_gpsComm.m_nBusy = 0;
                Tick(d, 1);
                EXPECT_EQ(ItemText(d, IDC_GSM_STATUS), L"提示:读操作成功!");
                EXPECT_EQ(ItemText(d, IDC_GSM_BASE_NUMBER), L"13900002222");
                EXPECT_EQ(ItemText(d, IDC_GSM_MODEM_STATE), s.text) << s.state;
            }
        })
        .SetText(IDC_GSM_BASE_NUMBER, L"13511110000")
        .Click(IDC_GSM_SET)
        .Do([&](HWND d) {
            EXPECT_EQ(GsmFlags(), "0110000000 radio -1 busy 1");
            EXPECT_EQ(g_gpsComm.m_strGsmNewNumber, CString(L"13511110000"));
            EXPECT_EQ(ItemText(d, IDC_GSM_STATUS), L"提示:设置GSM号码...");
            // Results of other operations are not this one's.
            g_gpsComm.m_bGsmDialOk = 1;
            g_gpsComm.m_nBusy = 0;
            Tick(d, 1);
            EXPECT_EQ(ItemText(d, IDC_GSM_STATUS), L"提示:设置操作超时!");
            Click(d, IDC_GSM_SET);
            g_gpsComm.m_bGsmSetOk = 1;
            g_gpsComm.m_nBusy = 0;
            Tick(d, 1);
            EXPECT_EQ(ItemText(d, IDC_GSM_STATUS), L"提示:设置操作成功!");
            EXPECT_EQ(GsmFlags(), "0000000010 radio -1 busy 0");

            g_gpsComm.m_bGsmDialOk = 0;
            Click(d, IDC_GSM_DIAL);
            EXPECT_EQ(GsmFlags(), "0001000000 radio -1 busy 1");
            EXPECT_EQ(ItemText(d, IDC_GSM_STATUS), L"提示:正在拨号，请稍候...");
            g_gpsComm.m_bGsmDialOk = 1;
            g_gpsComm.m_nBusy = 0;
            Tick(d, 1);
            EXPECT_EQ(ItemText(d, IDC_GSM_STATUS), L"提示:拨号操作成功!");

            Click(d, IDC_GSM_HANG_UP);
            EXPECT_EQ(GsmFlags(), "0000100000 radio -1 busy 1");
            EXPECT_EQ(ItemText(d, IDC_GSM_STATUS), L"提示:正在断开连接，请稍候...");
            g_gpsComm.m_nBusy = 0;
            Tick(d, 1);
            EXPECT_EQ(ItemText(d, IDC_GSM_STATUS), L"提示:断开操作超时!");
            g_gpsComm.m_bGsmHangUpOk = 1;
            Click(d, IDC_GSM_HANG_UP);
            EXPECT_EQ(g_gpsComm.m_bGsmHangUpOk, 1) << "a hang-up keeps the result it waits for";
            g_gpsComm.m_nBusy = 0;
            Tick(d, 1);
            EXPECT_EQ(ItemText(d, IDC_GSM_STATUS), L"提示:断开操作成功!");
            // "切换" does nothing.
            Click(d, IDC_GSM_SWITCH);
            EXPECT_EQ(GsmFlags(), "0000000000 radio -1 busy 0");
        })
        .Click(IDCANCEL);
    CGsmSettingsDlg dlg(Frame());
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(GsmDialogTest, LeavingIsRefusedWhileAnIntervalIsWrongThenSavesAndReleasesTheMailbox) {
    StartProgram();
    PassFirstNotice();
    uint64_t closeStart = 0;
    m_modals->ExpectDialog(IDD_GSM_SETTINGS)
        .Click(IDC_GSM_DIAL)
        .SetText(IDC_GSM_TIME_INTERVAL, L"1001")
        .Click(IDCANCEL)
        .SetText(IDC_GSM_TIME_INTERVAL, L"-1")
        .Click(IDCANCEL)
        .SetText(IDC_GSM_TIME_INTERVAL, L"1000")
        .SetText(IDC_GSM_DIS_INTERVAL, L"12,5")
        .Click(IDCANCEL)
        .Do([&](HWND) {
            EXPECT_EQ(g_gpsComm.m_nBusy, 1);
            EXPECT_EQ(Sent(), "");
        })
        .SetText(IDC_GSM_DIS_INTERVAL, L"12.5")
        .Do([&](HWND) { closeStart = quorvel::ClockNowMs(); })
        .Click(IDCANCEL);
    m_modals->ExpectMessageBox(L"请输入一个介于0和1000之间的整数。").Answer(IDOK);
    m_modals->ExpectMessageBox(L"请输入一个介于0和1000之间的整数。").Answer(IDOK);
    m_modals->ExpectMessageBox(L"请输入一个数字。").Answer(IDOK);
    CGsmSettingsDlg dlg(Frame());
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_GE(quorvel::ClockNowMs() - closeStart, 100u);
    EXPECT_EQ(g_gpsComm.m_nBusy, 0);
    EXPECT_EQ(SavedSettings().GSMSendTimeInterval, 1000);
    EXPECT_DOUBLE_EQ(SavedSettings().GSMSendDisInterval, 12.5);
    ASSERT_TRUE(WaitForSent(4));
    EXPECT_EQ(Sent(),
              "FRAME id=53 len=1 payload=00 xor=ok\n"
              "FRAME id=53 len=1 payload=00 xor=ok\n"
              "TEXT \"log,refstationa,ontime,10\\r\\n\"\n"
              "TEXT \"\\r\\n\"\n");
}

TEST_F(GsmDialogTest, ASettingsFileThatCannotBeWrittenIsReportedAndTheCloseGoesOn) {
    StartProgram();
    PassFirstNotice();
    // A folder where the settings file should be: it cannot be replaced.
    std::filesystem::remove(Host(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini"));
    std::filesystem::create_directories(Host(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini"));
    m_modals->ExpectDialog(IDD_GSM_SETTINGS).SetText(IDC_GSM_TIME_INTERVAL, L"3").Click(IDCANCEL);
    m_modals->ExpectMessageBox(L"创建Ini文件错误,请检查错误!").Answer(IDOK);
    CGsmSettingsDlg dlg(Frame());
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(Doc().m_sysParams.GSMSendTimeInterval, 3);
    ASSERT_TRUE(WaitForSent(4));
}

}  // namespace
}  // namespace linktest
