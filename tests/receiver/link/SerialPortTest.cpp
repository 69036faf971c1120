// CSerialPort through a pseudo-terminal: batches as WM_BT_SERIAL_DATA, each
// buffer released exactly once, and the lines and messages of its open.
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "platform/base/MessageBox.h"
#include "receiver/link/PortMessages.h"
#include "receiver/link/SerialPort.h"
#include "tests/receiver/link/PortTestSupport.h"

namespace quorvel::testing {
namespace {

constexpr int kPort = 1;

class SerialPortTest : public LinkPortFixture {
  protected:
    void SetUp() override { StartPeer(kPort); }
};

// Whether a buffer the port allocated is still unreleased (only seen with
// the leak checker of sanitized builds).
bool NoBufferLost() {
#if defined(__SANITIZE_ADDRESS__)
    return __lsan_do_recoverable_leak_check() == 0;
#else
    return true;
#endif
}

// A failed open shows one ownerless OK box captioned "Error", the text
// given to Expect.
void ExpectOneErrorBox(const MessageBoxRecorder& boxes) {
    EXPECT_TRUE(boxes.AllAnswered()) << boxes.Report();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Requests()[0].caption, CString(L"Error"));
    EXPECT_EQ(boxes.Requests()[0].owner, nullptr);
    EXPECT_EQ(boxes.Requests()[0].type, MB_OK);
}

// A handler as the connection dialog has it: takes the bytes, releases the
// buffer, returns nonzero.
LRESULT TakeBatch(std::string& got, WPARAM wParam, LPARAM lParam) {
    BYTE* buffer = reinterpret_cast<BYTE*>(wParam);
    got.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(lParam));
    delete[] buffer;
    return 1;
}

TEST_F(SerialPortTest, BatchesArriveAndTheWindowReleasesEachBuffer) {
    std::string got;
    int messages = 0;
    PortWindow window([&](UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        EXPECT_EQ(msg, static_cast<UINT>(WM_BT_SERIAL_DATA));
        ++messages;
        return TakeBatch(got, wParam, lParam);
    });
    CSerialPort port;
    port.SetNotifyWindow(window.Handle());
    ASSERT_TRUE(port.Open(L"COM1:", 9600));
    std::string expected;
    for (int i = 0; i < 40; ++i) {
        const std::string reply = "+INQRESU:" + std::to_string(i) + ",00:11:22:33:44:55\r\n";
        ASSERT_EQ(m_peer.Write(reply, 500), reply.size());
        expected += reply;
        if (i % 8 == 0) ServeUntil([&] { return got.size() == expected.size(); });
    }
    EXPECT_TRUE(ServeUntil([&] { return got.size() >= expected.size(); }));
    EXPECT_EQ(got, expected);
    EXPECT_GT(messages, 1);
    port.Close();
    EXPECT_TRUE(NoBufferLost());
}

TEST_F(SerialPortTest, BufferForAWindowThatIsGoneIsReleasedByTheReader) {
    std::string got;
    PortWindow window(
        [&](UINT, WPARAM wParam, LPARAM lParam) { return TakeBatch(got, wParam, lParam); });
    CSerialPort port;
    port.SetNotifyWindow(window.Handle());
    ASSERT_TRUE(port.Open(L"COM1:", 9600));
    window.Destroy();
    ASSERT_EQ(m_peer.Write("OK\r\n", 100), 4u);
    // The reader reads, finds no window and goes back to waiting (whether it
    // has got that far when the port closes, nothing may be left over).
    ServeUntil([] { return false; }, 200);
    port.Close();
    EXPECT_EQ(got, "");
    EXPECT_TRUE(NoBufferLost());
}

TEST_F(SerialPortTest, BufferWaitingForAWindowThatIsDestroyedIsReleasedByTheReader) {
    std::string got;
    PortWindow window(
        [&](UINT, WPARAM wParam, LPARAM lParam) { return TakeBatch(got, wParam, lParam); });
    CSerialPort port;
    port.SetNotifyWindow(window.Handle());
    ASSERT_TRUE(port.Open(L"COM1:", 9600));
    ASSERT_TRUE(ServeUntil([] { return SerialPortWaiters(kPort) == 1; }));
    ASSERT_EQ(m_peer.Write("OK\r\n", 100), 4u);
    // The reader takes the bytes and waits for this thread, which does not
    // serve it before the window is gone; the close then serves the message.
    (void)WaitUntil([] { return SerialPortWaiters(kPort) == 0; }, "the reader to take the bytes",
                    2000, [] { std::this_thread::yield(); });
    window.Destroy();
    port.Close();
    EXPECT_EQ(got, "");
    EXPECT_TRUE(NoBufferLost());
}

