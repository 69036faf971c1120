// CKeyValueFile: the small per-screen settings files of a job folder
// ("lnlayauto", "ptlayauto", "maptrans"): one "[key]value" line per setting,
// CR LF line ends, 8-bit code-page-936 text, no sections.
//
// A user writes the whole file in one go (Open with create-and-write, one
// write per key, Close) or loads it whole and looks keys up. A write opened
// with create-and-write replaces the file atomically on Close (or when the
// object goes with the file still open), so a failed or interrupted save
// leaves the previous settings as they were.
//
// Lookup is a plain search for "[key]" anywhere in the text, and a value
// runs to the next CR: a "]" may stand in a value, and a last line without
// its line end reads as absent. An empty value counts as absent.
#pragma once

#include "platform/base/CString.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/File.h"

class CKeyValueFile {
  public:
    CKeyValueFile();
    virtual ~CKeyValueFile();

    CKeyValueFile(const CKeyValueFile&) = delete;
    CKeyValueFile& operator=(const CKeyValueFile&) = delete;

    // TRUE when the file was opened (for create-and-write: when the new
    // file could be started).
    [[nodiscard]] BOOL Open(const CString& path, UINT openFlags);
    // Ends the write; TRUE when the file now holds everything written.
    [[nodiscard]] BOOL Close();

    // Appends one "[key]value" line to the open file.
    void WriteString(const CString& key, const CString& value);
    void WriteInt(const CString& key, int value);
    void WriteDouble(const CString& key, double value);  // eight decimals

    // Holds the whole text of the file; FALSE when it is missing or cannot
    // be opened.
    BOOL Load(const CString& path, UINT openFlags);
    // The text after "[key]" up to the next CR; empty when absent.
    CString FindValue(const CString& key) const;
    // FALSE and the string untouched when the value is absent or empty.
    BOOL ReadString(const CString& key, CString* pValue) const;
    // FALSE and 0 stored when the value is absent or empty.
    BOOL ReadInt(const CString& key, int* pValue) const;
    BOOL ReadDouble(const CString& key, double* pValue) const;

  private:
    void WriteLine(const CString& line);

    CFile m_file;
    quorvel::CAtomicFileWriter m_writer;
    bool m_bAtomic = false;
    CString m_text;
};
