// Bitmaps and icons loaded from the program's own image files through the
// graphics library: sizes, the icon's mask from the file's transparency,
// and the ways a load finds nothing.
#include <gtest/gtest.h>

#include "platform/gdi/GdiApi.h"
#include "platform/resources/Resources.h"
#include "res/resource.h"

namespace {

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    GetObject(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

TEST(ImageLoaders, ToolbarStripLoadsAtItsSize) {
    HBITMAP strip = LoadBitmap(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME));
    ASSERT_NE(strip, nullptr);
    const SIZE size = BitmapSize(strip);
    EXPECT_EQ(size.cx, 16 * 12);
    EXPECT_EQ(size.cy, 16);
    EXPECT_EQ(PixelOf(strip, 0, 15), RGB(192, 192, 192));  // button face shows through
    DeleteObject(strip);
}

TEST(ImageLoaders, IconMaskFollowsTheFilesTransparency) {
    HICON icon = LoadIcon(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_EQ(BitmapSize(info.hbmColor).cx, 32);
    EXPECT_EQ(BitmapSize(info.hbmMask).cy, 32);
    EXPECT_EQ(PixelOf(info.hbmMask, 0, 0), RGB(255, 255, 255));  // transparent corner
    EXPECT_EQ(PixelOf(info.hbmColor, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(info.hbmMask, 16, 10), RGB(0, 0, 0));  // the receiver is opaque
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(icon);
}

TEST(ImageLoaders, LoadImageScalesIconsAndKeepsTypesApart) {
    HICON small = static_cast<HICON>(
        LoadImage(nullptr, MAKEINTRESOURCE(IDI_PICK_LIBRARY), IMAGE_ICON, 28, 22, 0));
    ASSERT_NE(small, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(small, &info));
    EXPECT_EQ(BitmapSize(info.hbmColor).cx, 28);
    EXPECT_EQ(BitmapSize(info.hbmColor).cy, 22);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(small);

    HBITMAP sat = static_cast<HBITMAP>(
        LoadImage(nullptr, MAKEINTRESOURCE(IDB_SAT_NO_SNR), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    ASSERT_NE(sat, nullptr);
    EXPECT_EQ(BitmapSize(sat).cx, 16);
    DeleteObject(sat);

    EXPECT_EQ(LoadIcon(nullptr, MAKEINTRESOURCE(IDB_LEGEND_FIXED)), nullptr);  // a bitmap only
    EXPECT_EQ(LoadBitmap(nullptr, MAKEINTRESOURCE(IDI_EXIT)), nullptr);        // an icon only
    EXPECT_EQ(LoadBitmap(nullptr, L"TOOLBAR"), nullptr);
    EXPECT_EQ(LoadImage(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME), IMAGE_CURSOR, 0, 0, 0), nullptr);
}

}  // namespace
