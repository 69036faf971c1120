// Stake-out in the real program, from a still receiver: the point screen
// opened by its menu command, the target picked in the library, a staked point
// stored with its record line beside the library, the next target after
// confirmation, and the data view taking the positions again afterwards.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "platform/gdi/Image.h"
#include "platform/testing/WaitUntil.h"
#include "tests/e2e/QuorvelRun.h"

namespace e2e {
namespace {

using quorvel::testing::WaitUntil;

constexpr const char* kFixedStatus = "GPS状态：固定解状态";

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> f;
    std::stringstream in(line);
    for (std::string part; std::getline(in, part, ',');) f.push_back(part);
    return f;
}

// The rectangle, in screen pixels, of control `id` of the maximised
// top-level window in a window-tree dump; nothing when it is not there.
std::optional<RECT> ControlRect(const std::string& tree, int id) {
    std::istringstream in(tree);
    int left = 0, top = 0;
    for (std::string line; std::getline(in, line);) {
        const size_t open = line.find(" (");
        if (open == std::string::npos) continue;
        int l = 0, t = 0, r = 0, b = 0;
        if (std::sscanf(line.c_str() + open + 2, "%d,%d,%d,%d", &l, &t, &r, &b) != 4) continue;
        if (line[0] != ' ' && line.find("maximized") != std::string::npos) {
            left = l;
            top = t;
        } else if (line.find(" id=" + std::to_string(id) + " ") != std::string::npos) {
            return RECT{left + l, top + t, left + r, top + b};
        }
    }
    return std::nullopt;
}

// The centre of that rectangle.
std::optional<std::pair<int, int>> ControlCentre(const std::string& tree, int id) {
    const std::optional<RECT> r = ControlRect(tree, id);
    if (!r) return std::nullopt;
    return std::make_pair((r->left + r->right) / 2, (r->top + r->bottom) / 2);
}

// A read-out that shows nothing: its rectangle of the screen is one colour.
bool ShowsNothing(const quorvel::gdi::Image& screen, const RECT& r) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (screen.At(x, y) != screen.At(r.left, r.top)) return false;
    return true;
}

bool HoldsNonNumber(const std::string& text) {
    return text.find("inf") != std::string::npos || text.find("nan") != std::string::npos;
}

class StakeoutTest : public StillReceiverTest {
  protected:
    // The line screen opened by its menu command with the first line of the
    // job's library picked; the screen's window tree.
    std::optional<std::string> OpenLineScreenOnFirstLine(ChildProcess& quorvel) {
        if (!RunLines(quorvel, "expect " + ScriptQuoted(kTitle) + " 30000\n")) return std::nullopt;
        const std::optional<std::string> screen =
            RunLines(quorvel, "command 32780\nexpect \"线名:\"\n");
        const auto library = screen ? ControlCentre(*screen, 1035) : std::nullopt;
        if (!library) return std::nullopt;
        const std::string tap =
            "tap " + std::to_string(library->first) + " " + std::to_string(library->second) + "\n";
        if (!RunLines(quorvel, tap + "expect \"放样线坐标库\"\nkey down\nkey enter\n"))
            return std::nullopt;
        return screen;
    }

    // The record button (1094 of the line screen's tree) pressed until its
    // store dialog shows a fixed position; the dialog's window tree.
    std::string RecordOnceFixed(ChildProcess& quorvel, const std::string& screen) {
        const auto record = ControlCentre(screen, 1094);
        EXPECT_TRUE(record) << screen;
        if (!record) return {};
        const std::string press = "tap " + std::to_string(record->first) + " " +
                                  std::to_string(record->second) + "\nwait 200\n";
        std::string store;
        EXPECT_TRUE(WaitUntil(
            [&] {
                const std::optional<std::string> tree = RunLines(quorvel, press);
                if (tree) store = *tree;
                if (!tree || tree->find(kFixedStatus) != std::string::npos) return true;
                RunLines(quorvel, "answer \"当前没有接收数据\" OK\n");
                return false;
            },
            "a fixed position in the store dialog", kRunMs));
        return store;
    }
};

