// The ends of a run without the exit question (SIGTERM, SIGINT, the end of
// the script, a signal while the question shows): status 0 and the job's
// settings written whole with the plan origin of the run; and usage errors,
// which start nothing and leave the root as it was.
#include <csignal>
#include <filesystem>
#include <fstream>

#include "tests/e2e/QuorvelRun.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

const char* const kIni = "Flash Disk/Jobs/ruvo/ruvo.ini";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// The default job's settings with a plan origin and scale spelt by hand,
// and a line the program never writes.
std::string HandEditedIni(const std::string& reference) {
    std::string ini = Replaced(reference, "ScreenStartx=0.0000000000", "ScreenStartx=12.5");
    ini = Replaced(ini, "ScreenStarty=0.0000000000", "ScreenStarty=-3.25");
    ini = Replaced(ini, "ScreenScale=1.0000000000", "ScreenScale=2");
    return ini + "stale=1\r\n";
}

// The same settings as the program writes them.
std::string RewrittenIni(const std::string& reference) {
    std::string ini =
        Replaced(reference, "ScreenStartx=0.0000000000", "ScreenStartx=12.5000000000");
    ini = Replaced(ini, "ScreenStarty=0.0000000000", "ScreenStarty=-3.2500000000");
    return Replaced(ini, "ScreenScale=1.0000000000", "ScreenScale=2.0000000000");
}

TEST_F(QuorvelTest, SignalsAndTheScriptsEndEndTheRunWithTheSettingsWrittenWhole) {
    ASSERT_NO_FATAL_FAILURE(FirstStart());
    const std::string reference = Reference("default_job.ini");
    const std::string expected = WrittenBack(RewrittenIni(reference));
    const std::string ready = "expect " + ScriptQuoted(kTitle) + "\n";
    struct Way {
        const char* name;
        int signal;         // 0: standard input ends
        const char* lines;  // sent before the signal, after the title shows
        bool questionShows;
    };
    const Way ways[] = {{"SIGTERM", SIGTERM, "", false},
                        {"SIGINT", SIGINT, "", false},
                        {"the end of standard input", 0, "", false},
                        {"SIGTERM at the exit question", SIGTERM, "quit\n", true}};
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        WriteHost(kIni, HandEditedIni(reference));
        auto quorvel = StartInteractive();
        const std::optional<std::string> tree = RunLines(*quorvel, ready + way.lines);
        ASSERT_TRUE(tree);
        EXPECT_EQ(tree->find(kExitQuestion) != std::string::npos, way.questionShows) << *tree;
        if (way.signal)
            quorvel->Signal(way.signal);
        else
            quorvel->CloseInput();
        const ProcessResult r = quorvel->Wait(kRunMs);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(ReadHost(kIni), expected);
    }
    // A script file's end alike.
    WriteHost(kIni, HandEditedIni(reference));
    const ProcessResult r = RunScript(ready);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadHost(kIni), expected);
}

TEST_F(QuorvelTest, UsageErrorsStartNothingAndLeaveTheRootAsItWas) {
    ASSERT_NO_FATAL_FAILURE(FirstStart());
    const std::map<std::string, std::string> root = RootEntries();
    std::ofstream(Path("bad.script")) << "expect \"Quorvel\"\nkey nosuchkey\n";
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"},
        {"--port", "COM0=/dev/null"},
        {"--port", "COM100=/dev/null"},
        {"--port", "LPT1=/dev/null"},
        {"--port", "COM2"},
        {"--script", Path("missing.script")},
        {"--script", Path("bad.script")},
        {"--script", Path("")},
        {"stray"},
        {"--snapshots"},
    };
    for (const std::vector<std::string>& more : cases) {
        SCOPED_TRACE(more.front() + " " + more.back());
        ChildProcess quorvel(QUORVEL_COMMAND, Args(more), Path(""), "usage");
        const ProcessResult r = quorvel.Wait(kRunMs);
        EXPECT_EQ(r.status, 2) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("usage: quorvel"), std::string::npos) << r.err;
        EXPECT_EQ(RootEntries(), root);
        EXPECT_FALSE(fs::exists(Path("failure.png")));
    }
    const ProcessResult bad =
        quorvel::testing::RunProcess(QUORVEL_COMMAND, Args({"--script", "bad.script"}), Path(""));
    EXPECT_NE(bad.err.find("bad.script: line 2: unknown key \"nosuchkey\""), std::string::npos)
        << bad.err;
    // A root that is not there is not made either.
    const ProcessResult missing = quorvel::testing::RunProcess(
        QUORVEL_COMMAND, {"--root", Path("none"), "--headles"}, Path(""));
    EXPECT_EQ(missing.status, 2);
    EXPECT_FALSE(fs::exists(Path("none")));
}

}  // namespace
}  // namespace e2e
