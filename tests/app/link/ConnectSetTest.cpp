// The connection settings dialog over the running program with the
// built-in Bluetooth module simulated on COM1 (the receiver behind the
// expansion slot's COM5): the scan's steps and progress, the devices in
// the list and in "\BluetoothList" byte for byte, replies in pieces and
// noise, a silent module asked again every two seconds until each step
// gives up, the inquiry's eighty-mark, Connect, Stop, Cancel and the
// refusals.
#include <memory>

#include "app/link/ConnectSetDlg.h"
#include "platform/serial/PortMap.h"
#include "platform/testing/WaitUntil.h"
#include "res/resource.h"
#include "sim/BtModule.h"
#include "tests/app/link/LinkTest.h"

namespace linktest {
namespace {

constexpr LPCTSTR kDeviceList = L"\\Flash Disk\\BluetoothList";
// "测量主机01" in the device's code page.
constexpr const char* kFirstNameGbk =
    "\xB2\xE2\xC1\xBF\xD6\xF7\xBB\xFA"
    "01";

void Click(HWND dialog, int id) {
    ::SendMessage(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    quorvel::testing::PumpDialogMessages(dialog);
}

std::vector<std::wstring> ListItems(HWND dialog) {
    return shelltest::ListBoxTexts(dialog, IDC_CONNECT_DEVICES);
}

void SelectDevice(HWND dialog, int index) {
    ::SendDlgItemMessage(dialog, IDC_CONNECT_DEVICES, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

class ConnectSetTest : public LinkTest {
  protected:
    void StartWithModule(quorvel::sim::BtModuleOptions options = {}) {
        options.linkPath = m_root + "/bt";
        m_module = std::make_unique<quorvel::sim::BtModuleSimulator>(options);
        std::string error;
        ASSERT_TRUE(m_module->Start(error)) << error;
        // The receiver sits in the expansion slot; COM1 is the module's.
        quorvel::MapSerialPort(5, m_sim->Path());
        quorvel::MapSerialPort(1, m_module->Path());
        StartProgram([](SystemParams& p) { p.Port = 0; });
        PassFirstNotice();
    }
    void TearDown() override {
        LinkTest::TearDown();
        m_module.reset();
    }

    // The module's command lines so far, each on its own line.
    std::string ModuleHeard() const {
        std::string text;
        for (const std::string& line : m_module->Log().TextLines()) text += line + "\n";
        return text;
    }
    bool ModulePortOpen() const { return m_module->Pty().ReadLines().open; }

    // A dialog as the connect command opens it.
    static std::unique_ptr<CConnectSetDlg> Dialog(int linkType, int comMode = 0) {
        auto dlg = std::make_unique<CConnectSetDlg>(Frame());
        dlg->m_nLinkType = linkType;
        dlg->m_nComMode = comMode;
        return dlg;
    }

    std::unique_ptr<quorvel::sim::BtModuleSimulator> m_module;
    ControlWatch m_status;
    ControlWatch m_progress;
    ControlWatch m_dialog;
};

TEST_F(ConnectSetTest, AScanFindsTheDevicesAndConnectNamesTheChosenOne) {
    StartWithModule();
    WriteDevice(kDeviceList, "old,11:22:33\r\n");
    m_modals->ExpectDialog(IDD_CONNECT_SET)
        .Do([&](HWND d) {
            EXPECT_EQ(ListItems(d), std::vector<std::wstring>{L"old"});
            EXPECT_TRUE(ItemEnabled(d, IDC_CONNECT_SCAN));
            EXPECT_FALSE(ItemEnabled(d, IDC_CONNECT_STOP));
            EXPECT_TRUE(ItemEnabled(d, IDC_CONNECT_LINK_TYPE));
            EXPECT_FALSE(ItemEnabled(d, IDC_CONNECT_COM));
            EXPECT_TRUE(g_gpsComm.IsOpen());
            m_status.Watch(::GetDlgItem(d, IDC_CONNECT_STATUS));
            m_progress.Watch(::GetDlgItem(d, IDC_CONNECT_PROGRESS));
            Click(d, IDC_CONNECT_SCAN);
            EXPECT_FALSE(g_gpsComm.IsOpen()) << "the receiver link gives COM1 up";
            EXPECT_FALSE(ItemEnabled(d, IDC_CONNECT_SCAN) || ItemEnabled(d, IDC_CONNECT_LINK_TYPE));
            EXPECT_TRUE(ItemEnabled(d, IDC_CONNECT_STOP));
            EXPECT_EQ(ListItems(d), std::vector<std::wstring>{});
            ServeUntil(
                d, [&] { return ItemText(d, IDC_CONNECT_STATUS) == L"搜索蓝牙成功!"; },
                "the end of the inquiry");
            EXPECT_EQ(ListItems(d), (std::vector<std::wstring>{L"测量主机01", L"RTK-ROVER"}));
            EXPECT_TRUE(ItemEnabled(d, IDC_CONNECT_SCAN) && ItemEnabled(d, IDC_CONNECT_LINK_TYPE));
            EXPECT_FALSE(ItemEnabled(d, IDC_CONNECT_STOP));
            // 0 on Scan, 2 per command sent, 10 and 20 on the first two
            // replies, 80 at the end of the search.
            EXPECT_EQ(m_progress.positions, (std::vector<int>{0, 2, 10, 12, 20, 22, 80}));
            EXPECT_EQ(m_status.texts,
                      (std::vector<std::wstring>{L"检查内置蓝牙...", L"存在内置蓝牙!",
                                                 L"设为主蓝牙模式...", L"设为主蓝牙模式成功!",
                                                 L"搜索附近蓝牙...", L"开始搜索蓝牙...",
                                                 L"搜索蓝牙成功!"}));
            EXPECT_EQ(m_module->Pty().ReadLines().dtr, false);
            SelectDevice(d, 0);
        })
        .Click(IDOK)
        .EndsLater();
    auto dlg = Dialog(2);
    EXPECT_EQ(dlg->DoModal(), IDOK);
    EXPECT_EQ(dlg->m_nLinkType, 2);
    EXPECT_EQ(dlg->m_nComMode, 0);
    EXPECT_EQ(m_module->ConnectAddress(), "00:1B:DC:0F:5A:31");
    EXPECT_EQ(ModuleHeard(), "AT\nAT+ROLE=1\nAT+INQ\nAT+RADDR=00:1B:DC:0F:5A:31\n");
    EXPECT_EQ(ReadDevice(kDeviceList), std::string(kFirstNameGbk) +
                                           ",00:1B:DC:0F:5A:31\r\n"
                                           "RTK-ROVER,00:1B:DC:0F:5A:77\r\n");
    EXPECT_EQ(m_status.texts.back(), L"设置连接蓝牙地址成功");
    EXPECT_EQ(m_progress.positions.back(), 15);
    EXPECT_FALSE(ModulePortOpen());
}

TEST_F(ConnectSetTest, RepliesInPiecesAndNoiseOnTheLineAreTakenInTheirStride) {
    quorvel::sim::BtModuleOptions options;
    options.splitReplies = true;
    options.resultGapS = 1.0;
    StartWithModule(options);
    m_modals->ExpectDialog(IDD_CONNECT_SET)
        .Do([&](HWND d) {
            m_progress.Watch(::GetDlgItem(d, IDC_CONNECT_PROGRESS));
            Click(d, IDC_CONNECT_SCAN);
            ServeUntil(
                d, [&] { return ItemText(d, IDC_CONNECT_STATUS) == L"开始搜索蓝牙..."; },
                "the inquiry's OK");
            // Ten kilobytes without a line end, a binary line, then the
            // rest of the inquiry.
            m_module->Pty().Write(std::string(10240, 'x'), 5000);
            m_module->Pty().Write(std::string("\x01\xFE\x00\xFF+INQ\r\n", 10), 5000);
            ServeUntil(
                d, [&] { return ItemText(d, IDC_CONNECT_STATUS) == L"搜索蓝牙成功!"; },
                "the end of the inquiry");
            EXPECT_EQ(ListItems(d).size(), 2u);
        })
        .Click(IDCANCEL);
    auto dlg = Dialog(2);
    EXPECT_EQ(dlg->DoModal(), IDCANCEL);
    // Each command went out once: "O" then "K\r\n" made one reply.
    EXPECT_EQ(ModuleHeard(), "AT\nAT+ROLE=1\nAT+INQ\n");
    EXPECT_EQ(m_progress.positions, (std::vector<int>{0, 2, 10, 12, 20, 22, 80}));
    EXPECT_FALSE(ModulePortOpen());
}

TEST_F(ConnectSetTest, ASilentModuleIsAskedEveryTwoSecondsUntilEachStepGivesUp) {
    quorvel::sim::BtModuleOptions options;
    options.silent = {"all"};
    StartWithModule(options);
    WriteDevice(kDeviceList, "主机A,AA:01\r\n主机B,BB:02\r\n");
    m_modals->ExpectDialog(IDD_CONNECT_SET)
        .Do([&](HWND d) {
            m_status.Watch(::GetDlgItem(d, IDC_CONNECT_STATUS));
            Click(d, IDC_CONNECT_SCAN);
            Tick(d, 100);
            EXPECT_FALSE(ItemEnabled(d, IDC_CONNECT_SCAN));
            Tick(d, 2);
            EXPECT_TRUE(ItemEnabled(d, IDC_CONNECT_SCAN));
            EXPECT_FALSE(ItemEnabled(d, IDC_CONNECT_STOP));
            EXPECT_EQ(m_status.texts,
                      (std::vector<std::wstring>{L"检查内置蓝牙...", L"没有检测到内置蓝牙!",
                                                 L"设为主蓝牙模式...", L"设为主蓝牙模式超时!",
                                                 L"搜索附近蓝牙...", L"搜索蓝牙超时!"}));
            // The list was emptied by the scan; the file is as it was.
            EXPECT_EQ(ListItems(d).size(), 0u);
        })
        .Do([&](HWND d) {
            ::SendDlgItemMessage(d, IDC_CONNECT_DEVICES, LB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(L"主机A"));
            SelectDevice(d, 0);
            m_status.texts.clear();
        })
        .Click(IDOK)
        .Do([&](HWND d) { Tick(d, 18); })
        .EndsLater();
    auto dlg = Dialog(2);
    EXPECT_EQ(dlg->DoModal(), IDOK);
    EXPECT_EQ(m_status.texts,
              (std::vector<std::wstring>{L"设置连接蓝牙地址", L"设置连接蓝牙地址超时"}));
    std::string expected;
    for (int i = 0; i < 12; ++i) expected += "AT\n";
    for (int i = 0; i < 7; ++i) expected += "AT+ROLE=1\n";
    for (int i = 0; i < 32; ++i) expected += "AT+INQ\n";
    for (int i = 0; i < 9; ++i) expected += "AT+RADDR=AA:01\n";
    ASSERT_TRUE(m_module->Log().WaitFor(
        [](const std::vector<quorvel::sim::LoggedCommand>& items) {
            int n = 0;
            for (const auto& c : items) n += c.kind == quorvel::sim::LoggedCommand::Kind::kText;
            return n >= 60;
        },
        quorvel::testing::kWaitMs));
    EXPECT_EQ(ModuleHeard(), expected);
    EXPECT_FALSE(ModulePortOpen());
}

TEST_F(ConnectSetTest, AnInquiryThatNeverEndsStopsAtTheEightyMarkAndStopCancelsOne) {
    quorvel::sim::BtModuleOptions options;
    options.completeInquiry = false;
    StartWithModule(options);
    m_modals->ExpectDialog(IDD_CONNECT_SET)
        .Do([&](HWND d) {
            m_progress.Watch(::GetDlgItem(d, IDC_CONNECT_PROGRESS));
            m_dialog.Watch(d);
            Click(d, IDC_CONNECT_SCAN);
            ServeUntil(
                d, [&] { return ListItems(d).size() == 2; }, "both devices");
            // From 22, two a tick up to 80; the next tick would pass it.
            Tick(d, 58);
            EXPECT_EQ(m_progress.positions.back(), 80);
            EXPECT_NE(ItemText(d, IDC_CONNECT_STATUS), L"搜索蓝牙超时!");
            EXPECT_TRUE(ModulePortOpen());
            Tick(d, 2);
            EXPECT_EQ(ItemText(d, IDC_CONNECT_STATUS), L"搜索蓝牙超时!");
            EXPECT_FALSE(ModulePortOpen());
            EXPECT_TRUE(ItemEnabled(d, IDC_CONNECT_SCAN) && !ItemEnabled(d, IDC_CONNECT_STOP));

            // A second scan, stopped while it searches.
            Click(d, IDC_CONNECT_SCAN);
            ServeUntil(
                d, [&] { return ListItems(d).size() == 2; }, "both devices again");
            const uint64_t beforeStop = m_module->BytesSent();
            Click(d, IDC_CONNECT_STOP);
            EXPECT_EQ(ItemText(d, IDC_CONNECT_STATUS), L"停止搜索");
            EXPECT_TRUE(ItemEnabled(d, IDC_CONNECT_SCAN) && !ItemEnabled(d, IDC_CONNECT_STOP));
            // The module's "OK" to the cancel, taken by the dialog.
            ServeUntil(
                d,
                [&] {
                    return m_module->BytesSent() >= beforeStop + 4 &&
                           m_dialog.serialBytes == m_module->BytesSent();
                },
                "the cancel's answer");
            const int position = m_progress.positions.back();
            Tick(d, 10);
            EXPECT_EQ(m_progress.positions.back(), position) << "no longer searching";
        })
        .Click(IDCANCEL);
    auto dlg = Dialog(2);
    EXPECT_EQ(dlg->DoModal(), IDCANCEL);
    EXPECT_EQ(ModuleHeard(), "AT\nAT+ROLE=1\nAT+INQ\nAT\nAT+ROLE=1\nAT+INQ\nAT+CANCEL\n");
}

TEST_F(ConnectSetTest, ConnectRefusesWithoutADeviceOrAChoiceAndOtherWaysEndAtOnce) {
    StartWithModule();
    m_modals->ExpectDialog(IDD_CONNECT_SET)
        .Click(IDOK)
        .Do([&](HWND d) {
            ::SendDlgItemMessage(d, IDC_CONNECT_DEVICES, LB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(L"A"));
        })
        .Click(IDOK)
        // The link type chosen anew: only the module scans.
        .Select(IDC_CONNECT_LINK_TYPE, 0)
        .Do([&](HWND d) {
            EXPECT_FALSE(ItemEnabled(d, IDC_CONNECT_SCAN));
            Click(d, IDC_CONNECT_BY_PORT);
            EXPECT_TRUE(ItemEnabled(d, IDC_CONNECT_COM));
            EXPECT_FALSE(ItemEnabled(d, IDC_CONNECT_LINK_TYPE));
        })
        .SetText(IDC_CONNECT_COM, L"COM3")
        .Click(IDOK)
        .SetText(IDC_CONNECT_COM, L"3")
        .Click(IDOK);
    m_modals->ExpectMessageBox(L"没有搜索到主机，请选择其他方式进行连接！").Answer(IDOK);
    m_modals->ExpectMessageBox(L"请选择需要连接的主机！").Answer(IDOK);
    m_modals->ExpectMessageBox(L"请输入一个整数。").Answer(IDOK);
    auto dlg = Dialog(2);
    EXPECT_EQ(dlg->DoModal(), IDOK);
    EXPECT_EQ(dlg->m_nLinkType, 0);
    EXPECT_EQ(dlg->m_nComMode, 1);
    EXPECT_EQ(dlg->m_nInputCom, 3);
    EXPECT_EQ(ModuleHeard(), "");

    // The cable: no scan, Connect ends at once; the receiver link is left
    // to the caller. A device list of 10,000 lines gives its first 201.
    std::string many;
    for (int i = 0; i < 10000; ++i) many += "host" + std::to_string(i) + ",addr\r\n";
    WriteDevice(kDeviceList, many);
    m_modals->ExpectDialog(IDD_CONNECT_SET)
        .Do([&](HWND d) {
            EXPECT_EQ(ListItems(d).size(), 201u);
            EXPECT_FALSE(ItemEnabled(d, IDC_CONNECT_SCAN));
            EXPECT_EQ(ItemText(d, IDC_CONNECT_COM), L"7");
        })
        .Click(IDOK);
    auto cable = Dialog(0);
    EXPECT_EQ(cable->DoModal(), IDOK);
    EXPECT_TRUE(g_gpsComm.IsOpen());
}

}  // namespace
}  // namespace linktest
