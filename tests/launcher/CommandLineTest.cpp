#include "launcher/CommandLine.h"

#include <gtest/gtest.h>

namespace quorvel::launcher {
namespace {

bool Parse(std::vector<const char*> args, LaunchOptions* options, std::string* error) {
    args.insert(args.begin(), "quorvel");
    return ParseCommandLine(static_cast<int>(args.size()), args.data(), options, error);
}

TEST(LauncherCommandLine, EveryOptionAndItsDefaults) {
    LaunchOptions o;
    std::string error;
    ASSERT_TRUE(Parse({}, &o, &error));
    EXPECT_EQ(o.root, "device");
    EXPECT_FALSE(o.headless);
    EXPECT_EQ(o.snapshots, "snapshots");
    EXPECT_EQ(o.script, "");
    EXPECT_EQ(o.scale, 0);  // as large as fits the display

    o = {};
    ASSERT_TRUE(
        Parse({"--root", "/tmp/r", "--port", "COM1=/dev/pts/3", "--port", "com12=/x", "--port",
               "cOm99=/y", "--headless", "--snapshots", "s", "--scale", "3", "--help"},
              &o, &error))
        << error;
    EXPECT_EQ(o.root, "/tmp/r");
    using Port = std::pair<int, std::string>;
    EXPECT_EQ(o.ports, (std::vector<Port>{{1, "/dev/pts/3"}, {12, "/x"}, {99, "/y"}}));
    EXPECT_TRUE(o.headless);
    EXPECT_TRUE(o.help);
    EXPECT_EQ(o.snapshots, "s");
    EXPECT_EQ(o.scale, 3);

    // A script implies headless and, unless asked for, no snapshots.
    o = {};
    ASSERT_TRUE(Parse({"--script", "-"}, &o, &error));
    EXPECT_TRUE(o.headless);
    EXPECT_EQ(o.script, "-");
    EXPECT_EQ(o.snapshots, "");
    o = {};
    ASSERT_TRUE(Parse({"--snapshots", "here", "--script", "a.txt"}, &o, &error));
    EXPECT_EQ(o.snapshots, "here");
}

TEST(LauncherCommandLine, UsageErrorsSayWhatIsWrong) {
    const std::vector<std::pair<std::vector<const char*>, std::string>> cases = {
        {{"--rot", "x"}, "unknown option --rot"},
        {{"x"}, "unexpected argument x"},
        {{"--root"}, "--root needs a value"},
        {{"--root", ""}, "--root needs a value that is not empty"},
        {{"--script"}, "--script needs a value"},
        {{"--port", "COM0=/a"}, "--port takes COMn=PATH"},
        {{"--port", "COM100=/a"}, "--port takes COMn=PATH"},
        {{"--port", "COM1="}, "--port takes COMn=PATH"},
        {{"--port", "COM1"}, "--port takes COMn=PATH"},
        {{"--port", "COMx=/a"}, "--port takes COMn=PATH"},
        {{"--port", "LPT1=/a"}, "--port takes COMn=PATH"},
        {{"--snapshots"}, "--snapshots needs a value"},
        {{"--scale", "0"}, "--scale takes 1 to 8, not 0"},
        {{"--scale", "9"}, "--scale takes 1 to 8, not 9"},
        {{"--scale", "2x"}, "--scale takes 1 to 8, not 2x"},
    };
    for (const auto& [args, message] : cases) {
        LaunchOptions o;
        std::string error;
        EXPECT_FALSE(Parse(args, &o, &error)) << args[0];
        EXPECT_EQ(error.rfind(message, 0), 0u) << error;
    }
}

}  // namespace
}  // namespace quorvel::launcher
