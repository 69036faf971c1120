// The simulators running on their pseudo-terminals, seen from the program's
// side with plain terminal I/O; and the command-line programs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/testing/ChildProcess.h"
#include "platform/testing/TempDeviceRoot.h"
#include "platform/testing/WaitUntil.h"
#include "sim/GnssSimulator.h"
#include "sim/Pty.h"
#include "sim/Sounder.h"
#include "tests/sim/ProgramSide.h"

namespace quorvel::sim {
namespace {

using testing::ProcessResult;
using testing::RunProcess;

// The epochs of the GGA sentences in `text`, numbered from the scenario's
// start at 08:00:00 UTC at `rateHz` epochs a second.
std::vector<int64_t> GgaEpochs(const std::string& text, int rateHz) {
    std::vector<int64_t> epochs;
    const std::string tag = "$GPGGA,";
    for (size_t at = text.find(tag); at != std::string::npos; at = text.find(tag, at + 1)) {
        const size_t from = at + tag.size();
        const size_t comma = text.find(',', from);
        if (comma == std::string::npos || comma - from < 9) continue;  // cut short
        const std::string t = text.substr(from, comma - from);
        const double secondsOfDay = std::stoi(t.substr(0, 2)) * 3600 +
                                    std::stoi(t.substr(2, 2)) * 60 + std::stod(t.substr(4));
        epochs.push_back(std::llround((secondsOfDay - 8 * 3600) * rateHz));
    }
    return epochs;
}

// Where consecutive epochs are not one apart.
int Gaps(const std::vector<int64_t>& epochs) {
    int gaps = 0;
    for (size_t i = 1; i < epochs.size(); ++i) gaps += epochs[i] != epochs[i - 1] + 1 ? 1 : 0;
    return gaps;
}

bool LinesNoted(GnssSimulator& sim, const std::string& what) {
    const std::vector<LoggedCommand> items = sim.Log().Items();
    return std::any_of(items.begin(), items.end(), [&](const LoggedCommand& c) {
        return c.kind == LoggedCommand::Kind::kLines && c.text.find(what) != std::string::npos;
    });
}

class SimulatorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.Made());
        m_dir = m_folder.Path();
    }
    void OpenProgramSide(const std::string& path) { ASSERT_TRUE(m_side.Open(path)) << path; }

    testing::TempFolder m_folder{"quorvel-sim"};
    std::string m_dir;
    ProgramSide m_side;
};

TEST_F(SimulatorTest, ReceiverTalksLogsCommandsAndAnswersFrames) {
    GnssSimOptions options;
    options.rateHz = 20;
    options.linkPath = m_dir + "/gnss";
    options.logPath = m_dir + "/commands.log";
    GnssSimulator sim(options);
    std::string error;
    ASSERT_TRUE(sim.Start(error)) << error;
    EXPECT_EQ(sim.Path(), m_dir + "/gnss");
    OpenProgramSide(sim.Path());
    EXPECT_NE(m_side.ReadFor(kPatienceMs, "$GPGGA").find("$GPGGA,"), std::string::npos);

    const std::string linkStart("\x24\x34\xCB\x00\x00\xDB", 6);
    const std::string reset("\x24\x28\xD7\x00\x00\xDB", 6);
    ASSERT_TRUE(m_side.Send(linkStart + "$JOFF\r\n\r\n" + reset));
    const std::string reply = ReplyFrame(40, "");
    EXPECT_NE(m_side.ReadFor(kPatienceMs, reply).find(reply), std::string::npos);
    ASSERT_TRUE(
        sim.Log().WaitFor([](const auto& items) { return items.size() >= 4; }, kPatienceMs));
    const std::vector<LoggedCommand> items = sim.Log().Items();
    EXPECT_EQ(items[0].kind, LoggedCommand::Kind::kFrame);
    EXPECT_EQ(items[0].frameId, 52);
    EXPECT_TRUE(items[0].checksumOk);
    EXPECT_EQ(items[1].text, "$JOFF\r\n");
    EXPECT_EQ(items[2].text, "\r\n");
    EXPECT_EQ(items[3].frameId, 40);
    EXPECT_LE(items[0].seconds, items[3].seconds);
    sim.Stop();
    std::ifstream log(options.logPath);
    std::string first;
    std::getline(log, first);
    EXPECT_NE(first.find("FRAME id=52 len=0 payload= xor=ok"), std::string::npos) << first;
}

