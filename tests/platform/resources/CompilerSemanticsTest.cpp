// What the compiler makes of each statement: style defaults and NOT,
// dialog header rules, initial lists, menus, strings and the preprocessor.
#include <gtest/gtest.h>

#include "platform/resources/rc/Compiler.h"
#include "tests/platform/resources/ScratchDir.h"

namespace {

using quorvel::rc::CompileError;
using quorvel::rc::Script;

constexpr uint32_t kChildVisible = 0x50000000u;
constexpr uint32_t kTabStop = 0x00010000u;
constexpr uint32_t kGroup = 0x00020000u;
constexpr uint32_t kBorder = 0x00800000u;
constexpr uint32_t kVScroll = 0x00200000u;

class Semantics : public ::testing::Test {
  protected:
    // Compiles `text`; the errors joined, "" when there are none.
    std::string Compile(const std::string& text) {
        const auto errors = quorvel::rc::CompileScript(m_dir.Write("t.rc", text), m_script);
        std::string joined;
        for (const CompileError& e : errors) joined += e.Text() + "\n";
        return joined;
    }
    ScratchDir m_dir;
    Script m_script;
};

TEST_F(Semantics, ControlStatementsKeepTheirDefaultsAndNotTakesBitsAway) {
    ASSERT_EQ(Compile(R"(1 DIALOG 0, 0, 100, 100
BEGIN
    LTEXT "a", -1, 1, 2, 3, 4
    RTEXT "b", 10, 1, 2, 3, 4, SS_NOPREFIX | NOT WS_GROUP
    EDITTEXT 11, 1, 2, 3, 4, ES_AUTOHSCROLL | NOT WS_BORDER
    PUSHBUTTON "c", 12, 1, 2, 3, 4, NOT WS_TABSTOP | NOT WS_VISIBLE
    COMBOBOX 13, 1, 2, 3, 4
    COMBOBOX 14, 1, 2, 3, 4, CBS_DROPDOWN | WS_VSCROLL
    LISTBOX 15, 1, 2, 3, 4, LBS_SORT
    ICON 7, IDC_STATIC, 5, 6
    AUTORADIOBUTTON "d", 16, 1, 2, 3, 4, WS_GROUP, WS_EX_STATICEDGE
    CONTROL "", 17, "sysListView32", LVS_REPORT | WS_BORDER, 1, 2, 3, 4
    CONTROL 9, 18, "Static", SS_BITMAP, 1, 2, 3, 4
END
)"),
              "");
    const auto& c = m_script.dialogs.at(0).controls;
    ASSERT_EQ(c.size(), 11u);
    EXPECT_EQ(c[0].style, kChildVisible | kGroup);
    EXPECT_EQ(c[0].id, 0xFFFF);
    EXPECT_EQ(c[1].style, kChildVisible | 0x2u | 0x80u);
    EXPECT_EQ(c[2].style, kChildVisible | kTabStop | 0x80u);
    EXPECT_EQ(c[2].className, L"Edit");
    EXPECT_EQ(c[3].style, 0x40000000u);
    EXPECT_EQ(c[4].style, kChildVisible | kTabStop | 0x1u);             // CBS_SIMPLE when unstyled
    EXPECT_EQ(c[5].style, kChildVisible | kTabStop | kVScroll | 0x2u);  // stays CBS_DROPDOWN
    EXPECT_EQ(c[6].style, kChildVisible | kBorder | 0x1u | 0x2u);
    EXPECT_EQ(c[7].imageId, 7u);
    EXPECT_EQ(c[7].style, kChildVisible | 0x3u);
    EXPECT_EQ(c[7].cx, 0);
    EXPECT_EQ(c[8].style, kChildVisible | kGroup | 0x9u);
    EXPECT_EQ(c[8].exStyle, 0x20000u);
    EXPECT_EQ(c[9].className, L"SysListView32");
    EXPECT_EQ(c[9].style, kChildVisible | kBorder | 0x1u);
    EXPECT_EQ(c[10].imageId, 9u);
    EXPECT_EQ(c[10].text, L"");
}

TEST_F(Semantics, DialogHeaderDefaultsCaptionAndFont) {
    ASSERT_EQ(Compile(R"(1 DIALOG 0, 0, 10, 10
BEGIN
END
2 DIALOGEX 1, 2, 30, 40, 99
STYLE WS_CHILD | DS_CONTROL
EXSTYLE WS_EX_CAPTIONOKBTN
CAPTION "设置"
FONT 9, "宋体", 400, 0, 0x86
MENU 5
BEGIN
    LTEXT "x", 3, 1, 2, 3, 4, 0, 0, 77
END
)"),
              "");
    const auto& a = m_script.dialogs.at(0);
    EXPECT_EQ(a.style, 0x80880000u);  // WS_POPUP | WS_BORDER | WS_SYSMENU
    EXPECT_EQ(a.fontSize, 0);
    const auto& b = m_script.dialogs.at(1);
    EXPECT_TRUE(b.extended);
    EXPECT_EQ(b.style, 0x40000000u | 0x400u | 0x00C00000u | 0x40u);
    EXPECT_EQ(b.exStyle, 0x80000000u);
    EXPECT_EQ(b.caption, L"设置");
    EXPECT_EQ(b.fontSize, 9);
    EXPECT_EQ(b.fontFace, L"宋体");
    EXPECT_EQ(b.menuId, 5);
    EXPECT_EQ(b.x + b.y + b.cx + b.cy, 73);
}

TEST_F(Semantics, InitialListsAttachToTheirControls) {
    const std::string dialog = R"(7 DIALOG 0, 0, 10, 10
BEGIN
    COMBOBOX 20, 1, 2, 3, 4, CBS_DROPDOWNLIST
    LISTBOX 21, 1, 2, 3, 4
    EDITTEXT 22, 1, 2, 3, 4
END
)";
    ASSERT_EQ(Compile(dialog + "7 DLGINIT\nBEGIN\n 20, \"4800\", \"9600\"\n 21, \"a\",\nEND\n"),
              "");
    const auto& c = m_script.dialogs.at(0).controls;
    EXPECT_EQ(c[0].items, (std::vector<std::wstring>{L"4800", L"9600"}));
    EXPECT_EQ(c[1].items, (std::vector<std::wstring>{L"a"}));
    EXPECT_TRUE(c[2].items.empty());

