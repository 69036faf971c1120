// The network connect and network settings dialogs over the running
// program: the mailbox rows each request writes, the frame's watchdog
// ending a request with its time-out text (after 60 s for a GSM connect,
// 10 s otherwise), a stand-in for the missing worker that sets a result
// and clears the busy word, the fields each link and work mode enables,
// the refusals, and what closing the settings writes and sends.
#include "app/link/NetConnectDlg.h"
#include "app/link/NetSettingsDlg.h"
#include "res/resource.h"
#include "tests/app/link/LinkTest.h"

namespace linktest {
namespace {

// The two resume frames the watchdog and the settings' close send.
constexpr const char* kStopSearchTwice =
    "FRAME id=53 len=1 payload=00 xor=ok\n"
    "FRAME id=53 len=1 payload=00 xor=ok\n";

void Click(HWND dialog, int id) {
    ::SendMessage(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    quorvel::testing::PumpDialogMessages(dialog);
}

void Select(HWND dialog, int id, int index) {
    ::SendDlgItemMessage(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                  reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    quorvel::testing::PumpDialogMessages(dialog);
}

// The close box of the caption (the dialog's cancel).
void CloseBox(HWND dialog) {
    ::SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    quorvel::testing::PumpDialogMessages(dialog);
}

// The network flags as one text: request, read, set, connect, disconnect
// requests, then the four results, then the busy word.
std::string NetFlags() {
    const CGpsComm& c = g_gpsComm;
    std::string s;
    for (BYTE b : {c.m_bNetRequest, c.m_bNetReadReq, c.m_bNetSetReq, c.m_bNetConnectReq,
                   c.m_bNetDisconnectReq, c.m_bNetReadOk, c.m_bNetSetOk, c.m_bNetConnectOk,
                   c.m_bNetDisconnectOk})
        s += static_cast<char>('0' + b);
    return s + " busy " + std::to_string(c.m_nBusy.load());
}

// The worker the program does not have: a result, then the busy word
// cleared, and the dialog's next tick.
void AnswerRequest(HWND dialog, BYTE& result) {
    result = 1;
    g_gpsComm.m_nBusy = 0;
    Tick(dialog, 1);
}

using NetDialogTest = LinkTest;

TEST_F(NetDialogTest, AGsmConnectWaitsAMinuteForTheWatchdogAndADisconnectForItsAnswer) {
    StartProgram([](SystemParams& p) {
        p.nLinkMode = 0;
        p.nWorkMode = 1;
    });
    m_modals->ExpectDialog(IDD_NET_CONNECT)
        .Do([&](HWND d) {
            EXPECT_EQ(ItemText(d, IDC_NET_LINK_TEXT), L"GSM");
            EXPECT_EQ(ItemText(d, IDC_NET_MODE_TEXT), L"VRS");
            EXPECT_EQ(ItemText(d, IDC_NET_STATUS), L"");
            EXPECT_TRUE(ItemEnabled(d, IDC_NET_CONNECT) && ItemEnabled(d, IDC_NET_DISCONNECT));
            // Stale flags of another request are cleared by the connect.
            g_gpsComm.m_bNetReadReq = 1;
            g_gpsComm.m_bNetConnectOk = 1;
            Click(d, IDC_NET_CONNECT);
            EXPECT_EQ(NetFlags(), "100100000 busy 1");
            EXPECT_EQ(ItemText(d, IDC_NET_STATUS), L"开始网络连接，请稍候...");
            EXPECT_FALSE(ItemEnabled(d, IDC_NET_CONNECT) || ItemEnabled(d, IDC_NET_DISCONNECT));
            Tick(d, 50);
            EXPECT_EQ(ItemText(d, IDC_NET_STATUS), L"开始网络连接，请稍候...");
            EXPECT_EQ(g_gpsComm.m_nBusy, 1);
            Tick(d, 12);
            EXPECT_EQ(ItemText(d, IDC_NET_STATUS), L"网络连接超时!");
            EXPECT_EQ(NetFlags(), "000000000 busy 0");
            EXPECT_TRUE(ItemEnabled(d, IDC_NET_CONNECT) && ItemEnabled(d, IDC_NET_DISCONNECT));

            Click(d, IDC_NET_DISCONNECT);
            EXPECT_EQ(NetFlags(), "100010000 busy 1");
            EXPECT_EQ(ItemText(d, IDC_NET_STATUS), L"断开网络连接，请稍候...");
            Tick(d, 3);
            EXPECT_EQ(ItemText(d, IDC_NET_STATUS), L"断开网络连接，请稍候...");
            AnswerRequest(d, g_gpsComm.m_bNetDisconnectOk);
            EXPECT_EQ(ItemText(d, IDC_NET_STATUS), L"网络断开成功!");
            EXPECT_EQ(NetFlags(), "000000000 busy 0");

            Click(d, IDC_NET_CONNECT);
            AnswerRequest(d, g_gpsComm.m_bNetConnectOk);
            EXPECT_EQ(ItemText(d, IDC_NET_STATUS), L"网络连接成功!");
        })
        .Click(IDCANCEL);
    CNetConnectDlg dlg(Frame());
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    // Only the watchdog spoke to the receiver.
    ASSERT_TRUE(WaitForSent(2));
    EXPECT_EQ(Sent(), kStopSearchTwice);
}

TEST_F(NetDialogTest, AGprsLinkConnectsByItselfAndTheSettingsChangeWhatTheDialogShows) {
    StartProgram([](SystemParams& p) {
        p.nLinkMode = 1;
        p.nWorkMode = 3;
    });
    PassFirstNotice();
    m_modals->ExpectDialog(IDD_NET_CONNECT)
        .Do([&](HWND d) {
            EXPECT_EQ(ItemText(d, IDC_NET_LINK_TEXT), L"GPRS");
            EXPECT_EQ(ItemText(d, IDC_NET_MODE_TEXT), L"");
            EXPECT_FALSE(ItemEnabled(d, IDC_NET_CONNECT) || ItemEnabled(d, IDC_NET_DISCONNECT));
        })
        .Click(IDC_NET_SETUP)
        .Do([&](HWND d) {
            EXPECT_EQ(ItemText(d, IDC_NET_LINK_TEXT), L"GSM");
            EXPECT_EQ(ItemText(d, IDC_NET_MODE_TEXT), L"VRS-NTRIP");
            EXPECT_TRUE(ItemEnabled(d, IDC_NET_CONNECT) && ItemEnabled(d, IDC_NET_DISCONNECT));
        })
        .Click(IDCANCEL);
    m_modals->ExpectDialog(IDD_NET_SETTINGS)
        .Select(IDC_NET_LINK_CHOICE, 0)
        .Select(IDC_NET_MODE_CHOICE, 2)
        .Click(IDOK);
    CNetConnectDlg dlg(Frame());
    dlg.DoModal();
    EXPECT_EQ(SavedSettings().nLinkMode, 0);
    EXPECT_EQ(SavedSettings().nWorkMode, 2);
    ASSERT_TRUE(WaitForSent(2));
    EXPECT_EQ(Sent(), kStopSearchTwice);
}

TEST_F(NetDialogTest, EachLinkAndWorkModeEnablesItsOwnFields) {
    StartProgram([](SystemParams& p) { p.nLinkMode = 7; });
    PassFirstNotice();
    const int fields[] = {IDC_NET_DIAL_NUMBER, IDC_NET_TIME_INTERVAL, IDC_NET_DIS_INTERVAL,
                          IDC_NET_BASE_SERIAL, IDC_NET_SERVER_IP,     IDC_NET_SERVER_PORT,
                          IDC_NET_USER,        IDC_NET_DOMAIN,        IDC_NET_PASSWORD};
    auto enabled = [&](HWND d) {
        std::string s;
        for (int id : fields) s += ItemEnabled(d, id) ? '1' : '0';
        return s;
    };
    // Fields in the order above: dial, time, distance, base serial, IP,
    // port, user, domain, password.
    const char* expected[2][3] = {{"100000000", "111000000", "111000000"},
                                  {"000111000", "011011100", "011011111"}};
    m_modals->ExpectDialog(IDD_NET_SETTINGS)
        .Do([&](HWND d) {
            EXPECT_EQ(enabled(d), "000000000");  // a link the dialog does not know
            for (int link = 0; link < 2; ++link) {
                for (int mode = 0; mode < 3; ++mode) {
                    Select(d, IDC_NET_LINK_CHOICE, link);
                    Select(d, IDC_NET_MODE_CHOICE, mode);
                    EXPECT_EQ(enabled(d), expected[link][mode]) << link << " " << mode;
                }
            }
            EXPECT_TRUE(ItemEnabled(d, IDC_NET_READ) && ItemEnabled(d, IDC_NET_SETUP));
        })
        .Do(CloseBox);
    CNetSettingsDlg dlg(Frame());
    dlg.DoModal();
    // The last choices are kept, the intervals as they were.
    EXPECT_EQ(SavedSettings().nLinkMode, 1);
    EXPECT_EQ(SavedSettings().nWorkMode, 2);
    EXPECT_EQ(SavedSettings().GSMSendTimeInterval, 5);
}

TEST_F(NetDialogTest, AReadEmptiesTheFieldsItExpectsAndFillsThemOnlyWhenAnswered) {
    StartProgram([](SystemParams& p) {
        p.nLinkMode = 1;
        p.nWorkMode = 2;
    });
    m_modals->ExpectDialog(IDD_NET_SETTINGS)
        .SetText(IDC_NET_SERVER_IP, L"10.0.0.1")
        .SetText(IDC_NET_DIAL_NUMBER, L"13911112222")
        .Click(IDC_NET_READ)
        .Do([&](HWND d) {
            EXPECT_EQ(NetFlags(), "110000000 busy 1");
            EXPECT_EQ(ItemText(d, IDC_NET_STATUS), L"读取GPRS配置，请稍候...");
            EXPECT_EQ(ItemText(d, IDC_NET_SERVER_IP), L"");
            EXPECT_EQ(ItemText(d, IDC_NET_DIAL_NUMBER), L"13911112222");
            EXPECT_FALSE(ItemEnabled(d, IDC_NET_READ) || ItemEnabled(d, IDC_NET_SETUP));
            // The watchdog's ten silent seconds end it.
            Tick(d, 12);
            EXPECT_EQ(ItemText(d, IDC_NET_STATUS), L"读取GPRS配置超时!");
            EXPECT_EQ(ItemText(d, IDC_NET_SERVER_IP), L"");
            EXPECT_EQ(NetFlags(), "000000000 busy 0");
            EXPECT_TRUE(ItemEnabled(d, IDC_NET_READ) && ItemEnabled(d, IDC_NET_SETUP));

            CNetLinkInfo& info = g_gpsComm.m_linkInfo;
            info.strServerIp = L"202.96.1.2";
            info.strServerPort = L"2101";
            info.strBaseSerial = L"B0815";
            info.strDomain = L"cors.example";
            info.strPassword = L"secret";
            info.strDeviceSerial = L"D4711";
            info.strUserAccount = L"rover7";
            info.strVersion = L"3.2";
            info.strDialNumber = L"13800000000";
            Click(d, IDC_NET_READ);
            AnswerRequest(d, g_gpsComm.m_bNetReadOk);
            EXPECT_EQ(ItemText(d, IDC_NET_STATUS), L"读取GPRS配置成功!");
            EXPECT_EQ(ItemText(d, IDC_NET_SERVER_IP), L"202.96.1.2");
            EXPECT_EQ(ItemText(d, IDC_NET_SERVER_PORT), L"2101");
            EXPECT_EQ(ItemText(d, IDC_NET_BASE_SERIAL), L"B0815");
            EXPECT_EQ(ItemText(d, IDC_NET_DOMAIN), L"cors.example");
            EXPECT_EQ(ItemText(d, IDC_NET_PASSWORD), L"secret");
            EXPECT_EQ(ItemText(d, IDC_NET_USER), L"rover7");
            EXPECT_EQ(ItemText(d, IDC_NET_DEVICE_SERIAL), L"D4711");
            EXPECT_EQ(ItemText(d, IDC_NET_VERSION), L"3.2");
            EXPECT_EQ(ItemText(d, IDC_NET_DIAL_NUMBER), L"13911112222");

            // A GSM read asks for the dial number only.
            Select(d, IDC_NET_LINK_CHOICE, 0);
            Click(d, IDC_NET_READ);
            EXPECT_EQ(ItemText(d, IDC_NET_STATUS), L"读取GSM配置，请稍候...");
            EXPECT_EQ(ItemText(d, IDC_NET_DIAL_NUMBER), L"");
            EXPECT_EQ(ItemText(d, IDC_NET_SERVER_IP), L"202.96.1.2");
            AnswerRequest(d, g_gpsComm.m_bNetReadOk);
            EXPECT_EQ(ItemText(d, IDC_NET_STATUS), L"读取GSM配置成功!");
            EXPECT_EQ(ItemText(d, IDC_NET_DIAL_NUMBER), L"13800000000");
        })
        .Click(IDOK);
    CNetSettingsDlg dlg(Frame());
    dlg.DoModal();
}

TEST_F(NetDialogTest, ASetNeedsItsAddressOrNumberAndHandsTheFieldsToTheLink) {
    StartProgram([](SystemParams& p) {
        p.nLinkMode = 1;
        p.nWorkMode = 0;
    });
    PassFirstNotice();
    Doc().m_curFix.strRxId1 = L"GPXXX VX40A1234567";
    Doc().m_nReceiverVariant = 1;
    m_modals->ExpectDialog(IDD_NET_SETTINGS)
        .SetText(IDC_NET_SERVER_IP, L"   ")
        .SetText(IDC_NET_SERVER_PORT, L"9902")
        .SetText(IDC_NET_BASE_SERIAL, L"B12")
        .SetText(IDC_NET_DIAL_NUMBER, L"0551")
        .Click(IDC_NET_SETUP)
        .Do([](HWND) { EXPECT_EQ(NetFlags(), "000000000 busy 0"); })
        .SetText(IDC_NET_SERVER_IP, L"58.1.2.3")
        .SetText(IDC_NET_TIME_INTERVAL, L"5s")
        .Click(IDC_NET_SETUP)
        .Do([](HWND) { EXPECT_EQ(NetFlags(), "000000000 busy 0"); })
        .SetText(IDC_NET_TIME_INTERVAL, L"15")
        .SetText(IDC_NET_DIS_INTERVAL, L"250.5")
        .Click(IDC_NET_SETUP)
        .Do([&](HWND d) {
            EXPECT_EQ(NetFlags(), "101000000 busy 1");
            EXPECT_EQ(ItemText(d, IDC_NET_STATUS), L"进行GPRS设置，请稍候...");
            const CNetLinkInfo& info = g_gpsComm.m_linkInfo;
            EXPECT_EQ(info.strServerIp, CString(L"58.1.2.3"));
            EXPECT_EQ(info.strServerPort, CString(L"9902"));
            EXPECT_EQ(info.strReceiverSerial, CString(L"A1234567"));
            // Variant 1: the base is the receiver itself.
            EXPECT_EQ(info.strBaseSerial, CString(L"A1234567"));
            EXPECT_EQ(info.strAltNumber, CString(L"0551"));
            EXPECT_EQ(info.strDialNumber, CString(L""));
            AnswerRequest(d, g_gpsComm.m_bNetSetOk);
            EXPECT_EQ(ItemText(d, IDC_NET_STATUS), L"GPRS设置成功!");
            Select(d, IDC_NET_LINK_CHOICE, 0);
        })
        .SetText(IDC_NET_DIAL_NUMBER, L"")
        .Click(IDC_NET_SETUP)
        .SetText(IDC_NET_DIAL_NUMBER, L"13577778888")
        .Click(IDC_NET_SETUP)
        .Do([&](HWND d) {
            EXPECT_EQ(ItemText(d, IDC_NET_STATUS), L"进行GSM设置，请稍候...");
            EXPECT_EQ(g_gpsComm.m_linkInfo.strDialNumber, CString(L"13577778888"));
            g_gpsComm.m_nBusy = 0;
            Tick(d, 1);
            EXPECT_EQ(ItemText(d, IDC_NET_STATUS), L"GSM设置超时!");
        })
        .Do(CloseBox);
    m_modals->ExpectMessageBox(L"连接IP地址没有设置！").Answer(IDOK);
    m_modals->ExpectMessageBox(L"请输入一个整数。").Answer(IDOK);
    m_modals->ExpectMessageBox(L"连接号码没有设置！").Answer(IDOK);
    CNetSettingsDlg dlg(Frame());
    dlg.DoModal();
    // The prompt's refusals never reached the settings; the set did.
    const SystemParams saved = SavedSettings();
    EXPECT_EQ(saved.nLinkMode, 0);
    EXPECT_EQ(saved.GSMSendTimeInterval, 15);
    EXPECT_DOUBLE_EQ(saved.GSMSendDisInterval, 250.5);
    ASSERT_TRUE(WaitForSent(2));
    EXPECT_EQ(Sent(), kStopSearchTwice);
}

}  // namespace
}  // namespace linktest
