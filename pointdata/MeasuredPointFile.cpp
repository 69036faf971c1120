#include "pointdata/MeasuredPointFile.h"

#include "platform/base/TextConv.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/File.h"
#include "platform/files/FileApi.h"
#include "pointdata/StoredLines.h"

namespace quorvel::pointdata {

namespace {

// The whole file; a missing file reads as empty.
BOOL ReadAll(const CString& path, std::string& bytes) {
    bytes.clear();
    if (GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES) return TRUE;
    CFile file;
    if (!file.Open(path, CFile::modeRead)) return FALSE;
    char buffer[65536];
    UINT got = 0;
    while ((got = file.Read(buffer, sizeof buffer)) > 0) bytes.append(buffer, got);
    return TRUE;
}

// The post-processing shape: 11 fields, with or without a comma after the
// last.
bool IsRebuiltShape(const std::vector<CString>& parts) {
    return parts.size() == 11 || (parts.size() == 12 && parts[11].IsEmpty());
}

}  // namespace

void SplitPointFields(const CString& line, CString (&fields)[kPointFields]) {
    std::vector<CString> parts;
    const std::wstring& all = line.str();
    size_t start = 0;
    // One more than a row holds tells a writer's line (a comma after the
    // last field) from any other; the rest of a long line is not needed.
    while (parts.size() < kPointFields + 1) {
        const size_t comma = all.find(L',', start);
        parts.emplace_back(all.substr(start, comma == std::wstring::npos ? comma : comma - start));
        if (comma == std::wstring::npos) break;
        start = comma + 1;
    }
    for (CString& part : parts) part.Trim();
    for (CString& field : fields) field.Empty();
    if (IsRebuiltShape(parts)) {
        static constexpr int kFrom[kPointFields] = {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, -1, -1, -1, 5};
        for (int i = 0; i < kPointFields; ++i)
            if (kFrom[i] >= 0) fields[i] = parts[kFrom[i]];
        return;
    }
    for (size_t i = 0; i < parts.size() && i < kPointFields; ++i) fields[i] = parts[i];
}

CString PointRowLine(const SurveyPointRow& row) {
    CString line;
    for (const CString& field : row.fields) line += field + L",";
    return line + L"\r\n";
}

std::string LineBytes(const SurveyPointRow& row) {
    const CString line = PointRowLine(row);
    return ToGbk(line.GetString(), static_cast<size_t>(line.GetLength()));
}

void MeasuredPointFile::Parse(const std::string& bytes) {
    m_rows.clear();
    m_seen = bytes;
    size_t start = 0;
    for (;;) {
        const size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos) break;
        // The line rules of every small data file, applied to this line
        // alone so that the row keeps its own bytes.
        const CString text = FromGbk(bytes.data() + start, lf + 1 - start);
        const std::vector<CString> line = SplitStoredLines(text, 1);
        if (line.empty()) break;
        SurveyPointRow row;
        SplitPointFields(line[0], row.fields);
        row.raw.assign(bytes, start, lf + 1 - start);
        m_rows.push_back(std::move(row));
        start = lf + 1;
    }
    m_tail.assign(bytes, start, std::string::npos);
}

BOOL MeasuredPointFile::Load(const CString& path) {
    std::string bytes;
    const BOOL read = ReadAll(path, bytes);
    Parse(read ? bytes : std::string());
    return read;
}

std::string MeasuredPointFile::RowsText() const {
    std::string text;
    for (const SurveyPointRow& row : m_rows) text += row.changed ? LineBytes(row) : row.raw;
    return text;
}

std::string MeasuredPointFile::Text() const {
    return RowsText() + m_tail;
}

BOOL MeasuredPointFile::Save(const CString& path) {
    std::string now;
    std::string tail = m_tail;
    if (ReadAll(path, now) && now.size() > m_seen.size() &&
        now.compare(0, m_seen.size(), m_seen) == 0)
        tail += now.substr(m_seen.size());
    std::string text = RowsText() + tail;
    if (!WriteFileAtomic(path, text.data(), text.size())) return FALSE;
    // The file now holds every row as written: the next save compares with
    // this text and keeps the rows' new bytes.
    for (SurveyPointRow& row : m_rows) {
        if (!row.changed) continue;
        row.raw = LineBytes(row);
        row.changed = false;
    }
    m_tail = std::move(tail);
    m_seen = std::move(text);
    return TRUE;
}

}  // namespace quorvel::pointdata
