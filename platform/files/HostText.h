// Host names are UTF-8; device names are wide text. These helpers convert
// between the two for path components, listings and the registry file.
//
// A host name that is not valid UTF-8 still has to be listed and deleted
// through device paths, so each byte of an invalid sequence is carried as
// U+DC80..U+DCFF (one character per byte) and turned back into that very byte
// on the way out. Only bytes 0x80..0xFF are carried this way, so no device
// name can smuggle a separator or a NUL into a host name.
#pragma once

#include <string>

#include "platform/base/WinTypes.h"

namespace quorvel::files {

// Wide text to UTF-8. False when the text holds a character that cannot be a
// host name character (a lone surrogate outside the carried-byte range, or a
// value beyond U+10FFFF).
bool WideToUtf8(const wchar_t* text, size_t length, std::string& out);
bool WideToUtf8(const std::wstring& text, std::string& out);

// UTF-8 to wide text; invalid bytes become carried bytes (never fails).
std::wstring Utf8ToWideLoose(const std::string& bytes);

// UTF-8 to wide text; false on any invalid sequence and on carried bytes.
bool Utf8ToWideStrict(const std::string& bytes, std::wstring& out);

// ASCII case folding, the folding the device's file system and registry use
// for the names the program writes.
inline wchar_t FoldAscii(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? c + (L'a' - L'A') : c;
}
inline char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
bool EqualNoCase(const std::string& a, const std::string& b);
bool EqualNoCase(const std::wstring& a, const std::wstring& b);

}  // namespace quorvel::files
