// Reads, writes, events and purge through a real pseudo-terminal, with the
// time-outs the program's ports use. Time-outs run on the virtual clock; only
// bytes crossing the terminal take (a little) real time.
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "tests/platform/serial/PortFixture.h"

namespace quorvel::testing {
namespace {

class SerialIoTest : public PortFixture {
  protected:
    void SetUp() override {
        PortFixture::SetUp();
        UseVirtualClock(TestStartUtc());
        ASSERT_NE(OpenPort(), INVALID_HANDLE_VALUE);
    }

    // Reads one byte at a time up to and with CR, as the receiver link does.
    std::string ReadLineByBytes() {
        std::string line;
        for (int guard = 0; guard < 200; ++guard) {
            BYTE byte = 0;
            DWORD n = 0;
            EXPECT_TRUE(ReadFile(m_port, &byte, 1, &n, nullptr));
            if (n == 1) line += static_cast<char>(byte);
            if (byte == '\r') break;
        }
        return line;
    }
};

// A read on another thread, with its outcome.
struct BackgroundRead {
    BackgroundRead(HANDLE port, DWORD count) : buffer(count, '\0') {
        thread = std::thread([this, port] {
            ok = ReadFile(port, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr);
            error = GetLastError();
            done = true;
        });
    }
    ~BackgroundRead() {
        if (thread.joinable()) thread.join();
    }
    void Join() { thread.join(); }

    std::string buffer;
    DWORD got = 0;
    BOOL ok = FALSE;
    DWORD error = 0;
    std::atomic<bool> done{false};
    std::thread thread;
};

TEST_F(SerialIoTest, ReceiverLinkTimeoutsDeliverLinesByteByByte) {
    SetTimeouts(10, 300, 0, 0, 100);
    const std::string sentence =
        "$GPGGA,080000.00,2232.9,N,11356.9,E,4,12,0.8,39.4,M,-3.6,M,1,0001*5C\r";
    ASSERT_EQ(m_peer.Write(sentence + "\n" + sentence, 500), 2 * sentence.size() + 1);
    EXPECT_EQ(ReadLineByBytes(), sentence);
    EXPECT_EQ(ReadLineByBytes(), "\n" + sentence);
}

TEST_F(SerialIoTest, ReceiverLinkReadGivesUpAfterItsTotalTimeout) {
    SetTimeouts(10, 300, 0, 0, 100);
    BackgroundRead read(m_port, 1);
    ASSERT_TRUE(WaitForVirtualClockWaiters(1));
    AdvanceVirtualClock(299);
    EXPECT_FALSE(read.done);
    AdvanceVirtualClock(1);
    read.Join();
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.got, 0u);
}

TEST_F(SerialIoTest, ByteWiseReaderBlocksUntilAByteComes) {
    SetTimeouts(10, 0, 0, 0, 5000);
    BackgroundRead read(m_port, 1);
    ASSERT_TRUE(
        WaitUntil([] { return SerialPortWaiters(kPort) == 1; }, "a reader waiting on the port"));
    AdvanceVirtualClock(60 * 1000);
    EXPECT_FALSE(read.done);
    ASSERT_EQ(m_peer.Write("A", 100), 1u);
    read.Join();
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.got, 1u);
    EXPECT_EQ(read.buffer, "A");
}

TEST_F(SerialIoTest, IntervalTimeoutEndsAReadBetweenBytes) {
    SetTimeouts(10, 0, 0, 0, 0);
    ASSERT_EQ(m_peer.Write("abc", 100), 3u);
    ASSERT_TRUE(WaitUntil([&] { return Queued() == 3; }, "3 bytes queued"));
    BackgroundRead read(m_port, 8);
    ASSERT_TRUE(WaitForVirtualClockWaiters(1));
    AdvanceVirtualClock(10);
    read.Join();
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.buffer.substr(0, read.got), "abc");
}

TEST_F(SerialIoTest, ImmediateModeReturnsWhatIsQueued) {
    SetTimeouts(MAXDWORD, 0, 0, 10, 1000);
    char buffer[16];
    DWORD n = 99;
    ASSERT_TRUE(ReadFile(m_port, buffer, sizeof buffer, &n, nullptr));
    EXPECT_EQ(n, 0u);
    ASSERT_EQ(m_peer.Write("OK\r\n", 100), 4u);
    ASSERT_TRUE(WaitUntil([&] { return Queued() == 4; }, "4 bytes queued"));
    ASSERT_TRUE(ReadFile(m_port, buffer, sizeof buffer, &n, nullptr));
    EXPECT_EQ(std::string(buffer, n), "OK\r\n");
}