// The receiver looks at the lines once a step and notices one change at a
// time, so the step that sees the power go sends nothing, and the power comes
// back only after that step: the epochs heard have exactly one gap, whatever
// the speed of the machine.
TEST_F(SimulatorTest, ReceiverFallsSilentWhileUnpoweredAndHangsUp) {
    GnssSimOptions options;
    options.rateHz = 20;
    options.linkPath = m_dir + "/gnss";
    GnssSimulator sim(options);
    std::string error;
    ASSERT_TRUE(sim.Start(error)) << error;
    OpenProgramSide(sim.Path());
    std::string heard;
    ASSERT_TRUE(m_side.HearUntil(heard, [&] { return GgaEpochs(heard, 20).size() >= 2; }))
        << "the receiver never talked";
    std::ofstream(options.linkPath + ".lines") << "DTR=1 RTS=0 POWER=0 OPEN=1\n";
    ASSERT_TRUE(m_side.HearUntil(heard, [&] { return LinesNoted(sim, "POWER=0"); }))
        << "the receiver never noticed the power go";
    std::ofstream(options.linkPath + ".lines") << "DTR=1 RTS=1 POWER=1 OPEN=1\n";
    ASSERT_TRUE(m_side.HearUntil(heard,
                                 [&] {
                                     const std::vector<int64_t> epochs = GgaEpochs(heard, 20);
                                     return Gaps(epochs) > 0 && epochs.size() >= 2 &&
                                            epochs.back() == epochs.end()[-2] + 1;
                                 }))
        << "no silence, or no talk after it: " << heard.size() << " bytes heard";
    const std::vector<int64_t> epochs = GgaEpochs(heard, 20);
    EXPECT_EQ(Gaps(epochs), 1);
    EXPECT_TRUE(std::is_sorted(epochs.begin(), epochs.end()));
    sim.Stop();
    EXPECT_FALSE(std::filesystem::exists(options.linkPath));
    char byte;
    EXPECT_LE(read(m_side.Fd(), &byte, 1), 0);  // hung up
}

// A simulator started again with the same --link while the old one ends:
// the old endpoint's last close must not take the new one's link.
TEST_F(SimulatorTest, AHungUpTerminalKeepsItsNameAndLeavesANewLinkAlone) {
    const std::string link = m_dir + "/gnss";
    std::string error;
    PtyEndpoint old;
    ASSERT_TRUE(old.Open(link, error)) << error;
    old.Close();
    EXPECT_EQ(old.Path(), link);
    EXPECT_FALSE(std::filesystem::exists(link));

    PtyEndpoint again;
    ASSERT_TRUE(again.Open(link, error)) << error;
    std::ofstream(link + ".lines") << "DTR=1 RTS=0 POWER=1 OPEN=1\n";
    old.Close();
    EXPECT_FALSE(old.ReadLines().known);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_TRUE(again.ReadLines().dtr);
    std::error_code missing;
    EXPECT_EQ(std::filesystem::read_symlink(link, missing), again.SlavePath());
}

TEST_F(SimulatorTest, ReceiverSendsPortFrameBrokenFramesAndBinBlocksOnRequest) {
    GnssSimOptions options;
    options.rateHz = 20;
    options.portFrameAtS = 0.2;
    options.brokenFramesAtS = 0.3;
    options.bin1Sigma = 0.5;
    options.shutdownAnswer = 1;
    GnssSimulator sim(options);
    std::string error;
    ASSERT_TRUE(sim.Start(error)) << error;
    OpenProgramSide(sim.Path());
    const std::string broken = BrokenReplyFrames()[1];
    std::string got = m_side.ReadFor(3000, broken);
    EXPECT_NE(got.find(ReplyFrame(80, "")), std::string::npos);
    EXPECT_LT(got.find(ReplyFrame(80, "")), got.find(BrokenReplyFrames()[0]));
    EXPECT_NE(got.find(broken), std::string::npos);
    const size_t bin = got.find("$BIN\x01");
    ASSERT_NE(bin, std::string::npos);
    float sigma = 0;
    std::memcpy(&sigma, got.data() + bin + 52, sizeof sigma);
    EXPECT_EQ(sigma, 0.5f);
    EXPECT_EQ(got.find(ReplyFrame(80, ""), got.find(ReplyFrame(80, "")) + 1), std::string::npos);
    ASSERT_TRUE(m_side.Send(std::string("\x24\x51\xAE\x00\x00\xDB", 6)));  // shut down
    const std::string refused = ReplyFrame(81, std::string(1, '\x01'));
    EXPECT_NE(m_side.ReadFor(2000, refused).find(refused), std::string::npos);
}

