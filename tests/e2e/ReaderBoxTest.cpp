// The receiver link's reader shows its boxes on its own thread (a port
// that cannot be opened, the slot's UART given to the board): a script
// sees, dumps and answers them as it does the UI thread's, and every
// ending (the script's end, a script failure, SIGTERM, SIGINT) ends the run
// promptly whatever box is up, with the status the README gives.
#include <chrono>
#include <csignal>
#include <functional>

#include "platform/files/DevicePath.h"
#include "platform/files/Registry.h"
#include "platform/testing/SlotUart.h"
#include "platform/testing/WaitUntil.h"
#include "tests/e2e/QuorvelRun.h"

namespace e2e {
namespace {

const char* const kCannotOpen = "无法打开串口";
const char* const kOpenFailed = "端口打开失败,请重新连接!";
const char* const kWarmBoot = "已经修改GPS串口配置";
// The longest an ending may take, whatever boxes are up.
constexpr long long kEndingLimitMs = 5000;

struct Ended {
    ProcessResult result;
    long long ms = 0;
};

// Starts an ending and follows the program to its end: the time from the
// trigger to the moment the process is seen gone (its output is read after).
Ended EndBy(ChildProcess& quorvel, const std::function<void()>& start) {
    const auto began = std::chrono::steady_clock::now();
    start();
    Ended ended;
    quorvel::testing::WaitUntil([&] { return quorvel.Exited().has_value(); }, "the end", kRunMs);
    ended.ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - began)
                   .count();
    ended.result = quorvel.Wait(kRunMs);
    return ended;
}

std::string Answer(const std::string& text, const std::string& button) {
    return "answer " + ScriptQuoted(text) + " " + button + "\n";
}

class ReaderBoxTest : public QuorvelTest {
  protected:
    // COM1, the link's port, mapped to a path where nothing is.
    std::unique_ptr<ChildProcess> StartWithoutReceiver(const std::string& name) {
        const std::vector<std::string> args{
            "--root",     Path("root"), "--port", "COM1=" + Path("missing"),
            "--headless", "--script",   "-"};
        return std::make_unique<ChildProcess>(QUORVEL_COMMAND, args, Path(""), name);
    }

    void SetSlotUart(DWORD value) {
        quorvel::SetDeviceRoot(Path("root"));
        quorvel::ResetRegistryForTests();
        quorvel::testing::SetFfuart(value);
        quorvel::SetDeviceRoot("");
        quorvel::ResetRegistryForTests();
    }

    DWORD SlotUart() {
        quorvel::SetDeviceRoot(Path("root"));
        quorvel::ResetRegistryForTests();
        const DWORD value = quorvel::testing::Ffuart();
        quorvel::SetDeviceRoot("");
        quorvel::ResetRegistryForTests();
        return value;
    }
};

TEST_F(ReaderBoxTest, AFreshRootWithNoPortMappedHasItsBoxesAnsweredByTheScript) {
    // Both boxes of the failed opening, in turn, then the end of the script.
    const std::vector<std::string> args{"--root", Path("fresh"), "--headless", "--script", "-"};
    ChildProcess answered(QUORVEL_COMMAND, args, Path(""), "answered");
    const std::optional<std::string> tree =
        RunLines(answered, Answer(kCannotOpen, "OK") + Answer(kOpenFailed, "OK"));
    ASSERT_TRUE(tree);
    EXPECT_EQ(tree->find("Dialog"), std::string::npos) << *tree;
    EXPECT_NE(tree->find(kTitle), std::string::npos) << *tree;
    const Ended end = EndBy(answered, [&] { answered.CloseInput(); });
    EXPECT_EQ(end.result.status, 0) << end.result.err;
    EXPECT_EQ(end.result.err, "");
    EXPECT_LT(end.ms, kEndingLimitMs);

    // As the fault was first seen: the second box may show by the script's
    // end (a box left: status 3) or not yet (status 0); either way the run
    // ends.
    ChildProcess first(QUORVEL_COMMAND, args, Path(""), "first");
    first.Write(Answer(kCannotOpen, "OK"));
    first.CloseInput();
    const ProcessResult r = first.Wait(kRunMs);
    if (r.status == 3)
        EXPECT_NE(r.err.find("a message box is left: \"" + std::string(kOpenFailed)),
                  std::string::npos)
            << r.err;
    else
        EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err.find("no message box"), std::string::npos) << r.err;
}

TEST_F(ReaderBoxTest, EveryEndingEndsTheRunPromptlyWhileTheReaderShowsItsBox) {
    ASSERT_NO_FATAL_FAILURE(FirstStart());
    struct Way {
        const char* name;
        int signal;         // 0: the script goes on with `lines`
        const char* lines;  // then standard input ends
        int status;
        const char* failure;  // what the script's failure says
    };
    const Way ways[] = {
        {"SIGTERM", SIGTERM, "", 0, ""},
        {"SIGINT", SIGINT, "", 0, ""},
        {"the end of the script", 0, "", 3, "a message box is left"},
        {"quit", 0, "quit\nanswer \"确定退出程序吗?\" YES\n", 3, "input while a message box shows"},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        auto quorvel = StartWithoutReceiver(std::string("way") + std::to_string(&way - ways));
        // The box is the reader thread's, and the dump shows it.
        const std::optional<std::string> tree =
            RunLines(*quorvel, "expect " + ScriptQuoted(kCannotOpen) + "\n");
        ASSERT_TRUE(tree);
        EXPECT_NE(tree->find(kCannotOpen), std::string::npos) << *tree;
        const Ended end = EndBy(*quorvel, [&] {
            if (way.signal) {
                quorvel->Signal(way.signal);
            } else {
                quorvel->Write(way.lines);
                quorvel->CloseInput();
            }
        });
        EXPECT_EQ(end.result.status, way.status) << end.result.err;
        EXPECT_NE(end.result.err.find(way.failure), std::string::npos) << end.result.err;
        EXPECT_LT(end.ms, kEndingLimitMs);
    }
    // The quit as first tried, before the box is there or while it is: the
    // exit question answered (0) or the input refused (3), never a hang.
    auto quorvel = StartWithoutReceiver("quit");
    const Ended end = EndBy(*quorvel, [&] {
        quorvel->Write("quit\n" + Answer(kExitQuestion, "YES"));
        quorvel->CloseInput();
    });
    EXPECT_TRUE(end.result.status == 0 || end.result.status == 3) << end.result.err;
}

TEST_F(ReaderBoxTest, TheWarmBootNoticeIsAnsweredAndTheLinkGoesOn) {
    ASSERT_NO_FATAL_FAILURE(FirstStart());
    RestartSimulator({"--log", Path("sent.log")});
    SetSlotUart(0);
    auto quorvel = StartInteractive();
    const std::optional<std::string> tree = RunLines(*quorvel, Answer(kWarmBoot, "OK"));
    ASSERT_TRUE(tree);
    EXPECT_EQ(tree->find(kWarmBoot), std::string::npos) << *tree;
    // Past the notice the reader opened its port and set the receiver up.
    EXPECT_TRUE(WaitForReceiverSetUp(Path("sent.log")));
    quorvel->CloseInput();
    const ProcessResult r = quorvel->Wait(kRunMs);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(SlotUart(), 1u);
}

}  // namespace
}  // namespace e2e
