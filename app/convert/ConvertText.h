// The text rules of the files the conversions read and write.
//
// Reading: a file is read whole as 8-bit text in the device code page and
// cut at each LF; a line is the text before its LF less the one character
// before the LF (the CR of the CR LF this program writes; a file with bare
// LF line ends loses a real character each line). The first empty line ends
// the file, and text after the last LF is never a line. Lines are decoded
// one at a time from the bytes: an LF byte is never part of a two-byte
// character, so the result is the decoding of the whole text cut at its LFs,
// and the cutting stays linear in the file size.
//
// Fields: a line is cut at commas into a fixed number of fields; fields the
// line does not have are empty, and a line with more keeps its extra text
// out of the last field. A field read as a number takes the number at its
// start as the device's C library reads it; text that is no number, and a
// number that is not finite ("1e999"), read as 0.
//
// Writing: output is built as 8-bit text in the device code page, every
// line whole with CR LF.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/CString.h"

namespace convert {

class CLineReader {
  public:
    explicit CLineReader(std::string_view bytes) : m_bytes(bytes) {}
    // The next line; FALSE at the first empty line or when no LF is left.
    bool Next(std::wstring& line);
    // The same lines as 8-bit text, undecoded: a line that ends with the CR
    // LF this program writes is the bytes before the CR; any other line is
    // decoded, loses its last character and is encoded again. The view
    // lasts until the next call.
    bool NextBytes(std::string_view& line);
    // The offset of the first byte that no line given by Next came from:
    // after the last line, where the first empty line or the text without
    // an LF begins.
    size_t Rest() const { return m_rest; }

  private:
    std::string_view m_bytes;
    size_t m_next = 0;
    size_t m_rest = 0;
    std::string m_scratch;
    bool m_ended = false;
};

// Cuts `line` into `count` fields. The views point into `line`.
void CutFields(const std::wstring& line, std::wstring_view* fields, int count);
// The same on 8-bit text (a comma byte is never part of a two-byte
// character).
void CutFields(std::string_view line, std::string_view* fields, int count);

// The number at the start of a field cut from a line (the field ends at a
// comma or at the line's end, where reading stops anyway); 0 when there is
// none or it is not finite.
double FieldNumber(std::wstring_view field);
// The same on a field of 8-bit text; `bNumber` (when given) tells whether
// a finite number starts the field at all.
double FieldNumber(std::string_view field, bool* bNumber = nullptr);
// The number at the start of any text, copied first so that nothing after
// the view is read.
double TextNumber(std::wstring_view text);
// The integer at the start of the text (base 10, the device's 32-bit long,
// clamped).
long TextInteger(std::wstring_view text);

// A "Rem " header line of the raw RTK files.
bool IsRemark(const std::wstring& line);

// Appends text in the device code page; characters it cannot hold become
// "?".
void AppendGbk(std::string& out, std::wstring_view text);
// Appends 8-bit text in the device code page, decoded.
void AppendWide(std::wstring& out, std::string_view bytes);
// "%.<decimals>f" as the C library prints it in the "C" locale; nothing for
// a value that is not finite.
void AppendFixed(std::string& out, double value, int decimals);
inline void AppendLineEnd(std::string& out) {
    out += "\r\n";
}

// Whether two device paths name one file as the device's file system
// resolves them (letter case and doubled separators do not matter, nor a
// link between them). A path that names no file is never the same.
BOOL SameDeviceFile(const CString& first, const CString& second);

}  // namespace convert
