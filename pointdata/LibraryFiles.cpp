#include "pointdata/LibraryFiles.h"

#include "platform/base/Parse.h"
#include "pointdata/LibraryText.h"

namespace pointdata {
namespace {

NumberedPoint PointFromFields(const std::vector<CString>& f, int number) {
    NumberedPoint p;
    p.number = number;
    p.name = f[1];
    p.x = ReadNumber(f[2]);
    p.y = ReadNumber(f[3]);
    p.h = ReadNumber(f[4]);
    p.code = f[5];
    return p;
}

void AppendLibLine(CString& text, int number, const NumberedPoint& p) {
    CString line;
    line.Format(L"%d,%s,%.3f,%.3f,%.3f,%s\r\n", number, (LPCTSTR)p.name, p.x, p.y, p.h,
                (LPCTSTR)p.code);
    text += line;
}

// Texts joined by commas, each followed by one.
void AppendFieldsLine(CString& text, std::initializer_list<const CString*> fields) {
    for (const CString* field : fields) {
        text += *field;
        text += L",";
    }
    text += L"\r\n";
}

}  // namespace

NumberedPoint ParseLibLine(const CString& line) {
    const std::vector<CString> f = SplitFields(line, 6);
    const int number = f[0] == L"1" ? 1 : static_cast<int>(wcstol_c(f[0].GetString(), nullptr, 10));
    return PointFromFields(f, number);
}

NumberedPoint ParseLibImportLine(const CString& line) {
    const std::vector<CString> f = SplitFields(line, 6);
    return PointFromFields(f, f[0] == L"0" ? 0 : 1);
}

CString FormatLib(const std::vector<NumberedPoint>& raw, const std::vector<NumberedPoint>& lib) {
    CString text;
    for (const NumberedPoint& p : raw) AppendLibLine(text, 1, p);
    for (const NumberedPoint& p : lib) AppendLibLine(text, p.number == 1 ? 0 : p.number, p);
    return text;
}

PointTexts ParsePtbLine(const CString& line) {
    const std::vector<CString> f = SplitFields(line, 6);
    return {f[1], f[2], f[3], f[4], f[5]};
}

CString FormatPtb(const std::vector<PointTexts>& rows) {
    CString text;
    const CString zero(L"0");
    for (const PointTexts& r : rows)
        AppendFieldsLine(text, {&zero, &r.name, &r.north, &r.east, &r.height, &r.code});
    return text;
}

PointTexts ParseDatLine(const CString& line) {
    const std::vector<CString> f = SplitFields(line, 5);
    return {f[0], f[1], f[2], f[3], f[4]};
}

CString FormatDat(const std::vector<PointTexts>& rows) {
    CString text;
    for (const PointTexts& r : rows)
        AppendFieldsLine(text, {&r.name, &r.north, &r.east, &r.height, &r.code});
    return text;
}

LineRecord ParseLnbLine(const CString& line) {
    const std::vector<CString> f = SplitFields(line, 11);
    LineRecord r;
    r.start = {f[0], ReadNumber(f[1]), ReadNumber(f[2]), ReadNumber(f[3]), f[4]};
    r.end = {f[5], ReadNumber(f[6]), ReadNumber(f[7]), ReadNumber(f[8]), f[9]};
    r.chainage = ReadNumber(f[10]);
    return r;
}

CString FormatLnb(const std::vector<LineRecord>& lines) {
    CString text;
    CString line;
    for (const LineRecord& r : lines) {
        line.Format(L"%s,%.4f,%.4f,%.4f,%s,%s,%.4f,%.4f,%.4f,%s,%.4f\r\n", (LPCTSTR)r.start.strName,
                    r.start.dX, r.start.dY, r.start.dH, (LPCTSTR)r.start.strCode,
                    (LPCTSTR)r.end.strName, r.end.dX, r.end.dY, r.end.dH, (LPCTSTR)r.end.strCode,
                    r.chainage);
        text += line;
    }
    return text;
}

PointTexts ParseWgsLine(const CString& line) {
    return ParseDatLine(line);
}

CString FormatWgs(const std::vector<PointTexts>& rows) {
    return FormatDat(rows);
}

BOOL ParseRtkLine(const CString& line, RtkPoint& point) {
    if (line.Left(4) == L"Rem ") return FALSE;
    const std::vector<CString> f = SplitFields(line, 6);
    point.name = f[0];
    point.latText = f[1];
    point.lonText = f[2];
    point.lat = ReadNumber(f[1]);
    point.lon = ReadNumber(f[2]);
    point.height = ReadNumber(f[3]);
    point.code = f[4];
    point.antenna = ReadNumber(f[5]);
    return TRUE;
}

OrgPoint ParseOrgLine(const CString& line) {
    const std::vector<CString> f = SplitFields(line, 10);
    OrgPoint p;
    p.name = f[0];
    p.latText = f[3];
    p.lonText = f[4];
    p.geoHeight = ReadNumber(f[5]);
    p.antenna = ReadNumber(f[6]);
    p.northText = f[7];
    p.eastText = f[8];
    p.heightText = f[9];
    return p;
}

}  // namespace pointdata