TEST_F(SerialPortTest, CloseFromInsideTheReadersOwnMessageDoesNotHang) {
    CSerialPort port;
    std::string got;
    PortWindow window([&](UINT, WPARAM wParam, LPARAM lParam) -> LRESULT {
        const LRESULT taken = TakeBatch(got, wParam, lParam);
        port.Close();
        return taken;
    });
    port.SetNotifyWindow(window.Handle());
    ASSERT_TRUE(port.Open(L"COM1:", 9600));
    ASSERT_EQ(m_peer.Write("+INQCOMP\r\n", 100), 10u);
    EXPECT_TRUE(ServeUntil([&] { return !got.empty(); }));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(GetSerialLineState(kPort).open);
    // The reader that was let go does not stand in the way of the next open.
    ASSERT_TRUE(port.Open(L"COM1:", 9600));
    ASSERT_EQ(m_peer.Write("OK\r\n", 100), 4u);
    EXPECT_TRUE(ServeUntil([&] { return got.find("OK") != std::string::npos; }));
    port.Close();
    EXPECT_EQ(got, "+INQCOMP\r\nOK\r\n");
}

TEST_F(SerialPortTest, OpenLeavesRtsHighAndDtrLow) {
    CSerialPort port;
    ASSERT_TRUE(port.Open(L"COM1:", 9600));
    EXPECT_TRUE(port.IsOpen());
    SerialLineState lines = GetSerialLineState(kPort);
    EXPECT_TRUE(lines.rts);
    EXPECT_FALSE(lines.dtr);
    const PortSettings settings = SettingsOf(kPort);
    EXPECT_EQ(settings.lowFlags, 0x1013u);  // binary, parity check, DTR and RTS on
    EXPECT_EQ(settings.dcb.BaudRate, 9600u);
    EXPECT_EQ(settings.dcb.ByteSize, 8);
    EXPECT_EQ(settings.dcb.Parity, NOPARITY);
    EXPECT_EQ(settings.dcb.StopBits, ONESTOPBIT);
    EXPECT_EQ(settings.dcb.XonLim, 512);  // what the driver reported stays
    EXPECT_EQ(settings.dcb.XoffChar, 0x13);
    const COMMTIMEOUTS& t = settings.timeouts;
    EXPECT_EQ(t.ReadIntervalTimeout, MAXDWORD);
    EXPECT_EQ(t.ReadTotalTimeoutMultiplier + t.ReadTotalTimeoutConstant, 0u);
    EXPECT_EQ(t.WriteTotalTimeoutMultiplier, 10u);
    EXPECT_EQ(t.WriteTotalTimeoutConstant, 1000u);
    EXPECT_TRUE(port.EscapeFunction(5));  // SETDTR: command mode off
    EXPECT_TRUE(GetSerialLineState(kPort).dtr);
    const BYTE command[] = "AT+INQ\r\n";
    EXPECT_EQ(port.Write(command, 8), 8);
    char buffer[16];
    size_t n = m_peer.Read(buffer, sizeof buffer, 500);
    EXPECT_EQ(std::string(buffer, n), "AT+INQ\r\n");
    port.Close();
    lines = GetSerialLineState(kPort);
    EXPECT_FALSE(lines.open || lines.dtr || lines.rts);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.EscapeFunction(5), 0);
    EXPECT_EQ(port.Write(command, 8), 0);
}

TEST_F(SerialPortTest, PortThatCannotBeOpenedSaysSo) {
    MessageBoxRecorder boxes;
    boxes.Expect(L"Unable to open COM9:, Error No.=2", IDOK);
    CSerialPort port;
    EXPECT_FALSE(port.Open(L"COM9:", 9600));
    EXPECT_FALSE(port.IsOpen());
    ExpectOneErrorBox(boxes);
}

TEST_F(SerialPortTest, RefusedRateSaysSoAndTheNextCloseLetsThePortGo) {
    MessageBoxRecorder boxes;
    boxes.Expect(L"Unable to configure the serial port", IDOK);
    CSerialPort port;
    EXPECT_FALSE(port.Open(L"COM1:", 14400));
    EXPECT_FALSE(port.IsOpen());
    ExpectOneErrorBox(boxes);
    EXPECT_TRUE(GetSerialLineState(kPort).open);
    port.Close();
    EXPECT_FALSE(GetSerialLineState(kPort).open);
}

TEST_F(SerialPortTest, ClosingTwiceAndDestroyingAfterCloseDoNothing) {
    const int threads = SettledThreads(1);
    {
        CSerialPort port;
        ASSERT_TRUE(port.Open(L"COM1:", 9600));
        port.Close();
        port.Close();
    }
    {
        CSerialPort port;
        ASSERT_TRUE(port.Open(L"COM1:", 9600));
        ASSERT_TRUE(port.Open(L"COM1:", 9600));  // the open port is closed first
    }
    EXPECT_LE(SettledThreads(threads), threads);
    EXPECT_FALSE(GetSerialLineState(kPort).open);
}

}  // namespace
}  // namespace quorvel::testing
