#include "platform/base/TextCodecs.h"

#include "platform/base/GbkTable.h"

namespace quorvel::detail {
namespace {

constexpr wchar_t kReplacement = 0xFFFD;

bool IsScalar(uint32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

int Utf8Encode(uint32_t c, char* out) {
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (c >> 18));
    out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

// Decodes one UTF-8 sequence at src[0..avail). Returns the bytes consumed
// (at least 1) and sets *ok; an invalid sequence consumes its longest valid
// prefix, so that each broken sequence becomes one replacement character.
int Utf8Decode(const unsigned char* src, int64_t avail, uint32_t* cp, bool* ok) {
    const unsigned char b = src[0];
    *ok = false;
    int len = 0;
    uint32_t c = 0;
    uint32_t lower = 0;
    if (b < 0x80) {
        *cp = b;
        *ok = true;
        return 1;
    } else if (b >= 0xC2 && b <= 0xDF) {
        len = 2, c = b & 0x1F, lower = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3, c = b & 0x0F, lower = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4, c = b & 0x07, lower = 0x10000;
    } else {
        return 1;
    }
    int i = 1;
    for (; i < len && i < avail && (src[i] & 0xC0) == 0x80; ++i) {
        c = (c << 6) | (src[i] & 0x3F);
        // Overlong, surrogate and too-large forms show at the second byte.
        if (i == 1 && len > 2) {
            uint32_t top = c << (6 * (len - 2));
            if (top < lower || !IsScalar(top) || top > 0x10FFFF) return 1;
        }
    }
    if (i < len) return i;
    *cp = c;
    *ok = IsScalar(c) && c >= lower;
    return len;
}

}  // namespace

bool EncodeGbk(const wchar_t* src, int64_t n, ByteSink& out, const DefaultChar& def,
               bool* usedDefault) {
    const GbkTable& t = Gbk();
    for (int64_t i = 0; i < n; ++i) {
        const uint32_t c = static_cast<uint32_t>(src[i]);
        const uint16_t code = c < 0x10000 ? t.encode[c] : GbkTable::kNone;
        if (code == GbkTable::kNone) {
            if (usedDefault) *usedDefault = true;
            out.Put(def.bytes, def.len);
        } else if (code < 0x100) {
            out.Put(static_cast<char>(code));
        } else {
            const char pair[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
            out.Put(pair, 2);
        }
    }
    return true;
}

bool DecodeGbk(const unsigned char* src, int64_t n, WideSink& out, bool strict) {
    const GbkTable& t = Gbk();
    int64_t i = 0;
    while (i < n) {
        const unsigned char b = src[i];
        wchar_t w = 0;
        int used = 1;
        if (b < 0x80) {
            w = b;
        } else if (b == 0x80) {
            w = t.byte80;
        } else if (GbkTable::IsLead(b) && i + 1 < n && GbkTable::IsTrail(src[i + 1])) {
            w = t.Decode(b, src[i + 1]);
            used = 2;
        }
        if (w == 0 && b != 0) {
            if (strict) return false;
            w = L'?';
        }
        out.Put(w);
        i += used;
    }
    return true;
}

bool EncodeUtf8(const wchar_t* src, int64_t n, ByteSink& out, bool strict) {
    for (int64_t i = 0; i < n; ++i) {
        uint32_t c = static_cast<uint32_t>(src[i]);
        if (!IsScalar(c)) {
            if (strict) return false;
            c = kReplacement;
        }
        char buf[4];
        out.Put(buf, Utf8Encode(c, buf));
    }
    return true;
}

bool DecodeUtf8(const unsigned char* src, int64_t n, WideSink& out, bool strict) {
    int64_t i = 0;
    while (i < n) {
        uint32_t c = 0;
        bool ok = false;
        i += Utf8Decode(src + i, n - i, &c, &ok);
        if (!ok) {
            if (strict) return false;
            c = kReplacement;
        }
        out.Put(static_cast<wchar_t>(c));
    }
    return true;
}

}  // namespace quorvel::detail
