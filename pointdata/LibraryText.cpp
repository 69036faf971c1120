#include "pointdata/LibraryText.h"

#include <cmath>
#include <cstring>

#include "platform/base/Parse.h"
#include "platform/base/TextConv.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/File.h"
#include "pointdata/StoredLines.h"

namespace pointdata {

double ReadNumber(const CString& text) {
    const double value = wcstod_c(text.GetString(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

// An LF byte never stands inside a two-byte character of the code page
// (trail bytes start at 0x40), so cutting the bytes gives the lines the
// wide text would.
StoredText SplitLibraryText(const char* data, size_t size, size_t maxLines) {
    StoredText result;
    size_t start = 0;
    while (result.lines.size() < maxLines && start < size) {
        const void* found = std::memchr(data + start, '\n', size - start);
        if (!found) break;
        const size_t lf = static_cast<size_t>(static_cast<const char*>(found) - data);
        CString line = quorvel::FromGbk(data + start, lf - start);
        if (line.GetLength() <= 1) break;
        result.lines.push_back(line.Left(line.GetLength() - 1));
        start = lf + 1;
        result.consumed = start;
    }
    return result;
}

BOOL ReadFileBytes(LPCTSTR devicePath, std::string& bytes) {
    bytes.clear();
    CFile file;
    if (!file.Open(devicePath, CFile::modeRead | CFile::shareDenyNone)) return FALSE;
    char buffer[65536];
    for (;;) {
        const UINT n = file.Read(buffer, sizeof buffer);
        if (n == 0) break;
        bytes.append(buffer, n);
    }
    return TRUE;
}

std::vector<CString> SplitFields(const CString& line, size_t count) {
    std::vector<CString> fields(count);
    for (size_t i = 0; i < count; ++i) fields[i] = StoredField(line, static_cast<int>(i));
    return fields;
}

std::string UnreadTail(LPCTSTR devicePath, size_t offset) {
    std::string bytes;
    if (!ReadFileBytes(devicePath, bytes) || bytes.size() <= offset) return {};
    return bytes.substr(offset);
}

BOOL WriteLibraryFile(LPCTSTR devicePath, const CString& text, const std::string& tail) {
    std::string bytes = quorvel::ToGbk(text.GetString(), static_cast<size_t>(text.GetLength()));
    bytes += tail;
    return quorvel::WriteFileAtomic(devicePath, bytes.data(), bytes.size());
}

void LoadedFile::Take(const std::string& bytes, size_t nConsumed) {
    consumed = nConsumed;
    unread = bytes.substr(nConsumed);
}

BOOL RewriteLibraryFile(LPCTSTR devicePath, const CString& text, LoadedFile& loaded) {
    std::string bytes;
    std::string tail = loaded.unread;
    // The file as it stands now: its bytes beyond what was loaded are the
    // unread rest and whatever was appended since.
    if (ReadFileBytes(devicePath, bytes) && bytes.size() > loaded.consumed)
        tail = bytes.substr(loaded.consumed);
    std::string body = quorvel::ToGbk(text.GetString(), static_cast<size_t>(text.GetLength()));
    const size_t bodySize = body.size();
    body += tail;
    if (!quorvel::WriteFileAtomic(devicePath, body.data(), body.size())) return FALSE;
    loaded.consumed = bodySize;
    loaded.unread = tail;
    return TRUE;
}

BOOL WriteLibraryFileWithRest(LPCTSTR devicePath, const CString& text, LoadedFile& loaded) {
    std::string bytes = quorvel::ToGbk(text.GetString(), static_cast<size_t>(text.GetLength()));
    const size_t bodySize = bytes.size();
    bytes += loaded.unread;
    if (!quorvel::WriteFileAtomic(devicePath, bytes.data(), bytes.size())) return FALSE;
    loaded.consumed = bodySize;
    return TRUE;
}

BOOL ReplaceLibraryFile(LPCTSTR devicePath, const CString& text, LoadedFile& loaded) {
    const std::string body =
        quorvel::ToGbk(text.GetString(), static_cast<size_t>(text.GetLength()));
    if (!quorvel::WriteFileAtomic(devicePath, body.data(), body.size())) return FALSE;
    loaded.consumed = body.size();
    loaded.unread.clear();
    return TRUE;
}

}  // namespace pointdata
