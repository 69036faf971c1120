// The Bluetooth module simulator seen from the program's side with plain
// terminal I/O, its modem lines written into the side file by hand as the
// program's serial layer writes them: the AT dialogue, the inquiry in the
// device's code page, silence and split replies on request, and the relay
// to a receiver once a device is connected.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "platform/testing/ChildProcess.h"
#include "platform/testing/TempDeviceRoot.h"
#include "sim/BtModule.h"
#include "sim/GnssSimulator.h"
#include "tests/sim/ProgramSide.h"

namespace quorvel::sim {
namespace {

class BtModuleTest : public ::testing::Test {
  protected:
    void TearDown() override {
        m_side.Close();
        m_module.reset();
        m_receiver.reset();
    }

    void Start(BtModuleOptions options) {
        options.linkPath = m_folder.Path() + "/bt";
        m_module = std::make_unique<BtModuleSimulator>(options);
        std::string error;
        ASSERT_TRUE(m_module->Start(error)) << error;
        ASSERT_TRUE(m_side.Open(options.linkPath)) << options.linkPath;
        SetDtr(false);
    }
    // Writes the line the way the serial layer does and waits for the
    // module's step to have seen it: the module reads and relays on the
    // same thread, so what is sent after this meets the new state.
    void SetDtr(bool dtr) {
        std::ofstream(m_folder.Path() + "/bt.lines")
            << "DTR=" << (dtr ? 1 : 0) << " RTS=1 POWER=1 OPEN=1\n";
        const std::string note = dtr ? "DTR=1" : "DTR=0";
        ASSERT_TRUE(m_module->Log().WaitFor(
            [&](const std::vector<LoggedCommand>& items) {
                for (auto it = items.rbegin(); it != items.rend(); ++it) {
                    if (it->kind == LoggedCommand::Kind::kLines) return it->text == note;
                }
                return !dtr;  // the module starts with DTR down
            },
            kPatienceMs))
            << "the module never noticed " << note;
    }
    void Send(const std::string& bytes) { ASSERT_TRUE(m_side.Send(bytes)); }
    std::string ReadSome(int ms) { return m_side.ReadSome(ms); }
    std::string ReadUntil(const std::string& until, int ms = kPatienceMs) {
        return m_side.ReadFor(ms, until);
    }

