#include "pointdata/AppendFile.h"

#include <string>

#include "platform/base/TextConv.h"
#include "platform/files/FileApi.h"

// An opening dropped without its close ends as the close would: whatever
// a failed call wrote is taken back, so no caller can leave a torn line.
CAppendFile::~CAppendFile() {
    (void)EndAppending();
}

BOOL CAppendFile::OpenToAppend(const CString& path, BOOL* pCreated) {
    Abort();  // the opening before, if any, ends as every opening does
    m_bFailed = true;
    const DWORD attributes = GetFileAttributes(path);
    const bool missing = attributes == INVALID_FILE_ATTRIBUTES;
    if (pCreated != nullptr) *pCreated = missing ? TRUE : FALSE;
    if (!missing && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        return FALSE;
    }
    if (!Open(path, modeCreate | modeNoTruncate | modeReadWrite)) return FALSE;
    m_bCreated = missing;
    SeekToEnd();
    if (!EndTornLine()) {
        // Two bytes that did not fit: the tail stays as it was.
        if (m_bCreated) {
            Abort();
            (void)DeleteFile(path);  // an empty file left behind holds no torn line
        } else {
            Abort();
        }
        return FALSE;
    }
    m_keptLength = GetLength();
    m_bFailed = false;
    m_bAppending = true;
    return TRUE;
}

// Looks at the last byte only; an empty file needs nothing. A CR LF that
// went out only in part is cut off again.
BOOL CAppendFile::EndTornLine() {
    const ULONGLONG length = GetLength();
    if (length == 0) return TRUE;
    char last = 0;
    Seek(-1, end);
    const UINT got = Read(&last, 1);
    SeekToEnd();
    if (got != 1) return FALSE;
    if (last == '\n') return TRUE;
    if (Write("\r\n", 2)) return TRUE;
    (void)SetLength(length);  // the failure is the caller's either way
    return FALSE;
}

BOOL CAppendFile::AppendLine(const CString& line) {
    if (!IsOpen() || m_bFailed) return FALSE;
    std::string bytes = quorvel::ToGbk(line.GetString());
    bytes += "\r\n";
    const BOOL written = Write(bytes.data(), static_cast<UINT>(bytes.size()));
    if (!written) m_bFailed = true;
    return written;
}

BOOL CAppendFile::CloseAppended() {
    return EndAppending() ? TRUE : FALSE;
}

void CAppendFile::Close() {
    if (m_bAppending)
        (void)EndAppending();  // the caller chose not to hear about a failure
    else
        CFile::Close();
}

void CAppendFile::Abort() {
    (void)EndAppending();  // aborting reports nothing
    CFile::Abort();
}

bool CAppendFile::EndAppending() {
    if (!m_bAppending) return false;
    m_bAppending = false;
    const bool failed = m_bFailed || HasWriteError();
    if (failed) (void)SetLength(m_keptLength);  // the failure is reported below in any case
    const CString path = GetFilePath();
    CFile::Close();
    const bool ok = !failed && !HasWriteError();
    // An empty file left behind holds nothing torn; the failure is reported.
    if (!ok && m_bCreated && m_keptLength == 0) (void)DeleteFile(path);
    m_bFailed = true;
    return ok;
}

BOOL CAppendFile::AppendLineTo(const CString& path, const CString& line) {
    CAppendFile file;
    if (path.IsEmpty() || !file.OpenToAppend(path)) return FALSE;
    (void)file.AppendLine(line);  // a failed line fails the close, which takes it back
    return file.CloseAppended();
}

BOOL CAppendFile::EndTornLineOf(const CString& path) {
    const DWORD attributes = GetFileAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return TRUE;
    CAppendFile file;
    if (!file.OpenToAppend(path)) return FALSE;
    return file.CloseAppended();
}
