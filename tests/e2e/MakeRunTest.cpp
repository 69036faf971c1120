// `make run` headless, on the programs of this build: scripts/run.sh starts
// the receiver simulator and the program on a run folder of its own, takes
// the script piped to it, and when the program ends the simulator ends too.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/testing/ChildProcess.h"
#include "platform/testing/TempDeviceRoot.h"

namespace e2e {
namespace {

using quorvel::testing::ChildProcess;
using quorvel::testing::ProcessResult;
using quorvel::testing::ReadFile;

TEST(MakeRun, HeadlessRunTakesAPipedScriptAndEndsBothPrograms) {
    quorvel::testing::TempFolder folder("qr");
    ASSERT_TRUE(folder.Made());
    const std::string run = folder.Path() + "/run";
    ChildProcess script("/usr/bin/env",
                        {"HEADLESS=1", "BUILD_DIR=" QUORVEL_BUILD_DIR, "RUN_DIR=" + run, "bash",
                         QUORVEL_SOURCE_DIR "/scripts/run.sh"},
                        folder.Path(), "run");
    script.Write("expect \"Quorvel<ruvo.dat>\"\nquit\nanswer \"确定退出程序吗?\" YES\n");
    script.CloseInput();
    const ProcessResult r = script.Wait(120000);
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("run: receiver simulator on /dev/"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("quorvel: device root " + run + "/device\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("quorvel: screen in " + run + "/snapshots/latest.png"), std::string::npos)
        << r.out;
    EXPECT_TRUE(script.GroupGone()) << "a program of the run is still there";
    EXPECT_EQ(ReadFile(run + "/device/Flash Disk/esystem.sys"),
              ReadFile(QUORVEL_SOURCE_DIR "/tests/app/data/esystem_first_start.sys"));
}

}  // namespace
}  // namespace e2e
