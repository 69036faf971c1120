// Text: fonts and metrics, alignment, backgrounds, DrawText layout and
// rotation. Expectations come from the font's own measurements, so they
// hold for any glyph shapes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>

#include "tests/platform/gdi/MemoryCanvas.h"

namespace quorvel::gdi::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

HFONT Font(int height, int weight = FW_NORMAL, int escapement = 0,
           const wchar_t* face = L"System") {
    return CreateFont(height, 0, escapement, escapement, weight, 0, 0, 0, GB2312_CHARSET, 0, 0, 0,
                      0, face);
}

SIZE Extent(HDC dc, const wchar_t* text) {
    SIZE size{};
    GetTextExtentPoint32(dc, text, static_cast<int>(std::wcslen(text)), &size);
    return size;
}

TEST(Fonts, HeightsFollowTheDevicesRules) {
    MemoryCanvas canvas(4, 4);
    TEXTMETRIC tm{};
    ASSERT_TRUE(GetTextMetrics(canvas.dc(), &tm));  // the stock system font
    EXPECT_EQ(tm.tmHeight, 12);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    EXPECT_EQ(tm.tmInternalLeading, 0);
    {
        Selected font(canvas.dc(), Font(-16, FW_BOLD));  // character height
        GetTextMetrics(canvas.dc(), &tm);
        EXPECT_EQ(tm.tmHeight, 16);
        EXPECT_EQ(tm.tmWeight, FW_BOLD);
    }
    Selected font(canvas.dc(), Font(24, 550));  // cell height, not bold
    GetTextMetrics(canvas.dc(), &tm);
    EXPECT_EQ(tm.tmHeight, 24);
    EXPECT_EQ(tm.tmWeight, FW_NORMAL);
    wchar_t face[LF_FACESIZE] = {};
    EXPECT_EQ(GetTextFace(canvas.dc(), LF_FACESIZE, face), 6);
    EXPECT_STREQ(face, L"System");
}

TEST(Fonts, StockSystemFontDescribesItself) {
    LOGFONT log{};
    ASSERT_EQ(GetObject(GetStockObject(SYSTEM_FONT), sizeof log, &log),
              static_cast<int>(sizeof log));
    EXPECT_EQ(log.lfHeight, -12);
    EXPECT_STREQ(log.lfFaceName, L"System");
    log.lfWeight = FW_BOLD;
    HFONT bold = CreateFontIndirect(&log);
    MemoryCanvas canvas(4, 4);
    const SIZE plain = Extent(canvas.dc(), L"测量");
    Selected font(canvas.dc(), bold);
    const SIZE heavy = Extent(canvas.dc(), L"测量");
    EXPECT_EQ(heavy.cx, plain.cx + 2);  // bold adds a pixel per character
    EXPECT_EQ(heavy.cy, 12);
}

TEST(Fonts, ChineseCharactersAreOneEmWideAndExtentsAddUp) {
    MemoryCanvas canvas(4, 4);
    Selected font(canvas.dc(), Font(-11, FW_NORMAL, 0, L"宋体"));
    EXPECT_EQ(Extent(canvas.dc(), L"坐标库").cx, 33);
    int fit = 0;
    int dx[5] = {};
    SIZE size{};
    ASSERT_TRUE(GetTextExtentExPoint(canvas.dc(), L"坐标库AB", 5, 30, &fit, dx, &size));
    EXPECT_EQ(fit, 2);
    EXPECT_EQ(dx[2], 33);
    EXPECT_EQ(size.cx, dx[4]);
    EXPECT_EQ(size.cy, 11);
}

