// The files of the two stake-out screens: their settings in the job
// folder ("ptlayauto", "lnlayauto"), the record of staked points beside
// the library in use (.ptr, .lnr), and the reading of the libraries
// themselves (.ptb, .lnb).
//
// Every reading follows the small-file line rule (pointdata/StoredLines.h):
// a line ends at LF with the character before it dropped, the first empty
// line ends the file, text after the last LF is not read. Lines are
// trimmed; blank ones are skipped.
// The fields of a library line are the libraries' own (pointdata/
// LibraryFiles.h).
#pragma once

#include <vector>

#include "app/stakeout/StakeoutReadouts.h"
#include "platform/base/CString.h"
#include "pointdata/PointRecord.h"

namespace stakeout {

// ---- Point stake-out settings ("ptlayauto") ----
struct PointSettings {
    int showAllLayoutPoint = 1;
    int showRecordLayoutPoint = 1;
    int soundPrompt = 1;
    double minLayoutPrompt = 0.3;
    double maxLayoutPrompt = 0.9;
    CString curLayoutFileName;
    int showSurveyPoint = 0;
};
CString PointSettingsPath(const CString& jobDir);  // job folder + "\ptlayauto"
// The seven keys in their order; FALSE (nothing replaced) when the file
// cannot be written.
[[nodiscard]] BOOL SavePointSettings(const CString& path, const PointSettings& s);
// Keys that are missing or empty leave their field as it is.
void LoadPointSettings(const CString& path, PointSettings& s);

// ---- Line stake-out settings ("lnlayauto") ----
struct LineSettings {
    int showAllLayoutLine = 1;
    int showRecordLayoutPoint = 1;
    int showPlumb = 0;
    int soundPrompt = 1;
    double minPrompt = 0.3;
    double maxPrompt = 1.5;
    CString curLayoutFileName;
    int showSurveyPoint = 0;
    int intMilPrompt = 0;
    double intMileage = 50.0;
};
CString LineSettingsPath(const CString& jobDir);  // job folder + "\lnlayauto"
[[nodiscard]] BOOL SaveLineSettings(const CString& path, const LineSettings& s);
// When the file is there: a missing or empty number reads 0, a missing
// file name leaves it as it is.
void LoadLineSettings(const CString& path, LineSettings& s);

// "全部" for all, else "%d".
CString CountText(int showSurveyPoint);
// -1 for "全部", else the decimal number of the text (0 when none).
int CountFromText(const CString& text);

// ---- Records (.ptr, .lnr) ----
// The library path less its last three characters, then `ext`; empty when
// no library is in use or the record would be the library itself.
CString RecordPathFor(const CString& libraryPath, LPCTSTR ext);
CString FormatRecordLine(const PointRecord& p);  // "%s,%.4f,%.4f,%.4f,%s\r\n"
// Appends one record line, creating the file; FALSE when it did not land
// whole (nothing torn is left).
[[nodiscard]] BOOL AppendRecord(const CString& recordPath, const PointRecord& p);
std::vector<PointRecord> ReadRecordFile(const CString& recordPath);

// ---- Libraries (.ptb, .lnb) ----
// "n,name,x,y,h,code," rows: field 0 ignored.
std::vector<PointRecord> ReadPointLibrary(const CString& path);
// The first ten fields of each line: start and end point (the start
// chainage after them is not read here: it stays 0).
std::vector<StakeLine> ReadLineLibrary(const CString& path);

// The text lines of a file by the rule above, trimmed, blanks skipped.
std::vector<CString> ReadTextLines(const CString& path);

}  // namespace stakeout
