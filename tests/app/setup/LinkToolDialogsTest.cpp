// The radio, GGA-send and sounder dialogs over the running program: the
// radio's mailbox requests with a stand-in for the link's worker (which
// nothing in the program provides) and for the no-data watchdog that takes
// the busy word back, the GGA relay's texts, and the sounder settings'
// rates.
#include "app/setup/GgaSendDlg.h"
#include "app/setup/SounderSetDlg.h"
#include "app/shell/AppGlobals.h"
#include "app/shell/MainFrame.h"
#include "platform/base/Clock.h"
#include "platform/testing/ModalScript.h"
#include "res/resource.h"
#include "tests/app/setup/SetupTest.h"

namespace setuptest {
namespace {

class LinkToolDialogsTest : public SetupTest {};

// One tick of the dialog's one-second timer.
void Tick(HWND dialog) {
    quorvel::AdvanceVirtualClock(1000);
    quorvel::testing::PumpDialogMessages(dialog);
}

auto Status(const char* expected) {
    return [expected](HWND dialog) { EXPECT_EQ(Text(dialog, IDC_RADIO_STATUS), expected); };
}

auto Buttons(bool enabled) {
    return [enabled](HWND dialog) {
        for (int id : {IDC_RADIO_READ, IDC_RADIO_SWITCH, IDC_RADIO_AUTO_SEARCH})
            EXPECT_EQ(ItemEnabled(dialog, id), enabled) << id;
    };
}

// The link's worker has done the request.
void Answer(int state, BOOL ok, int channel) {
    g_gpsComm.m_bRadioOk = ok;
    g_gpsComm.m_nCurChannel = channel;
    g_gpsComm.m_bRadioReadReq = 0;
    g_gpsComm.m_bRadioSwitchReq = 0;
    g_gpsComm.m_nRadioState = state;
    g_gpsComm.m_nBusy = 0;
}

TEST_F(LinkToolDialogsTest, TheRadioDialogAsksThroughTheMailboxAndReportsEachOutcome) {
    StartProgram();
    Identify("VX41T70815");
    uint64_t closing = 0;
    m_modals->ExpectDialog(IDD_RADIO_CHANNEL)
        .Do(Dump("radio_channel"))
        .Do([](HWND dialog) { EXPECT_EQ(Text(dialog, IDC_RADIO_CURRENT), "通道未知"); })
        // A read nobody answers until the watchdog takes the busy word back.
        .Click(IDC_RADIO_READ)
        .Do([](HWND) {
            EXPECT_EQ(g_gpsComm.m_nBusy, 1);
            EXPECT_EQ(g_gpsComm.m_bRadioReadReq, 1);
            EXPECT_EQ(g_gpsComm.m_bRadioOk, 0);
            EXPECT_EQ(g_gpsComm.m_nRadioState, -1);
        })
        .Do(Status("提示:读取电台通道..."))
        .Do(Buttons(false))
        .Do(Tick)
        .Do(Tick)
        .Do(Status("提示:读取电台通道..."))
        .Do([](HWND) { g_gpsComm.m_nBusy = 0; })
        .Do(Tick)
        .Do(Status("提示:读取操作超时!"))
        .Do(Buttons(true))
        // Answered: the channel is shown.
        .Click(IDC_RADIO_READ)
        .Do([](HWND) { Answer(1, 1, 3); })
        .Do(Tick)
        .Do(Status("提示:读取电台成功!"))
        .Do([](HWND dialog) { EXPECT_EQ(Text(dialog, IDC_RADIO_CURRENT), "3"); })
        .Do(Buttons(true))
        // A switch to channel 2, answered, then one that times out.
        .Select(IDC_RADIO_CHANNEL, 1)
        .Click(IDC_RADIO_SWITCH)
        .Do([](HWND) {
            EXPECT_EQ(g_gpsComm.m_bRadioSwitchReq, 1);
            EXPECT_EQ(g_gpsComm.m_nRadioTarget, 2);
            EXPECT_EQ(g_gpsComm.m_nBusy, 1);
        })
        .Do(Status("提示:切换电台通道..."))
        .Do([](HWND) { Answer(2, 1, 2); })
        .Do(Tick)
        .Do(Status("提示:切换电台成功!"))
        .Do([](HWND dialog) {
            EXPECT_EQ(Text(dialog, IDC_RADIO_CURRENT), "2");
            EXPECT_EQ(SendDlgItemMessage(dialog, IDC_RADIO_CHANNEL, CB_GETCURSEL, 0, 0), 1);
        })
        .Select(IDC_RADIO_CHANNEL, 3)
        .Click(IDC_RADIO_SWITCH)
        .Do([](HWND) { g_gpsComm.m_nBusy = 0; })
        .Do(Tick)
        .Do(Status("提示:切换操作超时!"))
        .Do(Buttons(true))
        .Click(IDC_RADIO_AUTO_SEARCH)
        .Do(Status("提示:自动读取通道设置完毕"))
        // Leaving stops the search and takes the busy word back.
        .Click(IDC_RADIO_READ)
        .Do([&closing](HWND) { closing = quorvel::ClockNowMs(); })
        .Click(IDCANCEL);
    Command(ID_RADIO_SETTINGS);
    EXPECT_EQ(quorvel::ClockNowMs() - closing, 100u);
    EXPECT_EQ(g_gpsComm.m_nBusy, 0);
    ExpectLog("radio_dialog.log");

    // Closing the window takes the same road; the known channel is shown.
    ClearLog();
    m_modals->ExpectDialog(IDD_RADIO_CHANNEL)
        .Do([](HWND dialog) {
            EXPECT_EQ(Text(dialog, IDC_RADIO_CURRENT), "2");
            EXPECT_EQ(SendDlgItemMessage(dialog, IDC_RADIO_CHANNEL, CB_GETCURSEL, 0, 0), 1);
        })
        .Do([](HWND dialog) { SendMessage(dialog, WM_CLOSE, 0, 0); });
    Command(ID_RADIO_SETTINGS);
    ASSERT_TRUE(WaitForLog(2));
    EXPECT_EQ(Log(), std::vector<std::string>(2, "FRAME id=53 len=1 payload=00 xor=ok"));
}

TEST_F(LinkToolDialogsTest, TheGgaDialogTakesStopsAndChoosesTheRelay) {
    StartProgram();
    CMainFrame* frame = Frame();
    const CString gga =
        L"$GPGGA,080000.00,4851.49800,N,00217.67000,E,4,12,0.8,35.0,M,0.0,M,1.0,0000*5C";
    frame->m_strCurGga = gga;
    frame->m_nRelayMode = 1;
    m_modals->ExpectDialog(IDD_GGA_SEND)
        .Do(Dump("gga_send"))
        .Do([](HWND dialog) {
            EXPECT_EQ(Text(dialog, IDC_GGA_STATUS), "当前状态：停止发送");
            EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_GGA_BY_DISTANCE),
                      static_cast<UINT>(BST_CHECKED));
        })
        .Click(IDC_GGA_GET)
        .Do([&](HWND dialog) {
            EXPECT_EQ(frame->m_strRelayGga, gga);
            EXPECT_EQ(CString(Text(dialog, IDC_GGA_TEXT).c_str()), gga);
            EXPECT_EQ(Text(dialog, IDC_GGA_STATUS), "当前状态：正在发送");
        })
        .Click(IDC_GGA_BY_DIFF_DISTANCE)
        .Click(IDOK);
    CGgaSendDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nRelayMode, 3);

    m_modals->ExpectDialog(IDD_GGA_SEND)
        .Do([](HWND dialog) { EXPECT_EQ(Text(dialog, IDC_GGA_STATUS), "当前状态：正在发送"); })
        .Click(IDC_GGA_STOP)
        .Do([&](HWND dialog) {
            EXPECT_TRUE(frame->m_strRelayGga.IsEmpty());
            EXPECT_EQ(Text(dialog, IDC_GGA_TEXT), "");
            EXPECT_EQ(Text(dialog, IDC_GGA_STATUS), "当前状态：停止发送");
        })
        .Click(IDOK);
    CGgaSendDlg stop;
    ASSERT_EQ(stop.DoModal(), IDOK);
    EXPECT_EQ(stop.m_nRelayMode, 1);
}