// "宋体" is the device's Song face: ASCII half an em wide at the sizes the
// program draws it (8, 9, 10 and 12 points: 10, 12, 13 and 16 pixels; an
// odd em rounds down, as on the device); other faces keep their
// own widths.
TEST(Fonts, TheSongFaceHasHalfWidthAsciiAtTheProgramsSizes) {
    MemoryCanvas canvas(4, 4);
    for (int em : {10, 12, 13, 16}) {
        Selected font(canvas.dc(), Font(-em, FW_NORMAL, 0, L"宋体"));
        for (const wchar_t* text : {L"0123456789", L"-.:() ", L"ABCabcxyz"})
            EXPECT_EQ(Extent(canvas.dc(), text).cx, static_cast<int>(std::wcslen(text)) * (em / 2))
                << em << " " << text;
        EXPECT_EQ(Extent(canvas.dc(), L"宋体").cx, 2 * em);
    }
    Selected font(canvas.dc(), Font(-13));
    EXPECT_GT(Extent(canvas.dc(), L"0123456789").cx, 60);  // Zen Hei's digits: 7 pixels
}

// The device's fonts kept every glyph inside its cell, so that a label
// drawn at the top of its control shows whole; the strikes here set some
// tall Song glyphs (离, 消, 确) a row above it. Chinese fills the cell to
// its foot; a Latin descender may reach below it, as it may on the device.
TEST(Fonts, EveryGlyphLiesInsideItsCell) {
    const struct {
        int height, weight;
        const wchar_t* face;
    } fonts[] = {{-12, FW_NORMAL, L"宋体"}, {-11, FW_NORMAL, L"宋体"},   {-13, FW_NORMAL, L"宋体"},
                 {-16, FW_NORMAL, L"宋体"}, {-12, FW_NORMAL, L"System"}, {14, FW_BOLD, L"system"}};
    for (const auto& f : fonts) {
        for (const wchar_t* text : {L"距离取消确定键步北米", L"PDOP:hgy|(9)"}) {
            MemoryCanvas canvas(300, 60);
            Selected font(canvas.dc(), Font(f.height, f.weight, 0, f.face));
            TEXTMETRIC tm{};
            GetTextMetrics(canvas.dc(), &tm);
            TextOut(canvas.dc(), 10, 20, text, static_cast<int>(std::wcslen(text)));
            const RECT ink = canvas.Ink();
            EXPECT_GE(ink.top, 20) << f.height << " " << f.weight;
            if (text[0] > 0x7F) {
                EXPECT_LE(ink.bottom, 20 + tm.tmHeight) << f.height << " " << f.weight;
            }
        }
    }
}

// The reference point is the cell's top, bottom or baseline: the same text
// drawn with each alignment is the same picture shifted by the metrics.
TEST(TextOut, AlignmentShiftsByTheMetrics) {
    MemoryCanvas top(80, 50), baseline(80, 50), bottomCentre(80, 50);
    TEXTMETRIC tm{};
    GetTextMetrics(top.dc(), &tm);
    const SIZE size = Extent(top.dc(), L"北N");
    TextOut(top.dc(), 10, 10, L"北N", 2);
    SetTextAlign(baseline.dc(), TA_BASELINE);
    TextOut(baseline.dc(), 10, 10 + tm.tmAscent, L"北N", 2);
    SetTextAlign(bottomCentre.dc(), TA_BOTTOM | TA_CENTER);
    TextOut(bottomCentre.dc(), 10 + size.cx / 2, 10 + size.cy, L"北N", 2);
    EXPECT_EQ(baseline.Art(), top.Art());
    EXPECT_EQ(bottomCentre.Art(), top.Art());
    EXPECT_EQ(top.Ink().top >= 10 && top.Ink().bottom <= 10 + size.cy, true);
}

TEST(TextOut, OpaqueBlanksClearTheWholeCell) {
    MemoryCanvas canvas(60, 20);
    SetBkColor(canvas.dc(), kRed);
    TextOut(canvas.dc(), 3, 4, L"    ", 4);
    const SIZE size = Extent(canvas.dc(), L"    ");
    EXPECT_EQ(canvas.Count(kRed), size.cx * 12);
    EXPECT_EQ(canvas.Ink(), (RECT{3, 4, 3 + size.cx, 16}));
    SetBkMode(canvas.dc(), TRANSPARENT);
    SetBkColor(canvas.dc(), RGB(0, 0, 255));
    TextOut(canvas.dc(), 3, 4, L"    ", 4);
    EXPECT_EQ(canvas.Count(RGB(0, 0, 255)), 0);
}

