// The connect command in the running program: the receiver link started
// anew from the dialog's choice on the simulated receiver, port choice 2
// kept as 2 and reached on COM1 at 9600 baud; Cancel keeps the link, also
// after a Bluetooth search that had to close it; the board in the expansion
// slot told its rate on every reconnection as at the first start.
#include <fcntl.h>
#include <unistd.h>

#include <fstream>

#include "app/shell/AppGlobals.h"
#include "platform/base/Clock.h"
#include "platform/serial/LineState.h"
#include "platform/serial/PortMap.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/WaitUntil.h"
#include "receiver/link/PeripheralControl.h"
#include "tests/app/commands/CommandsTest.h"

// Last: its speed macros (B0 ...) would clash with the program's names.
#include <termios.h>

namespace commandstest {
namespace {

constexpr LPCTSTR kRuvo = L"\\Flash Disk\\Jobs\\ruvo\\";

// The line speed the program set on the receiver's terminal.
speed_t LineSpeed(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    EXPECT_GE(fd, 0) << path;
    termios t{};
    tcgetattr(fd, &t);
    close(fd);
    return cfgetospeed(&t);
}

// The dialog's timer runs on (every 2 s) until the module's connect step
// is given up, which ends the dialog.
void RunModuleSteps(HWND dialog) {
    for (int i = 0; i < 12; ++i) {
        quorvel::AdvanceVirtualClock(2000);
        quorvel::testing::PumpDialogMessages(dialog);
    }
}

class ConnectCommandTest : public CommandsTest {
  protected:
    // Whether the simulated receiver has heard `text`, waiting for its
    // thread to read and log what the program wrote: the write returns
    // before the other end of the terminal has read it.
    bool SentText(const std::string& text) const {
        return quorvel::testing::WaitUntil(
            [&] {
                for (const std::string& line : SentTexts())
                    if (line == text) return true;
                return false;
            },
            "the receiver hearing " + text, 20000);
    }
    // What the receiver heard from the first link-start frame on, without
    // the watchdog's stop-search pairs: the clock the search moved on lets
    // the frame's no-data notice fall anywhere in the start.
    std::vector<std::string> FromLinkStart() const {
        std::vector<std::string> entries;
        for (const std::string& entry : LogEntries()) {
            if (entries.empty() && entry.rfind("FRAME id=52 ", 0) != 0) continue;
            if (entry.rfind("FRAME id=53 ", 0) != 0) entries.push_back(entry);
        }
        return entries;
    }
    // Waits, the clock moved on only until the link's read loop runs, for
    // `count` entries from the first link-start frame on.
    bool WaitForStart(size_t count) {
        return RunLinkToItsReadLoop() && Serve([&] { return FromLinkStart().size() >= count; });
    }
};

std::vector<std::string> SlotLinkStart() {
    std::ifstream in(std::string(QUORVEL_SOURCE_DIR) +
                     "/tests/receiver/link/data/link-start-com5-format0.txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    EXPECT_GT(lines.size(), 4u);
    return lines;
}

TEST_F(ConnectCommandTest, TheChosenLinkIsStartedAndPortChoiceTwoStaysTwo) {
    StartReceiver();
    StartWithLink();
    ASSERT_EQ(LineSpeed(m_sim->Path()), static_cast<speed_t>(B57600));
    WriteDevice(L"\\Flash Disk\\BluetoothList", "GNSS-R1,00:11:22:33:44:55\r\n");
    m_modals->ExpectDialog(IDD_CONNECT_SET)
        .Select(IDC_CONNECT_LINK_TYPE, 2)
        .Select(IDC_CONNECT_DEVICES, 0)
        .Click(IDOK)
        .Do(RunModuleSteps);
    Command(ID_CONNECT_INSTRUMENT);
    EXPECT_EQ(m_modals->Pending(), 0);
    // The module was told the device on COM1; then the link came back there.
    EXPECT_TRUE(SentText("AT+RADDR=00:11:22:33:44:55\r\n"));
    ASSERT_TRUE(WaitForLinkStart());
    EXPECT_TRUE(g_gpsComm.IsOpen());
    EXPECT_EQ(LineSpeed(m_sim->Path()), static_cast<speed_t>(B9600));
    EXPECT_EQ(Doc().m_sysParams.Port, 2);
    EXPECT_EQ(ReadSettings(kRuvo, L"ruvo.ini").Port, 2);

    // By COM number: COM7, at the cable's rate.
    quorvel::MapSerialPort(7, m_sim->Path());
    m_modals->ExpectDialog(IDD_CONNECT_SET)
        .Click(IDC_CONNECT_BY_PORT)
        .SetText(IDC_CONNECT_COM, L"7")
        .Click(IDOK);
    Command(ID_CONNECT_INSTRUMENT);
    ASSERT_TRUE(WaitForLinkStart());
    EXPECT_EQ(g_gpsComm.m_nPort, 7);
    EXPECT_EQ(LineSpeed(m_sim->Path()), static_cast<speed_t>(B57600));
    const SystemParams saved = ReadSettings(kRuvo, L"ruvo.ini");
    EXPECT_EQ(saved.nComMode, 1);
    EXPECT_EQ(saved.nInputCom, 7);
    EXPECT_EQ(saved.Port, 2);

    // Every close writes the settings: the choice is still 2.
    m_modals->ExpectMessageBox(L"确定退出程序吗?").Answer(IDYES);
    Command(ID_FRAME_EXIT);
    EXPECT_EQ(ReadSettings(kRuvo, L"ruvo.ini").Port, 2);
}

TEST_F(ConnectCommandTest, CancelKeepsTheLinkRunningAlsoAfterASearch) {
    StartReceiver();
    StartWithLink();
    const std::string ini = ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini");
    m_modals->ExpectDialog(IDD_CONNECT_SET).Select(IDC_CONNECT_LINK_TYPE, 2).Click(IDCANCEL);
    Command(ID_CONNECT_INSTRUMENT);
    EXPECT_TRUE(g_gpsComm.IsOpen());
    EXPECT_TRUE(TakeFrames().empty());  // not started again

    // The search needs the module's port, COM1, and closes the link.
    m_modals->ExpectDialog(IDD_CONNECT_SET)
        .Select(IDC_CONNECT_LINK_TYPE, 2)
        .Click(IDC_CONNECT_SCAN)
        .Do([](HWND) { EXPECT_FALSE(g_gpsComm.IsOpen()); })
        .Click(IDCANCEL);
    Command(ID_CONNECT_INSTRUMENT);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_TRUE(SentText("AT\r\n"));
    ASSERT_TRUE(WaitForLinkStart());
    EXPECT_TRUE(g_gpsComm.IsOpen());
    EXPECT_EQ(LineSpeed(m_sim->Path()), static_cast<speed_t>(B57600));
    EXPECT_EQ(Doc().m_sysParams.Port, 1);
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini"), ini);
}

// The board in the expansion slot (port choice 0, COM5) is switched off by
// every closing of the link. Each way back to it, the cable chosen again
// or a Bluetooth search given up, switches it on before it is told to go
// from 57600 to 9600 baud: it hears the two link-start frames and the two
// "com,9600" lines, and the whole start as at the first.
TEST_F(ConnectCommandTest, EveryReconnectionOnTheExpansionSlotReachesThePoweredBoard) {
    quorvel::ResetSerialPortPower();
    quorvel::ResetPeripheralControl();
    StartReceiver();
    const std::vector<std::string> slot = SlotLinkStart();
    m_sim->Log().Clear();
    StartProgram([](SystemParams& p) { p.Port = 0; });
    ASSERT_TRUE(WaitForStart(slot.size()));
    EXPECT_EQ(FromLinkStart(), slot) << "the first start";
    EXPECT_EQ(g_gpsComm.m_nPort, 5);

    for (int way = 0; way < 2; ++way) {
        SCOPED_TRACE(way == 0 ? "the cable chosen again" : "a search then Cancel");
        m_sim->Log().Clear();
        if (way == 0) {
            m_modals->ExpectDialog(IDD_CONNECT_SET)
                .Select(IDC_CONNECT_LINK_TYPE, 0)  // "电缆"
                .Click(IDOK);
        } else {
            m_modals->ExpectDialog(IDD_CONNECT_SET)
                .Select(IDC_CONNECT_LINK_TYPE, 2)
                .Click(IDC_CONNECT_SCAN)
                .Do([](HWND) { EXPECT_FALSE(quorvel::IsSerialPortPowered(5)); })
                .Click(IDCANCEL);
        }
        Command(ID_CONNECT_INSTRUMENT);
        EXPECT_EQ(m_modals->Pending(), 0);
        ASSERT_TRUE(WaitForStart(slot.size()));
        EXPECT_EQ(FromLinkStart(), slot);
        EXPECT_TRUE(quorvel::IsSerialPortPowered(5));
        EXPECT_EQ(g_gpsComm.m_nPort, 5);
        EXPECT_EQ(LineSpeed(m_sim->Path()), static_cast<speed_t>(B9600));
    }
    EXPECT_EQ(Doc().m_sysParams.Port, 0);
}

}  // namespace
}  // namespace commandstest
