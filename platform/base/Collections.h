// The framework's collections and the text helpers that go with them:
// CArray and its typed forms, CMapStringToString, AfxExtractSubString,
// lstrcmpiW and lstrlenW.
#pragma once

#include <memory>
#include <vector>

#include "platform/base/CArray.h"
#include "platform/base/CString.h"
#include "platform/base/Position.h"
#include "platform/base/WinTypes.h"

class CStringArray : public CArray<CString, const CString&> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CPtrArray : public CArray<void*, void*> {};

// A string-to-string hash map with the framework's bucket layout, so that
// iteration visits the entries in the device's order: buckets in index
// order, and in a bucket the newest entry first. Keys compare exactly.
class CMapStringToString {
  public:
    explicit CMapStringToString(int blockSize = 10);
    ~CMapStringToString();
    CMapStringToString(const CMapStringToString&) = delete;
    CMapStringToString& operator=(const CMapStringToString&) = delete;

    // Number of buckets (17 unless set); only before the first entry.
    void InitHashTable(UINT hashSize, BOOL allocNow = TRUE);
    UINT GetHashTableSize() const { return m_hashSize; }

    int GetCount() const { return m_count; }
    int GetSize() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    BOOL Lookup(LPCTSTR key, CString& value) const;
    void SetAt(LPCTSTR key, LPCTSTR value);
    // The value of `key`, added empty when missing.
    CString& operator[](LPCTSTR key);
    BOOL RemoveKey(LPCTSTR key);
    void RemoveAll();

    // Null when empty. Removing the entry just returned is allowed while
    // iterating; any other change ends the iteration's validity.
    POSITION GetStartPosition() const;
    void GetNextAssoc(POSITION& pos, CString& key, CString& value) const;

    static UINT HashKey(LPCTSTR key);

  private:
    struct Assoc;
    Assoc** Bucket(LPCTSTR key, UINT* hash);
    Assoc* Find(LPCTSTR key) const;
    Assoc* First(UINT fromBucket) const;

    std::vector<Assoc*> m_buckets;
    UINT m_hashSize = 17;
    int m_count = 0;
};

// Field `index` (from 0) of `full` cut at `sep`. A field that does not
// exist gives empty text and FALSE; an empty field that exists gives TRUE.
BOOL AfxExtractSubString(CString& out, LPCTSTR full, int index, TCHAR sep = L'\n');

// Compares ignoring the case of ASCII letters (folded to lower case, so
// "_" sorts before letters), then by character code. Null is empty text.
int lstrcmpiW(LPCWSTR a, LPCWSTR b);
#define lstrcmpi lstrcmpiW
int lstrlenW(LPCWSTR text);
#define lstrlen lstrlenW
