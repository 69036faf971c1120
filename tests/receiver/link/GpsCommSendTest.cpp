// What the senders put on the line, byte for byte, read at the far end of a
// pseudo-terminal.
#include "platform/base/TextConv.h"
#include "receiver/link/PortSetting.h"
#include "receiver/link/ReceiverFrames.h"
#include "tests/receiver/link/GpsLinkSupport.h"

namespace quorvel::testing {
namespace {

using Bytes = std::vector<int>;

Bytes Frame(int id, const Bytes& payload) {
    Bytes frame = {0x24, id, 0xFF - id, static_cast<int>(payload.size() & 0xFF),
                   static_cast<int>(payload.size() >> 8)};
    frame.insert(frame.end(), payload.begin(), payload.end());
    int sum = 0;
    for (int b : frame) sum ^= b;
    frame.push_back(sum);
    return frame;
}

std::string Text(const Bytes& bytes) {
    std::string text;
    for (int b : bytes) text += static_cast<char>(b);
    return text;
}

class GpsCommSendTest : public LinkPortFixture {
  protected:
    void SetUp() override {
        SYSTEMTIME start{2024, 6, 6, 1, 8, 0, 0, 0};
        UseVirtualClock(start);
        SetVirtualClockDriver(GetCurrentThreadId());
        StartPeer(2);
        HKEY key = nullptr;
        const DWORD one = 1;
        ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, L"Drivers\\PsionTeklogix\\Expansion Slot", 0,
                                 nullptr, 0, 0, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueEx(key, L"FFUART", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one),
                                sizeof one),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        // Opened on this thread: its pauses move the clock.
        m_comm.SetPortParams(1, 2, 9600, 'N', 8, 1);
        ASSERT_TRUE(m_comm.Open());
        Drain();
    }
    void TearDown() override {
        if (m_comm.IsOpen()) m_comm.Close();
        SetVirtualClockDriver(0);
        UseRealClock();
        LinkPortFixture::TearDown();
    }
    // Everything the port sent, waiting a little for the last bytes.
    std::string Drain() {
        std::string got;
        char buffer[512];
        for (size_t n; (n = m_peer.Read(buffer, sizeof buffer, 100)) > 0;) got.append(buffer, n);
        return got;
    }

