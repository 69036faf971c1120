// The launcher driving a small program through scripts, as separate
// processes on the real clock (deadlines are generous and only bound a
// hang): input of every kind reaching the frame, a message box and a modal
// dialog; snapshots and dumps; each way a script fails; the ends of a run
// by script, standard input and SIGTERM; usage errors that leave the root
// alone; and the real quorvel command's answers to --help and a bad option.
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "platform/testing/ChildProcess.h"
#include "platform/testing/WaitUntil.h"

namespace launcher_test {
namespace {

namespace fs = std::filesystem;
using quorvel::testing::ChildProcess;
using quorvel::testing::ProcessResult;
using quorvel::testing::ReadFile;
using quorvel::testing::RunProcess;
using quorvel::testing::WaitUntil;

constexpr int kStartMs = 30000;  // a start under the sanitizers on a loaded machine

class LauncherRun : public ::testing::Test {
  protected:
    void SetUp() override {
        // Short: the window-sharing socket lives under the root, and socket
        // paths are short.
        static int runs = 0;
        m_dir = fs::temp_directory_path() /
                ("ql-" + std::to_string(getpid()) + "-" + std::to_string(++runs));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Dir() const { return m_dir.string(); }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    ProcessResult RunScript(const std::string& script, std::vector<std::string> more = {}) {
        std::ofstream(Path("test.script")) << script;
        std::vector<std::string> args{"--root", "root", "--script", "test.script"};
        args.insert(args.end(), more.begin(), more.end());
        return RunProcess(LAUNCHER_TEST_APP, args, Dir());
    }

    void ExpectFailure(const ProcessResult& r, const std::string& where, const std::string& why) {
        EXPECT_EQ(r.status, 3) << r.err;
        EXPECT_NE(r.err.find(where), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(why), std::string::npos) << r.err;
        EXPECT_TRUE(IsPng(Path("failure.png")));
        fs::remove(Path("failure.png"));
    }

    static bool IsPng(const std::string& path) {
        return ReadFile(path).rfind("\x89PNG\r\n\x1a\n", 0) == 0;
    }

    fs::path m_dir;
};

TEST_F(LauncherRun, ScriptDrivesKeysStylusBoxesAndDialogs) {
    const ProcessResult r = RunScript(R"(# every kind of input, in order
expect "ready"
key a
key B 2          # letters arrive lower case
char "#"
type "中文 \"q\" \\"
expect "abb#中文 \"q\" \\"
key bksp 3
expect "abb#中文 \"q"
tap 120 250
expect "tap 120 250"
drag 10 200 100 260
expect "drag 10 200 100 260"
command 1001
answer "Save the survey" YES
expect "box said yes"
command 1002
expect "绘制文本"
type "hel"
key l            # keys reach the dialog's edit too
char o
snapshot dialog.png
dump tree.txt
key enter
expect "dialog 1 hello"
wait 100
quit
answer "Exit the program" YES
)");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("quorvel: device root " + Path("root")), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("ended without questions"), std::string::npos) << r.out;
    EXPECT_TRUE(IsPng(Path("dialog.png")));
    const std::string tree = ReadFile(Path("tree.txt"));
    EXPECT_NE(tree.find("Edit id=1203 \"hello\""), std::string::npos) << tree;
    EXPECT_NE(tree.find("Static id=101 \"box said yes\""), std::string::npos) << tree;
    EXPECT_FALSE(fs::exists(Path("failure.png")));
    EXPECT_FALSE(fs::exists(Path("snapshots")));  // none by default with a script
}

TEST_F(LauncherRun, EachScriptFailureEndsWithStatusThreeAndAPicture) {
    ExpectFailure(RunScript("expect \"ready\"\nexpect \"never\" 300\n"), "line 2 (expect",
                  "nothing showed \"never\" within 300 ms");
    ExpectFailure(RunScript("command 1001\nkey a\n"), "line 2 (key a)",
                  "input while a message box shows \"Save the survey?\"");
    ExpectFailure(RunScript("command 1001\ntap 5 5\n"), "line 2", "input while a message box");
    ExpectFailure(RunScript("command 1001\nexpect \"Save\"\n"), "the end of the script",
                  "a message box is left: \"Save the survey?\"");
    ExpectFailure(RunScript("command 1001\nanswer \"Save\" OK\n"), "line 2", "has no such button");
    ExpectFailure(RunScript("expect \"ready\"\nsnapshot no/such/folder.png\n"), "line 2",
                  "cannot write");
    // The failure picture follows the snapshot folder when one is given.
    // A box that waited in vain names the boxes up instead.
    const ProcessResult r =
        RunScript("command 1001\nanswer \"nothing\" NO\n", {"--snapshots", "shots"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("no message box showing \"nothing\" within 10000 ms (the boxes up: "
                         "\"Save the survey?\")"),
              std::string::npos)
        << r.err;
    EXPECT_TRUE(IsPng(Path("shots/failure.png")));
    EXPECT_TRUE(IsPng(Path("shots/latest.png")));
}

TEST_F(LauncherRun, EndOfScriptCancelsOpenDialogsAndEndsWithoutQuestions) {
    const ProcessResult r = RunScript("command 1002\nexpect \"绘制文本\"\ntype \"left open\"\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("ended without questions"), std::string::npos) << r.out;
    EXPECT_EQ(r.err, "");
}

TEST_F(LauncherRun, StandardInputRunsLinesAsTheyComeAndSkipsBadOnes) {
    ChildProcess child(LAUNCHER_TEST_APP, {"--root", "root", "--script", "-"}, Dir());
    child.Write("expect \"ready\"\nfrobnicate 3\ncommand 1001\n");
    child.Write("answer \"Save\" NO\nexpect \"box said no\"\ndump tree.txt\n");
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(Path("tree.txt")); }, "tree.txt", kStartMs));
    child.CloseInput();
    const ProcessResult r = child.Wait();
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("line 2 skipped: unknown command \"frobnicate\""), std::string::npos)
        << r.err;
    EXPECT_NE(r.out.find("ended without questions"), std::string::npos);
    EXPECT_NE(ReadFile(Path("tree.txt")).find("box said no"), std::string::npos);
}

TEST_F(LauncherRun, ASecondCopyHandsOverAndAFailedStartSaysSo) {
    ChildProcess first(LAUNCHER_TEST_APP, {"--root", "root", "--script", "-"}, Dir());
    first.Write("expect \"ready\"\ndump first.txt\n");
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(Path("first.txt")); }, "first.txt", kStartMs));
    fs::create_directories(Path("second"));
    const ProcessResult second =
        RunProcess(LAUNCHER_TEST_APP, {"--root", Path("root"), "--headless", "--snapshots", "s"},
                   Path("second"));
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_NE(second.out.find("handed over"), std::string::npos) << second.out;
    first.CloseInput();
    EXPECT_EQ(first.Wait().status, 0);
    // Alone again: the next copy starts for itself.
    const ProcessResult third = RunScript("expect \"ready\"\n");
    EXPECT_EQ(third.status, 0) << third.err;
    EXPECT_EQ(third.out.find("handed over"), std::string::npos) << third.out;
    // A start-up that fails without a copy to hand over to.
    std::ofstream(Path("root/fail-start")) << "";
    EXPECT_EQ(RunScript("expect \"ready\"\n").status, 1);
}

