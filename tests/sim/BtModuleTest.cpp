// The Bluetooth module simulator seen from the program's side with plain
// terminal I/O, its modem lines written into the side file by hand as the
// program's serial layer writes them: the AT dialogue, the inquiry in the
// device's code page, silence and split replies on request, and the relay
// to a receiver once a device is connected.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "platform/testing/TempDeviceRoot.h"
#include "sim/BtModule.h"
#include "sim/GnssSimulator.h"

namespace quorvel::sim {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPatienceMs = 20000;

class BtModuleTest : public ::testing::Test {
  protected:
    void TearDown() override {
        if (m_fd >= 0) close(m_fd);
        m_module.reset();
        m_receiver.reset();
    }

    void Start(BtModuleOptions options) {
        options.linkPath = m_folder.Path() + "/bt";
        m_module = std::make_unique<BtModuleSimulator>(options);
        std::string error;
        ASSERT_TRUE(m_module->Start(error)) << error;
        m_fd = open(options.linkPath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(m_fd, 0);
        termios raw{};
        tcgetattr(m_fd, &raw);
        cfmakeraw(&raw);
        tcsetattr(m_fd, TCSANOW, &raw);
        SetDtr(false);
    }
    void SetDtr(bool dtr) {
        std::ofstream(m_folder.Path() + "/bt.lines")
            << "DTR=" << (dtr ? 1 : 0) << " RTS=1 POWER=1 OPEN=1\n";
        // The module looks at its lines once a step (20 ms).
        usleep(100 * 1000);
    }
    void Send(const std::string& bytes) {
        ASSERT_EQ(write(m_fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // One read: what has arrived within `ms`.
    std::string ReadSome(int ms) {
        pollfd in{m_fd, POLLIN, 0};
        if (poll(&in, 1, ms) <= 0) return "";
        char buffer[4096];
        const ssize_t n = read(m_fd, buffer, sizeof buffer);
        return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : "";
    }
    std::string ReadUntil(const std::string& until, int ms = kPatienceMs) {
        std::string got;
        const auto end = Clock::now() + std::chrono::milliseconds(ms);
        while (got.find(until) == std::string::npos && Clock::now() < end) got += ReadSome(20);
        return got;
    }

    testing::TempFolder m_folder;
    std::unique_ptr<BtModuleSimulator> m_module;
    std::unique_ptr<GnssSimulator> m_receiver;
    int m_fd = -1;
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
    close(m_fd);
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

// The program's output, or "failed" when it did not end well.
std::string RunProgram(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return "cannot run";
    std::string out;
    char line[512] = {};
    while (std::fgets(line, sizeof line, pipe) != nullptr) out += line;
    const int status = pclose(pipe);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? out : "failed";
}

TEST(BtModuleProgram, ExplainsItsOptionsAndRefusesMalformedOnes) {
    const std::string help = RunProgram(QUORVEL_BT_SIM " --help");
    EXPECT_NE(help.find("--device ADDRESS,NAME"), std::string::npos) << help;
    EXPECT_NE(help.find("--relay PATH"), std::string::npos);
    EXPECT_NE(help.find("--silent"), std::string::npos);
    EXPECT_EQ(RunProgram(QUORVEL_BT_SIM " --device nocomma 2>/dev/null"), "failed");
    EXPECT_EQ(RunProgram(QUORVEL_BT_SIM " --result-gap -1 2>/dev/null"), "failed");
}

}  // namespace
}  // namespace quorvel::sim
