// A survey recorded by the real program: a replayed receiver on COM1 and an
// echo sounder on COM2, the run started, its line changed and stopped by
// key, and a run ended by SIGTERM; the raw files checked line by line
// against the positions the receiver sent and the depth the sounder sent.
#include <sys/mount.h>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/testing/WaitUntil.h"
#include "tests/e2e/QuorvelRun.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using quorvel::testing::ReadFile;
using quorvel::testing::WaitUntil;

constexpr int kEpochs = 3000;
constexpr const char* kDataDir = "Flash Disk/Jobs/ruvo/data/";
// Every sounder telegram says 12.34 m; before the first one the field is 0.
constexpr const char* kDepth = "12.34";
constexpr const char* kNoDepthYet = "0.00";

struct Position {
    double lat = 0, lon = 0;  // packed ddd.mmss, as the raw file stores them
};

// "ddmm.mmmmmmm" (or "dddmm...") degrees and minutes as packed ddd.mmss.
double Packed(double degrees) {
    const double whole = std::floor(degrees);
    const double minutes = (degrees - whole) * 60.0;
    const double wholeMinutes = std::floor(minutes);
    return whole + wholeMinutes / 100.0 + (minutes - wholeMinutes) * 60.0 / 10000.0;
}

// A capture of fixed RTK epochs, each a little north-east of the last, and
// the positions they carry.
std::string Capture(std::vector<Position>& sent) {
    std::string text;
    for (int i = 0; i < kEpochs; ++i) {
        const double lat = 22.5 + i * 2e-6, lon = 114.25 + i * 3e-6;
        const int latDeg = static_cast<int>(lat), lonDeg = static_cast<int>(lon);
        const double tenths = 36000.0 * 10 + i * 2;  // 10:00:00.0, five epochs a second
        char body[160];
        std::snprintf(body, sizeof body,
                      "GPGGA,%02d%02d%04.1f,%02d%010.7f,N,%03d%010.7f,E,4,12,0.8,50.000,M,-3.000,"
                      "M,1.0,0000",
                      static_cast<int>(tenths / 36000), static_cast<int>(tenths / 600) % 60,
                      std::fmod(tenths, 600) / 10.0, latDeg, (lat - latDeg) * 60.0, lonDeg,
                      (lon - lonDeg) * 60.0);
        text += Checksummed(body) + "\r\n";
        // The minutes as sent, not as computed: the program reads the text.
        const std::string b(body);
        std::vector<std::string> f;
        std::stringstream in(b);
        for (std::string part; std::getline(in, part, ',');) f.push_back(part);
        const double latSent = std::stoi(f[2].substr(0, 2)) + std::stod(f[2].substr(2)) / 60.0;
        const double lonSent = std::stoi(f[4].substr(0, 3)) + std::stod(f[4].substr(3)) / 60.0;
        sent.push_back({Packed(latSent), Packed(lonSent)});
    }
    return text;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t from = 0;
    for (size_t comma; (comma = line.find(',', from)) != std::string::npos; from = comma + 1)
        fields.push_back(line.substr(from, comma - from));
    return fields;
}

class RecordingTest : public QuorvelTest {
  protected:
    void SetUp() override {
        QuorvelTest::SetUp();
        if (HasFatalFailure()) return;
        FirstStart();
        if (HasFatalFailure()) return;
        const std::string ini = ReadHost("Flash Disk/Jobs/ruvo/ruvo.ini");
        const size_t at = ini.find("\r\nSoundPort=1\r\n");
        ASSERT_NE(at, std::string::npos) << ini;
        WriteHost("Flash Disk/Jobs/ruvo/ruvo.ini",
                  ini.substr(0, at) + "\r\nSoundPort=2\r\n" + ini.substr(at + 15));
        SetMeridianAtReceiver();
        if (HasFatalFailure()) return;
        std::ofstream(Path("capture.nmea"), std::ios::binary) << Capture(m_sent);
        RestartSimulator({"--replay", Path("capture.nmea"), "--replay-lines", "1", "--rate", "5"});
        if (HasFatalFailure()) return;
        m_sounder = std::make_unique<ChildProcess>(
            QUORVEL_SOUNDER_SIM,
            std::vector<std::string>{"--type", "0", "--depth", kDepth, "--amplitude", "0", "--link",
                                     Path("sounder")},
            Path(""), "sounder");
        ASSERT_TRUE(WaitUntil([&] { return fs::exists(Path("sounder")) || m_sounder->Exited(); },
                              "the sounder simulator's terminal", kRunMs));
    }