TEST_F(SerialIoTest, WritesReachThePeerAndAFullLineTimesOut) {
    SetTimeouts(10, 0, 0, 0, 100);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(m_port, "$JOFF\r\n", 7, &written, nullptr));
    EXPECT_EQ(written, 7u);
    EXPECT_EQ(PeerReads(), "$JOFF\r\n");

    // The peer reads nothing: the terminal fills and the write gives up
    // after its constant.
    std::string big(256 * 1024, 'x');
    std::atomic<bool> done{false};
    BOOL ok = FALSE;
    std::thread writer([&] {
        ok = WriteFile(m_port, big.data(), static_cast<DWORD>(big.size()), &written, nullptr);
        done = true;
    });
    ASSERT_TRUE(WaitForVirtualClockWaiters(1));
    EXPECT_FALSE(done);
    AdvanceVirtualClock(100);
    writer.join();
    EXPECT_TRUE(ok);
    EXPECT_GT(written, 0u);
    EXPECT_LT(written, big.size());
}

TEST_F(SerialIoTest, PurgeEmptiesTheQueue) {
    SetTimeouts(MAXDWORD, 0, 0, 0, 0);
    ASSERT_EQ(m_peer.Write("0123456789", 100), 10u);
    ASSERT_TRUE(WaitUntil([&] { return Queued() == 10; }, "10 bytes queued"));
    ASSERT_TRUE(PurgeComm(m_port, PURGE_TXCLEAR | PURGE_RXCLEAR));
    EXPECT_EQ(Queued(), 0u);
    char buffer[16];
    DWORD n = 99;
    ASSERT_TRUE(ReadFile(m_port, buffer, sizeof buffer, &n, nullptr));
    EXPECT_EQ(n, 0u);
    EXPECT_TRUE(PurgeComm(m_port, 0x0F));
    EXPECT_FALSE(PurgeComm(m_port, 0x10));
}

// What was written has left, as on a real line long before a purge: a
// peer that reads late still gets every byte, even after the port closed.
TEST_F(SerialIoTest, PurgeAndCloseKeepWhatWasWrittenForALatePeer) {
    SetTimeouts(MAXDWORD, 0, 0, 10, 1000);
    const std::string command = "AT+RADDR=AA:01\r\n";
    DWORD written = 0;
    ASSERT_TRUE(
        WriteFile(m_port, command.data(), static_cast<DWORD>(command.size()), &written, nullptr));
    ASSERT_EQ(written, command.size());
    ASSERT_TRUE(PurgeComm(m_port, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR));
    ASSERT_TRUE(CloseHandle(m_port));
    m_port = INVALID_HANDLE_VALUE;
    EXPECT_EQ(m_peer.ReadUntil("\r\n"), command);
}

TEST_F(SerialIoTest, CommEventsSignalReceivedBytes) {
    SetTimeouts(MAXDWORD, 0, 0, 10, 1000);
    DWORD mask = 0;
    EXPECT_FALSE(WaitCommEvent(m_port, &mask, nullptr));  // no mask set
    ASSERT_TRUE(SetCommMask(m_port, EV_RXCHAR));
    std::thread peer([&] { m_peer.Write("OK\r\n", 100); });
    ASSERT_TRUE(WaitCommEvent(m_port, &mask, nullptr));
    peer.join();
    EXPECT_EQ(mask, static_cast<DWORD>(EV_RXCHAR));
    ASSERT_TRUE(WaitUntil([&] { return Queued() == 4; }, "4 bytes queued"));
    char buffer[8];
    DWORD n = 0;
    ASSERT_TRUE(ReadFile(m_port, buffer, Queued(), &n, nullptr));
    EXPECT_EQ(std::string(buffer, n), "OK\r\n");
}

TEST_F(SerialIoTest, NewMaskReleasesAWaiter) {
    ASSERT_TRUE(SetCommMask(m_port, EV_RXCHAR));
    std::atomic<bool> done{false};
    DWORD mask = 99;
    BOOL ok = FALSE;
    std::thread waiter([&] {
        ok = WaitCommEvent(m_port, &mask, nullptr);
        done = true;
    });
    ASSERT_TRUE(
        WaitUntil([] { return SerialPortWaiters(kPort) == 1; }, "a reader waiting on the port"));
    AdvanceVirtualClock(10 * 1000);
    EXPECT_FALSE(done);
    ASSERT_TRUE(SetCommMask(m_port, 0));
    waiter.join();
    EXPECT_TRUE(ok);
    EXPECT_EQ(mask, 0u);
}