TEST_F(LinkToolDialogsTest, TheSounderSettingsKeepARateTheyDoNotList) {
    StartProgram();
    SystemParams params;
    params.SoundPort = 3;
    params.SoundUse = 1;
    params.SoundType = 1;
    params.SoundBandrate = 38400;
    m_modals->ExpectDialog(IDD_SOUNDER_SET)
        .Do(Dump("sounder_set"))
        .Do([](HWND dialog) {
            EXPECT_EQ(SendDlgItemMessage(dialog, IDC_SOUNDER_BAUD, CB_GETCURSEL, 0, 0), -1);
            EXPECT_EQ(Text(dialog, IDC_SOUNDER_PORT), "3");
        })
        .Click(IDOK);
    CSounderSetDlg dlg;
    dlg.FromSettings(params);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    dlg.ToSettings(params);
    EXPECT_EQ(params.SoundBandrate, 38400);

    m_modals->ExpectDialog(IDD_SOUNDER_SET)
        .SetText(IDC_SOUNDER_PORT, L"four")
        .Click(IDOK)
        .SetText(IDC_SOUNDER_PORT, L"4")
        .Select(IDC_SOUNDER_BAUD, 4)
        .Select(IDC_SOUNDER_TYPE, 3)
        .Click(IDC_SOUNDER_USE)
        .Click(IDOK);
    m_modals->ExpectMessageBox(L"请输入一个整数").Answer(IDOK);
    CSounderSetDlg change;
    change.FromSettings(params);
    ASSERT_EQ(change.DoModal(), IDOK);
    change.ToSettings(params);
    EXPECT_EQ(params.SoundPort, 4);
    EXPECT_EQ(params.SoundBandrate, 115200);
    EXPECT_EQ(params.SoundType, 3);
    EXPECT_EQ(params.SoundUse, 0);
    // A listed rate opens chosen.
    change.FromSettings(params);
    EXPECT_EQ(change.m_nBaud, 4);
}

}  // namespace
}  // namespace setuptest