    void TearDown() override {
        if (m_sounder) {
            m_sounder->Signal(SIGTERM);
            EXPECT_EQ(m_sounder->Wait(kRunMs).status, 0);
        }
        QuorvelTest::TearDown();
    }

    std::unique_ptr<ChildProcess> Start() {
        return StartInteractive("quorvel", {"--port", "COM2=" + Path("sounder")});
    }

    // The whole lines of a raw file.
    std::vector<std::string> Lines(const std::string& name) const {
        std::vector<std::string> lines;
        const std::string text = ReadFile(Host(kDataDir + name));
        for (size_t from = 0, end; (end = text.find("\r\n", from)) != std::string::npos;
             from = end + 2)
            lines.push_back(text.substr(from, end - from));
        return lines;
    }

    void WaitForLines(ChildProcess& quorvel, const std::string& name, size_t count) {
        ASSERT_TRUE(WaitUntil([&] { return Lines(name).size() >= count || quorvel.Exited(); },
                              name + " growing", kRunMs))
            << ReadFile(quorvel.StderrPath());
        ASSERT_GE(Lines(name).size(), count) << ReadFile(quorvel.StderrPath());
    }

    // Snapshots `first` and `second` a second apart, again and again, until
    // the two are the same (`same`) or differ: whether the screen has come
    // to stand still or moves, however late a loaded machine gets there.
    // False when the program ended first.
    bool SnapshotsUntil(ChildProcess& quorvel, const std::string& first, const std::string& second,
                        bool same) {
        bool ended = false;
        const bool seen = WaitUntil(
            [&] {
                ended = !RunLines(quorvel, "snapshot " + ScriptQuoted(Path(first)) +
                                               "\nwait 1000\nsnapshot " +
                                               ScriptQuoted(Path(second)) + "\n");
                return ended || (ReadFile(Path(first)) == ReadFile(Path(second))) == same;
            },
            same ? "the screen standing still" : "the screen moving", kRunMs);
        return seen && !ended;
    }

    // Starts the run, saying no to a depth-only run while no position has
    // come yet, and waits for its first lines.
    void StartRun(ChildProcess& quorvel, const std::string& name) {
        const auto started = [&] {
            const std::string trace = TraceBoxes(quorvel, "char c\n", {{"未收到GPS", "NO"}});
            EXPECT_EQ(trace.find("测深仪"), std::string::npos) << trace;
            // Another "c" on a running survey would begin the next file.
            return trace.find("未收到GPS") == std::string::npos;
        };
        ASSERT_TRUE(WaitUntil(started, "the run started", kRunMs));
        WaitForLines(quorvel, name, 3);
    }

    // Checks every line of the files, in order: each a position the
    // receiver sent, each once, one after the other but for `gaps` jumps
    // forward (the receiver away for a while).
    void CheckLines(const std::vector<std::string>& names, int gaps = 0) {
        size_t next = std::string::npos;
        int jumps = 0;
        bool depthSeen = false;
        for (const std::string& name : names) {
            const std::string text = ReadFile(Host(kDataDir + name));
            ASSERT_GE(text.size(), 2u) << name;
            EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << name << " ends in a cut line";
            for (const std::string& line : Lines(name)) {
                SCOPED_TRACE(name + ": " + line);
                const std::vector<std::string> f = Fields(line);
                ASSERT_EQ(f.size(), 32u);
                ASSERT_EQ(line.back(), ',');
                const Position p{std::stod(f[3]), std::stod(f[4])};
                size_t at = 0;
                while (at < m_sent.size() && (std::fabs(m_sent[at].lat - p.lat) > 1e-8 ||
                                              std::fabs(m_sent[at].lon - p.lon) > 1e-8))
                    ++at;
                ASSERT_LT(at, m_sent.size()) << "a position the receiver never sent";
                if (next != std::string::npos && at != next) {
                    ++jumps;
                    EXPECT_GT(at, next) << "a position recorded again";
                }
                next = at + 1;
                // Once a telegram has come, every line carries its depth.
                if (f[20] == kDepth) depthSeen = true;
                EXPECT_EQ(f[20], depthSeen ? kDepth : kNoDepthYet);
            }
        }
        EXPECT_TRUE(depthSeen);
        EXPECT_EQ(jumps, gaps) << "lines not contiguous";
    }

