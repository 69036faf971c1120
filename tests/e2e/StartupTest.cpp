// Starting the real program: the first start on an empty root and a later
// one, a second copy handing over to the first, and a start that cannot
// write the application key.
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "launcher/RootLayout.h"
#include "platform/files/DevicePath.h"
#include "platform/files/Registry.h"
#include "tests/e2e/QuorvelRun.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using Entries = std::map<std::string, std::string>;

// The entries under `folder` of the root, without the folder's own name.
Entries Under(const Entries& all, const std::string& folder) {
    Entries under;
    for (const auto& [path, bytes] : all)
        if (path.rfind(folder + "/", 0) == 0) under[path.substr(folder.size() + 1)] = bytes;
    return under;
}

// The window-tree line of the window titled `title`.
std::string LineOf(const std::string& tree, const std::string& title) {
    const size_t at = tree.find("\"" + title + "\"");
    if (at == std::string::npos) return "(no window " + title + ")";
    const size_t start = tree.rfind('\n', at) + 1;
    return tree.substr(start, tree.find('\n', at) - start);
}

TEST_F(QuorvelTest, FirstStartLaysOutTheJobWithoutABoxAndALaterStartKeepsTheShortcuts) {
    // A box at start-up would hold the title back (and be left at the end).
    ProcessResult r = RunScript(R"(expect "Quorvel<ruvo.dat>"
dump first.txt
quit
answer "确定退出程序吗?" YES
)");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("quorvel: device root " + Path("root") + "\n"), std::string::npos)
        << r.out;
    const std::string tree = quorvel::testing::ReadFile(Path("first.txt"));
    EXPECT_EQ(tree.find("Dialog"), std::string::npos) << tree;
    EXPECT_NE(LineOf(tree, kTitle).find(" (0,0,240,320)"), std::string::npos) << tree;

    // The job, byte for byte: the .ini written at start-up and again on the
    // way out is the same.
    const Entries all = RootEntries();
    EXPECT_EQ(Under(all, "Flash Disk"),
              (Entries{{"Jobs", "<dir>"},
                       {"Jobs/ruvo", "<dir>"},
                       {"Jobs/ruvo/data", "<dir>"},
                       {"Jobs/ruvo/result", "<dir>"},
                       {"Jobs/ruvo/ruvo.ini", Reference("default_job.ini")},
                       {"Jobs/ruvo/ruvo.par", Reference("default_job.par")},
                       {"esystem.sys", Reference("esystem_first_start.sys")}}));

    // The shortcuts and the application key.
    const std::string target = "\"Flash Disk\\Quorvel\\Quorvel1.1.exe\"";
    EXPECT_EQ(ReadHost("Windows/桌面/Quorvel1.0.lnk"),
              std::to_string(target.size()) + "#" + target);
    const std::string direct = ReadHost("Windows/Programs/ActiveSync/Direct.lnk");
    EXPECT_NE(direct, "");
    EXPECT_EQ(ReadHost("Windows/桌面/Direct.lnk"), direct);
    EXPECT_FALSE(fs::exists(Host("Windows/Programs/ActiveSync/Obex 工具.lnk")));
    EXPECT_EQ(RegistryText(L"SOFTWARE\\Microsoft\\Shell\\Keys\\40CF", L""), "\"Quorvel.exe\"");

    // A later start leaves shortcuts that are there alone and opens the same
    // job, whose settings go back as they were read.
    WriteHost("Windows/桌面/Quorvel1.0.lnk", "7#\\other");
    WriteHost("Windows/桌面/Direct.lnk", "6#\\mine");
    r = RunScript("expect \"Quorvel<ruvo.dat>\"\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadHost("Windows/桌面/Quorvel1.0.lnk"), "7#\\other");
    EXPECT_EQ(ReadHost("Windows/桌面/Direct.lnk"), "6#\\mine");
    Entries job = Under(all, "Flash Disk");
    job["Jobs/ruvo/ruvo.ini"] = WrittenBack(job["Jobs/ruvo/ruvo.ini"]);
    EXPECT_EQ(Under(RootEntries(), "Flash Disk"), job);
}

TEST_F(QuorvelTest, ASecondCopyTouchesNothingAndBringsTheFirstToTheFront) {
    RestartSimulator({"--log", Path("sent.log")});
    auto first = StartInteractive("first");
    const std::optional<std::string> before =
        RunLines(*first, "expect " + ScriptQuoted(kTitle) + "\n");
    ASSERT_TRUE(before);
    EXPECT_EQ(LineOf(*before, kTitle).find("maximized"), std::string::npos) << *before;
    // The first copy's reader opens its port after the title shows, and the
    // opening rewrites the registry (through a temporary file): the root is
    // taken once the first copy is quiet, so that any change is the second's.
    ASSERT_TRUE(WaitForReceiverSetUp(Path("sent.log")));
    const Entries files = RootEntries();

    ChildProcess second(QUORVEL_COMMAND, Args({"--headless", "--snapshots", Path("second")}),
                        Path(""), "second");
    const ProcessResult r = second.Wait(kRunMs);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(RootEntries(), files);

    const std::optional<std::string> after = RunLines(*first, "");
    ASSERT_TRUE(after);
    const std::string frame = LineOf(*after, kTitle);
    EXPECT_NE(frame.find(" maximized"), std::string::npos) << *after;
    EXPECT_NE(frame.find(" foreground"), std::string::npos) << *after;
    first->CloseInput();
    EXPECT_EQ(first->Wait(kRunMs).status, 0);
}

TEST_F(QuorvelTest, AnApplicationKeyThatCannotBeWrittenEndsTheStartWithStatusOne) {
    // A freshly laid-out handheld whose store then fills up: no file may
    // grow past the registry's present size, so the registry cannot take
    // the application key (smaller files still can be written).
    std::string error;
    ASSERT_TRUE(quorvel::launcher::LayOutFreshRoot(Path("root"), &error)) << error;
    quorvel::SetDeviceRoot("");
    quorvel::ResetRegistryForTests();
    const std::string registry = ReadHost(".registry");
    const rlim_t limit = registry.size();
    std::ofstream(Path("title.script")) << "expect \"Quorvel<ruvo.dat>\"\n";
    ChildProcess quorvel(QUORVEL_COMMAND, Args({"--script", Path("title.script")}), Path(""),
                         "quorvel", [limit] {
                             std::signal(SIGXFSZ, SIG_IGN);
                             const rlimit size{limit, limit};
                             setrlimit(RLIMIT_FSIZE, &size);
                         });
    const ProcessResult r = quorvel.Wait(kRunMs);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_TRUE(fs::is_empty(Host("Flash Disk")));
    EXPECT_EQ(ReadHost(".registry"), registry);
}

}  // namespace
}  // namespace e2e
