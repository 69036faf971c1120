// Bitmaps and blits: raster operations, stretching, colour keys,
// monochrome conversions, icons and image files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/testing/TempDeviceRoot.h"
#include "tests/platform/gdi/MemoryCanvas.h"

namespace quorvel::gdi::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A 2 x 2 source: red, green / blue, white.
class Source {
  public:
    Source() {
        const uint32_t bits[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
        m_bitmap = CreateBitmap(2, 2, 1, 32, bits);
        m_dc = CreateCompatibleDC(nullptr);
        m_old = SelectObject(m_dc, m_bitmap);
    }
    ~Source() {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
        DeleteObject(m_bitmap);
    }
    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }

  private:
    HBITMAP m_bitmap;
    HDC m_dc;
    HGDIOBJ m_old;
};

TEST(BitBlt, CopiesClipsAndCombines) {
    Source src;
    MemoryCanvas canvas(5, 3);
    BitBlt(canvas.dc(), 3, 1, 2, 2, src.dc(), 0, 0, SRCCOPY);
    BitBlt(canvas.dc(), -1, 0, 2, 2, src.dc(), 0, 0, SRCCOPY);  // half outside
    EXPECT_EQ(canvas.Art(),
              "g....\n"
              "...rg\n"
              "...b.\n");
    BitBlt(canvas.dc(), 0, 0, 5, 3, nullptr, 0, 0, DSTINVERT);
    BitBlt(canvas.dc(), 0, 0, 5, 3, nullptr, 0, 0, DSTINVERT);
    BitBlt(canvas.dc(), 3, 1, 2, 2, src.dc(), 0, 0, SRCINVERT);
    EXPECT_EQ(canvas.At(3, 1), kBlack);  // red xor red
    BitBlt(canvas.dc(), 3, 1, 2, 2, src.dc(), 0, 0, SRCINVERT);
    EXPECT_EQ(canvas.At(3, 1), kRed);
    BitBlt(canvas.dc(), 0, 1, 2, 2, src.dc(), 0, 0, SRCAND);
    EXPECT_EQ(canvas.At(0, 2), kBlue);
    BitBlt(canvas.dc(), 1, 1, 1, 1, src.dc(), 0, 0, SRCPAINT);
    EXPECT_EQ(canvas.At(1, 1), RGB(255, 255, 0));  // (white and green) or red
}

TEST(BitBlt, PatternOperationsUseTheSelectedBrush) {
    MemoryCanvas canvas(4, 1);
    Selected brush(canvas.dc(), CreateSolidBrush(kRed));
    PatBlt(canvas.dc(), 0, 0, 1, 1, PATCOPY);
    PatBlt(canvas.dc(), 1, 0, 1, 1, PATINVERT);
    PatBlt(canvas.dc(), 2, 0, 1, 1, BLACKNESS);
    PatBlt(canvas.dc(), 3, 0, 1, 1, WHITENESS);
    EXPECT_EQ(canvas.Art(), "rc#.\n");
    EXPECT_FALSE(PatBlt(canvas.dc(), 0, 0, 1, 1, SRCCOPY));
}