TEST_F(SerialIoTest, CloseReleasesBlockedReaderAndWaiterAtOnce) {
    SetTimeouts(10, 0, 0, 0, 5000);
    ASSERT_TRUE(SetCommMask(m_port, EV_RXCHAR));
    BackgroundRead read(m_port, 1);
    std::atomic<BOOL> waitOk{TRUE};
    std::thread waiter([&] {
        DWORD mask = 0;
        waitOk = WaitCommEvent(m_port, &mask, nullptr);
    });
    ASSERT_TRUE(
        WaitUntil([] { return SerialPortWaiters(kPort) == 2; }, "2 readers waiting on the port"));
    ASSERT_TRUE(CloseHandle(m_port));
    m_port = INVALID_HANDLE_VALUE;
    read.Join();
    waiter.join();
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.error, static_cast<DWORD>(ERROR_OPERATION_ABORTED));
    EXPECT_FALSE(waitOk);
}

TEST_F(SerialIoTest, AbortPurgeReleasesABlockedReader) {
    SetTimeouts(0, 0, 0, 0, 0);
    BackgroundRead read(m_port, 4);
    ASSERT_TRUE(
        WaitUntil([] { return SerialPortWaiters(kPort) == 1; }, "a reader waiting on the port"));
    ASSERT_TRUE(PurgeComm(m_port, PURGE_RXABORT));
    read.Join();
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.error, static_cast<DWORD>(ERROR_OPERATION_ABORTED));
}

TEST_F(SerialIoTest, UnpluggedDeviceIsASilentLineAndACloseStillReleasesItsReader) {
    SetTimeouts(10, 300, 0, 0, 100);
    BackgroundRead read(m_port, 1);
    ASSERT_TRUE(WaitForVirtualClockWaiters(1));
    m_peer.Close();
    // The read hears nothing and ends empty once its time-out has run.
    AdvanceVirtualClock(300);
    read.Join();
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.got, 0u);
    DWORD n = 0;
    EXPECT_FALSE(WriteFile(m_port, "x", 1, &n, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DEV_NOT_EXIST));
    COMSTAT stat{};
    EXPECT_TRUE(ClearCommError(m_port, nullptr, &stat));
    EXPECT_EQ(stat.cbInQue, 0u);
    EXPECT_TRUE(EscapeCommFunction(m_port, CLRDTR));
    // A reader that waits for ever, looking for the device now and then,
    // is still released by the close at once.
    SetTimeouts(10, 0, 0, 0, 5000);
    BackgroundRead forever(m_port, 1);
    ASSERT_TRUE(
        WaitUntil([] { return SerialPortWaiters(kPort) == 1; }, "a reader waiting on the port"));
    ASSERT_TRUE(CloseHandle(m_port));
    m_port = INVALID_HANDLE_VALUE;
    forever.Join();
    EXPECT_FALSE(forever.ok);
    EXPECT_EQ(forever.error, static_cast<DWORD>(ERROR_OPERATION_ABORTED));
}

// A reader taking bytes one at a time for as long as the test runs, as the
// receiver link does; it stops when the port is closed under it.
class ByteReader {
  public:
    explicit ByteReader(HANDLE port) {
        m_thread = std::thread([this, port] {
            for (;;) {
                BYTE byte = 0;
                DWORD n = 0;
                if (!ReadFile(port, &byte, 1, &n, nullptr)) {
                    if (GetLastError() == ERROR_OPERATION_ABORTED) return;
                    ++m_failures;
                    continue;
                }
                std::lock_guard<std::mutex> lock(m_mutex);
                if (n == 1) m_text += static_cast<char>(byte);
            }
        });
    }
    ~ByteReader() {
        if (m_thread.joinable()) m_thread.join();
    }
    std::string Text() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_text;
    }
    int Failures() const { return m_failures.load(); }
    void Join() { m_thread.join(); }

  private:
    std::mutex m_mutex;
    std::string m_text;
    std::atomic<int> m_failures{0};
    std::thread m_thread;
};

