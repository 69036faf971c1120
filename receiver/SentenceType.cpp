#include "receiver/SentenceType.h"

#include <cwchar>

namespace {

struct Tag {
    const wchar_t* text;
    int length;
    int code;
};

// In the order they are tested; the index in the table is the precedence.
constexpr Tag kDollarTags[] = {
    {L"GPGGA", 5, kSentenceGga}, {L"GPGSV", 5, kSentenceGsv},   {L"GPZDA", 5, kSentenceZda},
    {L"GPGSA", 5, kSentenceGsa}, {L"GPXXX", 5, kSentenceGpxxx}, {L"CBN", 3, kSentenceCbn},
    {L"CPD", 3, kSentenceCpd},   {L"PBN", 3, kSentencePbn},     {L"POS", 3, kSentencePos},
    {L"GPGST", 5, kSentenceGst}, {L"CRMSS", 5, kSentenceCrmss},
};
constexpr Tag kHashTags[] = {
    {L"BESTPOSA", 8, kSentenceBestPos},
    {L"REFSTATIONA", 11, kSentenceRefStation},
    {L"VERSIONA", 8, kSentenceVersion},
    {L"NAVPOS", 6, kSentenceNavPos},
};

bool StartsWith(const wchar_t* p, const Tag& tag) {
    for (int i = 0; i < tag.length; ++i) {
        if (p[i] != tag.text[i]) return false;  // also stops at the terminator
    }
    return true;
}

// One pass over the text: at each position the tags that begin there, the
// earliest in the table winning. Same result as testing the tags one by one
// with a substring search, without going over the line once per tag.
template <size_t N>
int FirstContained(const wchar_t* text, const Tag (&tags)[N]) {
    size_t best = N;
    for (const wchar_t* p = text; *p != L'\0'; ++p) {
        for (size_t i = 0; i < best; ++i) {
            if (p[0] == tags[i].text[0] && StartsWith(p, tags[i])) {
                best = i;
                break;
            }
        }
        if (best == 0) break;
    }
    return best < N ? tags[best].code : kSentenceNone;
}

}  // namespace

int GpsSentenceType(const CString& line) {
    const wchar_t* text = line;
    if (std::wcschr(text, L'$') != nullptr) return FirstContained(text, kDollarTags);
    if (std::wcschr(text, L'#') != nullptr) return FirstContained(text, kHashTags);
    return kSentenceNone;
}
