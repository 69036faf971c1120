// Drawing as the program calls it: device contexts, pens, brushes, fonts,
// bitmaps, icons, shapes, text and blits, with the device's names, values
// and signatures. Everything draws into a software framebuffer: the 240 x 320
// screen (platform/gdi/Surface.h) or memory bitmaps.
//
// Index: structures; objects; device contexts and attributes; clipping;
// lines and shapes; text; bitmaps, blits and icons; system colours;
// framework helpers (namespace quorvel::gdi).
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/win/WinApi.h"

// ---- Structures ----

struct LOGPEN {
    UINT lopnStyle;
    POINT lopnWidth;  // only x is used
    COLORREF lopnColor;
};

struct LOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    LONG lbHatch;
};

struct LOGFONTW {
    LONG lfHeight;  // < 0: character (em) height, > 0: cell height, 0: default
    LONG lfWidth;
    LONG lfEscapement;  // tenths of a degree, counter-clockwise
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    WCHAR lfFaceName[LF_FACESIZE];
};
typedef LOGFONTW LOGFONT;
typedef LOGFONTW* LPLOGFONT;

struct TEXTMETRICW {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    WCHAR tmFirstChar;
    WCHAR tmLastChar;
    WCHAR tmDefaultChar;
    WCHAR tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};
typedef TEXTMETRICW TEXTMETRIC;
typedef TEXTMETRICW* LPTEXTMETRIC;

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
};

struct ICONINFO {
    BOOL fIcon;
    DWORD xHotspot;
    DWORD yHotspot;
    HBITMAP hbmMask;  // monochrome: white where the screen shows through
    HBITMAP hbmColor;
};
typedef ICONINFO* PICONINFO;

// ---- Objects ----

HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* pen);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);
HFONT CreateFontIndirect(const LOGFONT* font);
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCWSTR face);
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
// bits: rows of `bitsPerPixel` (1 or 32) pixels, each row padded to 16 bits.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
HGDIOBJ GetStockObject(int index);
BOOL DeleteObject(HGDIOBJ object);
int GetObject(HGDIOBJ object, int size, LPVOID out);
DWORD GetObjectType(HGDIOBJ object);

// ---- Device contexts and attributes ----

// GetDC(NULL) draws on the whole screen; GetDC(hwnd) on the window's client
// area and GetWindowDC(hwnd) on all of it, clipped to what is visible of it.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);
// The paint context: clipped to the update area, which it validates; the
// background is erased first (WM_ERASEBKGND) when the update asked for it.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
int SaveDC(HDC hdc);
BOOL RestoreDC(HDC hdc, int saved);  // saved < 0: relative to the newest
int GetDeviceCaps(HDC hdc, int index);
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
int SetROP2(HDC hdc, int rop);
int GetROP2(HDC hdc);
int SetPolyFillMode(HDC hdc, int mode);
int GetPolyFillMode(HDC hdc);
int SetStretchBltMode(HDC hdc, int mode);
UINT SetTextAlign(HDC hdc, UINT align);
UINT GetTextAlign(HDC hdc);
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT previous);
BOOL GetViewportOrgEx(HDC hdc, LPPOINT origin);
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT previous);
BOOL GetWindowOrgEx(HDC hdc, LPPOINT origin);

// ---- Clipping ----

int SelectClipRgn(HDC hdc, HRGN region);  // NULL removes the program's clip
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
int GetClipBox(HDC hdc, LPRECT box);

// ---- Lines and shapes ----

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous);
BOOL GetCurrentPositionEx(HDC hdc, LPPOINT position);
BOOL LineTo(HDC hdc, int x, int y);  // the end point itself is not drawn
BOOL Polyline(HDC hdc, const POINT* points, int count);
BOOL Polygon(HDC hdc, const POINT* points, int count);
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int ellipseWidth,
               int ellipseHeight);
BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush);
BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags);
BOOL DrawFocusRect(HDC hdc, const RECT* rect);
BOOL InvertRect(HDC hdc, const RECT* rect);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC hdc, int x, int y);

// ---- Text ----

BOOL TextOut(HDC hdc, int x, int y, LPCWSTR text, int count);
BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                const int* dx);
BOOL GetTextExtentPoint32(HDC hdc, LPCWSTR text, int count, LPSIZE size);
BOOL GetTextExtentPoint(HDC hdc, LPCWSTR text, int count, LPSIZE size);
BOOL GetTextExtentExPoint(HDC hdc, LPCWSTR text, int count, int maxExtent, int* fit, int* dx,
                          LPSIZE size);
BOOL GetTextMetrics(HDC hdc, LPTEXTMETRIC metrics);
int GetTextFace(HDC hdc, int count, LPWSTR face);
// count -1: the text runs to its terminating zero. Returns the text height.
int DrawText(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format);

// ---- Bitmaps, blits and icons ----

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                int srcWidth, int srcHeight, DWORD rop);
BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop);
// Copies every source pixel except those of the colour `transparent`,
// stretching when the sizes differ.
BOOL TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                    int srcWidth, int srcHeight, UINT transparent);
// The device's form of the same: `src` is a device context or a bitmap.
BOOL TransparentImage(HDC dst, int x, int y, int width, int height, HANDLE src, int srcX, int srcY,
                      int srcWidth, int srcHeight, COLORREF transparent);
HICON CreateIconIndirect(PICONINFO info);      // the bitmaps are copied
BOOL GetIconInfo(HICON icon, PICONINFO info);  // fresh copies the caller deletes
BOOL DestroyIcon(HICON icon);
BOOL DrawIcon(HDC hdc, int x, int y, HICON icon);
// width/height 0: the icon's own size; the icon is scaled to the size given.
BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int width, int height, UINT step,
                HBRUSH flickerFree, UINT flags);

// ---- System colours ----

DWORD GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);  // stock: never deleted

// ---- Framework helpers ----

namespace quorvel::gdi {

// Hands the window manager the painting it leaves to the drawing library:
// erasing with the class brush, WM_PAINT's BeginPaint/EndPaint, window
// frames and captions, and the desktop behind all windows. The application
// and window tests call it once at start; GetDC and BeginPaint call it too.
void Install();

void FillSolidRect(HDC hdc, const RECT& rect, COLORREF color);
void FillSolidRect(HDC hdc, int x, int y, int width, int height, COLORREF color);
// Top and left edges in `topLeft`, bottom and right in `bottomRight`.
void Draw3dRect(HDC hdc, int x, int y, int width, int height, COLORREF topLeft,
                COLORREF bottomRight);
void Draw3dRect(HDC hdc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight);

// How many objects of a kind are alive (made and not yet deleted), stock
// objects left out: OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP, OBJ_REGION,
// or kIconObjects for icons. For tests that look for leaks.
constexpr DWORD kIconObjects = 0x100;
size_t LiveObjectCount(DWORD type);

}  // namespace quorvel::gdi