// A USB adapter pulled and put back, or a simulator started again on its
// link: the open port finds the new device at the same path by itself and
// gives it the settings and modem lines it had.
TEST_F(SerialIoTest, ADeviceBackAtItsPathIsReadAgainWithTheSameSettings) {
    SetTimeouts(10, 0, 300, 0, 100);
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    ASSERT_TRUE(GetCommState(m_port, &dcb));
    dcb.BaudRate = 115200;
    ASSERT_TRUE(SetCommState(m_port, &dcb));
    ASSERT_TRUE(EscapeCommFunction(m_port, CLRDTR));
    ByteReader reader(m_port);
    ASSERT_EQ(m_peer.Write("$ONE\r\n"), 6u);
    ASSERT_TRUE(WaitUntil([&] { return reader.Text() == "$ONE\r\n"; }, "the first line"));

    m_peer.Close();
    DWORD n = 0;
    EXPECT_FALSE(WriteFile(m_port, "x", 1, &n, nullptr));
    // Seconds of silence: the reader's reads end empty, none fails.
    for (int i = 0; i < 8; ++i) AdvanceVirtualClock(250);
    EXPECT_EQ(reader.Text(), "$ONE\r\n");

    std::string error;
    ASSERT_TRUE(m_peer.Open(m_root + "/gnss", error)) << error;
    ASSERT_TRUE(WaitUntil([&] { return m_peer.ReadLines().open; },
                          "the port open on the new device", kWaitMs,
                          [] { AdvanceVirtualClock(250); }));
    const LineReport lines = m_peer.ReadLines();
    EXPECT_FALSE(lines.dtr);
    EXPECT_TRUE(lines.rts);
    const int slave = open(m_peer.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(slave, 0);
    termios settings{};
    EXPECT_EQ(tcgetattr(slave, &settings), 0);
    EXPECT_EQ(cfgetispeed(&settings), static_cast<speed_t>(B115200));
    close(slave);

    ASSERT_EQ(m_peer.Write("$TWO\r\n"), 6u);
    ASSERT_TRUE(WaitUntil([&] { return reader.Text() == "$ONE\r\n$TWO\r\n"; },
                          "the line of the device that came back"));
    ASSERT_TRUE(WriteFile(m_port, "hi", 2, &n, nullptr));
    EXPECT_EQ(PeerReads(), "hi");
    EXPECT_EQ(reader.Failures(), 0);
    ASSERT_TRUE(CloseHandle(m_port));
    m_port = INVALID_HANDLE_VALUE;
    reader.Join();
}

TEST_F(SerialIoTest, BytesReceivedBeforeTheDeviceWentAwayCanStillBeTaken) {
    // The batch reader's way: an event, the queued count, a read of that many.
    SetTimeouts(MAXDWORD, 0, 0, 10, 1000);
    ASSERT_TRUE(SetCommMask(m_port, EV_RXCHAR));
    ASSERT_EQ(m_peer.Write("abcdef", 100), 6u);
    ASSERT_TRUE(WaitUntil([&] { return Queued() == 6; }, "6 bytes queued"));
    char buffer[8];
    DWORD n = 0;
    ASSERT_TRUE(ReadFile(m_port, buffer, 2, &n, nullptr));
    m_peer.Close();
    EXPECT_FALSE(WriteFile(m_port, "x", 1, &n, nullptr));  // the port learns it is gone
    DWORD mask = 0;
    ASSERT_TRUE(WaitCommEvent(m_port, &mask, nullptr));
    EXPECT_EQ(mask, static_cast<DWORD>(EV_RXCHAR));
    // What the event reports, the count and the read deliver: an event
    // without a count would have the reader round the loop for ever.
    COMSTAT stat{};
    ASSERT_TRUE(ClearCommError(m_port, nullptr, &stat));
    EXPECT_EQ(stat.cbInQue, 4u);
    ASSERT_TRUE(ReadFile(m_port, buffer, stat.cbInQue, &n, nullptr));
    EXPECT_EQ(std::string(buffer, n), "cdef");
    // Then the line is silent.
    ASSERT_TRUE(ClearCommError(m_port, nullptr, &stat));
    EXPECT_EQ(stat.cbInQue, 0u);
}

TEST_F(SerialIoTest, UnpoweredBoardNeitherTalksNorListens) {
    SetTimeouts(MAXDWORD, 0, 0, 0, 100);
    SetSerialPortPower(kPort, false);
    EXPECT_FALSE(m_peer.ReadLines().powered);
    ASSERT_EQ(m_peer.Write("lost", 100), 4u);
    DWORD n = 0;
    ASSERT_TRUE(WriteFile(m_port, "unheard", 7, &n, nullptr));
    EXPECT_EQ(n, 7u);
    EXPECT_EQ(PeerReads(50), "");
    char buffer[16];
    ASSERT_TRUE(ReadFile(m_port, buffer, sizeof buffer, &n, nullptr));
    EXPECT_EQ(n, 0u);

    SetSerialPortPower(kPort, true);
    EXPECT_TRUE(m_peer.ReadLines().powered);
    ASSERT_EQ(m_peer.Write("heard", 100), 5u);
    ASSERT_TRUE(WaitUntil([&] { return Queued() == 5; }, "5 bytes queued"));
    ASSERT_TRUE(ReadFile(m_port, buffer, sizeof buffer, &n, nullptr));
    EXPECT_EQ(std::string(buffer, n), "heard");
}

}  // namespace
}  // namespace quorvel::testing
