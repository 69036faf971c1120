// CKnowData: the known points of the calibration wizard, kept in
// "knowdata.dat" in the job folder so that each wizard page comes back
// filled in with what was typed last time.
//
// File: code-page-936 text, one entry a line, CR LF after each line, five
// comma-separated fields: name, X, Y, H, antenna height. The pages name
// their entries by slot ("0" to "3") and store the texts exactly as typed;
// nothing here parses a number.
//
// Reading follows the program's line rules: the text is split at each LF,
// the character before the LF (the CR) is dropped, reading stops at the
// first empty line, and text after the last LF is ignored. Missing fields
// read as empty text.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Collections.h"

class CKnowData {
  public:
    CKnowData() = default;
    virtual ~CKnowData() = default;

    void SetFileName(const CString& path) { m_strFileName = path; }
    // The file exists and is no folder.
    BOOL FileExists() const;
    int GetCount() const { return static_cast<int>(m_names.GetSize()); }

    // Replaces the entries with the file's. A missing file is created empty
    // (silently: a folder that takes no files leaves the store empty).
    void Load();
    // Rewrites the whole file through an atomic replace, every character of
    // every entry (Chinese text included) in code page 936. FALSE when the
    // file could not be replaced; the previous file is then as it was.
    [[nodiscard]] BOOL Save() const;

    void Add(const CString& name, const CString& x, const CString& y, const CString& h,
             const CString& antenna);
    // An index outside the entries is ignored.
    void SetAt(int index, const CString& name, const CString& x, const CString& y, const CString& h,
               const CString& antenna);
    // An index outside the entries leaves the five texts unchanged.
    void GetAt(int index, CString& name, CString& x, CString& y, CString& h,
               CString& antenna) const;

  private:
    CString m_strFileName;
    CStringArray m_antennas;
    CStringArray m_heights;
    CStringArray m_ys;
    CStringArray m_xs;
    CStringArray m_names;
};
