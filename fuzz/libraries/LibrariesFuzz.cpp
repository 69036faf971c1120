// Fuzz target: every reader of the point libraries on the same arbitrary
// file contents. The reading never takes more bytes than there are and
// reads its own consumed part alike; each format's lines survive being
// written and read again unchanged after one pass (characters the code
// page cannot hold become "?" on the first write); no number read is
// infinite or NaN; and a rewrite of the file keeps byte for byte what the
// reading left.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/FuzzRoot.h"
#include "platform/base/TextConv.h"
#include "pointdata/ControlPoints.h"
#include "pointdata/LibraryFiles.h"
#include "pointdata/LibraryText.h"

namespace {

using namespace pointdata;

const quorvel::fuzz::CFuzzRoot& Root() {
    static const quorvel::fuzz::CFuzzRoot root("libraries");
    return root;
}

void Require(bool condition) {
    if (!condition) std::abort();
}

void Finite(double value) {
    Require(std::isfinite(value));
}

std::vector<CString> Lines(const CString& text) {
    const std::string bytes =
        quorvel::ToGbk(text.GetString(), static_cast<size_t>(text.GetLength()));
    return SplitLibraryText(bytes.data(), bytes.size()).lines;
}

// Written, read, written again: the second text equals the first.
template <class Parse, class Format>
void RoundTrip(const std::vector<CString>& lines, Parse parse, Format format) {
    using Row = decltype(parse(CString()));
    std::vector<Row> rows;
    for (const CString& line : lines) rows.push_back(parse(line));
    const CString once = format(rows);
    std::vector<Row> again;
    for (const CString& line : Lines(once)) again.push_back(parse(line));
    const CString twice = format(again);
    std::vector<Row> third;
    for (const CString& line : Lines(twice)) third.push_back(parse(line));
    Require(format(third) == twice);
}

void CheckFormats(const std::vector<CString>& lines) {
    for (const CString& line : lines) {
        const NumberedPoint p = ParseLibLine(line);
        Finite(p.x + p.y + p.h);
        const LineRecord l = ParseLnbLine(line);
        Finite(l.start.dX + l.start.dY + l.start.dH + l.end.dX + l.end.dY + l.end.dH + l.chainage);
        RtkPoint r;
        if (ParseRtkLine(line, r)) Finite(r.lat + r.lon + r.height + r.antenna);
        const OrgPoint o = ParseOrgLine(line);
        Finite(o.geoHeight + o.antenna);
        Require(ParseCotLine(line).size() == kCotFields);
    }
    auto lib = [](const std::vector<NumberedPoint>& rows) {
        std::vector<NumberedPoint> raw, other;
        for (const NumberedPoint& p : rows) (p.number == 1 ? raw : other).push_back(p);
        return FormatLib(raw, other);
    };
    RoundTrip(lines, ParseLibLine, lib);
    RoundTrip(lines, ParsePtbLine, FormatPtb);
    RoundTrip(lines, ParseDatLine, FormatDat);
    RoundTrip(lines, ParseWgsLine, FormatWgs);
    RoundTrip(lines, ParseLnbLine, FormatLnb);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    const StoredText text = SplitLibraryText(bytes, size);
    Require(text.consumed <= size);
    const StoredText consumed = SplitLibraryText(bytes, text.consumed);
    Require(consumed.lines.size() == text.lines.size() && consumed.consumed == text.consumed);
    Require(SplitLibraryText(bytes, size, kMaxControlRows).lines.size() <= kMaxControlRows);
    CheckFormats(text.lines);

    // The file rewritten with other lines keeps what the reading left.
    Root().Store("fuzz.lib", data, size);
    std::string stored;
    Require(ReadFileBytes(L"\\fuzz.lib", stored) && stored.size() == size);
    LoadedFile loaded;
    loaded.Take(stored, text.consumed);
    const CString lines = L"0,A,1.000,2.000,3.000,c\r\n";
    Require(RewriteLibraryFile(L"\\fuzz.lib", lines, loaded));
    std::string after;
    Require(ReadFileBytes(L"\\fuzz.lib", after));
    Require(after == "0,A,1.000,2.000,3.000,c\r\n" + stored.substr(text.consumed));
    return 0;
}
