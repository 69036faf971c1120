// Code page 936 and UTF-8 conversions with the platform's counting rules.
#include "platform/base/TextConv.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace {

size_t ToGbkSize(const std::wstring& text) {
    return quorvel::ToGbk(text.c_str()).size();
}

std::wstring LoadProgramCjkChars() {
    std::ifstream in(QUORVEL_SOURCE_DIR "/tests/platform/base/data/program-cjk-chars.txt");
    std::string line;
    std::string all;
    while (std::getline(in, line))
        if (!line.empty() && line[0] != '#') all += line;
    return quorvel::FromUtf8(all).str();
}

TEST(TextConvGbk, EveryProgramCjkCharacterRoundTrips) {
    const std::wstring chars = LoadProgramCjkChars();
    ASSERT_EQ(chars.size(), 457u) << "data file not read";
    for (wchar_t c : chars) {
        char bytes[4] = {};
        BOOL used = TRUE;
        ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, &c, 1, bytes, 4, nullptr, &used), 2)
            << "U+" << std::hex << static_cast<int>(c);
        EXPECT_FALSE(used);
        EXPECT_GE(static_cast<unsigned char>(bytes[0]), 0x81);
        wchar_t back[2] = {};
        ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, bytes, 2, back, 2), 1);
        EXPECT_EQ(back[0], c) << "U+" << std::hex << static_cast<int>(c);
    }
    // And all at once, through the whole-text helpers.
    EXPECT_EQ(quorvel::FromGbk(quorvel::ToGbk(chars.c_str()).data(), chars.size() * 2).str(),
              chars);
}

TEST(TextConvGbk, KnownCodes) {
    EXPECT_EQ(quorvel::ToGbk(L"提示"), "\xCC\xE1\xCA\xBE");
    EXPECT_EQ(quorvel::ToGbk(L"A\u6D4B\u20AC"), "A\xB2\xE2\x80");
    EXPECT_EQ(quorvel::FromGbk("\x80", 1), CString(L"\u20AC"));
    for (UINT cp : {CP_ACP, CP_OEMCP, CP_GBK}) {
        char out[8] = {};
        EXPECT_EQ(WideCharToMultiByte(cp, 0, L"\u6D4B", 1, out, 8, nullptr, nullptr), 2);
        EXPECT_EQ(std::string(out), "\xB2\xE2");
    }
}

TEST(TextConvGbk, CountsAndTerminator) {
    const wchar_t* text = L"A提示";
    // -1: the terminator is converted and counted.
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr), 6);
    char buf[16];
    memset(buf, 'x', sizeof(buf));
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, text, -1, buf, 6, nullptr, nullptr), 6);
    EXPECT_EQ(buf[5], '\0');
    EXPECT_EQ(buf[6], 'x');
    // An explicit length converts exactly that much and adds no terminator.
    memset(buf, 'x', sizeof(buf));
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, text, 2, buf, 16, nullptr, nullptr), 3);
    EXPECT_EQ(std::string(buf, 4), "A\xCC\xE1x");
    // Embedded zeros are characters like any other.
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"a\0b", 3, buf, 16, nullptr, nullptr), 3);
    EXPECT_EQ(std::string(buf, 3), std::string("a\0b", 3));

    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "A\xCC\xE1", -1, nullptr, 0), 3);
    wchar_t wide[8];
    wmemset(wide, L'x', 8);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "A\xCC\xE1", -1, wide, 3), 3);
    EXPECT_EQ(std::wstring(wide, 4), std::wstring(L"A提\0x", 4));
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "A\xCC\xE1", 3, wide, 8), 2);
}

TEST(TextConvGbk, SmallBufferFailsAfterWholeCharacters) {
    char buf[8];
    memset(buf, 'x', sizeof(buf));
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"A提示", -1, buf, 5, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    // "A", "提", "示" fit in 5; the terminator does not.
    EXPECT_EQ(std::string(buf, 6), "A\xCC\xE1\xCA\xBEx");
    memset(buf, 'x', sizeof(buf));
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"A提", 2, buf, 2, nullptr, nullptr), 0);
    EXPECT_EQ(std::string(buf, 2), "Ax");  // half a character is never written

    wchar_t wide[2];
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, wide, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

