// CString: text operations. The printf engine is in CStringFormat.cpp.
#include "platform/base/CString.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "platform/base/TextConv.h"

namespace {

CString::StringLoader g_loader = nullptr;

bool IsSpace(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

wchar_t AsciiUpper(wchar_t c) {
    return (c >= L'a' && c <= L'z') ? c - (L'a' - L'A') : c;
}
wchar_t AsciiLower(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? c + (L'a' - L'A') : c;
}

size_t SafeLen(LPCTSTR text) {
    return text ? wcslen(text) : 0;
}

bool InSet(wchar_t c, LPCTSTR chars) {
    return chars && c != 0 && wcschr(chars, c) != nullptr;
}

}  // namespace

quorvel::FormatArg::FormatArg(const CString& s) : kind(kWide), ws(s.GetString()) {}

CString::CString(LPCTSTR text) : m_text(text ? text : L"") {}

CString::CString(LPCTSTR text, int length) {
    if (text && length > 0) m_text.assign(text, wcsnlen(text, static_cast<size_t>(length)));
}

CString::CString(TCHAR ch, int repeat) {
    if (repeat > 0) m_text.assign(static_cast<size_t>(repeat), ch);
}

CString::CString(const char* narrow) {
    if (narrow) *this = quorvel::FromGbk(narrow, strlen(narrow));
}

CString::CString(const std::wstring& text) : m_text(text) {}

CString::CString(std::wstring&& text) noexcept : m_text(std::move(text)) {}

CString& CString::operator=(LPCTSTR text) {
    m_text = text ? text : L"";
    return *this;
}

CString& CString::operator=(TCHAR ch) {
    m_text.assign(1, ch);
    return *this;
}

CString& CString::operator=(const char* narrow) {
    return *this = CString(narrow);
}

CString& CString::operator+=(const CString& text) {
    m_text += text.m_text;
    return *this;
}

CString& CString::operator+=(LPCTSTR text) {
    if (text) m_text += text;
    return *this;
}

CString& CString::operator+=(TCHAR ch) {
    m_text += ch;
    return *this;
}

TCHAR CString::GetAt(int index) const {
    return (index >= 0 && index < GetLength()) ? m_text[static_cast<size_t>(index)] : 0;
}

void CString::SetAt(int index, TCHAR ch) {
    if (index >= 0 && index < GetLength()) m_text[static_cast<size_t>(index)] = ch;
}

int CString::Compare(LPCTSTR other) const {
    return wcscmp(m_text.c_str(), other ? other : L"");
}

int CString::CompareNoCase(LPCTSTR other) const {
    const wchar_t* a = m_text.c_str();
    const wchar_t* b = other ? other : L"";
    for (;; ++a, ++b) {
        wchar_t ca = AsciiLower(*a), cb = AsciiLower(*b);
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

int CString::Find(TCHAR ch, int start) const {
    if (start < 0) start = 0;
    if (start >= GetLength()) return -1;
    size_t pos = m_text.find(ch, static_cast<size_t>(start));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCTSTR sub, int start) const {
    if (!sub) return -1;
    if (start < 0) start = 0;
    if (start > GetLength()) return -1;
    size_t pos = m_text.find(sub, static_cast<size_t>(start));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(TCHAR ch) const {
    size_t pos = m_text.rfind(ch);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(LPCTSTR chars) const {
    if (!chars || !*chars) return -1;
    size_t pos = m_text.find_first_of(chars);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

CString CString::Left(int count) const {
    if (count <= 0) return CString();
    return CString(m_text.substr(0, static_cast<size_t>(std::min(count, GetLength()))));
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    if (first < 0) first = 0;
    if (count <= 0 || first >= GetLength()) return CString();
    count = std::min(count, GetLength() - first);
    return CString(m_text.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Right(int count) const {
    if (count <= 0) return CString();
    count = std::min(count, GetLength());
    return CString(m_text.substr(static_cast<size_t>(GetLength() - count)));
}

CString CString::SpanIncluding(LPCTSTR chars) const {
    int n = 0;
    while (n < GetLength() && InSet(m_text[static_cast<size_t>(n)], chars)) ++n;
    return Left(n);
}

CString CString::SpanExcluding(LPCTSTR chars) const {
    int n = 0;
    while (n < GetLength() && !InSet(m_text[static_cast<size_t>(n)], chars)) ++n;
    return Left(n);
}

CString& CString::MakeUpper() {
    std::transform(m_text.begin(), m_text.end(), m_text.begin(), AsciiUpper);
    return *this;
}

CString& CString::MakeLower() {
    std::transform(m_text.begin(), m_text.end(), m_text.begin(), AsciiLower);
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_text.begin(), m_text.end());
    return *this;
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}
CString& CString::Trim(TCHAR ch) {
    return TrimRight(ch).TrimLeft(ch);
}
CString& CString::Trim(LPCTSTR chars) {
    return TrimRight(chars).TrimLeft(chars);
}

CString& CString::TrimLeft() {
    size_t n = 0;
    while (n < m_text.size() && IsSpace(m_text[n])) ++n;
    m_text.erase(0, n);
    return *this;
}

CString& CString::TrimLeft(TCHAR ch) {
    size_t n = 0;
    while (n < m_text.size() && m_text[n] == ch) ++n;
    m_text.erase(0, n);
    return *this;
}

CString& CString::TrimLeft(LPCTSTR chars) {
    size_t n = 0;
    while (n < m_text.size() && InSet(m_text[n], chars)) ++n;
    m_text.erase(0, n);
    return *this;
}

CString& CString::TrimRight() {
    while (!m_text.empty() && IsSpace(m_text.back())) m_text.pop_back();
    return *this;
}

CString& CString::TrimRight(TCHAR ch) {
    while (!m_text.empty() && m_text.back() == ch) m_text.pop_back();
    return *this;
}

CString& CString::TrimRight(LPCTSTR chars) {
    while (!m_text.empty() && InSet(m_text.back(), chars)) m_text.pop_back();
    return *this;
}

int CString::Replace(TCHAR oldCh, TCHAR newCh) {
    int count = 0;
    for (wchar_t& c : m_text) {
        if (c == oldCh) {
            c = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Replace(LPCTSTR oldText, LPCTSTR newText) {
    size_t oldLen = SafeLen(oldText);
    if (oldLen == 0) return 0;
    std::wstring replacement = newText ? newText : L"";
    std::wstring out;
    int count = 0;
    size_t pos = 0;
    for (size_t hit; (hit = m_text.find(oldText, pos)) != std::wstring::npos; pos = hit + oldLen) {
        out.append(m_text, pos, hit - pos);
        out += replacement;
        ++count;
    }
    out.append(m_text, pos, std::wstring::npos);
    m_text.swap(out);
    return count;
}

int CString::Remove(TCHAR ch) {
    size_t before = m_text.size();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
    return static_cast<int>(before - m_text.size());
}

int CString::Insert(int index, TCHAR ch) {
    index = std::clamp(index, 0, GetLength());
    m_text.insert(static_cast<size_t>(index), 1, ch);
    return GetLength();
}

int CString::Insert(int index, LPCTSTR text) {
    index = std::clamp(index, 0, GetLength());
    if (text) m_text.insert(static_cast<size_t>(index), text);
    return GetLength();
}

int CString::Delete(int index, int count) {
    if (index < 0) index = 0;
    if (count > 0 && index < GetLength()) {
        m_text.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    }
    return GetLength();
}

LPTSTR CString::GetBuffer(int minLength) {
    if (minLength > GetLength()) m_text.resize(static_cast<size_t>(minLength));
    return m_text.data();
}

LPTSTR CString::GetBufferSetLength(int length) {
    m_text.resize(static_cast<size_t>(std::max(length, 0)));
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        m_text.resize(wcsnlen(m_text.c_str(), m_text.size()));
    } else if (static_cast<size_t>(newLength) <= m_text.size()) {
        m_text.resize(static_cast<size_t>(newLength));
    }
}

void CString::SetStringLoader(StringLoader loader) {
    g_loader = loader;
}

BOOL CString::LoadString(UINT id) {
    std::wstring text;
    if (!g_loader || !g_loader(id, text)) return FALSE;
    m_text.swap(text);
    return TRUE;
}

CString operator+(const CString& a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}
CString operator+(const CString& a, LPCTSTR b) {
    CString r(a);
    r += b;
    return r;
}
CString operator+(LPCTSTR a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}
CString operator+(const CString& a, TCHAR b) {
    CString r(a);
    r += b;
    return r;
}
CString operator+(TCHAR a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}

bool operator==(const CString& a, const CString& b) {
    return a.str() == b.str();
}
bool operator==(const CString& a, LPCTSTR b) {
    return a.Compare(b) == 0;
}
bool operator==(LPCTSTR a, const CString& b) {
    return b.Compare(a) == 0;
}
bool operator!=(const CString& a, const CString& b) {
    return !(a == b);
}
bool operator!=(const CString& a, LPCTSTR b) {
    return !(a == b);
}
bool operator!=(LPCTSTR a, const CString& b) {
    return !(a == b);
}
bool operator<(const CString& a, const CString& b) {
    return a.Compare(b) < 0;
}
bool operator>(const CString& a, const CString& b) {
    return a.Compare(b) > 0;
}
bool operator<=(const CString& a, const CString& b) {
    return a.Compare(b) <= 0;
}
bool operator>=(const CString& a, const CString& b) {
    return a.Compare(b) >= 0;
}