    testing::TempFolder m_folder;
    std::unique_ptr<BtModuleSimulator> m_module;
    std::unique_ptr<GnssSimulator> m_receiver;
    ProgramSide m_side;
};

TEST(BtModuleText, NamesGoOutInTheDevicesCodePage) {
    EXPECT_EQ(Utf8ToGbk("测量主机01"),
              "\xB2\xE2\xC1\xBF\xD6\xF7\xBB\xFA"
              "01");
    EXPECT_EQ(Utf8ToGbk("RTK"), "RTK");
    EXPECT_EQ(Utf8ToGbk("a\xFF"
                        "b"),
              "a?b");
}

TEST_F(BtModuleTest, AnswersItsCommandsAndReportsTheDevicesItFinds) {
    Start({});
    Send("AT\r\n");
    EXPECT_EQ(ReadUntil("\n"), "OK\r\n");
    Send("AT+ROLE=1\r\n");
    EXPECT_EQ(ReadUntil("\n"), "OK\r\n");
    Send("AT+INQ\r\n");
    EXPECT_EQ(ReadUntil("+INQCOMP\r\n"),
              "OK\r\n"
              "+INQRESU:00:1B:DC:0F:5A:31,\xB2\xE2\xC1\xBF\xD6\xF7\xBB\xFA"
              "01\r\n"
              "+INQRESU:00:1B:DC:0F:5A:77,RTK-ROVER\r\n"
              "+INQCOMP\r\n");
    Send("AT+NAME?\r\n");
    EXPECT_EQ(ReadUntil("\n"), "ERROR\r\n");
    EXPECT_EQ(m_module->Log().TextLines(),
              (std::vector<std::string>{"AT", "AT+ROLE=1", "AT+INQ", "AT+NAME?"}));
}

TEST_F(BtModuleTest, ACancelledInquiryEndsWithoutItsResults) {
    BtModuleOptions options;
    options.resultGapS = 1.0;
    Start(options);
    Send("AT+INQ\r\n");
    EXPECT_EQ(ReadUntil("\n"), "OK\r\n");
    Send("AT+CANCEL\r\n");
    EXPECT_EQ(ReadUntil("\n"), "OK\r\n");
    EXPECT_EQ(ReadSome(2500), "");
}

TEST_F(BtModuleTest, SilentCommandsGetNothingAndRepliesMayComeInTwoPieces) {
    BtModuleOptions options;
    options.silent = {"AT+ROLE"};
    options.splitReplies = true;
    Start(options);
    Send("AT+ROLE=1\r\n");
    EXPECT_EQ(ReadSome(500), "");
    Send("AT\r\n");
    EXPECT_EQ(ReadSome(kPatienceMs), "O");
    EXPECT_EQ(ReadUntil("\n"), "K\r\n");
    options.silent = {"all"};
    m_module.reset();
    Start(options);
    Send("AT\r\nAT+INQ\r\nAT+RADDR=1\r\n");
    EXPECT_EQ(ReadSome(500), "");
    EXPECT_EQ(m_module->ConnectAddress(), "");
}

TEST_F(BtModuleTest, OnceConnectedAndWithDtrUpTheReceiverIsRelayedBothWays) {
    GnssSimOptions gnss;
    gnss.linkPath = m_folder.Path() + "/gnss";
    m_receiver = std::make_unique<GnssSimulator>(gnss);
    std::string error;
    ASSERT_TRUE(m_receiver->Start(error)) << error;
    BtModuleOptions options;
    options.relayPath = m_receiver->Path();
    Start(options);

    // DTR up without a device: what is sent goes nowhere.
    SetDtr(true);
    Send("AT\r\n");
    EXPECT_EQ(ReadSome(300), "");
    SetDtr(false);
    Send("AT+RADDR=00:1B:DC:0F:5A:31\r\n");
    EXPECT_EQ(ReadUntil("\n"), "OK\r\n");
    EXPECT_EQ(m_module->ConnectAddress(), "00:1B:DC:0F:5A:31");
    EXPECT_FALSE(m_module->Relaying());

    SetDtr(true);
    EXPECT_NE(ReadUntil("$GPGGA,").find("$GPGGA,"), std::string::npos);
    EXPECT_TRUE(m_module->Relaying());
    Send("log,bestposa,ontime,1\r\n");
    EXPECT_TRUE(m_receiver->Log().WaitFor(
        [](const std::vector<LoggedCommand>& items) {
            for (const LoggedCommand& c : items)
                if (c.text == "log,bestposa,ontime,1\r\n") return true;
            return false;
        },
        kPatienceMs));

    // DTR down again: commands for the module once more.
    SetDtr(false);
    ReadSome(200);
    Send("AT\r\n");
    EXPECT_NE(ReadUntil("OK\r\n").find("OK\r\n"), std::string::npos);
    const std::vector<std::string> lines = m_module->Log().TextLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "AT+RADDR=00:1B:DC:0F:5A:31");
    EXPECT_EQ(lines[1], "AT");
}

TEST(BtModuleProgram, ExplainsItsOptionsAndRefusesMalformedOnes) {
    testing::TempFolder dir("quorvel-bt");
    const testing::ProcessResult help = testing::RunProcess(QUORVEL_BT_SIM, {"--help"}, dir.Path());
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_NE(help.out.find("--device ADDRESS,NAME"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("--relay PATH"), std::string::npos);
    EXPECT_NE(help.out.find("--silent"), std::string::npos);
    EXPECT_NE(testing::RunProcess(QUORVEL_BT_SIM, {"--device", "nocomma"}, dir.Path()).status, 0);
    EXPECT_NE(testing::RunProcess(QUORVEL_BT_SIM, {"--result-gap", "-1"}, dir.Path()).status, 0);
}

}  // namespace
}  // namespace quorvel::sim