TEST_F(SimulatorTest, ReplayWaitsForTheProgramsPortAndSendsEveryLine) {
    const std::string capture = m_dir + "/capture.log";
    std::string lines;
    for (int i = 0; i < 300; ++i) lines += "$GPGGA," + std::to_string(i) + "*00\n";
    std::ofstream(capture) << "# GPS: test\n" << lines;
    GnssSimOptions options;
    options.rateHz = 20;
    options.linkPath = m_dir + "/gnss";
    options.replayPath = capture;
    options.replayCrLf = true;
    options.replayLinesPerEpoch = 50;
    GnssSimulator sim(options);
    std::string error;
    ASSERT_TRUE(sim.Start(error)) << error;
    OpenProgramSide(sim.Path());
    EXPECT_EQ(m_side.ReadFor(300), "");  // the port is not reported open yet
    std::ofstream(options.linkPath + ".lines") << "DTR=1 RTS=1 POWER=1 OPEN=1\n";
    std::string expected;
    for (int i = 0; i < 300; ++i) expected += "$GPGGA," + std::to_string(i) + "*00\r\n";
    EXPECT_EQ(m_side.ReadFor(5000, "$GPGGA,299*00\r\n"), expected);
    // The flag rises just after the last line is written.
    EXPECT_TRUE(quorvel::testing::WaitUntil([&] { return sim.ReplayDone(); }, "the replay's end"));
    options.replayPath = m_dir + "/none.log";
    GnssSimulator missing(options);
    EXPECT_FALSE(missing.Start(error));
}

TEST_F(SimulatorTest, SounderSendsItsTypesTelegrams) {
    SounderSimOptions options;
    options.type = 3;
    options.rateHz = 50;
    options.errorEvery = 3;
    SounderSimulator sim(options);
    std::string error;
    ASSERT_TRUE(sim.Start(error)) << error;
    OpenProgramSide(sim.Path());
    const std::string got = m_side.ReadFor(kPatienceMs, "\x01,M\r");
    EXPECT_EQ(got.rfind("$GPSSS,", 0), 0u) << got;
    EXPECT_NE(got.find(",M\r$GPSSS,"), std::string::npos);
    EXPECT_NE(got.find("\x01,M\r"), std::string::npos);
}

// The first line a program printed, with its line end.
std::string FirstLine(const std::string& out) {
    return out.substr(0, out.find('\n') + 1);
}

TEST_F(SimulatorTest, ProgramsPrintTheirTerminalFirstAndExplainTheirOptions) {
    ProcessResult help = RunProcess(QUORVEL_GNSS_SIM, {"--help"}, m_dir);
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_NE(help.out.find("--lat"), std::string::npos);
    EXPECT_NE(help.out.find("--hangup-after"), std::string::npos);
    EXPECT_NE(help.out.find("--replay FILE"), std::string::npos);
    help = RunProcess(QUORVEL_SOUNDER_SIM, {"--help"}, m_dir);
    EXPECT_NE(FirstLine(help.out).find("usage"), std::string::npos);

    const ProcessResult gnss =
        RunProcess(QUORVEL_GNSS_SIM,
                   {"--rate", "20", "--hangup-after", "0.3", "--link", m_dir + "/gnss"}, m_dir);
    EXPECT_EQ(FirstLine(gnss.out), m_dir + "/gnss\n");
    const ProcessResult sounder = RunProcess(QUORVEL_SOUNDER_SIM, {"--hangup-after", "0.2"}, m_dir);
    EXPECT_EQ(FirstLine(sounder.out).rfind("/dev/pts/", 0), 0u) << sounder.out;
    EXPECT_NE(RunProcess(QUORVEL_GNSS_SIM, {"--rate", "50"}, m_dir).status, 0);
}

}  // namespace
}  // namespace quorvel::sim
