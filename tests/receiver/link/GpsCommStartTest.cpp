// The link start as the receiver sees it, byte for byte against references
// written from the command lists, with its pauses on the clock; the
// expansion slot's registry value; ports that cannot be opened.
#include "platform/testing/WaitUntil.h"
#include "tests/receiver/link/GpsLinkSupport.h"

namespace quorvel::testing {
namespace {

std::string Reference(const std::string& name) {
    return std::string(QUORVEL_SOURCE_DIR) + "/tests/receiver/link/data/" + name;
}

class GpsCommStartTest : public GpsLinkFixture {
  protected:
    void SetUp() override {
        GpsLinkFixture::SetUp();
        SetFfuart(1);
    }
    // Starts the link on `port` and waits for everything up to its
    // link-start frames.
    void RunLinkStart(int port, const std::string& reference, uint64_t openMs) {
        const std::vector<std::string> expected = ReadLines(Reference(reference));
        ASSERT_FALSE(expected.empty()) << reference;
        m_sim->Log().Clear();
        StartLink(openMs);
        EXPECT_TRUE(WaitForLog(expected.size())) << LogCount();
        EXPECT_EQ(LogEntries(), expected) << reference << " on COM" << port;
        EXPECT_TRUE(m_comm->IsOpen());
        EXPECT_EQ(m_comm->m_nReceiverType, 3);
        EXPECT_EQ(m_host.receiverType, 3);
        m_comm->Close();
        EXPECT_FALSE(m_comm->IsOpen());
    }
};

TEST_F(GpsCommStartTest, CableLinkStartForEachCorrectionFormat) {
    MessageBoxRecorder boxes;
    StartSim(1);
    m_comm->SetPortParams(0, 1, 57600, 'N', 8, 1);
    for (int format = 0; format < 4; ++format) {
        m_host.format = format;
        RunLinkStart(1, "link-start-com1-format" + std::to_string(format) + ".txt", 1500);
    }
    EXPECT_EQ(boxes.Count(), 0) << boxes.Report();
    // The cable port's line settings, as its driver holds them.
    m_comm->Start();
    Advance(1500);
    const PortSettings settings = SettingsOf(1);
    EXPECT_EQ(settings.lowFlags, 0x1013u);
    EXPECT_EQ(settings.dcb.BaudRate, 57600u);
    EXPECT_EQ(settings.dcb.ByteSize, 8);
    EXPECT_EQ(settings.dcb.Parity, NOPARITY);
    EXPECT_EQ(settings.dcb.StopBits, ONESTOPBIT);
    const COMMTIMEOUTS& t = settings.timeouts;
    EXPECT_EQ(t.ReadIntervalTimeout, 10u);
    EXPECT_EQ(t.ReadTotalTimeoutMultiplier, 300u);
    EXPECT_EQ(t.ReadTotalTimeoutConstant + t.WriteTotalTimeoutMultiplier, 0u);
    EXPECT_EQ(t.WriteTotalTimeoutConstant, 100u);
    const SerialLineState lines = GetSerialLineState(1);
    EXPECT_TRUE(lines.open && lines.dtr && !lines.rts);  // after the RTS pulse
    m_comm->Close();
    EXPECT_FALSE(GetSerialLineState(1).open);
}

TEST_F(GpsCommStartTest, ExpansionSlotBoardIsTakenFrom57600To9600) {
    MessageBoxRecorder boxes;
    UseProfile("oem");
    StartSim(5);
    m_comm->SetPortParams(0, 0, 57600, 'N', 8, 1);
    RunLinkStart(5, "link-start-com5-format0.txt", 3500);
    EXPECT_EQ(boxes.Count(), 0) << boxes.Report();
    // Closed, the board is switched off; started again, it is switched on
    // before it is spoken to, and hears the whole start once more.
    EXPECT_FALSE(IsSerialPortPowered(5));
    RunLinkStart(5, "link-start-com5-format0.txt", 3500);
    EXPECT_FALSE(IsSerialPortPowered(5));
    m_comm->Start();
    Advance(3500);
    EXPECT_TRUE(IsSerialPortPowered(5));
    EXPECT_EQ(SettingsOf(5).dcb.BaudRate, 9600u);
}

// When each entry of the log arrives, in ms of the clock after Start.
struct Due {
    uint64_t atMs;
    size_t before;  // log entries present until then
    size_t after;   // and from then on
};

TEST_F(GpsCommStartTest, PausesOfTheLinkStartRunOnTheClock) {
    MessageBoxRecorder boxes;
    StartSim(1);
    m_comm->SetPortParams(1, 1, 57600, 'N', 8, 1);
    // RTS pulse 500 + 500 ms; then each $J line and its doubled line end,
    // 20 ms apart but 200 ms after "$JBAUD"; "$JSAVE", the link-start list
    // and the two frames at once.
    std::vector<Due> due;
    uint64_t at = 1000;
    const uint64_t pauses[] = {20, 20, 20, 20, 20, 200, 20, 20, 20, 20, 20, 20, 20, 20};
    size_t entries = 0;
    for (uint64_t pause : pauses) {
        due.push_back({at, entries, entries + 2});
        entries += 2;
        at += pause;
    }
    due.push_back({at, entries, 58});
    m_sim->Log().Clear();
    const uint64_t start = ClockNowMs();
    m_comm->Start();
    for (const Due& d : due) {
        WaitForVirtualClockWaiters(1, 2000);
        Sleep(static_cast<DWORD>(start + d.atMs - 1 - ClockNowMs()));
        ASSERT_TRUE(WaitForLog(d.before)) << d.atMs;
        usleep(20000);
        EXPECT_EQ(LogCount(), d.before) << "early at " << d.atMs - 1;
        WaitForVirtualClockWaiters(1, 2000);
        Sleep(1);
        EXPECT_TRUE(WaitForLog(d.after)) << "late at " << d.atMs;
    }
    m_comm->Close();
}

TEST_F(GpsCommStartTest, ExpansionSlotUartIsForcedWithOneWarmBootRequest) {
    StartSim(1);
    m_comm->SetPortParams(1, 1, 57600, 'N', 8, 1);
    for (DWORD before : {DWORD{0xDEAD}, DWORD{0}, DWORD{2}}) {
        HKEY key = nullptr;
        ASSERT_EQ(
            RegOpenKeyEx(HKEY_LOCAL_MACHINE, L"Drivers\\PsionTeklogix\\Expansion Slot", 0, 0, &key),
            ERROR_SUCCESS);
        if (before == 0xDEAD) {
            (void)RegDeleteValue(key, L"FFUART");  // it may be absent already
        } else {
            ASSERT_EQ(RegSetValueEx(key, L"FFUART", 0, REG_DWORD,
                                    reinterpret_cast<const BYTE*>(&before), sizeof before),
                      ERROR_SUCCESS);
        }
        RegCloseKey(key);
        MessageBoxRecorder boxes;
        boxes.Expect(L"已经修改GPS串口配置，请将手持机热启动！", IDOK);
        for (int run = 0; run < 2; ++run) {  // the second start finds it set
            StartLink();
            EXPECT_TRUE(m_comm->IsOpen());
            m_comm->Close();
        }
        EXPECT_TRUE(boxes.AllAnswered()) << boxes.Report();
        EXPECT_EQ(boxes.Count(), 1);
        EXPECT_EQ(Ffuart(), 1u);
    }
}

TEST_F(GpsCommStartTest, MissingPortIsReportedAndTheReaderEnds) {
    MessageBoxRecorder boxes;
    boxes.Expect(L"无法打开串口,错误码2", IDOK);
    boxes.Expect(L"端口打开失败,请重新连接!", IDOK);
    m_comm->SetPortParams(1, 7, 57600, 'N', 8, 1);
    m_comm->Start();
    ASSERT_TRUE(Serve([&] { return boxes.Count() == 2; }));
    const std::vector<MessageBoxRequest> shown = boxes.Requests();
    EXPECT_EQ(shown[0].caption, CString(L"Error"));
    EXPECT_EQ(shown[0].owner, nullptr);
    EXPECT_EQ(shown[1].caption, CString(L"提示"));
    EXPECT_EQ(shown[1].type & MB_ICONMASK, MB_ICONINFORMATION);
    EXPECT_FALSE(m_comm->IsOpen());
    EXPECT_EQ(m_comm->m_nReceiverType, -1);
    // The program runs on: a later start on a port that is there works.
    EXPECT_TRUE(boxes.AllAnswered()) << boxes.Report();
    StartSim(7);
    StartLink();
    EXPECT_TRUE(m_comm->IsOpen());
    m_comm->Close();
    EXPECT_EQ(boxes.Count(), 2) << boxes.Report();
}

// A box with nobody to answer it, as the real one waits: a message loop on
// the reader's thread that ends only with the program's quit.
TEST_F(GpsCommStartTest, AStopReleasesAReaderWaitingInItsBox) {
    std::atomic<int> waiting{0}, released{0};
    const MessageBoxHandler previous = SetMessageBoxHandler([&](const MessageBoxRequest&) {
        ++waiting;
        MSG msg{};
        while (GetMessage(&msg, nullptr, 0, 0) > 0) DispatchMessage(&msg);
        PostQuitMessage(static_cast<int>(msg.wParam));
        ++released;
        return IDCANCEL;
    });
    m_comm->SetPortParams(1, 7, 57600, 'N', 8, 1);
    m_comm->Start();
    ASSERT_TRUE(WaitUntil([&] { return waiting.load() == 1; }, "the reader's box", 60000));
    // Before, this waited for the box for ever.
    m_comm->Close();
    EXPECT_EQ(released.load(), 1);
    // The box after it, had the reader gone on, would have ended at once.
    EXPECT_EQ(waiting.load(), 1);
    EXPECT_FALSE(m_comm->IsOpen());
    SetMessageBoxHandler(previous);
}

TEST_F(GpsCommStartTest, RegistryThatCannotBeWrittenStopsTheOpen) {
    MessageBoxRecorder boxes;
    boxes.Expect(L"Open Communication Port Failed!", IDOK);
    boxes.Expect(L"端口打开失败,请重新连接!", IDOK);
    StartSim(1);
    m_comm->SetPortParams(1, 1, 57600, 'N', 8, 1);
    SetDeviceRoot("");  // no registry at all
    m_comm->Start();
    ASSERT_TRUE(Serve([&] { return boxes.Count() == 2; })) << boxes.Report();
    EXPECT_TRUE(boxes.AllAnswered()) << boxes.Report();
    EXPECT_FALSE(m_comm->IsOpen());
    EXPECT_FALSE(GetSerialLineState(1).open);
    m_comm->Close();
}

TEST_F(GpsCommStartTest, PortThatRefusesItsSettingsIsReported) {
    MessageBoxRecorder boxes;
    boxes.Expect(L"无法配置串口,错误码", IDOK);
    boxes.Expect(L"端口打开失败,请重新连接!", IDOK);
    StartSim(1);
    m_comm->SetPortParams(1, 1, 1, 'N', 8, 1);  // a rate no port offers
    m_comm->Start();
    ASSERT_TRUE(Serve([&] { return boxes.Count() == 2; })) << boxes.Report();
    EXPECT_TRUE(boxes.AllAnswered()) << boxes.Report();
    EXPECT_TRUE(m_comm->IsOpen());  // the port stays open, as it always did
    m_comm->Close();
    EXPECT_FALSE(GetSerialLineState(1).open);
}

}  // namespace
}  // namespace quorvel::testing
