// The survey screens in the real program, the receiver replaying fixed
// sentences on its pseudo-terminal: the toolbar toggle between the
// navigation view and the point-measuring screen, each storing from its
// keys; the store dialog answered field by field against files written by
// hand; automatic collection by distance and by time started by its
// command; and the exit button.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

#include "platform/testing/WaitUntil.h"
#include "tests/e2e/QuorvelRun.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using quorvel::testing::WaitUntil;

constexpr const char* kData = "Flash Disk/Jobs/ruvo/data/";
constexpr const char* kFixedStatus = "GPS状态：固定解状态";

// A fixed GGA at 22°30' N + `north` metres (about), 114°15' E, at the
// second of the day `second` (UTC).
std::string Gga(double north, double second) {
    const double minutes = 30.0 + north / 110760.0 * 60.0;
    const int s = static_cast<int>(second);
    char body[160];
    std::snprintf(body, sizeof body,
                  "GPGGA,%02d%02d%04.1f,22%010.7f,N,11415.0000000,E,4,12,0.8,50.000,M,-3.000,M,"
                  "1.0,0000",
                  s / 3600, s / 60 % 60, std::fmod(second, 60.0), minutes);
    return Checksummed(body);
}

std::string Field(const std::string& line, int index) {
    size_t from = 0;
    for (int i = 0; i < index; ++i) {
        from = line.find(',', from);
        if (from == std::string::npos) return {};
        ++from;
    }
    return line.substr(from, line.find(',', from) - from);
}

class SurveyScreensTest : public QuorvelTest {
  protected:
    void SetUp() override {
        QuorvelTest::SetUp();
        if (HasFatalFailure()) return;
        FirstStart();
        if (HasFatalFailure()) return;
        SetMeridianAtReceiver();
    }

    // The receiver replays `lines` at `rate` a second.
    void Replay(const std::vector<std::string>& lines, int rate) {
        ReplayLines("replay.nmea", lines, {"--rate", std::to_string(rate)});
    }

    std::string Data(const std::string& name) const { return ReadHost(kData + name); }
    bool HasData(const std::string& name) const { return fs::exists(Host(kData + name)); }

    // Collection by time every `interval` seconds, the receiver standing
    // still at 5 fixes a second: the point-measuring screen opened, the
    // collection started, and `points` points in.
    void CollectByTime(int interval, size_t points, std::unique_ptr<ChildProcess>* quorvel) {
        SetSetting("nSaveType", "3");
        SetSetting("nAutoSaveTime", std::to_string(interval));
        std::vector<std::string> lines;
        for (int i = 0; i < 3000; ++i) lines.push_back(Gga(0.0, 36000.0 + i * 0.2));
        Replay(lines, 5);
        *quorvel = StartInteractive();
        ASSERT_TRUE(RunLines(**quorvel, "expect " + ScriptQuoted(kTitle) +
                                            " 30000\ncommand 32781\ncommand 32840\n"));
        ASSERT_TRUE(WaitUntil(
            [&] { return HasData("ruvo.dat") && LinesOf(Data("ruvo.dat")).size() >= points; },
            "the first points", kRunMs));
    }

    // `key` until the store dialog shows a fixed position (before the
    // first fix the screen says there is none).
    void OpenStoreDialog(ChildProcess& quorvel, const std::string& key) {
        ASSERT_TRUE(WaitUntil(
            [&] {
                const std::optional<std::string> tree = RunLines(quorvel, "key " + key + "\n");
                if (!tree || tree->find(kFixedStatus) != std::string::npos) return true;
                if (tree->find("当前没有接收数据") != std::string::npos)
                    RunLines(quorvel, "answer \"当前没有接收数据\" OK\n");
                else
                    RunLines(quorvel, "key esc\n");
                return false;
            },
            "a fixed position in the store dialog", kRunMs));
    }
};