// The program converts lines into fixed buffers of 10, 100, 200 and 300
// bytes. A line that fits with its terminator is converted whole; one byte
// more and the call fails with ERROR_INSUFFICIENT_BUFFER, never reporting a
// cut line as converted, and nothing is written past the buffer.
TEST(TextConvGbk, FixedBuffersTakeTheWholeLineOrFail) {
    for (int size : {10, 100, 200, 300}) {
        std::wstring line = L"点名,";
        while (static_cast<int>(ToGbkSize(line)) + 2 < size) line += L'测';
        while (static_cast<int>(ToGbkSize(line)) + 1 < size) line += L'7';
        ASSERT_EQ(static_cast<int>(ToGbkSize(line)) + 1, size);
        std::string buffer(size + 8, '#');
        EXPECT_EQ(
            WideCharToMultiByte(CP_ACP, 0, line.c_str(), -1, buffer.data(), size, nullptr, nullptr),
            size);
        EXPECT_EQ(buffer.substr(0, size), quorvel::ToGbk(line.c_str()) + '\0');
        EXPECT_EQ(buffer.substr(size), std::string(8, '#'));

        const std::wstring longer = line + L'x';
        EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, longer.c_str(), -1, nullptr, 0, nullptr, nullptr),
                  size + 1);
        buffer.assign(size + 8, '#');
        SetLastError(0);
        EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, longer.c_str(), -1, buffer.data(), size, nullptr,
                                      nullptr),
                  0);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
        EXPECT_EQ(buffer.substr(size), std::string(8, '#')) << "written past " << size;

        const std::wstring wider = L'测' + line;  // the last character is cut mid-way
        buffer.assign(size + 8, '#');
        EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, wider.c_str(), -1, buffer.data(), size, nullptr,
                                      nullptr),
                  0);
        EXPECT_EQ(buffer.substr(size), std::string(8, '#')) << "written past " << size;
    }
}

TEST(TextConvGbk, BadArgumentsFail) {
    char buf[8];
    wchar_t wide[8];
    const struct {
        int result;
    } cases[] = {
        {WideCharToMultiByte(CP_ACP, 0, nullptr, -1, buf, 8, nullptr, nullptr)},
        {WideCharToMultiByte(CP_ACP, 0, L"a", 0, buf, 8, nullptr, nullptr)},
        {WideCharToMultiByte(CP_ACP, 0, L"a", -2, buf, 8, nullptr, nullptr)},
        {WideCharToMultiByte(CP_ACP, 0, L"a", 1, buf, -1, nullptr, nullptr)},
        {WideCharToMultiByte(CP_ACP, 0, L"a", 1, nullptr, 8, nullptr, nullptr)},
        {WideCharToMultiByte(1252, 0, L"a", 1, buf, 8, nullptr, nullptr)},
        {MultiByteToWideChar(CP_ACP, 0, nullptr, -1, wide, 8)},
        {MultiByteToWideChar(CP_ACP, 0, "a", 0, wide, 8)},
        {MultiByteToWideChar(CP_ACP, 0, "a", 1, nullptr, 8)},
        {MultiByteToWideChar(437, 0, "a", 1, wide, 8)},
    };
    for (const auto& c : cases) EXPECT_EQ(c.result, 0);
    SetLastError(0);
    WideCharToMultiByte(CP_ACP, 0, L"a", 0, buf, 8, nullptr, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    // UTF-8 takes no default character.
    BOOL used = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"a", 1, buf, 8, nullptr, &used), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(TextConvGbk, UnmappableCharacterGivesDefaultChar) {
    // U+00C0 and U+20A9 have no GBK form; U+1F600 is outside the BMP.
    for (wchar_t c :
         {L'\u00C0', L'\u20A9', static_cast<wchar_t>(0x1F600), static_cast<wchar_t>(0xD800)}) {
        const wchar_t text[] = {L'a', c, L'b', 0};
        char buf[8] = {};
        BOOL used = FALSE;
        EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, text, -1, buf, 8, nullptr, &used), 4);
        EXPECT_STREQ(buf, "a?b");
        EXPECT_TRUE(used);
        used = FALSE;
        EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, text, -1, buf, 8, "*", &used), 4);
        EXPECT_STREQ(buf, "a*b");
        EXPECT_TRUE(used);
    }
    BOOL used = TRUE;
    char buf[8] = {};
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"\u20AC", 1, buf, 8, nullptr, &used), 1);
    EXPECT_FALSE(used);
    // The size query reports the default char too.
    used = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"\u00C0", 1, nullptr, 0, nullptr, &used), 1);
    EXPECT_TRUE(used);
    EXPECT_EQ(quorvel::ToGbk(L"x\u00C0"), "x?");
}