    EXPECT_NE(Compile(dialog + "7 DLGINIT\nBEGIN\n 22, \"x\"\nEND\n")
                  .find("t.rc:9: error: control 22 of dialog 7 is not a combo box or list box"),
              std::string::npos);
    EXPECT_NE(Compile(dialog + "8 DLGINIT\nBEGIN\n 20, \"x\"\nEND\n")
                  .find("dialog 8, which is not defined"),
              std::string::npos);
    EXPECT_NE(Compile(dialog + "7 DLGINIT\nBEGIN\n 20, \"x\"\nEND\n7 DLGINIT\nBEGIN\nEND\n")
                  .find("t.rc:11: error: initial lists of dialog 7 are given twice"),
              std::string::npos);
}

TEST_F(Semantics, MenusNestWithOptionsAndSeparators) {
    ASSERT_EQ(Compile(R"(128 MENU
BEGIN
    POPUP "工程"
    BEGIN
        MENUITEM "新建", 100
        MENUITEM SEPARATOR
        MENUITEM "灰", 101, GRAYED, CHECKED
        POPUP "子", INACTIVE
        BEGIN
            MENUITEM "深", 102 MENUBREAK
        END
    END
    MENUITEM "顶", 103, HELP
END
)"),
              "");
    const auto& items = m_script.menus.at(0).items;
    ASSERT_EQ(items.size(), 2u);
    ASSERT_TRUE(items[0].popup);
    const auto& sub = items[0].children;
    ASSERT_EQ(sub.size(), 4u);
    EXPECT_EQ(sub[0].id, 100);
    EXPECT_TRUE(sub[1].separator);
    EXPECT_TRUE(sub[2].grayed && sub[2].checked && !sub[2].inactive);
    EXPECT_TRUE(sub[3].popup && sub[3].inactive);
    EXPECT_TRUE(sub[3].children.at(0).menuBreak);
    EXPECT_TRUE(items[1].help);
    EXPECT_NE(Compile("1 MENU\nBEGIN\n MENUITEM \"x\", 5, BOLD\nEND\n").find("t.rc:3: error:"),
              std::string::npos);
}

