#include "receiver/ReceivedLine.h"

#include <string>

#include "platform/base/TextConv.h"

CString ReceivedLineText(const char* bytes, size_t n) {
    if (bytes == nullptr) return CString();
    // One pass that widens and watches for a byte of a double-byte
    // character; the compiler turns it into vector code.
    std::wstring text(n, L'\0');
    wchar_t* out = text.data();
    unsigned high = 0;
    for (size_t i = 0; i < n; ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        high |= b;
        out[i] = static_cast<wchar_t>(b);
    }
    if ((high & 0x80u) != 0) return quorvel::FromGbk(bytes, n);
    return CString(std::move(text));
}