TEST(TextConvGbk, BrokenBytesBecomeQuestionMarks) {
    EXPECT_EQ(quorvel::FromGbk("AB\xB2", 3), CString(L"AB?"));  // lead byte at the end
    EXPECT_EQ(quorvel::FromGbk("\xB2"
                               "1x",
                               3),
              CString(L"?1x"));  // a lead byte does not swallow ASCII
    EXPECT_EQ(quorvel::FromGbk("\xFF\x7F", 2), CString(L"?\x7F"));
    wchar_t wide[4] = {};
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "\xB2", -1, wide, 4), 2);
    EXPECT_EQ(std::wstring(wide), L"?");
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, "AB\xB2", 3, wide, 4), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, "A\xB2\xE2", 3, wide, 4), 2);
}

TEST(TextConvUtf8, RoundTripAndReplacement) {
    EXPECT_EQ(quorvel::ToUtf8(L"提示 ok"), "\xE6\x8F\x90\xE7\xA4\xBA ok");
    EXPECT_EQ(quorvel::FromUtf8("\xE6\x8F\x90\xE7\xA4\xBA ok"), CString(L"提示 ok"));
    EXPECT_EQ(quorvel::FromUtf8("a\xE4\xB8"), CString(L"a\uFFFD"));                // truncated
    EXPECT_EQ(quorvel::FromUtf8("\xC0\xAF!"), CString(L"\uFFFD\uFFFD!"));          // overlong
    EXPECT_EQ(quorvel::FromUtf8("\xED\xA0\x80"), CString(L"\uFFFD\uFFFD\uFFFD"));  // surrogate
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xE6\x8F\x90", -1, nullptr, 0), 2);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"\u63D0", -1, nullptr, 0, nullptr, nullptr), 4);
    char buf[8];
    EXPECT_EQ(
        WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, L"\xD800", 1, buf, 8, nullptr, nullptr),
        0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
}

TEST(TextConvSerial, LowBytesAndBytes) {
    EXPECT_EQ(quorvel::LowBytes(L"A\u00B0\u6D4B"), "A\xB0\x4B");
    EXPECT_EQ(quorvel::LowBytes(nullptr), "");
    const CString s = quorvel::FromBytes("\x00\xB0Z", 3);
    ASSERT_EQ(s.GetLength(), 3);
    EXPECT_EQ(s.str()[0], L'\0');
    EXPECT_EQ(s.str()[1], L'\u00B0');
    EXPECT_EQ(s.str()[2], L'Z');
}

// Any bytes convert without crashing, and the size query agrees with the
// conversion itself.
TEST(TextConvRobustness, RandomBytesAgreeWithSizeQuery) {
    std::mt19937 rng(936);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(rng() % 40 + 1, '\0');
        for (char& b : bytes) b = static_cast<char>(rng());
        for (UINT cp : {CP_ACP, CP_UTF8}) {
            const int n = static_cast<int>(bytes.size());
            const int need = MultiByteToWideChar(cp, 0, bytes.data(), n, nullptr, 0);
            ASSERT_GT(need, 0);
            std::wstring wide(need, L'\0');
            ASSERT_EQ(MultiByteToWideChar(cp, 0, bytes.data(), n, wide.data(), need), need);
            const int back =
                WideCharToMultiByte(cp, 0, wide.data(), need, nullptr, 0, nullptr, nullptr);
            ASSERT_GT(back, 0);
        }
    }
}

}  // namespace