TEST_F(StakeoutTest, FindStakeRecordAndMoveOnThenTheDataViewTakesPositionsAgain) {
    // The standing point of the store test's reference: where this
    // receiver lies on the job's grid.
    const std::vector<std::string> standing = Fields(Reference("point_store.dat"));
    const double x = std::stod(standing[1]), y = std::stod(standing[2]);
    const double h = std::stod(standing[3]), antenna = std::stod(standing[13]);
    char ptb[400];
    std::snprintf(ptb, sizeof ptb,
                  "0,PT1,%.3f,%.3f,48.000,a,\r\n0,PT2,%.3f,%.3f,48.000,b,\r\n"
                  "0,PT3,%.3f,%.3f,48.000,c,\r\n",
                  x - 5.0, y, x + 0.3, y + 0.2, x + 5.0, y);
    WriteHost("Flash Disk/Jobs/ruvo/ruvo.ptb", ptb);
    auto quorvel = StartInteractive();
    ASSERT_TRUE(RunLines(*quorvel, "expect " + ScriptQuoted(kTitle) + " 30000\n"));
    const std::optional<std::string> screen =
        RunLines(*quorvel, "command 32779\nexpect \"点名:\"\n");
    ASSERT_TRUE(screen);
    // PT1 picked in the library (button 1016), then the next point, PT2.
    const auto library = ControlCentre(*screen, 1016);
    ASSERT_TRUE(library) << *screen;
    ASSERT_TRUE(RunLines(*quorvel, "tap " + std::to_string(library->first) + " " +
                                       std::to_string(library->second) +
                                       "\nexpect \"放样点坐标库\"\nkey down\nkey enter\n"
                                       "key 2\nexpect \"确定放样下一点吗?\"\nexpect \"PT2\"\n"
                                       "key enter\n"));
    // 'A' once a position has come: the store dialog proposes the target.
    ASSERT_TRUE(WaitUntil(
        [&] {
            const std::optional<std::string> tree = RunLines(*quorvel, "key a\nwait 200\n");
            if (!tree || tree->find(kFixedStatus) != std::string::npos) return true;
            RunLines(*quorvel, "answer \"当前没有接收数据\" OK\n");
            return false;
        },
        "a fixed position in the store dialog", kRunMs));
    const std::optional<std::string> store = RunLines(*quorvel, "expect \"PT2\"\nkey enter\n");
    ASSERT_TRUE(store);
    const std::string ptr = ReadHost("Flash Disk/Jobs/ruvo/ruvo.ptr");
    const std::vector<std::string> f = Fields(ptr.substr(0, ptr.find("\r\n")));
    ASSERT_EQ(f.size(), 5u) << ptr;
    EXPECT_EQ(f[0], "PT2");
    EXPECT_NEAR(std::stod(f[1]), x, 0.001);
    EXPECT_NEAR(std::stod(f[2]), y, 0.001);
    // The record keeps the height before the antenna is taken off.
    EXPECT_NEAR(std::stod(f[3]) - antenna, h, 0.001);
    EXPECT_EQ(ptr.size(), ptr.find("\r\n") + 2) << ptr;
    // The next target after its question.
    ASSERT_TRUE(RunLines(*quorvel, "key 2\nexpect \"确定放样下一点吗?\"\nkey enter\nkey esc\n"));
    // The line screen opened and left by Escape gives the positions back too.
    ASSERT_TRUE(RunLines(*quorvel, "command 32780\nexpect \"线名:\"\nkey esc\n"));
    // Back on the data view, which takes the positions again.
    ASSERT_TRUE(WaitUntil(
        [&] {
            const std::optional<std::string> tree =
                RunLines(*quorvel, "tap 120 250\nkey a\nwait 200\n");
            if (!tree || tree->find(kFixedStatus) != std::string::npos) return true;
            RunLines(*quorvel, "key esc\n");
            return false;
        },
        "the store dialog of the data view", kRunMs));
    ASSERT_TRUE(RunLines(*quorvel, "key esc\n"));
    quorvel->Write("quit\nanswer " + ScriptQuoted(kExitQuestion) + " YES\n");
    quorvel->CloseInput();
    const ProcessResult r = quorvel->Wait(kRunMs);
    EXPECT_EQ(r.status, 0) << r.err;
    // Only the one staked point was recorded.
    EXPECT_EQ(ReadHost("Flash Disk/Jobs/ruvo/ruvo.ptr"), ptr);
}

