#include "receiver/link/ReceiverFrames.h"

#include <string>

#include "platform/base/TextConv.h"

namespace {

constexpr size_t kMaxTokenLength = 11;

// The leading decimal number of `text` (optional sign, then digits); 0
// when there is none. A token holds at most 10 digits, so int64 holds it.
int64_t LeadingNumber(const std::string& text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

void AddToken(const std::string& token, std::vector<BYTE>& payload) {
    if (token.empty() || token.size() > kMaxTokenLength) return;
    const uint32_t n = static_cast<uint32_t>(LeadingNumber(token.substr(1)));
    auto byte = [n](int k) { return static_cast<BYTE>((n >> (8 * k)) & 0xFF); };
    switch (token[0]) {
        case 'a':
        case 'A':
            // A lone letter sends the text's terminating zero.
            payload.push_back(token.size() > 1 ? static_cast<BYTE>(token[1]) : 0);
            break;
        case 'c':
        case 'C':
            payload.push_back(byte(0));
            break;
        case 'i':
        case 'I':
            payload.insert(payload.end(), {byte(0), byte(1)});
            break;
        case 'l':
        case 'L':
            payload.insert(payload.end(), {byte(1), byte(0), byte(3), byte(2)});
            break;
        default:
            break;
    }
}

}  // namespace

std::vector<BYTE> ReceiverCommandFrame::Build(BYTE id, const BYTE* payload, int length) {
    if (length < 0 || length > kMaxPayload) return {};
    std::vector<BYTE> frame;
    frame.reserve(static_cast<size_t>(length) + kHeaderSize + 1);
    frame.push_back('$');
    frame.push_back(id);
    frame.push_back(static_cast<BYTE>(~id));
    frame.push_back(static_cast<BYTE>(length & 0xFF));
    frame.push_back(static_cast<BYTE>(length >> 8));
    frame.insert(frame.end(), payload, payload + length);
    BYTE sum = 0;
    for (BYTE b : frame) sum ^= b;
    frame.push_back(sum);
    return frame;
}

std::vector<BYTE> TypedCommandPayload(const CString& tokens) {
    const std::string text = quorvel::ToGbk(tokens);
    std::vector<BYTE> payload;
    size_t start = 0;
    for (;;) {
        const size_t space = text.find(' ', start);
        AddToken(text.substr(start, space == std::string::npos ? std::string::npos : space - start),
                 payload);
        if (space == std::string::npos) break;
        start = space + 1;
    }
    return payload;
}