TEST(BitBlt, OverlappingCopyWithinOneBitmapScrolls) {
    MemoryCanvas canvas(6, 1);
    SetPixel(canvas.dc(), 0, 0, kRed);
    SetPixel(canvas.dc(), 1, 0, kBlue);
    BitBlt(canvas.dc(), 1, 0, 5, 1, canvas.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(canvas.Art(), "rrb...\n");
}

TEST(StretchBlt, NearestPixelEnlargesShrinksAndMirrors) {
    Source src;
    MemoryCanvas big(4, 4);
    StretchBlt(big.dc(), 0, 0, 4, 4, src.dc(), 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(big.Art(),
              "rrgg\n"
              "rrgg\n"
              "bb..\n"
              "bb..\n");
    MemoryCanvas small(1, 1);
    StretchBlt(small.dc(), 0, 0, 1, 1, big.dc(), 0, 0, 4, 4, SRCCOPY);
    EXPECT_EQ(small.At(0, 0), RGB(255, 255, 255));  // the centre sample
    MemoryCanvas mirrored(2, 2);
    StretchBlt(mirrored.dc(), 1, 0, -2, 2, src.dc(), 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(mirrored.Art(),
              "gr\n"
              ".b\n");
}

TEST(TransparentBlt, LeavesTheKeyColourOut) {
    Source src;
    MemoryCanvas canvas(4, 4, kBlack);
    TransparentBlt(canvas.dc(), 0, 0, 4, 4, src.dc(), 0, 0, 2, 2, kWhite);
    EXPECT_EQ(canvas.Art(),
              "rrgg\n"
              "rrgg\n"
              "bb##\n"
              "bb##\n");
    MemoryCanvas fromBitmap(2, 2, kBlack);
    TransparentImage(fromBitmap.dc(), 0, 0, 2, 2, src.bitmap(), 0, 0, 2, 2, kRed);
    EXPECT_EQ(fromBitmap.Art(),
              "#g\n"
              "b.\n");
}

// Masks are made by blitting colour into monochrome (the background colour
// becomes white) and applied by blitting monochrome into colour (black
// takes the text colour, white the background colour).
TEST(Monochrome, ConversionsFollowTheBackgroundAndTextColours) {
    Source src;
    HDC monoDc = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateCompatibleBitmap(monoDc, 2, 2);  // a fresh memory context: one bit
    BITMAP info{};
    GetObject(mono, sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    HGDIOBJ old = SelectObject(monoDc, mono);
    SetBkColor(src.dc(), kBlue);
    BitBlt(monoDc, 0, 0, 2, 2, src.dc(), 0, 0, SRCCOPY);
    MemoryCanvas canvas(2, 2);
    SetTextColor(canvas.dc(), kRed);
    SetBkColor(canvas.dc(), RGB(0, 255, 0));
    BitBlt(canvas.dc(), 0, 0, 2, 2, monoDc, 0, 0, SRCCOPY);
    EXPECT_EQ(canvas.Art(),
              "rr\n"
              "gr\n");
    SelectObject(monoDc, old);
    DeleteObject(mono);
    DeleteDC(monoDc);
}

TEST(Bitmaps, SelectionRulesAndDescriptions) {
    HBITMAP bitmap = CreateBitmap(3, 2, 1, 32, nullptr);
    BITMAP info{};
    ASSERT_EQ(GetObject(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmHeight, 2);
    EXPECT_EQ(info.bmBitsPixel, 32);
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(first, bitmap);
    EXPECT_NE(old, nullptr);
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);  // already in another context
    EXPECT_FALSE(DeleteObject(bitmap));                // still selected
    SelectObject(first, old);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_FALSE(DeleteObject(bitmap));  // handles are not reused
    EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_MEMDC));
    DeleteDC(first);
    DeleteDC(second);
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));  // stock objects stay
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), static_cast<DWORD>(OBJ_PEN));
}

