#include "platform/base/TextConv.h"

#include <climits>
#include <cstring>
#include <cwchar>

#include "platform/base/GbkTable.h"
#include "platform/base/TextCodecs.h"

using quorvel::detail::ByteSink;
using quorvel::detail::DefaultChar;
using quorvel::detail::WideSink;

namespace {

enum class Page { kGbk, kUtf8, kUnknown };

Page PageOf(UINT codePage) {
    switch (codePage) {
        case CP_ACP:
        case CP_OEMCP:
        case CP_GBK:
            return Page::kGbk;
        case CP_UTF8:
            return Page::kUtf8;
        default:
            return Page::kUnknown;
    }
}

int Fail(DWORD error) {
    SetLastError(error);
    return 0;
}

// The source length the platform counts: -1 means up to and including the
// terminator.
template <typename Unit>
int64_t SourceLength(const Unit* src, int srcLen) {
    if (srcLen != -1) return srcLen;
    if constexpr (sizeof(Unit) == 1)
        return static_cast<int64_t>(std::strlen(src)) + 1;
    else
        return static_cast<int64_t>(std::wcslen(src)) + 1;
}

// The caller's default character: its first character, one or two bytes.
DefaultChar DefaultOf(LPCSTR given) {
    DefaultChar def;
    if (!given) return def;
    const auto* b = reinterpret_cast<const unsigned char*>(given);
    def.bytes[0] = given[0];
    if (quorvel::detail::GbkTable::IsLead(b[0]) && quorvel::detail::GbkTable::IsTrail(b[1])) {
        def.bytes[1] = given[1];
        def.len = 2;
    }
    return def;
}

// Shared ending: the count, or the platform's failure for a small buffer.
int Finish(int64_t needed, int capacity) {
    if (needed > INT_MAX) return Fail(ERROR_INVALID_PARAMETER);
    if (capacity > 0 && needed > capacity) return Fail(ERROR_INSUFFICIENT_BUFFER);
    return static_cast<int>(needed);
}

}  // namespace

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR src, int srcLen, LPSTR dst,
                        int dstBytes, LPCSTR defaultChar, LPBOOL usedDefault) {
    const Page page = PageOf(codePage);
    if (page == Page::kUnknown || !src || srcLen == 0 || srcLen < -1 || dstBytes < 0 ||
        (dstBytes > 0 && !dst))
        return Fail(ERROR_INVALID_PARAMETER);
    if (page == Page::kUtf8 && (defaultChar || usedDefault)) return Fail(ERROR_INVALID_PARAMETER);

    const int64_t n = SourceLength(src, srcLen);
    ByteSink sink(dstBytes > 0 ? dst : nullptr, dstBytes);
    if (page == Page::kUtf8) {
        if (!quorvel::detail::EncodeUtf8(src, n, sink, (flags & WC_ERR_INVALID_CHARS) != 0))
            return Fail(ERROR_NO_UNICODE_TRANSLATION);
    } else {
        bool used = false;
        quorvel::detail::EncodeGbk(src, n, sink, DefaultOf(defaultChar), &used);
        if (usedDefault) *usedDefault = used ? TRUE : FALSE;
    }
    return Finish(sink.Count(), dstBytes);
}

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR src, int srcLen, LPWSTR dst,
                        int dstChars) {
    const Page page = PageOf(codePage);
    if (page == Page::kUnknown || !src || srcLen == 0 || srcLen < -1 || dstChars < 0 ||
        (dstChars > 0 && !dst))
        return Fail(ERROR_INVALID_PARAMETER);

    const int64_t n = SourceLength(src, srcLen);
    const auto* bytes = reinterpret_cast<const unsigned char*>(src);
    const bool strict = (flags & MB_ERR_INVALID_CHARS) != 0;
    WideSink sink(dstChars > 0 ? dst : nullptr, dstChars);
    const bool ok = page == Page::kUtf8 ? quorvel::detail::DecodeUtf8(bytes, n, sink, strict)
                                        : quorvel::detail::DecodeGbk(bytes, n, sink, strict);
    if (!ok) return Fail(ERROR_NO_UNICODE_TRANSLATION);
    return Finish(sink.Count(), dstChars);
}

namespace quorvel {

std::string ToGbk(LPCWSTR text) {
    return text ? ToGbk(text, std::wcslen(text)) : std::string();
}

std::string ToGbk(LPCWSTR text, size_t length) {
    std::string out;
    if (!text) return out;
    ByteSink sink(&out);
    detail::EncodeGbk(text, static_cast<int64_t>(length), sink, DefaultChar(), nullptr);
    return out;
}

CString FromGbk(const char* bytes, size_t n) {
    std::wstring out;
    if (!bytes) return CString();
    WideSink sink(&out);
    detail::DecodeGbk(reinterpret_cast<const unsigned char*>(bytes), static_cast<int64_t>(n), sink,
                      false);
    return CString(std::move(out));
}

std::string ToUtf8(LPCWSTR text) {
    std::string out;
    if (!text) return out;
    ByteSink sink(&out);
    detail::EncodeUtf8(text, static_cast<int64_t>(std::wcslen(text)), sink, false);
    return out;
}

CString FromUtf8(const std::string& bytes) {
    std::wstring out;
    WideSink sink(&out);
    detail::DecodeUtf8(reinterpret_cast<const unsigned char*>(bytes.data()),
                       static_cast<int64_t>(bytes.size()), sink, false);
    return CString(std::move(out));
}

std::string LowBytes(LPCWSTR text) {
    std::string out;
    if (!text) return out;
    for (; *text; ++text) out.push_back(static_cast<char>(static_cast<uint32_t>(*text) & 0xFF));
    return out;
}

CString FromBytes(const char* bytes, size_t n) {
    std::wstring out;
    if (!bytes) return CString();
    out.reserve(n);
    for (size_t i = 0; i < n; ++i)
        out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i])));
    return CString(std::move(out));
}

}  // namespace quorvel
