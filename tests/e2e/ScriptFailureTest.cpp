// Each way a script fails the real program: status 3, the line and the
// reason on stderr, the screen in failure.png; the program still ends as
// Yes to its exit question would, its settings whole. The cases run side by
// side, each on a root of its own (one waits the ten seconds of `answer`)
// with a quiet receiver of its own as COM1 (a port is one program's at a
// time).
#include <filesystem>
#include <fstream>

#include "platform/testing/PtyPeer.h"
#include "tests/e2e/QuorvelRun.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

struct Failure {
    std::string script;
    std::string where;
    std::string why;
};

TEST_F(QuorvelTest, EachScriptFailureEndsWithStatusThreeAndAPicture) {
    const std::string title = "expect " + ScriptQuoted(kTitle) + "\n";
    const std::vector<Failure> failures = {
        {title + "expect \"Quorvel<other.dat>\" 300\n", "line 2 (expect",
         "nothing showed \"Quorvel<other.dat>\" within 300 ms"},
        {"quit\nkey enter\n", "line 2 (key enter)",
         "input while a message box shows \"确定退出程序吗?\""},
        {"quit\ncommand 57664\n", "line 2 (command 57664)", "input while a message box shows"},
        {"quit\ntap 120 160\n", "line 2 (tap 120 160)", "input while a message box shows"},
        {"quit\n", "the end of the script", "a message box is left: \"确定退出程序吗?\""},
        {"quit\nanswer \"确定退出\" OK\n", "line 2", "has no such button"},
        {"answer \"确定退出\" YES\n", "line 1",
         "no message box showing \"确定退出\" within 10000 ms\n"},
        // The radio settings before the receiver has identified itself (the
        // simulator never does): the box is another, and the failure says so.
        {title + "command 32846\nanswer \"Q27基准站不可以设置电台!\" OK\n", "line 3",
         "no message box showing \"Q27基准站不可以设置电台!\" within 10000 ms (the boxes up: "
         "\"GPS主机类型不匹配!\")"},
        {title + "snapshot " + ScriptQuoted(Path("no/such/folder.png")) + "\n", "line 2",
         "cannot write"},
    };
    std::vector<std::unique_ptr<ChildProcess>> runs;
    std::vector<std::unique_ptr<quorvel::testing::PtyPeer>> receivers;
    for (size_t i = 0; i < failures.size(); ++i) {
        const std::string n = std::to_string(i);
        std::ofstream(Path("case" + n + ".script")) << failures[i].script;
        receivers.push_back(std::make_unique<quorvel::testing::PtyPeer>());
        std::string error;
        ASSERT_TRUE(receivers.back()->Open(Path("receiver" + n), error)) << error;
        runs.push_back(std::make_unique<ChildProcess>(
            QUORVEL_COMMAND,
            std::vector<std::string>{"--root", Path("root" + n), "--port",
                                     "COM1=" + receivers.back()->Path(), "--script",
                                     Path("case" + n + ".script"), "--snapshots", Path("out" + n)},
            Path(""), "case" + n));
    }
    for (size_t i = 0; i < failures.size(); ++i) {
        const std::string n = std::to_string(i);
        SCOPED_TRACE(failures[i].script);
        const ProcessResult r = runs[i]->Wait(kRunMs);
        EXPECT_EQ(r.status, 3) << r.err;
        EXPECT_NE(r.err.find("script failed at " + failures[i].where), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(failures[i].why), std::string::npos) << r.err;
        EXPECT_TRUE(IsPng(Path("out" + n + "/failure.png")));
        EXPECT_EQ(quorvel::testing::ReadFile(Path("root" + n + "/Flash Disk/Jobs/ruvo/ruvo.ini")),
                  Reference("default_job.ini"));
    }
}

}  // namespace
}  // namespace e2e
