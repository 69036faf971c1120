#include "platform/base/Collections.h"

#include <cwchar>

struct CMapStringToString::Assoc {
    Assoc* next;
    UINT hash;
    CString key;
    CString value;
};

CMapStringToString::CMapStringToString(int /*blockSize*/) {}

CMapStringToString::~CMapStringToString() {
    RemoveAll();
}

UINT CMapStringToString::HashKey(LPCTSTR key) {
    UINT hash = 0;
    if (key)
        for (; *key; ++key) hash = (hash << 5) + hash + static_cast<UINT>(*key);
    return hash;
}

void CMapStringToString::InitHashTable(UINT hashSize, BOOL /*allocNow*/) {
    if (m_count != 0 || hashSize == 0) return;
    m_hashSize = hashSize;
    m_buckets.clear();
}

CMapStringToString::Assoc** CMapStringToString::Bucket(LPCTSTR key, UINT* hash) {
    if (m_buckets.empty()) m_buckets.assign(m_hashSize, nullptr);
    *hash = HashKey(key);
    return &m_buckets[*hash % m_hashSize];
}

CMapStringToString::Assoc* CMapStringToString::Find(LPCTSTR key) const {
    if (m_buckets.empty()) return nullptr;
    const UINT hash = HashKey(key);
    const wchar_t* k = key ? key : L"";
    for (Assoc* a = m_buckets[hash % m_hashSize]; a; a = a->next)
        if (a->hash == hash && std::wcscmp(a->key.GetString(), k) == 0) return a;
    return nullptr;
}

BOOL CMapStringToString::Lookup(LPCTSTR key, CString& value) const {
    const Assoc* a = Find(key);
    if (!a) return FALSE;
    value = a->value;
    return TRUE;
}

CString& CMapStringToString::operator[](LPCTSTR key) {
    if (Assoc* a = Find(key)) return a->value;
    UINT hash = 0;
    Assoc** head = Bucket(key, &hash);
    *head = new Assoc{*head, hash, CString(key ? key : L""), CString()};
    ++m_count;
    return (*head)->value;
}

void CMapStringToString::SetAt(LPCTSTR key, LPCTSTR value) {
    (*this)[key] = value ? value : L"";
}

BOOL CMapStringToString::RemoveKey(LPCTSTR key) {
    if (m_buckets.empty()) return FALSE;
    UINT hash = 0;
    const wchar_t* k = key ? key : L"";
    for (Assoc** link = Bucket(key, &hash); *link; link = &(*link)->next) {
        Assoc* a = *link;
        if (a->hash == hash && std::wcscmp(a->key.GetString(), k) == 0) {
            *link = a->next;
            delete a;
            --m_count;
            return TRUE;
        }
    }
    return FALSE;
}

void CMapStringToString::RemoveAll() {
    for (Assoc*& head : m_buckets) {
        while (head) {
            Assoc* next = head->next;
            delete head;
            head = next;
        }
    }
    m_buckets.clear();
    m_count = 0;
}

CMapStringToString::Assoc* CMapStringToString::First(UINT fromBucket) const {
    for (UINT b = fromBucket; b < m_buckets.size(); ++b)
        if (m_buckets[b]) return m_buckets[b];
    return nullptr;
}

POSITION CMapStringToString::GetStartPosition() const {
    return reinterpret_cast<POSITION>(First(0));
}

void CMapStringToString::GetNextAssoc(POSITION& pos, CString& key, CString& value) const {
    const Assoc* a = reinterpret_cast<const Assoc*>(pos);
    if (!a || pos == BEFORE_START_POSITION) {
        pos = nullptr;
        return;
    }
    key = a->key;
    value = a->value;
    pos = reinterpret_cast<POSITION>(a->next ? a->next : First(a->hash % m_hashSize + 1));
}

BOOL AfxExtractSubString(CString& out, LPCTSTR full, int index, TCHAR sep) {
    out.Empty();
    if (!full || index < 0) return FALSE;
    const wchar_t* p = full;
    for (; index > 0; --index) {
        p = std::wcschr(p, sep);
        if (!p || sep == L'\0') return FALSE;
        ++p;
    }
    const wchar_t* end = std::wcschr(p, sep);
    const size_t len = end && sep != L'\0' ? static_cast<size_t>(end - p) : std::wcslen(p);
    out = CString(p, static_cast<int>(len));
    return TRUE;
}

namespace {

wchar_t FoldAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c;
}

}  // namespace

int lstrcmpiW(LPCWSTR a, LPCWSTR b) {
    if (!a) a = L"";
    if (!b) b = L"";
    for (;; ++a, ++b) {
        const auto ca = static_cast<uint32_t>(FoldAscii(*a));
        const auto cb = static_cast<uint32_t>(FoldAscii(*b));
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

int lstrlenW(LPCWSTR text) {
    return text ? static_cast<int>(std::wcslen(text)) : 0;
}