TEST_F(Semantics, StringEscapesAndEncoding) {
    ASSERT_EQ(Compile("STRINGTABLE\nBEGIN\n 1 \"a\\r\\nb\\tc\"\n 2, \"say \"\"hi\"\" \\\\ \\\"\"\n"
                      " 3 L\"\"\nEND\n"),
              "");
    EXPECT_EQ(m_script.strings[0].text, L"a\r\nb\tc");
    EXPECT_EQ(m_script.strings[1].text, L"say \"hi\" \\ \"");
    EXPECT_EQ(m_script.strings[2].text, L"");
    EXPECT_NE(
        Compile("STRINGTABLE\nBEGIN\n 1 \"\\q\"\nEND\n").find("t.rc:3: error: unknown escape"),
        std::string::npos);
    EXPECT_NE(Compile("STRINGTABLE\nBEGIN\n 1 \"\xE4\xB8\"\nEND\n").find("not valid UTF-8"),
              std::string::npos);
    EXPECT_NE(Compile("STRINGTABLE\nBEGIN\n 0 \"x\"\nEND\n").find("out of range"),
              std::string::npos);
}

TEST_F(Semantics, PreprocessorDirectivesMacrosAndExpressions) {
    m_dir.Write("sub/ids.h", "#pragma once\n#define BASE 0x100 // hex\n#define NEXT (BASE + 1)\n");
    ASSERT_EQ(Compile(R"(#include "sub/ids.h"
#include <windows.h>
#ifdef BASE
#define PICK NEXT | 0x1000
#else
#error never
#endif
#ifndef BASE
#define PICK 1
#endif
#if 0
this is skipped
#endif
/* a comment
   over lines */ STRINGTABLE
BEGIN
    PICK "x"
    BASE * 2 - 1 "y"
    ~0xFFFFFFF0 & 0xF "z"
END
)"),
              "");
    ASSERT_EQ(m_script.strings.size(), 3u);
    EXPECT_EQ(m_script.strings[0].id, 0x1101);
    EXPECT_EQ(m_script.strings[1].id, 0x1FF);
    EXPECT_EQ(m_script.strings[2].id, 0xF);
    EXPECT_EQ(m_script.strings[1].pos.line, 18);

    EXPECT_NE(Compile("#define F(x) x\n").find("t.rc:1: error: macros with parameters"),
              std::string::npos);
    m_dir.Write("loop.h", "#include \"t.rc\"\n");
    EXPECT_NE(Compile("#include \"loop.h\"\n").find("includes itself"), std::string::npos);
    EXPECT_NE(Compile("#ifdef X\n").find("#if without #endif"), std::string::npos);
    EXPECT_NE(Compile("#endif\n").find("#endif without #if"), std::string::npos);
    EXPECT_NE(Compile("1 RCDATA \"x\"\n").find("unknown resource type RCDATA"), std::string::npos);
}

TEST_F(Semantics, ToolbarNeedsItsBitmapStrip) {
    m_dir.Write("not_an_image.png", "GIF89a....");
    EXPECT_NE(Compile("5 TOOLBAR 16, 15\nBEGIN\n BUTTON 100\nEND\n")
                  .find("toolbar 5 has no bitmap strip"),
              std::string::npos);
    EXPECT_NE(Compile("5 BITMAP \"not_an_image.png\"\n").find("is not BMP or PNG"),
              std::string::npos);
}

TEST_F(Semantics, EmittedLiteralsEscapeEverythingTheCompilerCouldMisread) {
    ASSERT_EQ(Compile("STRINGTABLE\nBEGIN\n 1 \"a\\\\b\"\"c?\?=\\n关1\"\nEND\n"), "");
    const std::string out = quorvel::rc::EmitTables(m_script);
    EXPECT_NE(out.find(R"({1u, L"a\\b\"c\?\?=\012\u51731"})"), std::string::npos) << out;
}

}  // namespace
