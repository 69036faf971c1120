// CIniFile: the sectioned settings files of the program: esystem.sys in the
// root folder (the current job), the job's .ini (SystemParams) and the
// job's .par (CoordSysParams).
//
// Format: 8-bit code-page-936 text with CR LF line ends; "[name]" opens a
// section, "key=value" lines follow; integers as %d, doubles with ten
// decimals, strings as they are. Text before the first "[" is a title line
// that nobody reads back.
//
// The reader is deliberately simple and so has rules of its own: a key is
// matched by its whole name (case-sensitive) and a value ends at the line end
// or at a further "="; "[" and "]" end a section wherever they stand, so a
// value must not hold them; sections of one name are searched in file order.
//
// Writers rewrite the whole file through an atomic replace: a failed write
// returns FALSE and leaves the previous file as it was. Readers show their
// own message when the file cannot be loaded and leave the record untouched;
// absent keys take per-key fallbacks or keep the field's value, and so do
// numbers of the .ini that are not finite. The document fills its records
// with the default job's values before it reads them.
//
// One object serves the whole program on the user-interface thread; it is
// not re-entrant.
#pragma once

#include <string>
#include <vector>

#include "app/settings/SystemParams.h"
#include "geodesy/CoordSysParams.h"
#include "platform/base/CString.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/File.h"

struct IniSection {
    CString name;  // the text between "[" and "]"
    CString body;  // the text after "]" up to the next section
};

class CIniFile {
  public:
    CIniFile();
    virtual ~CIniFile();

    CIniFile(const CIniFile&) = delete;
    CIniFile& operator=(const CIniFile&) = delete;

    // Whole-file writers; the path is folder + file name as they stand.
    [[nodiscard]] BOOL WriteSystemFile(const CString& folder, const CString& fileName,
                                       const CSystemFileRecord& record);
    [[nodiscard]] BOOL WriteSystemParams(const CString& folder, const CString& fileName,
                                         const SystemParams& params);
    [[nodiscard]] BOOL WriteCoordParams(const CString& folder, const CString& fileName,
                                        const CoordSysParams& params);

    // Record readers: FALSE after their own message when the file cannot be
    // loaded.
    BOOL ReadSystemFile(const CString& folder, const CString& fileName, CSystemFileRecord* pRecord);
    BOOL ReadSystemParams(const CString& folder, const CString& fileName, SystemParams* pParams);
    BOOL ReadCoordParams(const CString& folder, const CString& fileName, CoordSysParams* pParams);

    // Whether the coordinate engine can work with the parameters: every
    // number finite; the semi-major axis, the inverse flattening and the
    // projection's scale (and the plane adjustment's, when it is used)
    // positive.
    static BOOL IsUsableCoordParams(const CoordSysParams& params);

    // One line of the file being written ("key=value" and CR LF). A number
    // that is not finite writes no line: the key reads back as absent.
    void WriteString(const CString& key, const CString& value);
    void WriteInt(const CString& key, int value);
    void WriteDouble(const CString& key, double value);
    // The text as it is, no line end added.
    void WriteLine(const CString& text);

    // Reads the file's sections; FALSE when it is missing, the path is
    // empty, or it cannot be opened or read.
    BOOL Load(const CString& path, UINT openFlags);
    // The raw value (up to the line end or a further "="); the out string
    // is untouched when the key is not found.
    BOOL FindValue(const CString& section, const CString& key, CString& value) const;
    // Converted values; the out value is untouched when the key is absent.
    BOOL GetString(const CString& section, const CString& key, CString* pValue) const;
    BOOL GetInt(const CString& section, const CString& key, int* pValue) const;
    BOOL GetDouble(const CString& section, const CString& key, double* pValue) const;

    // The sections of the last load (empty after every record read).
    const std::vector<IniSection>& GetSections() const { return m_sections; }

  private:
    [[nodiscard]] BOOL BeginWrite(const CString& path);
    [[nodiscard]] BOOL EndWrite();
    void ParseSections(const std::wstring& text);

    CFile m_file;
    quorvel::CAtomicFileWriter m_writer;
    std::vector<IniSection> m_sections;
};
