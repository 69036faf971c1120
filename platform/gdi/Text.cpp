// Fonts as the program creates them, one-line text output and measuring.
#include <algorithm>
#include <cmath>
#include <cwchar>

#include "platform/gdi/TextPainter.h"

using namespace quorvel::gdi;

namespace {

// Where the baseline starts for text whose reference point is `ref`
// (device pixels) under the context's alignment.
POINT BaselineStart(DeviceContext& dc, FontInstance& font, POINT ref, int width) {
    const UINT align = dc.attr.textAlign;
    double along = 0, down = 0;
    if ((align & TA_CENTER) == TA_CENTER) {
        along = -width / 2;
    } else if (align & TA_RIGHT) {
        along = -width;
    }
    if ((align & TA_BASELINE) == TA_BASELINE) {
        down = 0;
    } else if (align & TA_BOTTOM) {
        down = -font.Descent();
    } else {
        down = font.Ascent();
    }
    const TextAxes axes = AxesOf(font);
    return POINT{ref.x + static_cast<LONG>(std::lround(along * axes.dirX + down * axes.downX)),
                 ref.y + static_cast<LONG>(std::lround(along * axes.dirY + down * axes.downY))};
}

// With TA_UPDATECP the text starts at the current position, which then
// moves past it (left aligned) or back before it (right aligned).
POINT ReferencePoint(DeviceContext& dc, int x, int y, int width) {
    if (!(dc.attr.textAlign & TA_UPDATECP)) return POINT{x, y};
    const POINT ref = dc.attr.position;
    const UINT horizontal = dc.attr.textAlign & TA_CENTER;
    if (horizontal == TA_LEFT) dc.attr.position.x += width;
    if (horizontal == TA_RIGHT) dc.attr.position.x -= width;
    return ref;
}

}  // namespace

HFONT CreateFontIndirect(const LOGFONT* log) {
    if (!log) return nullptr;
    auto font = std::make_shared<FontObject>();
    font->log = *log;
    font->log.lfFaceName[LF_FACESIZE - 1] = 0;
    // Resolved here, so that drawing on several threads never races to it.
    font->instance = InstanceFor(font->log);
    return static_cast<HFONT>(RegisterObject(font));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCWSTR face) {
    LOGFONT log{};
    log.lfHeight = height;
    log.lfWidth = width;
    log.lfEscapement = escapement;
    log.lfOrientation = orientation;
    log.lfWeight = weight;
    log.lfItalic = static_cast<BYTE>(italic);
    log.lfUnderline = static_cast<BYTE>(underline);
    log.lfStrikeOut = static_cast<BYTE>(strikeOut);
    log.lfCharSet = static_cast<BYTE>(charSet);
    log.lfOutPrecision = static_cast<BYTE>(outPrecision);
    log.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    log.lfQuality = static_cast<BYTE>(quality);
    log.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (face) std::wcsncpy(log.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(&log);
}

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                const int* dx) {
    auto dc = LookupDc(hdc);
    if (!dc || (count > 0 && !text)) return FALSE;
    FontInstance& font = FontOf(*dc);
    const int n = static_cast<int>(count);
    const int width = TextWidth(font, text, n, dx);
    RECT box{};
    if (rect) box = dc->ToDevice(*rect);
    if ((options & ETO_OPAQUE) && rect) {
        Canvas canvas(dc->GetSurface(), dc->Clip(), R2_COPYPEN);
        canvas.Fill(box, dc->Pixel(dc->attr.bkColor));
    }
    const POINT ref = ReferencePoint(*dc, x, y, width);
    TextLine line;
    line.text = text;
    line.count = n;
    line.dx = dx;
    line.baseline = BaselineStart(*dc, font, dc->ToDevice(ref.x, ref.y), width);
    line.opaque = dc->attr.bkMode == OPAQUE;
    line.clip = (options & ETO_CLIPPED) && rect ? &box : nullptr;
    if (n > 0) PaintText(*dc, line);
    Drew(*dc);
    return TRUE;
}

BOOL TextOut(HDC hdc, int x, int y, LPCWSTR text, int count) {
    if (count < 0) return FALSE;
    return ExtTextOut(hdc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}

BOOL GetTextExtentExPoint(HDC hdc, LPCWSTR text, int count, int maxExtent, int* fit, int* dx,
                          LPSIZE size) {
    auto dc = LookupDc(hdc);
    if (!dc || count < 0 || (count > 0 && !text)) return FALSE;
    FontInstance& font = FontOf(*dc);
    int extent = 0, fitting = 0;
    for (int i = 0; i < count; ++i) {
        extent += font.Advance(text[i]);
        if (dx) dx[i] = extent;
        if (extent <= maxExtent) fitting = i + 1;
    }
    if (fit) *fit = fitting;
    if (size) *size = SIZE{extent, font.Em()};
    return TRUE;
}

BOOL GetTextExtentPoint32(HDC hdc, LPCWSTR text, int count, LPSIZE size) {
    if (!size) return FALSE;
    return GetTextExtentExPoint(hdc, text, count, 0, nullptr, nullptr, size);
}

BOOL GetTextExtentPoint(HDC hdc, LPCWSTR text, int count, LPSIZE size) {
    return GetTextExtentPoint32(hdc, text, count, size);
}

BOOL GetTextMetrics(HDC hdc, LPTEXTMETRIC tm) {
    auto dc = LookupDc(hdc);
    if (!dc || !tm) return FALSE;
    FontInstance& font = FontOf(*dc);
    const LOGFONT& log = dc->attr.font->log;
    const bool fixed = font.FixedPitch();
    *tm = TEXTMETRIC{};
    tm->tmHeight = font.Em();
    tm->tmAscent = font.Ascent();
    tm->tmDescent = font.Descent();
    tm->tmAveCharWidth = (font.Em() + 1) / 2;
    tm->tmMaxCharWidth = font.Em() + (font.Key().bold ? 1 : 0);
    tm->tmWeight = font.Key().bold ? FW_BOLD : FW_NORMAL;
    tm->tmDigitizedAspectX = tm->tmDigitizedAspectY = 96;
    tm->tmFirstChar = 0x20;
    tm->tmLastChar = 0xFFFF;
    tm->tmDefaultChar = 0x20;
    tm->tmBreakChar = 0x20;
    tm->tmItalic = log.lfItalic ? 1 : 0;
    tm->tmUnderlined = log.lfUnderline ? 1 : 0;
    tm->tmStruckOut = log.lfStrikeOut ? 1 : 0;
    // TMPF_FIXED_PITCH set means a variable-pitch font.
    tm->tmPitchAndFamily = TMPF_TRUETYPE | (fixed ? FF_MODERN : (TMPF_FIXED_PITCH | FF_SWISS));
    tm->tmCharSet = GB2312_CHARSET;
    return TRUE;
}

int GetTextFace(HDC hdc, int count, LPWSTR face) {
    auto dc = LookupDc(hdc);
    if (!dc) return 0;
    const std::wstring name =
        dc->attr.font->log.lfFaceName[0] ? dc->attr.font->log.lfFaceName : L"System";
    if (!face) return static_cast<int>(name.size()) + 1;
    if (count <= 0) return 0;
    const int n = std::min<int>(count - 1, static_cast<int>(name.size()));
    std::wmemcpy(face, name.data(), static_cast<size_t>(n));
    face[n] = 0;
    return n;
}