// Line stake-out: a line picked in the job's line library, a point staked
// by the record button; its record line carries the chainage of the point
// on that line as its code.
TEST_F(StakeoutTest, LineStakedPointCarriesItsChainage) {
    const std::vector<std::string> standing = Fields(Reference("point_store.dat"));
    const double x = std::stod(standing[1]), y = std::stod(standing[2]);
    // A line due north through the receiver's place, starting 12 m south of
    // it at chainage 100; a second line elsewhere.
    char lnb[400];
    std::snprintf(lnb, sizeof lnb,
                  "S1,%.3f,%.3f,47.000,,E1,%.3f,%.3f,47.000,,100.0000\r\n"
                  "S2,%.3f,%.3f,47.000,,E2,%.3f,%.3f,47.000,,900.0000\r\n",
                  x - 12.0, y + 0.5, x + 20.0, y + 0.5, x + 100.0, y, x + 200.0, y);
    WriteHost("Flash Disk/Jobs/ruvo/ruvo.lnb", lnb);
    auto quorvel = StartInteractive();
    const std::optional<std::string> screen = OpenLineScreenOnFirstLine(*quorvel);
    ASSERT_TRUE(screen);
    RecordOnceFixed(*quorvel, *screen);
    ASSERT_TRUE(RunLines(*quorvel, "key enter\nkey esc\n"));
    const std::string lnr = ReadHost("Flash Disk/Jobs/ruvo/ruvo.lnr");
    const std::vector<std::string> f = Fields(lnr.substr(0, lnr.find("\r\n")));
    ASSERT_EQ(f.size(), 5u) << lnr;
    const double px = std::stod(f[1]), py = std::stod(f[2]);
    EXPECT_NEAR(px, x, 0.001);
    EXPECT_NEAR(py, y, 0.001);
    // The chainage of the stored point on S1-E1, from the line's own
    // numbers: 100 + the distance along it from its start.
    char chainage[32];
    std::snprintf(chainage, sizeof chainage, "%.2f", 100.0 + (px - (x - 12.0)));
    EXPECT_EQ(f[4], chainage) << lnr;
    quorvel->Write("quit\nanswer " + ScriptQuoted(kExitQuestion) + " YES\n");
    quorvel->CloseInput();
    EXPECT_EQ(quorvel->Wait(kRunMs).status, 0);
}

// A damaged row far out in the line library, a line a metre long 1e308
// away: picked on the line screen it leaves empty the offset and the
// chainage, which no sum of its distances resolves, and shows the
// distances to its ends, with no "inf" or "nan" in the store dialog or the
// record, whose code stays empty; the library is left as it was and the
// program ends well.
TEST_F(StakeoutTest, ADamagedLineFarOutLeavesEmptyWhatCannotBeANumber) {
    const std::string lnb = "D1,1e308,1,,,D2,1e308,0,,,1e308\r\n";
    WriteHost("Flash Disk/Jobs/ruvo/ruvo.lnb", lnb);
    auto quorvel = StartInteractive();
    const std::optional<std::string> screen = OpenLineScreenOnFirstLine(*quorvel);
    ASSERT_TRUE(screen);
    const std::optional<RECT> chainage = ControlRect(*screen, 1034);
    const std::optional<RECT> offset = ControlRect(*screen, 1030);
    const std::optional<RECT> start = ControlRect(*screen, 1032);
    ASSERT_TRUE(chainage && offset && start) << *screen;
    const std::string store = RecordOnceFixed(*quorvel, *screen);
    EXPECT_FALSE(HoldsNonNumber(store)) << store;
    ASSERT_TRUE(RunLines(*quorvel, "key enter\n"));
    // Once a position has drawn the read-outs again: a number beside
    // "起点距:", nothing beside "偏离距:" and "里程:".
    quorvel::gdi::Image shot;
    ASSERT_TRUE(WaitUntil(
        [&] {
            return RunLines(*quorvel, "snapshot " + ScriptQuoted(Path("line.png")) + "\n") &&
                   quorvel::gdi::LoadImageFile(Path("line.png"), &shot) &&
                   !ShowsNothing(shot, *start);
        },
        "the read-outs of a position", kRunMs));
    EXPECT_TRUE(ShowsNothing(shot, *chainage));
    EXPECT_TRUE(ShowsNothing(shot, *offset));
    ASSERT_TRUE(RunLines(*quorvel, "key esc\n"));
    const std::string lnr = ReadHost("Flash Disk/Jobs/ruvo/ruvo.lnr");
    EXPECT_FALSE(HoldsNonNumber(lnr)) << lnr;
    const std::string first = lnr.substr(0, lnr.find("\r\n"));
    EXPECT_EQ(std::count(first.begin(), first.end(), ','), 4) << lnr;
    EXPECT_EQ(first.back(), ',') << lnr;
    EXPECT_EQ(ReadHost("Flash Disk/Jobs/ruvo/ruvo.lnb"), lnb);
    Quit(*quorvel);
}

}  // namespace
}  // namespace e2e