TEST(TextOut, UpdateCurrentPositionMovesAlongTheText) {
    MemoryCanvas canvas(80, 20);
    SetTextAlign(canvas.dc(), TA_UPDATECP);
    MoveToEx(canvas.dc(), 5, 2, nullptr);
    TextOut(canvas.dc(), 0, 0, L"测", 1);
    TextOut(canvas.dc(), 0, 0, L"量", 1);
    POINT pos{};
    GetCurrentPositionEx(canvas.dc(), &pos);
    EXPECT_EQ(pos.x, 5 + Extent(canvas.dc(), L"测量").cx);
    EXPECT_GE(canvas.Ink().left, 5);
}

TEST(TextOut, ClippedAndOpaqueRectangleOfExtTextOut) {
    MemoryCanvas canvas(40, 20);
    SetBkColor(canvas.dc(), kRed);
    const RECT box{2, 2, 20, 18};
    ExtTextOut(canvas.dc(), 4, 4, ETO_OPAQUE | ETO_CLIPPED, &box, L"测量测量", 4, nullptr);
    EXPECT_EQ(canvas.Ink(), box);
    EXPECT_GT(canvas.Count(kRed), 0);
}

// Quarter turns are exact: each pixel of the upright text lands where the
// turn takes it about the reference point.
TEST(TextOut, QuarterTurnsRotateThePixelsExactly) {
    MemoryCanvas upright(60, 60);
    SetTextAlign(upright.dc(), TA_BASELINE);
    TextOut(upright.dc(), 30, 30, L"测量A", 3);
    const Image a = upright.Snapshot();
    for (int quarter = 1; quarter <= 3; ++quarter) {
        MemoryCanvas turned(60, 60);
        SetTextAlign(turned.dc(), TA_BASELINE);
        Selected font(turned.dc(), Font(-12, FW_NORMAL, 900 * quarter));
        TextOut(turned.dc(), 30, 30, L"测量A", 3);
        const Image b = turned.Snapshot();
        int inked = 0;
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 60; ++x) {
                if (a.At(x, y) == 0xFFFFFF) continue;
                const int dx = x - 30, dy = y - 30;
                const int tx = quarter == 1 ? 30 + dy : quarter == 2 ? 29 - dx : 29 - dy;
                const int ty = quarter == 1 ? 29 - dx : quarter == 2 ? 29 - dy : 30 + dx;
                ASSERT_EQ(b.At(tx, ty), a.At(x, y)) << "quarter " << quarter;
                ++inked;
            }
        }
        EXPECT_EQ(static_cast<int>(std::count(b.pixels.begin(), b.pixels.end(), 0u)), inked);
    }
}

TEST(TextOut, FreeAnglesLayTheTextAlongTheEscapement) {
    MemoryCanvas canvas(100, 100);
    Selected font(canvas.dc(), Font(-12, FW_NORMAL, 450));
    SetTextAlign(canvas.dc(), TA_BASELINE);
    TextOut(canvas.dc(), 20, 80, L"测量放样", 4);
    const RECT ink = canvas.Ink();
    // 48 pixels along 45 degrees take the text 34 right and 34 up, and the
    // ascent another 7 up.
    EXPECT_NEAR(ink.right - 20, 34, 3);
    EXPECT_NEAR(80 - ink.top, 41, 3);
    EXPECT_GE(ink.left, 12);
}

