// The compiler executable as the build runs it: a good script gives the
// tables, a bad one a non-zero exit and "file:line: error:" on stderr, and
// no output file for the build to pick up.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/platform/resources/ScratchDir.h"

namespace {

struct RunResult {
    int status;
    std::string output;
};

RunResult RunCompiler(const std::string& script, const std::string& out) {
    const std::string command =
        std::string(QUORVEL_RC_PATH) + " '" + script + "' -o '" + out + "' 2>&1";
    RunResult result{-1, ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buf[512];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) result.output.append(buf, n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

const char* const kGoodScript = R"(#include "ids.h"
IDR_MAIN BITMAP "strip.bmp"
IDR_MAIN ICON "icon.bmp"
IDR_MAIN TOOLBAR 16, 16
BEGIN
    BUTTON ID_ONE
    SEPARATOR
END
IDR_MAIN DIALOG 0, 0, 100, 50
CAPTION "关于"
BEGIN
    DEFPUSHBUTTON "确定", IDOK, 10, 10, 40, 14
END
STRINGTABLE
BEGIN
    IDR_MAIN "主"
END
)";

class CompilerRun : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir.Write("ids.h", "#define IDR_MAIN 128\n#define ID_ONE 32771\n");
        m_dir.WriteBmp("strip.bmp");
        m_dir.WriteBmp("icon.bmp");
    }
    ScratchDir m_dir;
};

TEST_F(CompilerRun, GoodScriptWritesTablesAndSameNumberAcrossTypesIsAllowed) {
    const std::string script = m_dir.Write("good.rc", kGoodScript);
    const RunResult r = RunCompiler(script, m_dir.Path("out.cpp"));
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(r.output.empty()) << r.output;
    ASSERT_TRUE(std::filesystem::exists(m_dir.Path("out.cpp")));
    EXPECT_GT(std::filesystem::file_size(m_dir.Path("out.cpp")), 500u);
}

TEST_F(CompilerRun, FailuresNameFileAndLineAndLeaveNoOutput) {
    struct Case {
        const char* name;
        std::string text;
        std::string expected;
    };
    const std::string good = kGoodScript;
    const Case cases[] = {
        {"syntax", good + "128 DIALOG 0, 0, 10\nBEGIN\nEND\n", "syntax.rc:19: error: expected ','"},
        {"dupstring", good + "STRINGTABLE\nBEGIN\n    128 \"again\"\nEND\n",
         "dupstring.rc:20: error: string id 128 is used twice (first at"},
        {"dupdialog", good + "IDR_MAIN DIALOG 0, 0, 10, 10\nBEGIN\nEND\n",
         "dupdialog.rc:18: error: dialog id 128 is used twice"},
        {"dupicon", good + "128 ICON \"icon.bmp\"\n", "dupicon.rc:18: error: icon id 128"},
        {"undefined", good + "STRINGTABLE\nBEGIN\n    IDS_MISSING \"x\"\nEND\n",
         "undefined.rc:20: error: undefined symbol IDS_MISSING"},
        {"string", good + "STRINGTABLE\nBEGIN\n    1 \"open\nEND\n",
         "string.rc:20: error: unterminated string"},
        {"image", good + "5 BITMAP \"missing.bmp\"\n",
         "image.rc:18: error: image file \"missing.bmp\" not found"},
        {"redefine", "#include \"ids.h\"\n#define ID_ONE 5\n",
         "redefine.rc:2: error: ID_ONE redefined with a different value"},
    };
    for (const Case& c : cases) {
        const std::string out = m_dir.Path(std::string(c.name) + ".cpp");
        m_dir.Write(std::string(c.name) + ".cpp", "stale");
        const RunResult r = RunCompiler(m_dir.Write(std::string(c.name) + ".rc", c.text), out);
        EXPECT_EQ(r.status, 1) << c.name;
        EXPECT_NE(r.output.find(c.expected), std::string::npos) << c.name << ": " << r.output;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.name;
    }
}

TEST_F(CompilerRun, BadArgumentsAreAUsageError) {
    EXPECT_EQ(RunCompiler("", "").status, 2);
}

}  // namespace