TEST(Icons, MaskShowsTheScreenAndScalesWithTheIcon) {
    const uint8_t maskRows[4] = {0x80, 0, 0x00, 0};  // the top-left pixel shows through
    const uint32_t image[4] = {0x000000, 0xFF0000, 0x0000FF, 0xFF0000};
    HBITMAP mask = CreateBitmap(2, 2, 1, 1, maskRows);
    HBITMAP color = CreateBitmap(2, 2, 1, 32, image);
    ICONINFO info{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(color);
    ASSERT_NE(icon, nullptr);
    MemoryCanvas canvas(6, 4, kBlack);
    DrawIcon(canvas.dc(), 0, 0, icon);
    DrawIconEx(canvas.dc(), 2, 0, icon, 4, 4, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(canvas.Art(),
              "#r##rr\n"
              "br##rr\n"
              "##bbrr\n"
              "##bbrr\n");
    ICONINFO copy{};
    ASSERT_TRUE(GetIconInfo(icon, &copy));
    EXPECT_EQ(CaptureBitmap(copy.hbmColor).At(1, 0), 0xFF0000u);
    DeleteObject(copy.hbmColor);
    DeleteObject(copy.hbmMask);
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIcon(canvas.dc(), 0, 0, icon));
}

TEST(LiveObjects, CountMadeObjectsOfEachKindUntilTheyAreDeleted) {
    const size_t brushes = LiveObjectCount(OBJ_BRUSH);
    const size_t icons = LiveObjectCount(kIconObjects);
    const size_t bitmaps = LiveObjectCount(OBJ_BITMAP);
    HBRUSH brush = CreateSolidBrush(kRed);
    GetStockObject(GRAY_BRUSH);
    EXPECT_EQ(LiveObjectCount(OBJ_BRUSH), brushes + 1);
    const uint8_t maskRows[4] = {};  // rows of two bytes
    HBITMAP mask = CreateBitmap(1, 2, 1, 1, maskRows);
    ICONINFO info{TRUE, 0, 0, mask, nullptr};
    HICON icon = CreateIconIndirect(&info);
    EXPECT_EQ(LiveObjectCount(kIconObjects), icons + 1);
    EXPECT_EQ(LiveObjectCount(OBJ_BITMAP), bitmaps + 1);
    DeleteObject(mask);
    DestroyIcon(icon);
    DeleteObject(brush);
    EXPECT_EQ(LiveObjectCount(OBJ_BRUSH), brushes);
    EXPECT_EQ(LiveObjectCount(kIconObjects), icons);
    EXPECT_EQ(LiveObjectCount(OBJ_BITMAP), bitmaps);
}

void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

void Le(std::vector<uint8_t>& b, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A bottom-up BMP with a palette, as resource editors write them.
std::vector<uint8_t> PaletteBmp(int bitsPerPixel, const std::vector<uint32_t>& palette,
                                const std::vector<uint8_t>& rows) {
    std::vector<uint8_t> b = {'B', 'M'};
    const uint32_t bitsAt = 14 + 40 + 4 * static_cast<uint32_t>(palette.size());
    Le(b, bitsAt + static_cast<uint32_t>(rows.size()), 4);
    Le(b, 0, 4);
    Le(b, bitsAt, 4);
    Le(b, 40, 4);
    Le(b, 2, 4);  // width
    Le(b, 2, 4);  // height, bottom-up
    Le(b, 1, 2);
    Le(b, static_cast<uint32_t>(bitsPerPixel), 2);
    Le(b, 0, 4);
    Le(b, static_cast<uint32_t>(rows.size()), 4);
    Le(b, 0, 4);
    Le(b, 0, 4);
    Le(b, static_cast<uint32_t>(palette.size()), 4);
    Le(b, 0, 4);
    for (uint32_t c : palette) Le(b, c, 4);
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

TEST(ImageFiles, BmpAndPngLoadAsBitmaps) {
    const testing::TempFolder folder("quorvel-gdi-images");
    ASSERT_TRUE(folder.Made());
    const std::filesystem::path dir = folder.Path();
    // 8 bits: bottom row first, rows padded to four bytes.
    WriteBytes(dir / "eight.bmp",
               PaletteBmp(8, {0xFF0000, 0x0000FF, 0xFFFFFF}, {1, 2, 0, 0, 0, 1, 0, 0}));
    Image image;
    ASSERT_TRUE(LoadImageFile((dir / "eight.bmp").string(), &image));
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0xFF0000, 0x0000FF, 0x0000FF, 0xFFFFFF}));
    WriteBytes(dir / "mono.bmp",
               PaletteBmp(1, {0x000000, 0xFFFFFF}, {0x40, 0, 0, 0, 0x80, 0, 0, 0}));
    HBITMAP mono = LoadBitmapFile((dir / "mono.bmp").string());
    BITMAP info{};
    GetObject(mono, sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(CaptureBitmap(mono).pixels, (std::vector<uint32_t>{0xFFFFFF, 0, 0, 0xFFFFFF}));
    DeleteObject(mono);
    ASSERT_TRUE(SavePng(image, (dir / "copy.png").string()));
    HBITMAP png = LoadBitmapFile((dir / "copy.png").string());
    EXPECT_EQ(CaptureBitmap(png), image);
    DeleteObject(png);
    WriteBytes(dir / "broken.bmp", {'B', 'M', 1, 2, 3});
    EXPECT_EQ(LoadBitmapFile((dir / "broken.bmp").string()), nullptr);
    EXPECT_EQ(LoadBitmapFile((dir / "absent.bmp").string()), nullptr);
    std::filesystem::remove_all(dir);
}

// Up to 256 colours go in a palette, more as plain RGB: either way every
// pixel comes back. The 256 colours of the first picture come singly and
// in a run, in no order.
TEST(ImageFiles, PngKeepsEveryPixelWithOrWithoutAPalette) {
    const testing::TempFolder folder("quorvel-gdi-png");
    ASSERT_TRUE(folder.Made());
    const std::filesystem::path dir = folder.Path();
    // Colour n of 256, in one channel by n mod 3.
    auto colour = [](uint32_t n) { return n % 3 == 0 ? n << 16 : n % 3 == 1 ? n << 8 : n; };
    Image full{32, 20, {}};
    for (int i = 0; i < full.width * full.height; ++i)
        full.pixels.push_back(colour(static_cast<uint32_t>(i < 256 ? i : (i * 37) % 256)));
    for (int i = 0; i < 40; ++i) full.pixels[static_cast<size_t>(300 + i)] = colour(200);
    Image more = full;
    more.pixels.back() = 0xFEDCBA;  // the 257th colour
    for (const Image& image : {full, more}) {
        const std::string path = (dir / "screen.png").string();
        ASSERT_TRUE(SavePng(image, path));
        Image back;
        ASSERT_TRUE(LoadImageFile(path, &back));
        EXPECT_EQ(back, image);
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quorvel::gdi::test