    std::vector<Position> m_sent;
    std::unique_ptr<ChildProcess> m_sounder;
};

TEST_F(RecordingTest, ARunAndItsLineChangeRecordEveryEpochWithTheSounderDepth) {
    auto quorvel = Start();
    ASSERT_TRUE(RunLines(*quorvel, "expect " + ScriptQuoted(kTitle) + " 30000\n"));
    StartRun(*quorvel, "LN0.org");
    const std::string changed = TraceBoxes(*quorvel, "char f\n");
    EXPECT_EQ(changed, "main window \"" + std::string(kTitle) + "\"\n");
    WaitForLines(*quorvel, "LN1.org", 3);
    ASSERT_TRUE(RunLines(*quorvel, "char d\n"));
    const size_t first = Lines("LN0.org").size(), second = Lines("LN1.org").size();
    quorvel->Write("quit\nanswer " + ScriptQuoted(kExitQuestion) + " YES\n");
    quorvel->CloseInput();
    const ProcessResult r = quorvel->Wait(kRunMs);
    EXPECT_EQ(r.status, 0) << r.err;
    // Nothing more after the stop.
    EXPECT_EQ(Lines("LN0.org").size(), first);
    EXPECT_EQ(Lines("LN1.org").size(), second);
    EXPECT_FALSE(fs::exists(Host(std::string(kDataDir) + "LN2.org")));
    CheckLines({"LN0.org", "LN1.org"});
}

TEST_F(RecordingTest, SigtermDuringARunLeavesOnlyWholeLines) {
    auto quorvel = Start();
    ASSERT_TRUE(RunLines(*quorvel, "expect " + ScriptQuoted(kTitle) + " 30000\n"));
    StartRun(*quorvel, "LN0.org");
    WaitForLines(*quorvel, "LN0.org", 20);
    quorvel->Signal(SIGTERM);
    const ProcessResult r = quorvel->Wait(kRunMs);
    EXPECT_EQ(r.status, 0) << r.err;
    CheckLines({"LN0.org"});
}

