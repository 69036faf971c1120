// The user-defined result formats and their file, "dealformat.fmt" in the
// job folder (8-bit text, CR LF):
//   line 1: the current combo index ("%d"; 0 and 1 the fixed formats);
//   then one line a format:
//     name:reserved:separator:COORDSTART:ext:fields
//   with "DEEPSTART:ext:fields" directly after for a format with a depth
//   file; fields are the vocabulary indexes, each written "%d:".
// Reading follows the program's text rules (convert/ConvertText.h): stop at
// the first empty line, text after the last LF is not read. A line without
// "COORDSTART" is skipped. An index that names no combo entry reads as 0.
//
// The vocabulary: 21 field names; index n writes field kVocabularyField[n]
// of a processed record, and index 20 writes a line break.
#pragma once

#include <string>
#include <vector>

#include "app/postproc/PostProcMessages.h"
#include "app/postproc/ResultFormatRecord.h"
#include "platform/base/CArray.h"

namespace postproc {

inline constexpr int kVocabularySize = 21;
inline constexpr int kLineBreakIndex = 20;
// The names shown, in index order.
extern const wchar_t* const kVocabularyNames[kVocabularySize];
// The processed record's field of each index (-1 for the line break).
extern const int kVocabularyField[kVocabularySize];
// The combo's fixed entries, before the user's formats.
inline constexpr int kFixedFormats = 2;
extern const wchar_t* const kFixedFormatNames[kFixedFormats];
inline constexpr const wchar_t* kFormatFileName = L"dealformat.fmt";

// The indexes of a field-index text ("0:7:8:9:"), cut at ":" until the
// first empty part; a part that is no number reads as 0, and numbers
// outside 0..20 are dropped.
std::vector<int> ParseFieldIndexes(const CString& text);

// The file's content into `formats` and `index`; nothing changes for a
// text without lines.
void ParseFormatText(const std::string& bytes, CArray<ResultFormatRecord>& formats, int& index);
std::string FormatFileText(const CArray<ResultFormatRecord>& formats, int index);

// FALSE after the message when the file cannot be read, or cannot be
// replaced whole (the old file then stays as it was).
BOOL ReadFormatFile(const CString& path, CArray<ResultFormatRecord>& formats, int& index,
                    IPostProcMessages& messages);
[[nodiscard]] BOOL WriteFormatFile(const CString& path, const CArray<ResultFormatRecord>& formats,
                                   int index, IPostProcMessages& messages);

}  // namespace postproc
