#include "app/coordsys/PointPairFile.h"

#include <string_view>

#include "platform/base/TextConv.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/File.h"

namespace pointpair {
namespace {

// The row of one line, or false when the line is no pair line.
bool ParseLine(std::wstring_view line, int nCells, Row& row) {
    row.assign(static_cast<size_t>(nCells), CString());
    size_t start = 0;
    for (int field = 0; field <= nCells; ++field) {
        const size_t comma = line.find(L',', start);
        const bool last = comma == std::wstring_view::npos;
        const std::wstring_view piece =
            line.substr(start, last ? std::wstring_view::npos : comma - start);
        if (field == 0) {
            if (piece != L"1") return false;
        } else {
            row[static_cast<size_t>(field - 1)] =
                CString(piece.data(), static_cast<int>(piece.size()));
        }
        if (last) break;
        start = comma + 1;
    }
    return true;
}

}  // namespace

std::vector<Row> ParseText(const wchar_t* text, size_t length, int nCells) {
    std::vector<Row> rows;
    const std::wstring_view all(text, length);
    size_t start = 0;
    Row row;
    for (;;) {
        const size_t lf = all.find(L'\n', start);
        if (lf == std::wstring_view::npos) break;        // a last line without LF
        const size_t end = lf > start ? lf - 1 : start;  // the CR goes
        if (end == start) break;                         // the first empty line
        if (ParseLine(all.substr(start, end - start), nCells, row)) rows.push_back(row);
        start = lf + 1;
    }
    return rows;
}

std::string FormatBytes(const std::vector<Row>& rows) {
    CString text;
    for (const Row& row : rows) {
        text += L"1,";
        for (size_t i = 0; i < row.size(); ++i) {
            if (i) text += L",";
            text += row[i];
        }
        text += L",\r\n";
    }
    return quorvel::ToGbk(text.GetString());
}

BOOL ReadFile(LPCTSTR devicePath, int nCells, std::vector<Row>& rows) {
    rows.clear();
    CFile file;
    if (!file.Open(devicePath, CFile::modeRead | CFile::shareDenyNone)) return FALSE;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const UINT n = file.Read(buffer, sizeof buffer);
        if (n == 0) break;
        bytes.append(buffer, n);
    }
    const CString text = quorvel::FromGbk(bytes.data(), bytes.size());
    rows = ParseText(text.GetString(), static_cast<size_t>(text.GetLength()), nCells);
    return TRUE;
}

BOOL WriteFile(LPCTSTR devicePath, const std::vector<Row>& rows) {
    const std::string bytes = FormatBytes(rows);
    return quorvel::WriteFileAtomic(devicePath, bytes.data(), bytes.size());
}

}  // namespace pointpair
