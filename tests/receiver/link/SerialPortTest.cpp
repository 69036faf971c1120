// CSerialPort through a pseudo-terminal: batches as WM_BT_SERIAL_DATA, each
// buffer released exactly once, and the lines and messages of its open.
#include <thread>

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
    void TearDown() override {
        EXPECT_EQ(CSerialPort::OutstandingBuffers(), 0);
        LinkPortFixture::TearDown();
    }
};

TEST_F(SerialPortTest, BatchesArriveAndEveryBufferIsReleasedOnce) {
    std::string got;
    int messages = 0;
    PortWindow window([&](UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        EXPECT_EQ(msg, static_cast<UINT>(WM_BT_SERIAL_DATA));
        BYTE* buffer = reinterpret_cast<BYTE*>(wParam);
        got.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(lParam));
        // Half the messages are released by the window, the rest by the
        // reader after the message.
        if (++messages % 2 == 0) {
            EXPECT_TRUE(CSerialPort::ReleaseData(buffer));
        }
        return 0;
    });
    CSerialPort port;
    port.SetNotifyWindow(window.Handle());
    ASSERT_TRUE(port.Open(L"COM1:", 9600));
    std::string expected;
    for (int i = 0; i < 40; ++i) {
        const std::string reply = "+BTDEV:" + std::to_string(i) + ",00:11:22:33:44:55\r\n";
        ASSERT_EQ(m_peer.Write(reply, 500), reply.size());
        expected += reply;
        if (i % 8 == 0) ServeUntil([&] { return got.size() == expected.size(); });
    }
    EXPECT_TRUE(ServeUntil([&] { return got.size() >= expected.size(); }));
    EXPECT_EQ(got, expected);
    EXPECT_GT(messages, 1);
    port.Close();
    EXPECT_FALSE(CSerialPort::ReleaseData(nullptr));
}

TEST_F(SerialPortTest, BufferForAWindowThatIsGoneIsNotLost) {
    int messages = 0;
    PortWindow window([&](UINT, WPARAM, LPARAM) -> LRESULT { return ++messages; });
    CSerialPort port;
    port.SetNotifyWindow(window.Handle());
    ASSERT_TRUE(port.Open(L"COM1:", 9600));
    window.Destroy();
    ASSERT_EQ(m_peer.Write("OK\r\n", 100), 4u);
    // The reader reads, finds no window and goes back to waiting.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < end) {
        if (SerialPortWaiters(kPort) == 1 && CSerialPort::OutstandingBuffers() == 0) break;
        std::this_thread::yield();
    }
    port.Close();
    EXPECT_EQ(messages, 0);
}

TEST_F(SerialPortTest, OpenLeavesRtsHighAndDtrLow) {
    CSerialPort port;
    ASSERT_TRUE(port.Open(L"COM1:", 9600));
    EXPECT_TRUE(port.IsOpen());
    SerialLineState lines = GetSerialLineState(kPort);
    EXPECT_TRUE(lines.rts);
    EXPECT_FALSE(lines.dtr);
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
    EXPECT_TRUE(boxes.AllAnswered()) << boxes.Report();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Requests()[0].caption, CString(L"Error"));
    EXPECT_EQ(boxes.Requests()[0].owner, nullptr);
}

TEST_F(SerialPortTest, RefusedRateSaysSoAndTheNextCloseLetsThePortGo) {
    MessageBoxRecorder boxes;
    boxes.Expect(L"Unable to configure the serial port", IDOK);
    CSerialPort port;
    EXPECT_FALSE(port.Open(L"COM1:", 14400));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(boxes.AllAnswered()) << boxes.Report();
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
