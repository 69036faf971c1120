#include "pointdata/AppendFile.h"

#include <string>

#include "platform/base/TextConv.h"
#include "platform/files/FileApi.h"

BOOL CAppendFile::OpenToAppend(const CString& path, BOOL* pCreated) {
    Abort();
    m_bFailed = true;
    const DWORD attributes = GetFileAttributes(path);
    const bool missing = attributes == INVALID_FILE_ATTRIBUTES;
    if (pCreated != nullptr) *pCreated = missing ? TRUE : FALSE;
    if (!missing && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        return FALSE;
    }
    if (!Open(path, modeCreate | modeNoTruncate | modeReadWrite)) return FALSE;
    SeekToEnd();
    if (!EndTornLine()) {
        Abort();
        return FALSE;
    }
    m_bFailed = false;
    return TRUE;
}

// Looks at the last byte only; an empty file needs nothing.
BOOL CAppendFile::EndTornLine() {
    const ULONGLONG length = GetLength();
    if (length == 0) return TRUE;
    char last = 0;
    Seek(-1, end);
    const UINT got = Read(&last, 1);
    SeekToEnd();
    if (got != 1) return FALSE;
    if (last == '\n') return TRUE;
    return Write("\r\n", 2);
}

BOOL CAppendFile::AppendLine(const CString& line) {
    if (!IsOpen()) return FALSE;
    std::string bytes = quorvel::ToGbk(line.GetString());
    bytes += "\r\n";
    const BOOL written = Write(bytes.data(), static_cast<UINT>(bytes.size()));
    if (!written) m_bFailed = true;
    return written;
}

BOOL CAppendFile::CloseAppended() {
    if (!IsOpen()) return FALSE;
    Close();
    const bool ok = !m_bFailed && !HasWriteError();
    m_bFailed = true;
    return ok ? TRUE : FALSE;
}