TEST_F(SurveyScreensTest, TheToggleShowsBothScreensEachStoringThroughItsDialog) {
    StandStill();
    auto quorvel = StartInteractive();
    ASSERT_TRUE(RunLines(*quorvel, "expect " + ScriptQuoted(kTitle) + " 30000\n"));
    // The navigation view: Delete stores.
    ASSERT_TRUE(RunLines(*quorvel, "command 32801\n"));
    OpenStoreDialog(*quorvel, "del");
    ASSERT_TRUE(RunLines(*quorvel, "key enter\n"));
    ASSERT_EQ(LinesOf(Data("ruvo.dat")).size(), 1u);
    // Delete does nothing on the point-measuring screen; 'A' stores with
    // name, code and antenna height typed.
    ASSERT_TRUE(RunLines(*quorvel, "command 32801\nkey del\n"));
    OpenStoreDialog(*quorvel, "a");
    ASSERT_TRUE(RunLines(*quorvel,
                         "type \"S1\"\nkey tab\ntype \"K7\"\nkey tab\ntype \"1.5\"\nkey enter\n"));
    const std::vector<std::string> dat = LinesOf(Data("ruvo.dat"));
    ASSERT_EQ(dat.size(), 2u);
    EXPECT_EQ(dat[1] + "\r\n", Reference("screen_store.dat"));
    const std::vector<std::string> rtk = LinesOf(Data("ruvo.RTK"));
    const std::vector<std::string> header = LinesOf(Reference("screen_store.RTK"));
    ASSERT_EQ(rtk.size(), header.size() + 1);
    EXPECT_EQ(std::vector<std::string>(rtk.begin(), rtk.begin() + header.size() - 1),
              std::vector<std::string>(header.begin(), header.end() - 1));
    EXPECT_EQ(rtk.back(), header.back());
    EXPECT_EQ(LinesOf(Data("ruvo.BLH")).back() + "\r\n", Reference("screen_store.BLH"));
    EXPECT_NE(ReadHost("Flash Disk/esystem.sys").find("S1"), std::string::npos);

    // 'D' (the right arrow): the point and the coordinate library's two
    // lines under the advanced name.
    OpenStoreDialog(*quorvel, "right");
    ASSERT_TRUE(RunLines(*quorvel, "expect \"S2\"\nkey enter\n"));
    EXPECT_EQ(LinesOf(Data("ruvo.dat")).size(), 3u);
    EXPECT_EQ(LinesOf(ReadHost("Flash Disk/Jobs/ruvo/ruvo.lib")).size(), 2u);
    // Cancelled: nothing written.
    const std::string before = Data("ruvo.dat");
    OpenStoreDialog(*quorvel, "a");
    ASSERT_TRUE(RunLines(*quorvel, "key esc\n"));
    EXPECT_EQ(Data("ruvo.dat"), before);
    Quit(*quorvel);
}

TEST_F(SurveyScreensTest, WithoutAFixTheScreenSaysSoAndTheExitButtonEndsTheProgram) {
    RestartSimulator({"--silence-after", "0"});
    auto quorvel = StartInteractive();
    ASSERT_TRUE(RunLines(*quorvel, "expect " + ScriptQuoted(kTitle) + " 30000\ncommand 32781\n"));
    EXPECT_EQ(TraceBoxes(*quorvel, "key a\n"),
              "box \"信息提示\" \"当前没有接收数据,不能采集数据\" [确定] -> OK\nmain window \"" +
                  std::string(kTitle) + "\"\n");
    EXPECT_FALSE(HasData("ruvo.dat"));
    // The exit button, the last of the bottom row: its question, then the
    // frame's own, and the end.
    const std::optional<std::string> tree = RunLines(*quorvel, "tap 188 244\n");
    ASSERT_TRUE(tree);
    EXPECT_NE(tree->find("确定要退出Quorvel吗?"), std::string::npos) << *tree;
    quorvel->Write("answer \"确定要退出Quorvel吗?\" YES\nanswer " + ScriptQuoted(kExitQuestion) +
                   " YES\n");
    quorvel->CloseInput();
    const ProcessResult r = quorvel->Wait(kRunMs);
    EXPECT_EQ(r.status, 0) << r.err;
}

// Walking north 1 m a second with 10 m set: the first fix after the start
// is the reference, points at 10, 21 and 32 m; on the navigation view alike.
TEST_F(SurveyScreensTest, CollectionByDistanceOnBothScreens) {
    for (const char* open : {"command 32781\n", "command 32801\n"}) {
        SCOPED_TRACE(open);
        fs::remove_all(Host(kData));
        fs::create_directories(Host(kData));
        SetSetting("nSaveType", "4");
        SetSetting("szdAutoSaveDis", "10.000");
        std::vector<std::string> lines;
        double t = 36000.0;
        for (int i = 0; i < 120; ++i) lines.push_back(Gga(0.0, t += 0.1));
        for (int i = 1; i <= 40; ++i) lines.push_back(Gga(i, t += 0.1));
        for (int i = 0; i < 3000; ++i) lines.push_back(Gga(40.0, t += 0.1));
        Replay(lines, 10);
        auto quorvel = StartInteractive();
        ASSERT_TRUE(RunLines(
            *quorvel, "expect " + ScriptQuoted(kTitle) + " 30000\n" + open + "command 32840\n"));
        ASSERT_TRUE(
            WaitUntil([&] { return HasData("ruvo.dat") && LinesOf(Data("ruvo.dat")).size() >= 3; },
                      "three points", kRunMs));
        // Standing at the end adds none.
        ASSERT_TRUE(RunLines(*quorvel, "wait 1500\n"));
        const std::vector<std::string> dat = LinesOf(Data("ruvo.dat"));
        ASSERT_EQ(dat.size(), 3u) << Data("ruvo.dat");
        const double x0 = std::stod(Field(dat[0], 1));
        EXPECT_NEAR(std::stod(Field(dat[1], 1)) - x0, 11.0, 0.01);
        EXPECT_NEAR(std::stod(Field(dat[2], 1)) - x0, 22.0, 0.01);
        const std::vector<std::string> rtk = LinesOf(Data("ruvo.RTK"));
        EXPECT_EQ(rtk.back().substr(rtk.back().size() - 7), ",4,2,10") << rtk.back();
        Quit(*quorvel);
    }
}