// The data folder on a small tmpfs that fills up while the receiver sends
// ten epochs a second: one box however many epochs fail, no torn line, the
// stored points numbered without a gap, and the run going on once there is
// room again. Needs the right to mount (root in CI).
TEST_F(RecordingTest, AFullStoreDuringARunIsToldOnceAndLeavesOnlyWholeLines) {
    const std::string data = Host(kDataDir);
    if (::mount("tmpfs", data.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no tmpfs can be mounted here";
    struct Unmount {
        std::string at;
        ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
    } unmount{data};
    RestartSimulator({"--replay", Path("capture.nmea"), "--replay-lines", "1", "--rate", "10"});
    ASSERT_FALSE(HasFatalFailure());
    auto quorvel = Start();
    ASSERT_TRUE(RunLines(*quorvel, "expect " + ScriptQuoted(kTitle) + " 30000\n"));
    StartRun(*quorvel, "LN0.org");

    // Everything that is left goes to a filler.
    {
        std::ofstream filler(data + "filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) &&
               filler.flush()) {
        }
    }
    std::string boxes;
    const std::vector<BoxAnswer> ok = {{"文件保存失败", "OK"}};
    ASSERT_TRUE(WaitUntil(
        [&] {
            boxes += TraceBoxes(*quorvel, "", ok);
            return boxes.find("文件保存失败") != std::string::npos || quorvel->Exited();
        },
        "the box of the full store", kRunMs));
    // The store stays full while more epochs come (the screen moves on with
    // them); none of them may bring a box of its own.
    const size_t full = Lines("LN0.org").size();
    ASSERT_TRUE(SnapshotsUntil(*quorvel, "full1.png", "full2.png", false));
    boxes += TraceBoxes(*quorvel, "", ok);
    EXPECT_EQ(Lines("LN0.org").size(), full);

    fs::remove(data + "filler");
    WaitForLines(*quorvel, "LN0.org", full + 20);
    boxes += TraceBoxes(*quorvel, "char d\n", ok);
    quorvel->Write("quit\nanswer " + ScriptQuoted(kExitQuestion) + " YES\n");
    quorvel->CloseInput();
    const ProcessResult r = quorvel->Wait(kRunMs);
    EXPECT_EQ(r.status, 0) << r.err;

    size_t told = 0;
    for (size_t at = 0; (at = boxes.find("文件保存失败", at)) != std::string::npos; ++at) ++told;
    EXPECT_EQ(told, 1u) << boxes;
    const std::string text = ReadFile(data + "LN0.org");
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    size_t next = 0;
    int stored = 0;
    for (const std::string& line : Lines("LN0.org")) {
        SCOPED_TRACE(line);
        const std::vector<std::string> f = Fields(line);
        ASSERT_EQ(f.size(), 32u);
        const Position p{std::stod(f[3]), std::stod(f[4])};
        size_t at = next;
        while (at < m_sent.size() && (std::fabs(m_sent[at].lat - p.lat) > 1e-8 ||
                                      std::fabs(m_sent[at].lon - p.lon) > 1e-8))
            ++at;
        ASSERT_LT(at, m_sent.size()) << "a position out of order or never sent";
        next = at + 1;
        if (f[25] == "1") {
            EXPECT_EQ(f[0], std::to_string(stored++));
        }
    }
    EXPECT_GT(stored, 1);
}

// The receiver goes away in the middle of a run (a cable pulled, the
// simulator ended) and comes back on the same link further along its track:
// the program hears silence, and once positions come again it shows and
// records them, with nobody touching it.
TEST_F(RecordingTest, AReceiverThatGoesAwayAndComesBackIsRecordedAgain) {
    auto quorvel = Start();
    ASSERT_TRUE(RunLines(*quorvel, "expect " + ScriptQuoted(kTitle) + " 30000\n"));
    StartRun(*quorvel, "LN0.org");
    WaitForLines(*quorvel, "LN0.org", 10);
    StopSimulator();
    // Past the no-data notice (ten silent ticks of the frame's one-second
    // timer, which a busy machine can make later) the screen stands still.
    ASSERT_TRUE(RunLines(*quorvel, "wait 12000\n"));
    ASSERT_TRUE(SnapshotsUntil(*quorvel, "silent1.png", "silent2.png", true));
    const size_t silent = Lines("LN0.org").size();

    // The same receiver a thousand epochs on.
    const std::string capture = ReadFile(Path("capture.nmea"));
    size_t from = 0;
    for (int line = 0; line < 1000; ++line) from = capture.find("\r\n", from) + 2;
    std::ofstream(Path("later.nmea"), std::ios::binary) << capture.substr(from);
    RestartSimulator({"--replay", Path("later.nmea"), "--replay-lines", "1", "--rate", "5"});
    WaitForLines(*quorvel, "LN0.org", silent + 10);
    ASSERT_TRUE(SnapshotsUntil(*quorvel, "moving1.png", "moving2.png", false));
    EXPECT_NE(ReadFile(Path("moving1.png")), ReadFile(Path("silent1.png")));

    ASSERT_TRUE(RunLines(*quorvel, "char d\n"));
    quorvel->Write("quit\nanswer " + ScriptQuoted(kExitQuestion) + " YES\n");
    quorvel->CloseInput();
    const ProcessResult r = quorvel->Wait(kRunMs);
    EXPECT_EQ(r.status, 0) << r.err;
    CheckLines({"LN0.org"}, 1);
}

}  // namespace
}  // namespace e2e
