// The reading and writing rules of the point libraries' text files.
//
// Reading: the rule of StoredLines.h applied to the bytes, so that a
// reading can tell how many bytes it took: the bytes are cut at each LF, each line turned from the
// device code page into wide text and its last character (the CR) dropped; the first empty line
// ends the reading, and text after the last LF is not read. What a reading did not take (from that
// empty line, or an unterminated last line, to the end) is reported as the number of bytes it
// consumed, so that a library rewriting the file can keep those bytes after its own lines: rows the
// user never saw are never dropped.
//
// Writing: the whole text goes to the code page at once and replaces the
// file atomically; a failure leaves the old file as it was.
#pragma once

#include <string>
#include <vector>

#include "platform/base/CString.h"

namespace pointdata {

// The number at the start of a text as the device's C library reads it
// (leading blanks skipped, decimal forms only, the rest ignored); 0 when
// there is none or it is not finite ("1e400", "nan", "inf", "0x1p3"), so
// that no infinity or NaN reaches a calculation or a stored record.
double ReadNumber(const CString& text);

struct StoredText {
    std::vector<CString> lines;  // CR dropped
    size_t consumed = 0;         // bytes of the lines taken, LFs included
};

StoredText SplitLibraryText(const char* data, size_t size, size_t maxLines = SIZE_MAX);

// The whole file; FALSE when it cannot be opened or read.
BOOL ReadFileBytes(LPCTSTR devicePath, std::string& bytes);

// The first `count` comma fields of a line (missing ones empty), as
// StoredField cuts them.
std::vector<CString> SplitFields(const CString& line, size_t count);

// The bytes of the file at `devicePath` from `offset` on: what a reading
// that consumed `offset` bytes left there, lines appended since included.
// Empty when the file is missing or shorter.
std::string UnreadTail(LPCTSTR devicePath, size_t offset);

// The text in the code page, then `tail` unchanged, written atomically.
[[nodiscard]] BOOL WriteLibraryFile(LPCTSTR devicePath, const CString& text,
                                    const std::string& tail = {});

// What a library remembers of the file it loaded: the bytes its reading
// took and the bytes it left.
struct LoadedFile {
    size_t consumed = 0;
    std::string unread;
    // After a reading of `bytes`.
    void Take(const std::string& bytes, size_t nConsumed);
};
// Replaces the library's lines in the file it loaded with `text`, keeping
// after them what the loading left unread, lines appended since
// included. On success `loaded` describes the new file.
[[nodiscard]] BOOL RewriteLibraryFile(LPCTSTR devicePath, const CString& text, LoadedFile& loaded);
// Writes `text` and then what the loading of another file left unread
// (saving a library under a new name); `loaded` then describes the new
// file.
[[nodiscard]] BOOL WriteLibraryFileWithRest(LPCTSTR devicePath, const CString& text,
                                            LoadedFile& loaded);
// Replaces the whole file with `text` (a file the library did not load);
// on success `loaded` describes the new file.
[[nodiscard]] BOOL ReplaceLibraryFile(LPCTSTR devicePath, const CString& text, LoadedFile& loaded);

}  // namespace pointdata