// By time, interval 5, at 5 fixes a second: one point for each whole
// second that is a multiple of 5.
TEST_F(SurveyScreensTest, CollectionByTimeAtFiveHertzStoresOncePerFiveSeconds) {
    std::unique_ptr<ChildProcess> quorvel;
    ASSERT_NO_FATAL_FAILURE(CollectByTime(5, 3, &quorvel));
    Quit(*quorvel);
    const std::vector<std::string> dat = LinesOf(Data("ruvo.dat"));
    std::set<std::string> seconds;
    for (const std::string& line : dat) {
        const std::string time = Field(line, 10);  // hh:mm:ss.ss
        const int second = static_cast<int>(std::stod(time.substr(time.rfind(':') + 1)));
        EXPECT_EQ(second % 5, 0) << line;
        EXPECT_TRUE(seconds.insert(time.substr(0, time.rfind(':') + 3)).second) << line;
    }
    const std::vector<std::string> rtk = LinesOf(Data("ruvo.RTK"));
    EXPECT_EQ(rtk.back().substr(rtk.back().size() - 6), ",4,1,5") << rtk.back();
}

// By time, interval 1, at 5 fixes a second, the point file made read-only
// while the points go in: one box for the run however many points it
// refuses, no point stored twice in the files that take the points, and
// once the file is writable again the points go in under names never used.
TEST_F(SurveyScreensTest, AReadOnlyPointFileIsToldOnceAndNoPointIsStoredTwice) {
    std::unique_ptr<ChildProcess> quorvel;
    ASSERT_NO_FATAL_FAILURE(CollectByTime(1, 2, &quorvel));
    const fs::path dat = Host(std::string(kData) + "ruvo.dat");
    const fs::perms writable =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(dat, writable, fs::perm_options::remove);
    const size_t before = LinesOf(Data("ruvo.dat")).size();
    // The box stands for a second and a half while the fixes go on, then is
    // answered; four more refused points bring none.
    ASSERT_TRUE(RunLines(*quorvel,
                         "expect \"文件保存失败\" 10000\nwait 1500\n"
                         "answer \"文件保存失败\" OK\n"));
    const std::optional<std::string> tree = RunLines(*quorvel, "wait 4000\n");
    ASSERT_TRUE(tree);
    EXPECT_EQ(tree->find("文件保存失败"), std::string::npos) << *tree;
    fs::permissions(dat, fs::perms::owner_write, fs::perm_options::add);
    ASSERT_TRUE(WaitUntil([&] { return LinesOf(Data("ruvo.dat")).size() >= before + 2; },
                          "two points more", kRunMs));
    Quit(*quorvel);

    // A point stored again under its box would repeat its name. (Its second
    // is not compared: the second that makes a point due is the document's
    // newest fix, which a slow build's queue can hold a fix ahead of the one
    // stored.)
    std::set<std::string> blhNames;
    for (const std::string& line : LinesOf(Data("ruvo.BLH")))
        EXPECT_TRUE(blhNames.insert(Field(line, 0)).second) << line;
    std::set<std::string> datNames;
    for (const std::string& line : LinesOf(Data("ruvo.dat"))) {
        EXPECT_TRUE(datNames.insert(Field(line, 0)).second) << line;
        EXPECT_TRUE(blhNames.count(Field(line, 0))) << line;
    }
    // The refused points are in the .BLH only: at least the four seconds.
    EXPECT_GE(blhNames.size(), datNames.size() + 4);
}

}  // namespace
}  // namespace e2e
