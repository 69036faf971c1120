// CStringRecord32: one raw epoch line of the ".org" file, 32 text fields
// written in index order, each followed by a comma.
//
// What each field holds is the recording's business (the main frame fills
// it from the epoch); the writer only writes the texts. Copies copy all 32
// fields. An index outside 0..31 reads an empty scratch field and writes to
// it, never to another field or past the record.
#pragma once

#include "platform/base/CString.h"

class CStringRecord32 {
  public:
    static constexpr int kFieldCount = 32;

    CString& operator[](int index) { return InRange(index) ? m_fields[index] : Scratch(); }
    const CString& operator[](int index) const {
        return InRange(index) ? m_fields[index] : Scratch();
    }
    const CString& GetAt(int index) const { return (*this)[index]; }
    void SetAt(int index, const CString& text) {
        if (InRange(index)) m_fields[index] = text;
    }
    // Every field empty again.
    void RemoveAll() {
        for (CString& field : m_fields) field.Empty();
    }

  private:
    static bool InRange(int index) { return index >= 0 && index < kFieldCount; }
    static CString& Scratch() {
        thread_local CString scratch;
        scratch.Empty();
        return scratch;
    }

    CString m_fields[kFieldCount];
};
