// The port-test dialog on a pseudo-terminal mapped as a COM port: lines
// received and counted, text and hexadecimal bytes sent, a port that is
// not there, the dialog held while the port is open, and a flood of bytes
// without a line end.
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "app/setup/PortTestDlg.h"
#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"
#include "platform/base/ThreadSignal.h"
#include "platform/serial/PortMap.h"
#include "platform/testing/ModalTest.h"
#include "platform/testing/PtyPeer.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"
#include "tests/app/setup/SetupTest.h"

namespace setuptest {
namespace {

using quorvel::testing::WaitUntil;

constexpr int kPort = 3;

class PortTestDlgTest : public quorvel::testing::ModalTest {
  protected:
    void SetUp() override {
        ModalTest::SetUp();
        // The bytes come in real time; earlier tests may have left the
        // virtual clock in place.
        quorvel::UseRealClock();
        std::string error;
        ASSERT_TRUE(m_peer.Open(Host("com3"), error)) << error;
        quorvel::MapSerialPort(kPort, m_peer.Path());
    }
    void TearDown() override {
        quorvel::ClearSerialPortMappings();
        m_peer.Close();
        ModalTest::TearDown();
    }
    // Serves the port's reader until `done`.
    static auto Until(std::function<bool()> done, std::string what,
                      int realMs = quorvel::testing::kWaitMs) {
        return [done, what, realMs](HWND dialog) {
            EXPECT_TRUE(WaitUntil(done, what, realMs, [done] {
                quorvel::win::ServeSentMessages();
                if (!done()) quorvel::CurrentThreadSignal().Wait(quorvel::ClockNowMs() + 20);
            }));
            quorvel::testing::PumpDialogMessages(dialog);
        };
    }
    static int ListCount(HWND dialog) {
        return static_cast<int>(SendDlgItemMessage(dialog, IDC_PORT_LIST, LB_GETCOUNT, 0, 0));
    }
    static std::string ListItem(HWND dialog, int index) {
        wchar_t text[256] = {};
        SendDlgItemMessage(dialog, IDC_PORT_LIST, LB_GETTEXT, static_cast<WPARAM>(index),
                           reinterpret_cast<LPARAM>(text));
        return quorvel::ToUtf8(text);
    }
    auto PeerWrites(std::string bytes) {
        return [this, bytes](HWND) { ASSERT_EQ(m_peer.Write(bytes), bytes.size()); };
    }
    auto PeerReads(std::string expected) {
        return [this, expected](HWND) { EXPECT_EQ(m_peer.ReadUntil(expected), expected); };
    }

