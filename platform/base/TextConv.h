// Conversion between wide text and the device's 8-bit code pages.
//
// The device's ANSI and OEM code pages are both 936 (GBK): every 8-bit text
// file the program reads or writes is in it. UTF-8 is offered for host-side
// files (resource scripts, test data).
//
// WideCharToMultiByte and MultiByteToWideChar follow the platform's rules:
//  - srcLen -1: the source is zero-terminated and the terminator is converted
//    and counted in the result; srcLen 0, srcLen < -1 or a null source fail
//    with ERROR_INVALID_PARAMETER;
//  - a destination size of 0: nothing is written and the size needed is
//    returned;
//  - a destination too small: the whole characters that fit are written, the
//    result is 0 and the last error ERROR_INSUFFICIENT_BUFFER; nothing is
//    written past the destination. A line converted into a fixed buffer
//    (the program's 10, 100, 200 and 300 bytes) is therefore either whole,
//    with its terminator when srcLen is -1, or reported as not converted:
//    never a cut line with a count;
//  - an unknown code page fails with ERROR_INVALID_PARAMETER.
// A wide character that code page 936 cannot hold becomes the default
// character ("?" unless one is given) and sets *usedDefault. Bytes that are
// not GBK (a lone lead byte, a lead byte followed by a byte that cannot
// trail, 0xFF) become "?" each; MB_ERR_INVALID_CHARS makes them an error
// (ERROR_NO_UNICODE_TRANSLATION) instead. UTF-8 uses U+FFFD the same way.
#pragma once

#include <cstddef>
#include <string>

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

#define CP_ACP 0
#define CP_OEMCP 1
#define CP_GBK 936
#define CP_UTF8 65001

// WideCharToMultiByte flags. Only WC_ERR_INVALID_CHARS changes anything:
// there is no best-fit mapping, so the others are accepted and have no effect.
#define WC_DISCARDNS 0x00000010
#define WC_SEPCHARS 0x00000020
#define WC_DEFAULTCHAR 0x00000040
#define WC_ERR_INVALID_CHARS 0x00000080
#define WC_COMPOSITECHECK 0x00000200
#define WC_NO_BEST_FIT_CHARS 0x00000400

// MultiByteToWideChar flags; MB_ERR_INVALID_CHARS is the one that matters.
#define MB_PRECOMPOSED 0x00000001
#define MB_COMPOSITE 0x00000002
#define MB_USEGLYPHCHARS 0x00000004
#define MB_ERR_INVALID_CHARS 0x00000008

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR src, int srcLen, LPSTR dst,
                        int dstBytes, LPCSTR defaultChar, LPBOOL usedDefault);
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR src, int srcLen, LPWSTR dst,
                        int dstChars);

namespace quorvel {

// Whole-text conversions. The 8-bit results carry no terminating zero; a null
// source gives empty text. Characters without a GBK form become "?".
std::string ToGbk(LPCWSTR text);
// The first `length` characters, zero characters included: a field read
// from a damaged file must not cut off what follows it when written back.
std::string ToGbk(LPCWSTR text, size_t length);
CString FromGbk(const char* bytes, size_t n);
std::string ToUtf8(LPCWSTR text);
CString FromUtf8(const std::string& bytes);

// Serial text: the low byte of each wide character, as the device writes a
// CString to a port byte by byte.
std::string LowBytes(LPCWSTR text);
// Received bytes taken as 8-bit characters (0x00..0xFF), zero bytes included.
CString FromBytes(const char* bytes, size_t n);

}  // namespace quorvel