TEST(DrawText, ChineseBreaksBetweenCharactersAndMeasuresFirst) {
    MemoryCanvas canvas(60, 60);
    RECT r{10, 5, 46, 5};
    EXPECT_EQ(DrawText(canvas.dc(), L"测量放样坐标库", -1, &r, DT_WORDBREAK | DT_CALCRECT), 36);
    EXPECT_EQ(r, (RECT{10, 5, 46, 41}));
    EXPECT_EQ(canvas.Count(kWhite), 3600);  // measuring draws nothing
    EXPECT_EQ(DrawText(canvas.dc(), L"测量放样坐标库", -1, &r, DT_WORDBREAK), 36);
    EXPECT_GE(canvas.Ink().left, 10);
    EXPECT_LE(canvas.Ink().right, 46);
    EXPECT_GT(canvas.Ink().bottom, 29);  // a third line
}

TEST(DrawText, WordsWrapAtSpacesAndLinesAreAligned) {
    MemoryCanvas canvas(120, 60);
    const int widest = std::max({Extent(canvas.dc(), L"Point").cx, Extent(canvas.dc(), L"not").cx,
                                 Extent(canvas.dc(), L"found").cx});
    RECT r{0, 0, widest + 2, 0};
    DrawText(canvas.dc(), L"Point not found", -1, &r, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(r.bottom, 36);  // a line per word
    EXPECT_EQ(r.right, widest);
    RECT box{0, 0, 120, 60};
    DrawText(canvas.dc(), L"Point\nfound", -1, &box, DT_RIGHT);
    EXPECT_LE(canvas.Ink().right, 120);
    EXPECT_GE(canvas.Ink().right, 118);
    EXPECT_LT(canvas.Ink().bottom, 25);
}

TEST(DrawText, SingleLineCentresBothWays) {
    MemoryCanvas canvas(100, 40);
    RECT box{0, 0, 100, 40};
    const int offset =
        DrawText(canvas.dc(), L"测量", -1, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    EXPECT_EQ(offset, 14 + 12);
    const RECT ink = canvas.Ink();
    EXPECT_GE(ink.left, 38);
    EXPECT_LE(ink.right, 62);
    EXPECT_GE(ink.top, 14);
    EXPECT_LE(ink.bottom, 26);
    MemoryCanvas low(100, 40);
    DrawText(low.dc(), L"测量", -1, &box, DT_SINGLELINE | DT_BOTTOM | DT_RIGHT);
    EXPECT_GE(low.Ink().top, 28);
    EXPECT_GE(low.Ink().left, 76);
}

TEST(DrawText, PrefixesUnderlineUnlessSwitchedOff) {
    MemoryCanvas prefixed(60, 20), plain(60, 20);
    RECT box{0, 0, 60, 20};
    DrawText(prefixed.dc(), L"&Open", -1, &box, DT_SINGLELINE);
    DrawText(plain.dc(), L"Open", -1, &box, DT_SINGLELINE);
    EXPECT_GT(prefixed.Ink().bottom, plain.Ink().bottom - 1);  // the rule under the O
    EXPECT_EQ(prefixed.Ink().right, plain.Ink().right);
    MemoryCanvas literal(60, 20);
    DrawText(literal.dc(), L"&Open", -1, &box, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(literal.Ink().right, plain.Ink().right);
}

TEST(DrawText, ClipsToTheRectangleUnlessTold) {
    MemoryCanvas canvas(60, 30);
    RECT box{5, 5, 20, 12};
    DrawText(canvas.dc(), L"测量放样", -1, &box, DT_SINGLELINE);
    EXPECT_EQ(canvas.Ink().right <= 20 && canvas.Ink().bottom <= 12, true);
    DrawText(canvas.dc(), L"测量放样", -1, &box, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(canvas.Ink().right, 40);
}

TEST(DrawText, EndEllipsisFitsTheWidth) {
    MemoryCanvas canvas(80, 20);
    RECT box{0, 0, 50, 20};
    DrawText(canvas.dc(), L"放样点库文件名称", -1, &box,
             DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    // Two characters and the dots fit in 50 pixels, three would not.
    EXPECT_LE(canvas.Ink().right, 50);
    EXPECT_GT(canvas.Ink().right, 2 * 12 + 8);
}

}  // namespace
}  // namespace quorvel::gdi::test
