// The control block and the modem lines: the device's layout of the flag
// word, what reaches the host terminal, and DTR/RTS as the peer sees them.
#include <fcntl.h>
#include <termios.h>

#include <cstddef>
#include <cstring>

#include "tests/platform/serial/PortFixture.h"

namespace quorvel::testing {
namespace {

DWORD FlagWord(const DCB& dcb) {
    DWORD word = 0;
    std::memcpy(&word, reinterpret_cast<const BYTE*>(&dcb) + 8, sizeof word);
    return word;
}

DCB WithFlagWord(DWORD word) {
    DCB dcb{};
    std::memcpy(reinterpret_cast<BYTE*>(&dcb) + 8, &word, sizeof word);
    return dcb;
}

TEST(DcbLayout, MatchesTheDevice) {
    EXPECT_EQ(sizeof(DCB), 28u);
    EXPECT_EQ(offsetof(DCB, BaudRate), 4u);
    EXPECT_EQ(offsetof(DCB, XonLim), 14u);
    EXPECT_EQ(offsetof(DCB, ByteSize), 18u);
    EXPECT_EQ(offsetof(DCB, Parity), 19u);
    EXPECT_EQ(offsetof(DCB, StopBits), 20u);
    EXPECT_EQ(offsetof(DCB, EvtChar), 25u);
    EXPECT_EQ(sizeof(COMSTAT), 12u);
}

TEST(DcbLayout, FlagWordsSetTheNamedFields) {
    DCB link = WithFlagWord(0x1013);
    EXPECT_EQ(link.fBinary, 1u);
    EXPECT_EQ(link.fParity, 1u);
    EXPECT_EQ(link.fOutxCtsFlow, 0u);
    EXPECT_EQ(link.fDtrControl, static_cast<DWORD>(DTR_CONTROL_ENABLE));
    EXPECT_EQ(link.fRtsControl, static_cast<DWORD>(RTS_CONTROL_ENABLE));
    EXPECT_EQ(link.fOutX + link.fInX + link.fAbortOnError + link.fNull, 0u);

    DCB sounder = WithFlagWord(0x2015);
    EXPECT_EQ(sounder.fBinary, 1u);
    EXPECT_EQ(sounder.fParity, 0u);
    EXPECT_EQ(sounder.fOutxCtsFlow, 1u);
    EXPECT_EQ(sounder.fDtrControl, static_cast<DWORD>(DTR_CONTROL_ENABLE));
    EXPECT_EQ(sounder.fRtsControl, static_cast<DWORD>(RTS_CONTROL_HANDSHAKE));

    DCB named{};
    named.fBinary = 1;
    named.fOutxCtsFlow = 1;
    named.fDtrControl = DTR_CONTROL_ENABLE;
    named.fRtsControl = RTS_CONTROL_HANDSHAKE;
    EXPECT_EQ(FlagWord(named), 0x2015u);
    named.fAbortOnError = 1;
    named.fDummy2 = 1;
    EXPECT_EQ(FlagWord(named), 0x2015u | 0x4000u | 0x8000u);
}

class SerialStateTest : public PortFixture {
  protected:
    // The line settings as the host terminal holds them.
    termios HostSettings() {
        termios t{};
        int fd = open(m_peer.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        EXPECT_GE(fd, 0);
        EXPECT_EQ(tcgetattr(fd, &t), 0);
        close(fd);
        return t;
    }
};

TEST_F(SerialStateTest, RatesFrom1200To115200AreTakenOthersRefused) {
    ASSERT_NE(OpenPort(), INVALID_HANDLE_VALUE);
    DCB dcb{};
    ASSERT_TRUE(GetCommState(m_port, &dcb));
    for (DWORD rate : {1200u, 2400u, 4800u, 9600u, 19200u, 38400u, 57600u, 115200u}) {
        dcb.BaudRate = rate;
        EXPECT_TRUE(SetCommState(m_port, &dcb)) << rate;
    }
    termios host = HostSettings();
    EXPECT_EQ(cfgetospeed(&host), static_cast<speed_t>(B115200));
    for (DWORD rate : {0u, 1u, 300u, 14400u, 56000u, 230400u}) {
        dcb.BaudRate = rate;
        SetLastError(0);
        EXPECT_FALSE(SetCommState(m_port, &dcb)) << rate;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    DCB kept{};
    ASSERT_TRUE(GetCommState(m_port, &kept));
    EXPECT_EQ(kept.BaudRate, 115200u);
}

TEST_F(SerialStateTest, LineSettingsReachTheTerminalAndReadBack) {
    ASSERT_NE(OpenPort(), INVALID_HANDLE_VALUE);
    DCB dcb = WithFlagWord(0x2015);
    dcb.DCBlength = sizeof dcb;
    dcb.BaudRate = 4800;
    dcb.ByteSize = 7;
    dcb.Parity = EVENPARITY;
    dcb.StopBits = TWOSTOPBITS;
    ASSERT_TRUE(SetCommState(m_port, &dcb));
    // A pseudo-terminal keeps 8 data bits and no parity whatever it is told;
    // the rest it stores.
    termios t = HostSettings();
    EXPECT_EQ(cfgetispeed(&t), static_cast<speed_t>(B4800));
    EXPECT_NE(t.c_cflag & CSTOPB, 0u);
    EXPECT_NE(t.c_cflag & CRTSCTS, 0u);
    DCB back{};
    ASSERT_TRUE(GetCommState(m_port, &back));
    EXPECT_EQ(std::memcmp(&back, &dcb, sizeof dcb), 0);

    dcb.StopBits = ONE5STOPBITS;
    EXPECT_FALSE(SetCommState(m_port, &dcb));
    dcb.StopBits = ONESTOPBIT;
    dcb.ByteSize = 9;
    EXPECT_FALSE(SetCommState(m_port, &dcb));
}

TEST_F(SerialStateTest, ModemLinesAreSeenByThePeer) {
    ASSERT_NE(OpenPort(), INVALID_HANDLE_VALUE);
    LineReport lines = m_peer.ReadLines();
    EXPECT_TRUE(lines.known && lines.open && lines.dtr && lines.rts && lines.powered);

    ASSERT_TRUE(EscapeCommFunction(m_port, CLRRTS));
    lines = m_peer.ReadLines();
    EXPECT_TRUE(lines.dtr);
    EXPECT_FALSE(lines.rts);
    ASSERT_TRUE(EscapeCommFunction(m_port, CLRDTR));
    ASSERT_TRUE(EscapeCommFunction(m_port, SETRTS));
    lines = m_peer.ReadLines();
    EXPECT_FALSE(lines.dtr);
    EXPECT_TRUE(lines.rts);
    EXPECT_FALSE(GetSerialLineState(kPort).dtr);
    EXPECT_TRUE(GetSerialLineState(kPort).rts);

    // The control block drives the lines too.
    DCB dcb{};
    ASSERT_TRUE(GetCommState(m_port, &dcb));
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    ASSERT_TRUE(SetCommState(m_port, &dcb));
    lines = m_peer.ReadLines();
    EXPECT_TRUE(lines.dtr);
    EXPECT_FALSE(lines.rts);

    EXPECT_FALSE(EscapeCommFunction(m_port, 7));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    ASSERT_TRUE(CloseHandle(m_port));
    m_port = INVALID_HANDLE_VALUE;
    lines = m_peer.ReadLines();
    EXPECT_FALSE(lines.open || lines.dtr || lines.rts);
}

TEST_F(SerialStateTest, TimeoutsReadBackAsSet) {
    ASSERT_NE(OpenPort(), INVALID_HANDLE_VALUE);
    COMMTIMEOUTS set{MAXDWORD, 0, 0, 10, 1000};
    ASSERT_TRUE(SetCommTimeouts(m_port, &set));
    COMMTIMEOUTS got{};
    ASSERT_TRUE(GetCommTimeouts(m_port, &got));
    EXPECT_EQ(std::memcmp(&got, &set, sizeof set), 0);
    EXPECT_FALSE(SetCommTimeouts(m_port, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
}  // namespace quorvel::testing
