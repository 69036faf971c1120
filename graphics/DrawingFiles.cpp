#include "graphics/DrawingFiles.h"

#include <cmath>
#include <string>
#include <vector>

#include "platform/base/Parse.h"
#include "platform/base/TextConv.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/File.h"
#include "platform/files/FileApi.h"
#include "pointdata/StoredLines.h"

namespace {

// The fields of a line cut at commas, empty ones kept; at most `limit`.
std::vector<CString> Fields(const CString& line, size_t limit) {
    std::vector<CString> fields;
    const std::wstring& all = line.str();
    size_t start = 0;
    while (fields.size() < limit) {
        const size_t comma = all.find(L',', start);
        fields.emplace_back(all.substr(start, comma == std::wstring::npos ? comma : comma - start));
        if (comma == std::wstring::npos) break;
        start = comma + 1;
    }
    return fields;
}

// The text after the tag; without the tag, from the fifth character on.
CString AfterTag(const CString& line, LPCTSTR tag) {
    const int at = line.Find(tag);
    return line.Mid(at < 0 ? 4 : at + 5);
}

long Integer(const CString& field) {
    return wcstol_c(field, nullptr, 10);
}
double Decimal(const CString& field) {
    return wcstod_c(field, nullptr);
}

BOOL ReadBytes(LPCTSTR path, std::string& bytes) {
    bytes.clear();
    if (GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES) return FALSE;
    CFile file;
    if (!file.Open(path, CFile::modeRead)) return FALSE;
    char buffer[65536];
    UINT got = 0;
    while ((got = file.Read(buffer, sizeof buffer)) > 0) bytes.append(buffer, got);
    return TRUE;
}

BOOL ReadDecoded(LPCTSTR path, CString& text) {
    std::string bytes;
    if (!ReadBytes(path, bytes)) return FALSE;
    text = quorvel::FromGbk(bytes.data(), bytes.size());
    return TRUE;
}

// Whole lines, whatever their length: a cut line would lose its last
// fields and with them the record.
[[nodiscard]] BOOL WriteLines(LPCTSTR path, const std::string& bytes) {
    return quorvel::WriteFileAtomic(path, bytes.data(), bytes.size());
}

}  // namespace

CString TextLayerLine(const CGraphText& t) {
    CString line;
    line.Format(L"TEXT:%d,%.8f,%ld,%d,%s,%.8f,%.8f,%s\r\n", static_cast<int>(t.m_bBold), t.m_dAngle,
                static_cast<long>(t.m_crColor), t.m_nSize, t.m_strFace, t.m_ptAnchor.m_dX,
                t.m_ptAnchor.m_dY, t.m_strText);
    return line;
}

CString LineLayerLine(const CGraphLine& l) {
    CString line;
    line.Format(L"LINE:%s,%ld,%ld,%d,%d,%.8f,%.8f,%.8f,%.8f\r\n", l.m_strName,
                static_cast<long>(l.m_crText), static_cast<long>(l.m_crPen), l.m_nPenStyle,
                l.m_nPenWidth, l.m_ptStart.m_dX, l.m_ptStart.m_dY, l.m_ptEnd.m_dX, l.m_ptEnd.m_dY);
    return line;
}

BOOL SaveTextLayer(LPCTSTR path, const CGraphTextSet& texts) {
    std::string bytes;
    for (const CGraphText& t : texts.m_items) bytes += quorvel::ToGbk(TextLayerLine(t));
    return WriteLines(path, bytes);
}

BOOL SaveLineLayer(LPCTSTR path, const CGraphLineSet& lines) {
    std::string bytes;
    for (const CGraphLine& l : lines.m_items) bytes += quorvel::ToGbk(LineLayerLine(l));
    return WriteLines(path, bytes);
}

void ReadTextLayer(const CString& text, CGraphTextSet& texts) {
    for (const CString& line : SplitStoredLines(text)) {
        const std::vector<CString> f = Fields(AfterTag(line, L"TEXT:"), 8);
        if (f.size() < 8) continue;
        CGraphText t;
        t.m_bBold = static_cast<BOOL>(Integer(f[0]));
        t.m_dAngle = Decimal(f[1]);
        t.m_crColor = static_cast<COLORREF>(Integer(f[2]));
        t.m_nSize = static_cast<int>(Integer(f[3]));
        t.m_strFace = f[4];
        t.m_ptAnchor.m_dX = Decimal(f[5]);
        t.m_ptAnchor.m_dY = Decimal(f[6]);
        t.m_strText = f[7];
        if (!std::isfinite(t.m_dAngle) || !std::isfinite(t.m_ptAnchor.m_dX) ||
            !std::isfinite(t.m_ptAnchor.m_dY))
            continue;
        texts.m_items.push_back(t);
    }
}

void ReadLineLayer(const CString& text, CGraphLineSet& lines) {
    for (const CString& line : SplitStoredLines(text)) {
        const std::vector<CString> f = Fields(AfterTag(line, L"LINE:"), 9);
        if (f.size() < 9) continue;
        CGraphLine l;
        l.m_strName = f[0];
        l.m_crText = static_cast<COLORREF>(Integer(f[1]));
        l.m_crPen = static_cast<COLORREF>(Integer(f[2]));
        l.m_nPenStyle = static_cast<int>(Integer(f[3]));
        l.m_nPenWidth = static_cast<int>(Integer(f[4]));
        l.m_ptStart.m_dX = Decimal(f[5]);
        l.m_ptStart.m_dY = Decimal(f[6]);
        l.m_ptEnd.m_dX = Decimal(f[7]);
        l.m_ptEnd.m_dY = Decimal(f[8]);
        if (!std::isfinite(l.m_ptStart.m_dX) || !std::isfinite(l.m_ptStart.m_dY) ||
            !std::isfinite(l.m_ptEnd.m_dX) || !std::isfinite(l.m_ptEnd.m_dY))
            continue;
        lines.m_items.push_back(l);
    }
}

BOOL MakeTrackPoint(const CString& name, const CString& date, const CString& time,
                    const CString& north, const CString& east, const CString& height,
                    const CString& stored, CGraphPoint& p) {
    p = CGraphPoint();
    p.m_strName = name;
    p.m_strDate = date;
    p.m_strTime = time;
    p.m_dX = Decimal(north);
    p.m_dY = Decimal(east);
    p.m_dH = Decimal(height);
    p.m_nSymbol = stored == L"1" ? 0 : 1;
    return std::isfinite(p.m_dX) && std::isfinite(p.m_dY);
}

BOOL TrackPointFromRaw(const CString& line, CGraphPoint& p) {
    const std::vector<CString> f = Fields(line, 26);
    auto field = [&f](size_t i) { return i < f.size() ? f[i] : CString(); };
    return MakeTrackPoint(field(0), field(1), field(2), field(7), field(8), field(9), field(25), p);
}

void ReadTrack(const CString& text, CGraphPointSet& points) {
    CGraphPoint p;
    for (const CString& line : SplitStoredLines(text))
        if (TrackPointFromRaw(line, p)) points.m_items.push_back(p);
}

void LoadTextLayerFile(LPCTSTR path, CGraphTextSet& texts) {
    CString text;
    if (ReadDecoded(path, text)) ReadTextLayer(text, texts);
}

void LoadLineLayerFile(LPCTSTR path, CGraphLineSet& lines) {
    CString text;
    if (ReadDecoded(path, text)) ReadLineLayer(text, lines);
}

void LoadTrackFile(LPCTSTR path, CGraphPointSet& points) {
    CString text;
    if (ReadDecoded(path, text)) ReadTrack(text, points);
}
