// The files of the point libraries: the coordinate library (.lib), the
// stake-out points (.ptb) and lines (.lnb), the lat/long library (.WGS),
// and the files imported into them: point files (.dat), receiver point
// files (.RTK, with its "Rem " header lines) and raw record files (.org).
//
// Every reading follows LibraryText.h; fields are comma separated, missing
// ones empty, numbers through ReadNumber. Writers give whole lines ending
// CR LF; nothing is cut to a line buffer.
#pragma once

#include <vector>

#include "pointdata/LibraryRecords.h"

namespace pointdata {

// The five texts of a point as a list shows them.
struct PointTexts {
    CString name;
    CString north;
    CString east;
    CString height;
    CString code;
};

// ---- Coordinate library (.lib): "%d,%s,%.3f,%.3f,%.3f,%s\r\n" ----
// A line whose number field is exactly "1" is a raw-grid record; any other
// keeps its number as read.
NumberedPoint ParseLibLine(const CString& line);
// Raw-grid records first, then the library records. A library record whose
// number reads 1 is written 0, so that it stays a library record.
CString FormatLib(const std::vector<NumberedPoint>& raw, const std::vector<NumberedPoint>& lib);
// Importing a library-format file: number field "0" makes a library
// record (0), anything else a raw-grid record (1).
NumberedPoint ParseLibImportLine(const CString& line);

// ---- Stake-out points (.ptb): "0,name,north,east,height,code,\r\n" ----
PointTexts ParsePtbLine(const CString& line);  // field 0 ignored
CString FormatPtb(const std::vector<PointTexts>& rows);

// ---- Point file (.dat): "name,north,east,height,code,\r\n" ----
PointTexts ParseDatLine(const CString& line);
CString FormatDat(const std::vector<PointTexts>& rows);

// ---- Stake-out lines (.lnb) ----
LineRecord ParseLnbLine(const CString& line);
CString FormatLnb(const std::vector<LineRecord>& lines);

// ---- Lat/long library (.WGS): "name,lat,lon,height,code,\r\n" ----
PointTexts ParseWgsLine(const CString& line);
CString FormatWgs(const std::vector<PointTexts>& rows);

// ---- Receiver point file (.RTK) ----
// name, latitude, longitude (packed ddd.mmss), height, code, antenna
// height. FALSE for a "Rem " header line.
struct RtkPoint {
    CString name;
    CString latText;
    CString lonText;
    double lat = 0.0;
    double lon = 0.0;
    double height = 0.0;
    double antenna = 0.0;
    CString code;
};
BOOL ParseRtkLine(const CString& line, RtkPoint& point);

// ---- Raw record file (.org, 32 fields) ----
// What the libraries take of a raw record: name (0), latitude (3),
// longitude (4), height (5), antenna height (6), north (7), east (8),
// height (9).
struct OrgPoint {
    CString name;
    CString latText;
    CString lonText;
    double geoHeight = 0.0;
    double antenna = 0.0;
    CString northText;
    CString eastText;
    CString heightText;
};
OrgPoint ParseOrgLine(const CString& line);

// The code the imports give points that carry none.
inline constexpr const wchar_t* kDefaultCode = L"00000000";

}  // namespace pointdata