TEST_F(LauncherRun, SignalsEndAHeadlessRunWhoseSnapshotFollowsTheScreen) {
    // A root of our own, its ports file overridden for one port.
    fs::create_directories(Path("root"));
    std::ofstream(Path("root/ports")) << "COM1=/dev/zero\nCOM2=/dev/zero\n";
    for (int sig : {SIGTERM, SIGINT}) {
        fs::remove_all(Path("shots"));
        ChildProcess child(
            LAUNCHER_TEST_APP,
            {"--root", "root", "--headless", "--snapshots", "shots", "--port", "com1=/dev/null"},
            Dir());
        ASSERT_TRUE(
            WaitUntil([&] { return IsPng(Path("shots/latest.png")); }, "a snapshot", kStartMs));
        child.Signal(sig);
        const ProcessResult r = child.Wait();
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find("quorvel: screen in " + Path("shots/latest.png")), std::string::npos)
            << r.out;
        EXPECT_NE(r.out.find("ended without questions"), std::string::npos) << sig;
        EXPECT_NE(r.out.find("COM1 -> /dev/null\nCOM2 -> /dev/zero\n"), std::string::npos);
        EXPECT_FALSE(fs::exists(Path("root/Flash Disk")));  // not laid out: it was not empty
        EXPECT_FALSE(fs::exists(Path("shots/latest.png.part")));
    }
}

TEST_F(LauncherRun, UsageErrorsStartNothingAndLeaveTheRootAlone) {
    std::ofstream(Path("bad.script")) << "expect \"ready\"\n\nkey nosuchkey\n";
    const std::vector<std::vector<std::string>> cases = {
        {"--root", "root", "--bogus"},
        {"--root", "root", "--port", "COM100=/dev/null"},
        {"--root", "root", "--port", "LPT1=/dev/null"},
        {"--root", "root", "--snapshots"},
        {"--root", "root", "--script", "missing.script"},
        {"--root", "root", "--script", "bad.script"},
        {"--root", "root", "stray"},
    };
    for (const std::vector<std::string>& args : cases) {
        const ProcessResult r = RunProcess(LAUNCHER_TEST_APP, args, Dir());
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_NE(r.err.find("usage: quorvel"), std::string::npos);
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(fs::exists(Path("root"))) << args.back();
    }
    const ProcessResult bad = RunProcess(LAUNCHER_TEST_APP, {"--script", "bad.script"}, Dir());
    EXPECT_NE(bad.err.find("bad.script: line 3: unknown key \"nosuchkey\""), std::string::npos)
        << bad.err;
}

TEST_F(LauncherRun, TheQuorvelCommandAnswersHelpAndRefusesBadOptions) {
    const ProcessResult help = RunProcess(QUORVEL_COMMAND, {"--help"}, Dir());
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: quorvel [--root DIR]", 0), 0u) << help.out;
    const ProcessResult bad = RunProcess(QUORVEL_COMMAND, {"--root", "root", "--headles"}, Dir());
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("unknown option --headles"), std::string::npos);
    EXPECT_FALSE(fs::exists(Path("root")));
}

}  // namespace
}  // namespace launcher_test
