// The point-pair files of the parameter calculations: "CalFour.fou" (and
// other *.fou) with a name and a grid point before and after the plane
// transformation, "CalSeven.sev" (*.sev) with a name, a WGS84 position
// (latitude and longitude packed ddd.mmss, ellipsoidal height) and the
// local grid point with its height.
//
// 8-bit text in code page 936, one pair a line: "1," + the cells joined by
// "," + ",\r\n", no header. The cells are texts as the user typed or
// picked them; numbers are read only when calculating.
//
// Reading keeps the device's rules: lines end at LF and lose the character
// before it (the CR); reading stops at the first empty line and a last
// line without LF is not read; a line counts only when its first field is
// exactly "1"; fields past the row's are ignored, missing ones are empty.
#pragma once

#include <string>
#include <vector>

#include "platform/base/CString.h"

namespace pointpair {

// Cells of a row, without the leading number: four-parameter rows hold 5
// (name, north and east before, north and east after), seven-parameter
// rows 7 (name, B, L, H, x, y, h).
using Row = std::vector<CString>;
inline constexpr int kFourCells = 5;
inline constexpr int kSevenCells = 7;

// The accepted rows of a file's text, in file order.
std::vector<Row> ParseText(const wchar_t* text, size_t length, int nCells);
// The file's bytes for the rows in order.
std::string FormatBytes(const std::vector<Row>& rows);

// FALSE when the file cannot be opened or read; rows then stay empty.
BOOL ReadFile(LPCTSTR devicePath, int nCells, std::vector<Row>& rows);
// Replaces the file as a whole; FALSE (the old file untouched) on failure.
[[nodiscard]] BOOL WriteFile(LPCTSTR devicePath, const std::vector<Row>& rows);

}  // namespace pointpair
