#include "launcher/Script.h"

#include <gtest/gtest.h>

#include "platform/base/MessageBox.h"
#include "platform/base/TextConv.h"
#include "platform/win/WinKeys.h"

namespace quorvel::launcher {
namespace {

std::vector<ScriptCommand> ParseOk(const std::string& text) {
    std::vector<ScriptCommand> commands;
    std::string error;
    EXPECT_TRUE(ParseScript(text, &commands, &error)) << error;
    return commands;
}

std::string ParseError(const std::string& text) {
    std::vector<ScriptCommand> commands;
    std::string error;
    EXPECT_FALSE(ParseScript(text, &commands, &error)) << text;
    return error;
}

TEST(LauncherScript, EveryCommandWithItsArguments) {
    const auto c = ParseOk(
        "\xEF\xBB\xBF# a comment line\n"
        "key a\nkey F10 3\nkey pgdn\nkey 7\n"
        "char \"#\"\nchar x\ntype \"a \\\"b\\\" \\\\ 中\"  # typed\n"
        "tap 0 319\ndrag 239 0 1 2\nwait 250\n"
        "answer \"保存?\" yes\nexpect \"Quorvel<ruvo.dat>\"\nexpect done 20\n"
        "snapshot a/b.PNG\ndump \"tree one.txt\"\nquit\r\ncommand 32801\n\n   \n");
    ASSERT_EQ(c.size(), 17u);
    EXPECT_EQ(c[0].op, ScriptOp::kKey);
    EXPECT_EQ(c[0].key, unsigned{'A'});
    EXPECT_EQ(c[0].count, 1);
    EXPECT_EQ(c[0].line, 2);
    EXPECT_EQ(c[1].key, unsigned{VK_F1 + 9});
    EXPECT_EQ(c[1].count, 3);
    EXPECT_EQ(c[2].key, unsigned{VK_NEXT});
    EXPECT_EQ(c[3].key, unsigned{'7'});
    EXPECT_EQ(c[4].op, ScriptOp::kChar);
    EXPECT_EQ(c[4].text, CString(L"#"));
    EXPECT_EQ(c[5].text, CString(L"x"));
    EXPECT_EQ(c[6].op, ScriptOp::kType);
    EXPECT_EQ(c[6].text, CString(L"a \"b\" \\ 中"));
    EXPECT_EQ(c[7].op, ScriptOp::kTap);
    EXPECT_EQ(c[7].y1, 319);
    EXPECT_EQ(c[8].op, ScriptOp::kDrag);
    EXPECT_EQ((std::vector<int>{c[8].x1, c[8].y1, c[8].x2, c[8].y2}),
              (std::vector<int>{239, 0, 1, 2}));
    EXPECT_EQ(c[9].ms, 250u);
    EXPECT_EQ(c[10].op, ScriptOp::kAnswer);
    EXPECT_EQ(c[10].button, IDYES);
    EXPECT_EQ(c[10].ms, kAnswerWaitMs);
    EXPECT_EQ(c[10].text, CString(L"保存?"));
    EXPECT_EQ(c[11].ms, kExpectWaitMs);
    EXPECT_EQ(c[12].text, CString(L"done"));
    EXPECT_EQ(c[12].ms, 20u);
    EXPECT_EQ(c[13].path, "a/b.PNG");
    EXPECT_EQ(c[14].op, ScriptOp::kDump);
    EXPECT_EQ(c[14].path, "tree one.txt");
    EXPECT_EQ(c[15].op, ScriptOp::kQuit);
    EXPECT_EQ(c[15].source, "quit");
    EXPECT_EQ(c[16].id, 32801u);
    EXPECT_EQ(c[16].line, 18);
}

TEST(LauncherScript, SyntaxErrorsNameTheirLine) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"jump 3", "line 1: unknown command \"jump\""},
        {"quit\n\"key\" a", "line 2: unknown command \"key\""},
        {"key", "line 1: usage: key NAME [N]"},
        {"key f11", "line 1: unknown key \"f11\""},
        {"key ab", "line 1: unknown key \"ab\""},
        {"key a 0", "line 1: N must be a whole number from 1 to 1000"},
        {"key a -1", "line 1: N must be"},
        {"char ab", "line 1: char takes one character"},
        {"char \"\"", "line 1: char takes one character"},
        {"type \"open", "line 1: missing closing quote"},
        {"type \"a\\n\"", "line 1: only \\\" and \\\\ may follow a backslash"},
        {"type \"a\"b", "line 1: text in quotes must be followed by a space"},
        {"type a\"b", "line 1: a quote inside a word"},
        {"type \"\xFF\"", "line 1: text is not UTF-8"},
        {"tap 240 0", "line 1: X must be a whole number from 0 to 239"},
        {"tap 0 320", "line 1: Y must be a whole number from 0 to 319"},
        {"tap 1", "line 1: usage: tap X Y"},
        {"drag 1 2 3", "line 1: usage: drag X1 Y1 X2 Y2"},
        {"wait", "line 1: usage: wait MS"},
        {"wait 1.5", "line 1: MS must be"},
        {"answer \"x\" MAYBE", "line 1: answer takes OK, CANCEL, YES or NO"},
        {"answer \"x\"", "line 1: usage: answer"},
        {"expect \"\"", "line 1: expect needs a text"},
        {"expect \"a\" soon", "line 1: MS must be"},
        {"snapshot shot.bmp", "line 1: usage: snapshot FILE.png"},
        {"dump", "line 1: usage: dump FILE.txt"},
        {"quit now", "line 1: usage: quit"},
        {"command 0", "line 1: ID must be a whole number from 1 to 65535"},
        {"command 65536", "line 1: ID must be"},
    };
    for (const auto& [text, message] : cases)
        EXPECT_EQ(ParseError(text).rfind(message, 0), 0u) << text << " -> " << ParseError(text);
}

TEST(LauncherScript, OneLineAtATimeForStandardInput) {
    std::optional<ScriptCommand> c;
    std::string error;
    ASSERT_TRUE(ParseScriptLine("   # only a comment", 4, &c, &error));
    EXPECT_FALSE(c);
    ASSERT_TRUE(ParseScriptLine("expect \"a # b\" # the quote keeps its #", 5, &c, &error));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->text, CString(L"a # b"));
    EXPECT_EQ(c->line, 5);
    EXPECT_FALSE(ParseScriptLine("bogus", 6, &c, &error));
    EXPECT_FALSE(c);
}

}  // namespace
}  // namespace quorvel::launcher
