// The loaders over the compiled script: LoadString and the CString loader,
// template lookups, image files by type, and dialog-unit conversion.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <map>
#include <vector>

#include "platform/base/CString.h"
#include "platform/resources/DialogUnits.h"
#include "platform/resources/Resources.h"
#include "res/resource.h"

namespace {

using namespace quorvel::resources;

TEST(LoadString, CopiesCutsAndTerminatesLikeThePlatform) {
    wchar_t buf[64];
    EXPECT_EQ(LoadString(nullptr, IDS_STRING61402, buf, 64), 7);
    EXPECT_STREQ(buf, L"Quorvel");
    EXPECT_EQ(LoadString(nullptr, IDS_STRING61402, buf, 4), 3);
    EXPECT_STREQ(buf, L"Quo");
    EXPECT_EQ(LoadString(nullptr, IDS_STRING61402, buf, 1), 0);
    EXPECT_STREQ(buf, L"");

    wcscpy(buf, L"old");
    EXPECT_EQ(LoadString(nullptr, 1, buf, 64), 0);
    EXPECT_STREQ(buf, L"");
    EXPECT_EQ(LoadString(nullptr, IDS_STRING61402, nullptr, 64), 0);

    const wchar_t* direct = nullptr;
    EXPECT_EQ(LoadString(nullptr, IDS_STRING61643, reinterpret_cast<LPTSTR>(&direct), 0), 19);
    ASSERT_NE(direct, nullptr);
    EXPECT_STREQ(direct, L"Quorvel Version 1.1");
}

TEST(LoadString, CStringUsesTheTableOnceInstalled) {
    Install();
    Install();  // harmless twice
    CString text(L"kept");
    EXPECT_FALSE(text.LoadString(2));
    EXPECT_TRUE(text.LoadString(IDS_STRING61620));
    EXPECT_EQ(text.Find(L"确定要使用吗?\r\n1.一般情况下"), 13);
    EXPECT_TRUE(text.LoadString(IDR_MAINFRAME));
    EXPECT_EQ(text, CString(L"Halvern\n\nHalvern\n\n\nHalvern.Document\nHalvern Document"));
}

TEST(Templates, AboutBoxHasItsCaptionFontAndControls) {
    const DialogTemplate* about = FindDialog(IDD_ABOUT);
    ASSERT_NE(about, nullptr);
    EXPECT_STREQ(about->caption, L"关于");
    EXPECT_EQ(about->fontSize, 9);
    EXPECT_STREQ(about->fontFace, L"宋体");
    EXPECT_NE(about->style & 0x00C00000u, 0u);  // WS_CAPTION
    std::vector<UINT> ids;
    for (const DialogItemTemplate& item : about->items) ids.push_back(item.id);
    for (UINT wanted : {1208u, 1121u, 1136u, 1u}) {
        EXPECT_NE(std::find(ids.begin(), ids.end(), wanted), ids.end()) << wanted;
    }
    EXPECT_EQ(about->items[0].imageId, static_cast<UINT>(IDR_MAINFRAME));
    EXPECT_EQ(FindDialog(99), nullptr);
}

TEST(Templates, DrawTextCombosCarryTheirInitialLists) {
    const DialogTemplate* dlg = FindDialog(IDD_DRAW_TEXT);
    ASSERT_NE(dlg, nullptr);
    std::map<UINT, std::vector<std::wstring>> lists;
    for (const DialogItemTemplate& item : dlg->items) {
        for (const wchar_t* entry : item.listItems) lists[item.id].push_back(entry);
    }
    EXPECT_EQ(lists[IDC_DRAW_TEXT_SIZE],
              (std::vector<std::wstring>{L"8", L"9", L"10", L"12", L"14", L"16"}));
    EXPECT_EQ(lists[IDC_DRAW_TEXT_ANGLE],
              (std::vector<std::wstring>{L"0", L"30", L"45", L"60", L"90", L"120"}));
    EXPECT_EQ(lists.size(), 2u);
}

TEST(Templates, MenuAndToolbarLookups) {
    ASSERT_NE(FindMenu(IDR_MAINFRAME), nullptr);
    EXPECT_EQ(FindMenu(IDR_MAINFRAME)->items.size(), 6u);
    EXPECT_EQ(FindMenu(129), nullptr);
    ASSERT_NE(FindToolbar(IDR_MAINFRAME), nullptr);
    EXPECT_EQ(FindToolbar(IDR_MAINFRAME)->buttonWidth, 16);
    EXPECT_EQ(FindToolbar(138), nullptr);
}

TEST(Images, BitmapsAndIconsSharingANumberAreDifferentFiles) {
    std::string bitmap, icon, none;
    ASSERT_TRUE(FindImageFile(176, ImageType::Bitmap, bitmap));
    ASSERT_TRUE(FindImageFile(176, ImageType::Icon, icon));
    EXPECT_NE(bitmap, icon);
    EXPECT_TRUE(std::filesystem::is_regular_file(bitmap)) << bitmap;
    EXPECT_TRUE(std::filesystem::is_regular_file(icon)) << icon;
    EXPECT_FALSE(FindImageFile(177, ImageType::Icon, none));
    EXPECT_FALSE(FindImageFile(1, ImageType::Bitmap, none));
    EXPECT_TRUE(none.empty());
}

TEST(DialogUnits, ConvertWithTheFontsBaseUnitsRoundingLikeMulDiv) {
    EXPECT_EQ(MulDivRound(5, 3, 2), 8);  // 7.5 rounds away from zero
    EXPECT_EQ(MulDivRound(-5, 3, 2), -8);
    EXPECT_EQ(MulDivRound(5, -3, -2), 8);
    EXPECT_EQ(MulDivRound(7, 6, 4), 11);  // 10.5
    EXPECT_EQ(MulDivRound(1, 1, 0), -1);
    EXPECT_EQ(MulDivRound(100000, 100000, 100000), 100000);  // no overflow

    const DialogBaseUnits base{6, 12};
    RECT r{10, 20, 50, 34};
    DialogRectToPixels(r, base);
    EXPECT_EQ(r.left, 15);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right, 75);
    EXPECT_EQ(r.bottom, 51);
    EXPECT_EQ(DialogXToPixels(-3, base), -5);   // -4.5
    EXPECT_EQ(DialogYToPixels(1, {5, 13}), 2);  // 1.625
}

}  // namespace
