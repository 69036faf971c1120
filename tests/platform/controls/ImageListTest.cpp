// Image lists made from bitmaps with a mask colour or a mask bitmap and
// from icons, drawn transparently or over their background colour; the
// shell's small-icon list; the start-up of the common controls and the
// one-line descriptions of every kind of control.
#include "platform/controls/ShellFileInfo.h"
#include "platform/files/FileApi.h"
#include "platform/gdi/GdiApi.h"
#include "tests/platform/controls/ControlTest.h"

using namespace controltest;

namespace {

constexpr uint32_t kRed = 0xFF0000, kWhite = 0xFFFFFF, kGrey = 0x808080;

// Two 4 x 4 images side by side: red on white, and solid grey.
HBITMAP Strip() {
    quorvel::gdi::Image image{8, 4, std::vector<uint32_t>(32, kWhite)};
    for (int y = 1; y < 3; ++y)
        for (int x = 1; x < 3; ++x) image.pixels[y * 8 + x] = kRed;
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x) image.pixels[y * 8 + x] = kGrey;
    return quorvel::gdi::BitmapFromImage(image);
}

// Draws image `index` on a blue 6 x 6 bitmap at (1, 1) and reads it back.
quorvel::gdi::Image DrawOnBlue(HIMAGELIST list, int index, UINT style) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 6, 6);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, target);
    const RECT all{0, 0, 6, 6};
    quorvel::gdi::FillSolidRect(dc, all, RGB(0, 0, 255));
    ImageList_Draw(list, index, dc, 1, 1, style);
    SelectObject(dc, old);
    DeleteDC(dc);
    quorvel::gdi::Image out = quorvel::gdi::CaptureBitmap(target);
    DeleteObject(target);
    return out;
}

class ImageLists : public ControlTest {};

TEST_F(ImageLists, MaskColourMakesPixelsTransparent) {
    HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR | ILC_MASK, 2, 1);
    HBITMAP strip = Strip();
    EXPECT_EQ(ImageList_AddMasked(list, strip, RGB(255, 255, 255)), 0);
    EXPECT_EQ(ImageList_GetImageCount(list), 2);
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 4);
    const quorvel::gdi::Image drawn = DrawOnBlue(list, 0, ILD_TRANSPARENT);
    EXPECT_EQ(drawn.At(1, 1), 0x0000FFu);  // the white corner let the blue through
    EXPECT_EQ(drawn.At(2, 2), kRed);
    ImageList_SetBkColor(list, RGB(0, 255, 0));
    EXPECT_EQ(DrawOnBlue(list, 0, ILD_NORMAL).At(1, 1), 0x00FF00u);
    EXPECT_NE(DrawOnBlue(list, 0, ILD_TRANSPARENT | ILD_SELECTED).At(2, 2), kRed);  // blended
    EXPECT_EQ(DrawOnBlue(list, 1, ILD_TRANSPARENT).At(4, 4), kGrey);
    // Without ILC_MASK every pixel shows.
    HIMAGELIST plain = ImageList_Create(4, 4, ILC_COLOR, 2, 1);
    ImageList_AddMasked(plain, strip, RGB(255, 255, 255));
    EXPECT_EQ(DrawOnBlue(plain, 0, ILD_TRANSPARENT).At(1, 1), kWhite);
    DeleteObject(strip);
    EXPECT_TRUE(ImageList_Destroy(list));
    EXPECT_TRUE(ImageList_Destroy(plain));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);  // gone
}

