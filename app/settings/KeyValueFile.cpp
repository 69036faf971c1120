#include "app/settings/KeyValueFile.h"

#include <string>

#include "app/settings/SettingsText.h"
#include "platform/base/Parse.h"
#include "platform/base/TextConv.h"

namespace {

// A fresh write of the whole file: the one shape that is replaced
// atomically.
bool IsWholeFileWrite(UINT openFlags) {
    return (openFlags & CFile::modeCreate) != 0 && (openFlags & CFile::modeNoTruncate) == 0 &&
           (openFlags & (CFile::modeWrite | CFile::modeReadWrite)) != 0;
}

}  // namespace

CKeyValueFile::CKeyValueFile() = default;

// A file still open is closed here, as the device's file object would have
// closed it: what was written stands, and a failure has no one to tell.
CKeyValueFile::~CKeyValueFile() {
    if (m_bAtomic) (void)m_writer.Commit();
}

BOOL CKeyValueFile::Open(const CString& path, UINT openFlags) {
    m_bAtomic = IsWholeFileWrite(openFlags);
    if (m_bAtomic) return m_writer.Open(path);
    return m_file.Open(path, openFlags);
}

BOOL CKeyValueFile::Close() {
    if (!m_bAtomic) {
        m_file.Close();
        return m_file.HasWriteError() ? FALSE : TRUE;
    }
    m_bAtomic = false;
    return m_writer.Commit();
}

void CKeyValueFile::WriteString(const CString& key, const CString& value) {
    CString line;
    line.Format(L"[%s]%s\r\n", key, value);
    WriteLine(line);
}

void CKeyValueFile::WriteInt(const CString& key, int value) {
    CString line;
    line.Format(L"[%s]%d\r\n", key, value);
    WriteLine(line);
}

void CKeyValueFile::WriteDouble(const CString& key, double value) {
    CString line;
    line.Format(L"[%s]%.8f\r\n", key, value);
    WriteLine(line);
}

// The whole converted line is written, however long it is.
void CKeyValueFile::WriteLine(const CString& line) {
    std::string bytes = quorvel::ToGbk(line);
    if (bytes.empty()) return;
    if (m_bAtomic) {
        (void)m_writer.Write(bytes.data(), bytes.size());  // a failure is kept for Close
    } else {
        // A failure is kept for Close.
        (void)m_file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    }
}

BOOL CKeyValueFile::Load(const CString& path, UINT openFlags) {
    CString text;
    if (!LoadSettingsText(m_file, path, openFlags, text)) return FALSE;
    m_text = text;
    return TRUE;
}

CString CKeyValueFile::FindValue(const CString& key) const {
    const std::wstring& text = m_text.str();
    if (text.empty()) return CString();
    std::wstring tag = L"[" + key.str() + L"]";
    size_t found = text.find(tag);
    if (found == std::wstring::npos) return CString();
    size_t start = found + tag.size();
    size_t end = text.find(L'\r', start);
    if (end == std::wstring::npos) return CString();
    return CString(text.substr(start, end - start));
}

BOOL CKeyValueFile::ReadString(const CString& key, CString* pValue) const {
    CString value = FindValue(key);
    if (value.IsEmpty()) return FALSE;
    *pValue = value;
    return TRUE;
}

BOOL CKeyValueFile::ReadInt(const CString& key, int* pValue) const {
    CString value = FindValue(key);
    *pValue = value.IsEmpty() ? 0 : static_cast<int>(wcstol_c(value.GetString(), nullptr, 10));
    return !value.IsEmpty();
}

BOOL CKeyValueFile::ReadDouble(const CString& key, double* pValue) const {
    CString value = FindValue(key);
    *pValue = value.IsEmpty() ? 0.0 : wcstod_c(value.GetString(), nullptr);
    return !value.IsEmpty();
}
