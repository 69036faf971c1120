// CComPort through a pseudo-terminal: every byte as one message to a window
// on this thread, and closes that never hang or leave a reader behind.
#include <fcntl.h>
#include <termios.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "platform/base/MessageBox.h"
#include "receiver/link/ComPort.h"
#include "receiver/link/PortMessages.h"
#include "tests/receiver/link/PortTestSupport.h"

namespace quorvel::testing {
namespace {

constexpr int kPort = 3;

class ComPortTest : public LinkPortFixture {
  protected:
    void SetUp() override { StartPeer(kPort); }
};

TEST_F(ComPortTest, LineSettingsAreTheSoundersOnes) {
    CComPort port;
    ASSERT_TRUE(port.Open(kPort, 9600));
    EXPECT_TRUE(port.IsOpen());
    SerialLineState lines = GetSerialLineState(kPort);
    EXPECT_TRUE(lines.open && lines.dtr && lines.rts);
    const PortSettings settings = SettingsOf(kPort);
    EXPECT_EQ(settings.lowFlags, 0x2015u);  // binary, CTS flow, DTR on, RTS handshake
    EXPECT_EQ(settings.dcb.BaudRate, 9600u);
    EXPECT_EQ(settings.dcb.ByteSize, 8);
    EXPECT_EQ(settings.dcb.Parity, NOPARITY);
    EXPECT_EQ(settings.dcb.StopBits, ONESTOPBIT);
    EXPECT_EQ(settings.dcb.XonLim + settings.dcb.XoffLim + settings.dcb.XonChar, 0);  // from zero
    const COMMTIMEOUTS& times = settings.timeouts;
    EXPECT_EQ(times.ReadIntervalTimeout, 10u);
    EXPECT_EQ(times.ReadTotalTimeoutMultiplier + times.ReadTotalTimeoutConstant, 0u);
    EXPECT_EQ(times.WriteTotalTimeoutMultiplier, 0u);
    EXPECT_EQ(times.WriteTotalTimeoutConstant, 5000u);
    int fd = open(m_peer.SlavePath().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    termios t{};
    tcgetattr(fd, &t);
    close(fd);
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B9600));
    EXPECT_NE(t.c_cflag & CRTSCTS, 0u);
    // A rate the port does not offer (the settings' fallback of 1) is refused.
    port.Close();
    EXPECT_FALSE(port.Open(kPort, 1));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(port.Open(kPort, 9600));  // and the port was let go
}

TEST_F(ComPortTest, WithoutANotifyMessageBytesAreReadAndDropped) {
    int sent = 0;
    PortWindow window([&](UINT, WPARAM, LPARAM) -> LRESULT { return ++sent; });
    CComPort port;
    port.SetNotify(window.Handle(), CComPort::kNoMessage);
    ASSERT_TRUE(port.Open(kPort, 9600));
    ASSERT_EQ(m_peer.Write("abc", 100), 3u);
    ServeUntil([] { return false; }, 200);
    EXPECT_EQ(sent, 0);
    port.SetNotify(window.Handle(), WM_PORTTEST_CHAR);
    ASSERT_EQ(m_peer.Write("d", 100), 1u);
    EXPECT_TRUE(ServeUntil([&] { return sent > 0; }));
    EXPECT_EQ(sent, 1);
}

TEST_F(ComPortTest, WriteStringSendsLowBytesOnly) {
    CComPort port;
    ASSERT_TRUE(port.Open(kPort, 9600));
    port.WriteString(CString(L"A\x4E2Dz\xFF"));
    port.WriteString(CString(L""));
    std::string got;
    char buffer[16];
    while (got.size() < 4) {
        size_t n = m_peer.Read(buffer, sizeof buffer, 500);
        if (n == 0) break;
        got.append(buffer, n);
    }
    EXPECT_EQ(got, std::string("A\x2Dz\xFF", 4));
    EXPECT_EQ(port.WriteByte('!'), 1);
    port.Close();
    EXPECT_EQ(port.WriteByte('!'), 0);
}

TEST_F(ComPortTest, MissingPortFailsSilently) {
    MessageBoxRecorder boxes;
    CComPort port;
    EXPECT_FALSE(port.Open(9, 9600));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(boxes.Count(), 0);
    port.Close();
    port.Close();
}

TEST_F(ComPortTest, CloseReleasesAReaderBlockedInItsRead) {
    CComPort port;
    ASSERT_TRUE(port.Open(kPort, 9600));
    ASSERT_TRUE(ServeUntil([] { return SerialPortWaiters(kPort) == 1; }));
    port.Close();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(GetSerialLineState(kPort).open);
}

TEST_F(ComPortTest, CloseServesAReaderBlockedSendingToTheClosingThread) {
    std::string got;
    PortWindow window([&](UINT, WPARAM wParam, LPARAM) -> LRESULT {
        got += static_cast<char>(wParam);
        return 1;
    });
    CComPort port;
    port.SetNotify(window.Handle(), WM_PORTTEST_CHAR);
    ASSERT_TRUE(port.Open(kPort, 9600));
    ASSERT_TRUE(ServeUntil([] { return SerialPortWaiters(kPort) == 1; }));
    ASSERT_EQ(m_peer.Write("z", 100), 1u);
    // The reader takes the byte and then waits for this thread, which does
    // not serve it before it closes.
    (void)WaitUntil([] { return SerialPortWaiters(kPort) == 0; }, "the reader to take the bytes",
                    2000, [] { std::this_thread::yield(); });
    port.Close();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(got.empty() || got == "z") << got;
}

TEST_F(ComPortTest, CloseFromInsideTheReadersOwnMessageDoesNotHang) {
    CComPort port;
    int seen = 0;
    PortWindow window([&](UINT, WPARAM, LPARAM) -> LRESULT {
        ++seen;
        port.Close();
        EXPECT_FALSE(port.Open(kPort, 9600));  // the old reader is still ours to wait for
        return 1;
    });
    port.SetNotify(window.Handle(), WM_PORTTEST_CHAR);
    ASSERT_TRUE(port.Open(kPort, 9600));
    ASSERT_EQ(m_peer.Write("xy", 100), 2u);
    EXPECT_TRUE(ServeUntil([&] { return seen > 0; }));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(port.Open(kPort, 9600));  // collects the old reader first
    port.Close();
    EXPECT_EQ(seen, 1);
}

// A hundred rounds in the normal run, a thousand in the soak run: one thread
// or descriptor left behind shows in either.
TEST_F(ComPortTest, RepeatedOpensAndClosesLeaveNoThreadOrDescriptor) {
    CComPort port;
    ASSERT_TRUE(port.Open(kPort, 9600));  // first use creates lasting per-thread state
    port.Close();
    const int threads = SettledThreads(1);
    const int descriptors = CountEntries("/proc/self/fd");
    const int rounds = std::getenv("QUORVEL_SOAK") != nullptr ? 1000 : 100;
    for (int i = 0; i < rounds; ++i) {
        ASSERT_TRUE(port.Open(kPort, 9600)) << i;
        if (i % 2 == 0) {
            ASSERT_TRUE(port.Open(kPort, 9600)) << i;  // reopening an open port
        }
        port.Close();
    }
    EXPECT_LE(SettledThreads(threads), threads);
    EXPECT_EQ(CountEntries("/proc/self/fd"), descriptors);
}

TEST_F(ComPortTest, DestroyingAnOpenPortStopsItsReader) {
    const int threads = SettledThreads(1);
    {
        CComPort port;
        ASSERT_TRUE(port.Open(kPort, 9600));
    }
    EXPECT_LE(SettledThreads(threads), threads);
    EXPECT_FALSE(GetSerialLineState(kPort).open);
}

}  // namespace
}  // namespace quorvel::testing
