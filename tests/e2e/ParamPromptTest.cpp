// The meridian prompt of the running program: raised by a receiver far from
// the job's central meridian, closed for good by its button, never raised
// by a receiver near it.
#include <regex>

#include "platform/testing/ChildProcess.h"
#include "tests/e2e/QuorvelRun.h"

namespace e2e {
namespace {

using quorvel::testing::ReadFile;

constexpr const char* kMeridianPrompt = "中央子午线设置错误";
constexpr const char* kParFile = "Flash Disk/Jobs/ruvo/ruvo.par";

class ParamPromptTest : public QuorvelTest {
  protected:
    // The default job with its central meridian at 114 and the receiver at
    // `lon`.
    void PrepareJob(const std::string& lon) {
        FirstStart();
        const std::string par =
            std::regex_replace(Reference("default_job.par"), std::regex("szdCenter=0\\.0+"),
                               "szdCenter=114.0000000000");
        ASSERT_NE(par.find("szdCenter=114.0000000000\r\n"), std::string::npos);
        WriteHost(kParFile, par);
        RestartSimulator({"--lon", lon});
    }

    // Whether a window of the tree shows the prompt.
    static bool Shows(const std::string& tree) {
        return tree.find(kMeridianPrompt) != std::string::npos;
    }

    void Quit(ChildProcess& quorvel) {
        quorvel.Write("quit\nanswer " + ScriptQuoted(kExitQuestion) + " YES\n");
        quorvel.CloseInput();
        const ProcessResult r = quorvel.Wait(kRunMs);
        EXPECT_EQ(r.status, 0) << r.err;
    }
};

TEST_F(ParamPromptTest, AReceiverFarFromTheMeridianRaisesThePromptOnceUntilItIsClosed) {
    PrepareJob("120.5");
    auto quorvel = StartInteractive();
    const std::optional<std::string> raised =
        RunLines(*quorvel, "expect " + ScriptQuoted(kTitle) + " 30000\nexpect " +
                               ScriptQuoted(kMeridianPrompt) + " 30000\n");
    ASSERT_TRUE(raised) << ReadFile(quorvel->StderrPath());
    EXPECT_TRUE(Shows(*raised)) << *raised;

    const std::optional<std::string> closed = RunLines(*quorvel, "key enter\n");
    ASSERT_TRUE(closed) << ReadFile(quorvel->StderrPath());
    EXPECT_FALSE(Shows(*closed)) << *closed;

    // Fifteen epochs more of the same far position.
    const std::optional<std::string> later = RunLines(*quorvel, "wait 15000\n");
    ASSERT_TRUE(later) << ReadFile(quorvel->StderrPath());
    EXPECT_FALSE(Shows(*later)) << *later;
    Quit(*quorvel);
}

TEST_F(ParamPromptTest, AReceiverNearTheMeridianRaisesNoPrompt) {
    PrepareJob("119.0");
    auto quorvel = StartInteractive();
    const std::optional<std::string> quiet =
        RunLines(*quorvel, "expect " + ScriptQuoted(kTitle) + " 30000\nwait 15000\n");
    ASSERT_TRUE(quiet) << ReadFile(quorvel->StderrPath());
    EXPECT_FALSE(Shows(*quiet)) << *quiet;
    Quit(*quorvel);
}

}  // namespace
}  // namespace e2e
