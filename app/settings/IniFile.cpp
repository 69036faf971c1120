// CIniFile: loading, key lookup and the line writers. The three records'
// layouts are in IniRecords.cpp.
#include "app/settings/IniFile.h"

#include <cmath>
#include <string_view>

#include "app/settings/SettingsText.h"
#include "platform/base/Parse.h"
#include "platform/base/TextConv.h"

namespace {

// A key line's value: after the "=" up to the line end or a further "=".
bool FindKeyInBody(std::wstring_view body, std::wstring_view key, std::wstring_view& value) {
    size_t lineStart = 0;
    while (lineStart <= body.size()) {
        size_t lineEnd = body.find(L'\n', lineStart);
        if (lineEnd == std::wstring_view::npos) lineEnd = body.size();
        std::wstring_view line = body.substr(lineStart, lineEnd - lineStart);
        size_t equals = line.find(L'=');
        if (equals != std::wstring_view::npos && line.substr(0, equals) == key) {
            std::wstring_view rest = line.substr(equals + 1);
            value = rest.substr(0, rest.find(L'='));
            return true;
        }
        lineStart = lineEnd + 1;
    }
    return false;
}

}  // namespace

CIniFile::CIniFile() = default;

CIniFile::~CIniFile() = default;

BOOL CIniFile::Load(const CString& path, UINT openFlags) {
    m_sections.clear();
    if (path.IsEmpty()) return FALSE;
    CString text;
    if (!LoadSettingsText(m_file, path, openFlags, text)) return FALSE;
    ParseSections(text.str());
    return TRUE;
}

// Each "[" opens a section that runs to the next "["; its name ends at the
// first "]" and its body at a further one. A "[" without "]" names a section
// of the whole text up to the next "[" and holds no keys.
void CIniFile::ParseSections(const std::wstring& text) {
    m_sections.clear();
    std::wstring_view all(text);
    size_t open = all.find(L'[');
    while (open != std::wstring_view::npos) {
        size_t next = all.find(L'[', open + 1);
        size_t end = (next == std::wstring_view::npos) ? all.size() : next;
        std::wstring_view chunk = all.substr(open + 1, end - open - 1);
        size_t close = chunk.find(L']');
        IniSection section;
        section.name = CString(std::wstring(chunk.substr(0, close)));
        if (close != std::wstring_view::npos) {
            std::wstring_view rest = chunk.substr(close + 1);
            section.body = CString(std::wstring(rest.substr(0, rest.find(L']'))));
        }
        m_sections.push_back(std::move(section));
        open = next;
    }
}

BOOL CIniFile::FindValue(const CString& section, const CString& key, CString& value) const {
    for (const IniSection& candidate : m_sections) {
        if (candidate.name.str() != section.str()) continue;
        std::wstring_view found;
        if (FindKeyInBody(candidate.body.str(), key.str(), found)) {
            value = CString(std::wstring(found));
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CIniFile::GetString(const CString& section, const CString& key, CString* pValue) const {
    CString raw;
    if (!FindValue(section, key, raw)) return FALSE;
    int lineEnd = raw.FindOneOf(L"\r\n");
    *pValue = (lineEnd < 0) ? raw : raw.Left(lineEnd);
    return TRUE;
}

BOOL CIniFile::GetInt(const CString& section, const CString& key, int* pValue) const {
    CString raw;
    if (!FindValue(section, key, raw)) return FALSE;
    *pValue = static_cast<int>(wcstol_c(raw.GetString(), nullptr, 10));
    return TRUE;
}

BOOL CIniFile::GetDouble(const CString& section, const CString& key, double* pValue) const {
    CString raw;
    if (!FindValue(section, key, raw)) return FALSE;
    *pValue = wcstod_c(raw.GetString(), nullptr);
    return TRUE;
}

void CIniFile::WriteString(const CString& key, const CString& value) {
    CString line;
    line.Format(L"%s=%s\r\n", key, value);
    WriteLine(line);
}

void CIniFile::WriteInt(const CString& key, int value) {
    CString line;
    line.Format(L"%s=%d\r\n", key, value);
    WriteLine(line);
}

void CIniFile::WriteDouble(const CString& key, double value) {
    if (!std::isfinite(value)) return;
    CString line;
    line.Format(L"%s=%.10f\r\n", key, value);
    WriteLine(line);
}

// The whole converted line is written, however long it is.
void CIniFile::WriteLine(const CString& text) {
    std::string bytes = quorvel::ToGbk(text);
    if (bytes.empty()) return;
    (void)m_writer.Write(bytes.data(), bytes.size());  // a failure is kept for the commit
}

BOOL CIniFile::BeginWrite(const CString& path) {
    return m_writer.Open(path);
}

// Only a complete file replaces the old one.
BOOL CIniFile::EndWrite() {
    return m_writer.Commit();
}