    quorvel::testing::PtyPeer m_peer;
};

TEST_F(PortTestDlgTest, LinesAreCountedAndTextAndHexBytesGoOut) {
    CPortTestDlg dlg;
    m_modals.ExpectDialog(IDD_PORT_TEST)
        .Do(Dump("port_test"))
        .SetText(IDC_PORT_NUMBER, L"3")
        .Click(IDC_PORT_OPEN)
        .Do([](HWND dialog) {
            EXPECT_TRUE(ItemEnabled(dialog, IDC_PORT_SEND) && ItemEnabled(dialog, IDC_PORT_CLOSE));
            EXPECT_FALSE(ItemEnabled(dialog, IDC_PORT_OPEN) || ItemEnabled(dialog, IDCANCEL));
        })
        .Do(PeerWrites("AB\r\nC"))
        .Do(Until([&dlg] { return dlg.m_nReceived == 5; }, "five bytes"))
        .Do([](HWND dialog) {
            ASSERT_EQ(ListCount(dialog), 1);
            EXPECT_EQ(ListItem(dialog, 0), "AB");
            EXPECT_EQ(SendDlgItemMessage(dialog, IDC_PORT_LIST, LB_GETCURSEL, 0, 0), 0);
            EXPECT_EQ(Text(dialog, IDC_PORT_COUNT), "接收:4");
        })
        .Do([&dlg](HWND) { EXPECT_EQ(dlg.m_strLine, CString(L"C")); })
        .Do(PeerWrites("D\n\n"))
        .Do(Until([&dlg] { return dlg.m_nReceived == 8; }, "eight bytes"))
        .Do([](HWND dialog) {
            ASSERT_EQ(ListCount(dialog), 3);
            EXPECT_EQ(ListItem(dialog, 1), "CD");
            EXPECT_EQ(ListItem(dialog, 2), "");
            EXPECT_EQ(Text(dialog, IDC_PORT_COUNT), "接收:8");
        })
        // Hexadecimal with ENTER, then text with and without it.
        .SetText(IDC_PORT_SEND_TEXT, L"HEX:41 42")
        .Check(IDC_PORT_HEX)
        .Click(IDC_PORT_SEND)
        .Do(PeerReads("\x41\x42\r\n"))
        .SetText(IDC_PORT_SEND_TEXT, L"1ff  0 zz")
        .Check(IDC_PORT_ENTER, false)
        .Click(IDC_PORT_SEND)
        .Do(PeerReads(std::string("\xff\x00\x00", 3)))
        .Check(IDC_PORT_HEX, false)
        .SetText(IDC_PORT_SEND_TEXT, L"HEX:log")
        .Click(IDC_PORT_SEND)
        .SetText(IDC_PORT_SEND_TEXT, L"unlog")
        .Check(IDC_PORT_ENTER)
        .Click(IDC_PORT_SEND)
        .Do(PeerReads("logunlog\r\n"))
        // Held open: Escape and the window's close do nothing.
        .Key(VK_ESCAPE)
        .Do([](HWND dialog) { SendMessage(dialog, WM_CLOSE, 0, 0); })
        .Do([](HWND dialog) { EXPECT_TRUE(IsWindow(dialog)); })
        .Click(IDC_PORT_CLOSE)
        .Do([](HWND dialog) {
            EXPECT_FALSE(ItemEnabled(dialog, IDC_PORT_SEND) || ItemEnabled(dialog, IDC_PORT_CLOSE));
            EXPECT_TRUE(ItemEnabled(dialog, IDC_PORT_OPEN) && ItemEnabled(dialog, IDCANCEL));
        })
        .Click(IDCANCEL);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(dlg.m_bOpen);
}

TEST_F(PortTestDlgTest, APortThatIsNotThereOrNoNumberOpensNothing) {
    m_modals.ExpectDialog(IDD_PORT_TEST)
        .SetText(IDC_PORT_NUMBER, L"9")
        .Click(IDC_PORT_OPEN)
        .SetText(IDC_PORT_NUMBER, L"com3")
        .Click(IDC_PORT_OPEN)
        .Do([](HWND dialog) {
            EXPECT_TRUE(ItemEnabled(dialog, IDC_PORT_OPEN));
            EXPECT_FALSE(ItemEnabled(dialog, IDC_PORT_SEND));
        })
        .Click(IDCANCEL);
    m_modals.ExpectMessageBox(L"打开串口失败").Answer(IDOK);
    m_modals.ExpectMessageBox(L"请输入一个整数").Answer(IDOK);
    CPortTestDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_NE(m_modals.Transcript().find("message box \"提示\" \"打开串口失败\""),
              std::string::npos);
}

// A megabyte (64 KB outside the soak run) without a line end grows the
// line being received and nothing else; the dialog stays usable and the
// port closes.
TEST_F(PortTestDlgTest, AMegabyteWithoutALineEndIsTakenWhole) {
    static const long kBytes = std::getenv("QUORVEL_SOAK") != nullptr ? 1 << 20 : 1 << 16;
    CPortTestDlg dlg;
    m_modals.ExpectDialog(IDD_PORT_TEST)
        .SetText(IDC_PORT_NUMBER, L"3")
        .Select(IDC_PORT_BAUD, 4)
        .Click(IDC_PORT_OPEN)
        .Do([this, &dlg](HWND dialog) {
            std::thread writer([this] {
                const std::string block(16 * 1024, 'x');
                for (long sent = 0; sent < kBytes; sent += static_cast<long>(block.size()))
                    m_peer.Write(block);
            });
            // Each byte is a round trip between two threads: a minute for
            // every 64 KB is plenty.
            const int realMs = static_cast<int>(kBytes >> 16) * 60000;
            Until([&dlg] { return dlg.m_nReceived == kBytes; }, "all the bytes", realMs)(dialog);
            writer.join();
        })
        .Do([&dlg](HWND dialog) {
            EXPECT_EQ(dlg.m_strLine.GetLength(), kBytes);
            EXPECT_EQ(ListCount(dialog), 0);
        })
        .Click(IDC_PORT_CLOSE)
        .Click(IDCANCEL);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

}  // namespace
}  // namespace setuptest
