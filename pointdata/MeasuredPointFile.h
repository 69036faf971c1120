// The job's measured-point file as the measured-point library edits it:
// its rows, read by the line rules of the small data files (StoredLines.h),
// and the whole-file rewrite after each change.
//
// A row is the writer's 14 fields (name, x, y, height, code, solution,
// HRMS, VRMS, satellites, HDOP, time, two further values, antenna height),
// each trimmed. Post-processing rebuilds the file with 11 fields (name, x,
// y, height, code, antenna height, solution, HRMS, VRMS, satellites, HDOP);
// such a line is read in that shape into the same 14.
//
// The rewrite loses nothing it did not show: a row nobody changed goes back
// byte for byte as it was read, only a changed row is written anew (its 14
// fields, each followed by ","), and whatever the reading did not take (the
// text after a first empty line, an unterminated last line, and points the
// writer appended since) follows the rows unchanged.
#pragma once

#include <string>
#include <vector>

#include "platform/base/CString.h"

namespace quorvel::pointdata {

inline constexpr int kPointFields = 14;

struct SurveyPointRow {
    CString fields[kPointFields];
    std::string raw;       // the line as read, with its line end
    bool changed = false;  // written anew from the fields
};

class MeasuredPointFile {
  public:
    // The rows of the file's bytes, oldest first; the rest is kept.
    void Parse(const std::string& bytes);
    // FALSE (nothing read, no rows) when the file cannot be opened; a
    // missing file is an empty one.
    BOOL Load(const CString& path);
    // The whole file from the rows and what follows them.
    std::string Text() const;
    // Replaces the file whole (temporary file and rename). Points appended
    // to the file since it was read or last saved are kept after the rows.
    // FALSE, with the file as it was, when it cannot be replaced.
    [[nodiscard]] BOOL Save(const CString& path);

    std::vector<SurveyPointRow>& Rows() { return m_rows; }
    const std::vector<SurveyPointRow>& Rows() const { return m_rows; }

  private:
    std::string RowsText() const;

    std::vector<SurveyPointRow> m_rows;
    std::string m_tail;  // the bytes after the rows
    std::string m_seen;  // the file's bytes when last read or written
};

// The 14 fields of one line (without its line end) as a row shows them.
void SplitPointFields(const CString& line, CString (&fields)[kPointFields]);
// A changed row's line: each field followed by ",", then CR LF.
CString PointRowLine(const SurveyPointRow& row);
// The same in the device's code page.
std::string LineBytes(const SurveyPointRow& row);

}  // namespace quorvel::pointdata