TEST_F(ImageLists, MaskBitmapsAndIconsWithReplacement) {
    HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR | ILC_MASK, 2, 1);
    quorvel::gdi::Image maskImage{8, 4, std::vector<uint32_t>(32, 0)};
    maskImage.pixels[0] = kWhite;  // only the first pixel of the first image is clear
    HBITMAP strip = Strip(), mask = quorvel::gdi::BitmapFromImage(maskImage);
    EXPECT_EQ(ImageList_Add(list, strip, mask), 0);
    const quorvel::gdi::Image drawn = DrawOnBlue(list, 0, ILD_TRANSPARENT);
    EXPECT_EQ(drawn.At(1, 1), 0x0000FFu);
    EXPECT_EQ(drawn.At(2, 1), kWhite);  // not masked this time
    HICON icon = ImageList_GetIcon(list, 1, ILD_NORMAL);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 0, icon), 0);
    EXPECT_EQ(DrawOnBlue(list, 0, ILD_TRANSPARENT).At(2, 2), kGrey);
    EXPECT_EQ(ImageList_AddIcon(list, icon), 2);
    EXPECT_TRUE(ImageList_Remove(list, 0));
    EXPECT_EQ(ImageList_GetImageCount(list), 2);
    DestroyIcon(icon);
    DeleteObject(strip);
    DeleteObject(mask);
    ImageList_Destroy(list);
}

TEST_F(ImageLists, TheShellHandsOutOneSmallIconListThatOutlivesDestroy) {
    SHFILEINFO info{};
    const auto folder = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfo(L"\\", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                      SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(info.iIcon, 1);
    SHFILEINFO file{};
    const auto same = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfo(L"x.txt", 0, &file, sizeof file,
                      SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));
    EXPECT_EQ(same, folder);
    EXPECT_EQ(file.iIcon, 0);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(folder, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(ImageList_GetImageCount(folder), 2);
    ImageList_Destroy(folder);
    EXPECT_EQ(ImageList_GetImageCount(folder), 2);
}

TEST_F(ImageLists, StartUpRegistersEveryClassAndEachDescribesItself) {
    InitCommonControls();
    INITCOMMONCONTROLSEX init{sizeof init, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    EXPECT_TRUE(InitCommonControlsEx(&init));
    HWND host = Host(240, 320);
    HWND b = Make(host, L"button", L"确定", BS_DEFPUSHBUTTON | WS_TABSTOP, {0, 0, 50, 20}, 1);
    HWND c = Make(host, L"BUTTON", L"保存", BS_AUTOCHECKBOX | WS_DISABLED, {0, 20, 50, 40}, 2);
    HWND s = Make(host, L"Static", L"X:", SS_RIGHT, {0, 40, 50, 60}, 0xFFFF);
    HWND e = Make(host, L"Edit", L"12", ES_READONLY | ES_MULTILINE, {0, 60, 50, 80}, 1012);
    HWND p = Make(host, L"Edit", L"secret", ES_PASSWORD, {0, 80, 50, 100}, 1134);
    HWND l = Make(host, L"ListBox", L"", LBS_NOTIFY, {0, 100, 50, 140}, 1060);
    SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"a\"b"));
    SendMessage(b, BM_SETSTATE, TRUE, 0);
    SendMessage(c, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(Text(b), "Button id=1 \"确定\" (0,0,50,20) BS_DEFPUSHBUTTON WS_TABSTOP pressed");
    EXPECT_EQ(Text(c), "Button id=2 \"保存\" (0,20,50,40) BS_AUTOCHECKBOX disabled checked");
    EXPECT_EQ(Text(s), "Static id=65535 \"X:\" (0,40,50,60) SS_RIGHT");
    EXPECT_EQ(Text(e), "Edit id=1012 \"12\" (0,60,50,80) ES_MULTILINE ES_READONLY sel=0..0");
    EXPECT_EQ(Text(p), "Edit id=1134 (0,80,50,100) ES_PASSWORD sel=0..0");  // no secret shown
    EXPECT_EQ(Text(l),
              "ListBox id=1060 \"\" (0,100,50,140) LBS_NOTIFY sel=-1 top=0 "
              "items=[\"a\\\"b\"]");
    ShowWindow(s, SW_HIDE);
    EXPECT_EQ(Text(s), "Static id=65535 \"X:\" (0,40,50,60) SS_RIGHT hidden");
}

}  // namespace