    CGpsComm m_comm;
};

TEST_F(GpsCommSendTest, LinesGoOutWithTheirLowBytesAndOneMoreLineEnd) {
    EXPECT_TRUE(m_comm.SendLine(L"com,9600\r\n"));
    EXPECT_EQ(Drain(), "com,9600\r\n\r\n");
    EXPECT_TRUE(m_comm.SendLine(L"A\x4E2D\x00FF"));
    EXPECT_EQ(Drain(), "A\x2D\xFF\r\n");
    EXPECT_TRUE(m_comm.SendLine(L""));
    EXPECT_EQ(Drain(), "\r\n");
    CString relay = L"send com2 $GPGGA,1*00";
    m_comm.SendText(relay);
    EXPECT_EQ(relay, CString(L"send com2 $GPGGA,1*00\r\n"));
    EXPECT_EQ(Drain(), "send com2 $GPGGA,1*00\r\n");
    EXPECT_EQ(m_comm.WriteByte('\x0D'), 1);
    EXPECT_EQ(Drain(), "\r");
}

TEST_F(GpsCommSendTest, FramesCarryLengthComplementAndXor) {
    struct Case {
        int id;
        int length;
        const wchar_t* payload;
        Bytes expected;
    };
    const Case cases[] = {
        {52, 0, L"", {0x24, 0x34, 0xCB, 0x00, 0x00, 0xDB}},
        {40, 0, L"", {0x24, 0x28, 0xD7, 0x00, 0x00, 0xDB}},
        {30, 3, L"abcdef", Frame(30, {0x61, 0x62, 0x63})},
        {81, 2, L"\x4E2D", Frame(81, {0x2D, 0x00})},  // past the end: the terminator
        {0, 1, L"\x00FF", Frame(0, {0xFF})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m_comm.SendFrame(static_cast<BYTE>(c.id), c.length, c.payload), 1) << c.id;
        EXPECT_EQ(Drain(), Text(c.expected)) << c.id;
    }
    // The longest payload fills the 256-byte area; one more is refused.
    const CString full(L'x', 250);
    EXPECT_EQ(m_comm.SendFrame(57, 250, full), 1);
    const std::string big = Drain();
    ASSERT_EQ(big.size(), 256u);
    EXPECT_EQ(static_cast<BYTE>(big[3]), 250);
    EXPECT_EQ(big[4], 0);
    EXPECT_EQ(m_comm.SendFrame(57, 251, CString(L'x', 251)), 0);
    EXPECT_EQ(m_comm.SendFrame(57, -1, L""), 0);
    EXPECT_EQ(Drain(), "");
    // A closed port fails at the first byte.
    m_comm.Close();
    EXPECT_EQ(m_comm.SendFrame(52, 0, L""), 0);
    EXPECT_EQ(m_comm.WriteByte('x'), 0);
}

TEST_F(GpsCommSendTest, TypedCommandsEncodeTheirTokens) {
    struct Case {
        const wchar_t* tokens;
        Bytes payload;
    };
    const Case cases[] = {
        {L"C0", {0x00}},
        {L"C0 x7 C1", {0x00, 0x01}},
        {L"i1500", {0xDC, 0x05}},
        {L"l305419896", {0x56, 0x78, 0x12, 0x34}},
        {L"L305419896 I1500 c300 A5", {0x56, 0x78, 0x12, 0x34, 0xDC, 0x05, 0x2C, '5'}},
        {L"a", {0x00}},
        {L"i-2 l-1", {0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {L"c12abc i", {0x0C, 0x00, 0x00}},
        {L"C1  C2 ", {0x01, 0x02}},                  // empty tokens are skipped
        {L"C00000000001 C3", {0x03}},                // 12 characters: skipped
        {L"l9999999999", {0xE3, 0xFF, 0x54, 0x0B}},  // 0x2540BE3FF, low 32 bits
        {L"", {}},
    };
    for (const Case& c : cases) {
        m_comm.SendTypedCommand(53, c.tokens);
        EXPECT_EQ(Drain(), Text(Frame(53, c.payload))) << ToUtf8(c.tokens);
    }
    // More than 250 payload bytes: nothing goes out.
    CString many;
    for (int i = 0; i < 63; ++i) many += L"l1 ";
    m_comm.SendTypedCommand(30, many);
    EXPECT_EQ(Drain(), "");
}

TEST(PortNumberForSettingTest, ChoicesMapToPorts) {
    EXPECT_EQ(PortNumberForSetting(0), 5);
    EXPECT_EQ(PortNumberForSetting(1), 1);
    EXPECT_EQ(PortNumberForSetting(2), 1);
    EXPECT_EQ(PortNumberForSetting(7), 1);
    EXPECT_EQ(PortNumberForSetting(-1), 1);
    CGpsComm comm;
    EXPECT_EQ(comm.m_nPort, 5);
    EXPECT_EQ(comm.m_nBaud, 57600);
    EXPECT_EQ(comm.m_nCurChannel, -1);
    EXPECT_EQ(comm.m_bRadioReadReq, 1);
    EXPECT_EQ(comm.m_nReceiverType, -1);
    EXPECT_FALSE(comm.IsOpen());
    comm.SetPortParams(0, 2, 9600, 'E', 7, 2);
    EXPECT_EQ(comm.m_nPort, 1);
    EXPECT_EQ(comm.m_nBaud, 9600);
    EXPECT_EQ(comm.m_cParity, 'E');
    EXPECT_EQ(comm.m_nDataBits, 7);
    EXPECT_EQ(comm.m_nStopBits, 2);
    comm.SetPortParams(1, 7, 57600, 'N', 8, 1);
    EXPECT_EQ(comm.m_nPort, 7);
    comm.SetPortParams(0, 0, 57600, 'N', 8, 1);
    EXPECT_EQ(comm.m_nPort, 5);
    // Reset keeps the results of the network and GSM requests.
    comm.m_bNetReadOk = 1;
    comm.m_bGsmSetOk = 1;
    comm.m_nBusy = 1;
    comm.m_nRadioState = 2;
    comm.m_strGsmBaseNumber = L"138";
    comm.Reset();
    EXPECT_EQ(comm.m_bNetReadOk, 1);
    EXPECT_EQ(comm.m_bGsmSetOk, 1);
    EXPECT_EQ(comm.m_nRadioState, 2);
    EXPECT_EQ(comm.m_nBusy, 0);
    EXPECT_TRUE(comm.m_strGsmBaseNumber.IsEmpty());
    EXPECT_EQ(comm.m_nPort, 5);
}

}  // namespace
}  // namespace quorvel::testing
