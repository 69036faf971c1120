// The plan view in the real program with a still receiver: the job's
// drawing files and raw file read at start and written back byte for byte
// by "保存图形", and the store key on the plan view storing a point.
#include <cstdio>
#include <fstream>

#include "platform/testing/WaitUntil.h"
#include "tests/e2e/QuorvelRun.h"

namespace e2e {
namespace {

using quorvel::testing::WaitUntil;

std::string Checksummed(const std::string& body) {
    unsigned sum = 0;
    for (char c : body) sum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X", sum);
    return "$" + body + tail;
}

// "码头" and "北岸" in code page 936.
const std::string kTextSg =
    "TEXT:0,0.00000000,16711779,12,,2489000.25000000,500020.12500000,\xC2\xEB\xCD\xB7\r\n"
    "TEXT:1,30.00000000,255,16,,2489005.00000000,500007.00000000,\xB1\xB1\xB0\xB6 A\r\n";
const std::string kLineSg =
    "LINE:001,8684676,16761024,0,1,2489000.00000000,500000.00000000,2489000.00000000,500100."
    "00000000\r\n"
    "LINE:,0,0,2,3,2489001.00000000,500002.00000000,2489003.00000000,500004.00000000\r\n";

class PlanViewE2eTest : public QuorvelTest {
  protected:
    void SetUp() override {
        QuorvelTest::SetUp();
        if (HasFatalFailure()) return;
        FirstStart();
        if (HasFatalFailure()) return;
        // The job's meridian at the receiver: no parameter prompt.
        std::string par = ReadHost("Flash Disk/Jobs/ruvo/ruvo.par");
        const size_t meridian = par.find("\r\nszdCenter=0.0000000000\r\n");
        ASSERT_NE(meridian, std::string::npos) << par;
        par.replace(meridian + 12, 12, "114.0000000000");
        WriteHost("Flash Disk/Jobs/ruvo/ruvo.par", par);
        const std::string gga = Checksummed(
            "GPGGA,100000.0,2230.0000000,N,11415.0000000,E,4,12,0.8,50.000,M,-3.000,M,1.0,0000");
        std::ofstream capture(Path("still.nmea"), std::ios::binary);
        for (int i = 0; i < 3600; ++i) capture << gga << "\n";
        capture.close();
        StartStillReceiver({});
    }
    // The still position, every second; `more` options after it.
    void StartStillReceiver(const std::vector<std::string>& more) {
        std::vector<std::string> options = {"--replay", Path("still.nmea"), "--replay-crlf",
                                            "--replay-lines", "1"};
        options.insert(options.end(), more.begin(), more.end());
        RestartSimulator(options);
    }
    // The store dialog from the plan view's 'A' (answering the refusal
    // while no position has come); FALSE when the program ended.
    bool OpenStore(ChildProcess& quorvel, std::string& shown) {
        bool ended = false;
        const bool opened = WaitUntil(
            [&] {
                const std::optional<std::string> tree = RunLines(quorvel, "tap 120 120\nkey a\n");
                if (!tree) return ended = true;
                if (tree->find("GPS状态：固定解状态") != std::string::npos) {
                    shown = *tree;
                    return true;
                }
                const bool refused = tree->find("当前没有接收数据") != std::string::npos;
                RunLines(quorvel, refused ? "answer \"当前没有接收数据\" OK\n" : "key esc\n");
                return false;
            },
            "the store dialog from the plan view", kRunMs);
        return opened && !ended;
    }
};

// A receiver that falls silent: once the frame's no-data notice reached the
// plan, its 'A' refuses instead of storing the last position again.
TEST_F(PlanViewE2eTest, AfterTheNoDataNoticeTheStoreKeyRefuses) {
    auto quorvel = StartInteractive();
    ASSERT_TRUE(RunLines(*quorvel, "expect " + ScriptQuoted(kTitle) + " 30000\n"));
    std::string shown;
    ASSERT_TRUE(OpenStore(*quorvel, shown));
    ASSERT_TRUE(RunLines(*quorvel, "key esc\n"));
    StartStillReceiver({"--silence-after", "0", "--silence-for", "3600"});
    bool ended = false;
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::optional<std::string> tree = RunLines(*quorvel, "tap 120 120\nkey a\n");
            if (!tree) return ended = true;
            if (tree->find("当前没有接收数据,不能采集数据") != std::string::npos) {
                RunLines(*quorvel, "answer \"当前没有接收数据\" OK\n");
                return true;
            }
            RunLines(*quorvel, "key esc\n");
            return false;
        },
        "the refusal after the receiver fell silent", kRunMs));
    EXPECT_FALSE(ended);
    EXPECT_EQ(ReadHost("Flash Disk/Jobs/ruvo/data/ruvo.dat"), "");
    quorvel->Write("quit\nanswer " + ScriptQuoted(kExitQuestion) + " YES\n");
    quorvel->CloseInput();
    EXPECT_EQ(quorvel->Wait(kRunMs).status, 0);
}

TEST_F(PlanViewE2eTest, DrawingFilesAreWrittenBackAndTheStoreKeyStoresFromThePlan) {
    // Each file with a line its reader skips: a short text line, a line
    // line of 8 fields; the 10-field line is read from its first 9.
    WriteHost("Flash Disk/Jobs/ruvo/text.sg", kTextSg + "TEXT:0,0,0\r\n");
    WriteHost("Flash Disk/Jobs/ruvo/line.sg",
              kLineSg.substr(0, kLineSg.size() - 2) + ",extra\r\nLINE:a,1,2,0,1,1,2,3\r\n");
    auto quorvel = StartInteractive();
    ASSERT_TRUE(RunLines(*quorvel, "expect " + ScriptQuoted(kTitle) + " 30000\n"));
    EXPECT_EQ(TraceBoxes(*quorvel, "command 32892\n"),
              "box \"提示\" \"图形数据保存完毕！\" [确定] -> OK\nmain window \"" +
                  std::string(kTitle) + "\"\n");
    EXPECT_EQ(ReadHost("Flash Disk/Jobs/ruvo/text.sg"), kTextSg);
    EXPECT_EQ(ReadHost("Flash Disk/Jobs/ruvo/line.sg"), kLineSg);

    // 'A' on the plan: before the first position it refuses, then the
    // store dialog shows the fixed position; Enter stores the point and the
    // next 'A' proposes the next name.
    std::string shown;
    ASSERT_TRUE(OpenStore(*quorvel, shown));
    ASSERT_TRUE(RunLines(*quorvel, "key enter\n"));
    const std::string dat = ReadHost("Flash Disk/Jobs/ruvo/data/ruvo.dat");
    EXPECT_EQ(dat.substr(0, 4), "PT1,") << dat;
    EXPECT_NE(ReadHost("Flash Disk/Jobs/ruvo/data/ruvo.RTK").find("PT1,"), std::string::npos);
    EXPECT_NE(ReadHost("Flash Disk/Jobs/ruvo/data/ruvo.BLH").find("PT1,"), std::string::npos);
    ASSERT_TRUE(OpenStore(*quorvel, shown));
    EXPECT_NE(shown.find("PT2"), std::string::npos) << shown;
    ASSERT_TRUE(RunLines(*quorvel, "key esc\n"));
    quorvel->Write("quit\nanswer " + ScriptQuoted(kExitQuestion) + " YES\n");
    quorvel->CloseInput();
    const ProcessResult r = quorvel->Wait(kRunMs);
    EXPECT_EQ(r.status, 0) << r.err;
}

}  // namespace
}  // namespace e2e
