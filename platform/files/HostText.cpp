#include "platform/files/HostText.h"

#include "platform/base/TextCodecs.h"

namespace quorvel::files {

namespace {

// Decodes one well-formed UTF-8 sequence at `pos`; returns its length, or 0
// when the bytes there are not one (overlong forms and surrogates included).
size_t DecodeOne(const std::string& s, size_t pos, char32_t& c) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) {
        c = b0;
        return 1;
    }
    size_t len = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2, c = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, c = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, c = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (pos + len > s.size()) return 0;
    for (size_t i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) return 0;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return len;
}

bool IsCarriedByte(char32_t c) {
    return c >= 0xDC80 && c <= 0xDCFF;
}

}  // namespace

bool WideToUtf8(const wchar_t* text, size_t length, std::string& out) {
    out.clear();
    out.reserve(length);
    detail::ByteSink sink(&out);
    for (size_t i = 0; i < length; ++i) {
        const auto c = static_cast<char32_t>(text[i]);
        if (IsCarriedByte(c)) {
            out += static_cast<char>(c - 0xDC00);
        } else if (!detail::EncodeUtf8(text + i, 1, sink, true)) {
            return false;
        }
    }
    return true;
}

bool WideToUtf8(const std::wstring& text, std::string& out) {
    return WideToUtf8(text.data(), text.size(), out);
}

std::wstring Utf8ToWideLoose(const std::string& bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (size_t pos = 0; pos < bytes.size();) {
        char32_t c = 0;
        const size_t len = DecodeOne(bytes, pos, c);
        if (len == 0) {
            out += static_cast<wchar_t>(0xDC00 + static_cast<unsigned char>(bytes[pos]));
            ++pos;
        } else {
            out += static_cast<wchar_t>(c);
            pos += len;
        }
    }
    return out;
}

bool Utf8ToWideStrict(const std::string& bytes, std::wstring& out) {
    out.clear();
    for (size_t pos = 0; pos < bytes.size();) {
        char32_t c = 0;
        const size_t len = DecodeOne(bytes, pos, c);
        if (len == 0) return false;
        out += static_cast<wchar_t>(c);
        pos += len;
    }
    return true;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

bool EqualNoCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

}  // namespace quorvel::files
