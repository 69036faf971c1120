#include "receiver/SentenceType.h"

#include <cwchar>

namespace {

// The '$' list, in test order: a tag's index is its precedence.
enum DollarTag { kGga, kGsv, kZda, kGsa, kXxx, kCbn, kCpd, kPbn, kPos, kGst, kCrmss, kNoTag };
constexpr int kDollarCodes[] = {kSentenceGga,   kSentenceGsv, kSentenceZda,  kSentenceGsa,
                                kSentenceGpxxx, kSentenceCbn, kSentenceCpd,  kSentencePbn,
                                kSentencePos,   kSentenceGst, kSentenceCrmss};

bool At(const wchar_t* p, const wchar_t* tag) {
    for (; *tag != L'\0'; ++p, ++tag) {
        if (*p != *tag) return false;  // also stops at the terminator
    }
    return true;
}

// The '$' tag that begins at p, kNoTag when none does. Only 'G', 'C' and
// 'P' can begin one, so most characters are passed over at once.
int DollarTagAt(const wchar_t* p) {
    switch (p[0]) {
        case L'G':
            if (p[1] != L'P') return kNoTag;
            if (At(p + 2, L"GGA")) return kGga;
            if (At(p + 2, L"GSV")) return kGsv;
            if (At(p + 2, L"ZDA")) return kZda;
            if (At(p + 2, L"GSA")) return kGsa;
            if (At(p + 2, L"XXX")) return kXxx;
            if (At(p + 2, L"GST")) return kGst;
            return kNoTag;
        case L'C':
            if (At(p + 1, L"BN")) return kCbn;
            if (At(p + 1, L"PD")) return kCpd;
            if (At(p + 1, L"RMSS")) return kCrmss;
            return kNoTag;
        case L'P':
            if (At(p + 1, L"BN")) return kPbn;
            if (At(p + 1, L"OS")) return kPos;
            return kNoTag;
        default:
            return kNoTag;
    }
}

// One pass over the line, the tag of lowest index winning: the same result
// as testing the tags one by one with a substring search.
int DollarType(const wchar_t* text) {
    int best = kNoTag;
    for (const wchar_t* p = text; *p != L'\0' && best != kGga; ++p) {
        // Digits, punctuation and most letters are passed with one test.
        if (static_cast<unsigned>(*p) - L'C' > static_cast<unsigned>(L'P' - L'C')) continue;
        const int tag = DollarTagAt(p);
        if (tag < best) best = tag;
    }
    return best == kNoTag ? kSentenceNone : kDollarCodes[best];
}

int HashType(const wchar_t* text) {
    const struct {
        const wchar_t* tag;
        int code;
    } tags[] = {{L"BESTPOSA", kSentenceBestPos},
                {L"REFSTATIONA", kSentenceRefStation},
                {L"VERSIONA", kSentenceVersion},
                {L"NAVPOS", kSentenceNavPos}};
    for (const auto& t : tags) {
        if (std::wcsstr(text, t.tag) != nullptr) return t.code;
    }
    return kSentenceNone;
}

}  // namespace

int GpsSentenceType(const CString& line) {
    const wchar_t* text = line;
    if (std::wcschr(text, L'$') != nullptr) return DollarType(text);
    if (std::wcschr(text, L'#') != nullptr) return HashType(text);
    return kSentenceNone;
}
