#include "app/postproc/PostProcText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "app/convert/ConvertText.h"
#include "app/postproc/FormatFile.h"
#include "platform/base/Thread.h"

namespace postproc {

namespace {

constexpr int kProcessedFields = 34;
constexpr int kSsdFields = 37;  // the writers read up to field 36; past 33 all are empty
constexpr int kBottomField = 32;
constexpr int kBelowDatumField = 33;

void Append(std::string& out, std::wstring_view field) {
    convert::AppendGbk(out, field);
}

// "%<width>.<decimals>f"; a value that is not finite is written as an empty
// field of that width rather than as "nan" or "inf".
void AppendPadded(std::string& out, double value, int width, int decimals) {
    char text[400];
    char* end = text;
    if (std::isfinite(value))
        end =
            std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    const int length = static_cast<int>(end - text);
    if (length < width) out.append(static_cast<size_t>(width - length), ' ');
    out.append(text, end);
}

// Fields first..last of a line, each followed by ",". Fields the line has
// stand in it already joined by their commas, and go in one piece.
void AppendFieldsOf(std::string_view line, const std::string_view* f, int first, int last,
                    std::string& out) {
    const char* begin = f[first].data();
    const char* end = f[last].data() + f[last].size();
    if (f[last].data() != nullptr && begin >= line.data() && end <= line.data() + line.size()) {
        out.append(begin, end);
        out += ',';
        return;
    }
    for (int i = first; i <= last; ++i) {
        out += f[i];
        out += ',';
    }
}

// The recompute of one line, its text fields copied byte for byte; false
// (nothing written) when the line is to stay as it is.
bool RewriteLine(std::string_view line, convert::CGridChain& chain, std::string& out) {
    std::string_view f[kRawFields];
    convert::CutFields(line, f, kRawFields);
    bool bLat = false;
    bool bLon = false;
    const double lat = convert::FieldNumber(f[3], &bLat);
    const double lon = convert::FieldNumber(f[4], &bLon);
    if (!bLat || !bLon) return false;
    double x = 0.0;
    double y = 0.0;
    double h = 0.0;
    chain.ToGrid(lat, lon, convert::FieldNumber(f[5]), x, y, h);
    h -= convert::FieldNumber(f[6]);
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(h)) return false;
    AppendFieldsOf(line, f, 0, 6, out);
    for (double value : {x, y, h}) {
        convert::AppendFixed(out, value, 3);
        out += ',';
    }
    AppendFieldsOf(line, f, 10, kRawFields - 1, out);
    convert::AppendLineEnd(out);
    return true;
}

// The lines of `bytes` recomputed into `out`, every line that stays as it
// is copied with its line end; returns where the reader stopped.
size_t RewriteLines(std::string_view bytes, convert::CGridChain& chain, std::string& out) {
    convert::CLineReader reader(bytes);
    std::string_view line;
    size_t start = 0;
    while (reader.NextBytes(line)) {
        const size_t end = reader.Rest();
        if (!RewriteLine(line, chain, out)) out.append(bytes.substr(start, end - start));
        start = end;
    }
    return reader.Rest();
}

// Where the line reader stops: the first empty line, or the text after the
// last LF.
size_t ReachedEnd(std::string_view bytes) {
    convert::CLineReader reader(bytes);
    std::string_view line;
    while (reader.NextBytes(line)) {
    }
    return reader.Rest();
}

// A large file is cut at line ends into parts that workers recompute side
// by side; the parts' outputs, joined in order, are the bytes one pass
// would write.
constexpr size_t kPartBytes = 8 << 20;
constexpr int kMaxParts = 4;

struct Part {
    std::string_view bytes;
    convert::CGridChain chain;
    std::string out;
};

// The worker's chain and output live on its own stack: parts lie side by
// side in memory, and one part's output growing on a cache line another
// worker reads would make the workers wait on each other.
DWORD RewritePart(LPVOID arg) {
    Part& part = *static_cast<Part*>(arg);
    convert::CGridChain chain = part.chain;
    std::string out;
    out.reserve(part.bytes.size() + part.bytes.size() / 8);
    RewriteLines(part.bytes, chain, out);
    part.out = std::move(out);
    return 0;
}

std::vector<std::string_view> CutIntoParts(std::string_view bytes) {
    const int count = static_cast<int>(std::min<size_t>(bytes.size() / kPartBytes + 1, kMaxParts));
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (int i = 1; i <= count && start < bytes.size(); ++i) {
        size_t end = bytes.size() * i / count;
        if (i < count) {
            const size_t lf = bytes.find('\n', std::max(end, start));
            end = lf == std::string_view::npos ? bytes.size() : lf + 1;
        }
        parts.push_back(bytes.substr(start, end - start));
        start = end;
    }
    return parts;
}

std::wstring Wide(const CString& text) {
    return std::wstring(text.GetString(), static_cast<size_t>(text.GetLength()));
}

double Number(std::wstring_view field) {
    return convert::FieldNumber(field);
}

void AppendTrack(std::string& out, const CArray<CString>& records) {
    out += "TRACK\r\n";
    std::wstring_view f[kSsdFields];
    std::wstring line;
    if (records.IsEmpty()) {
        out += ",,\r\n";
    } else {
        line = Wide(records[0]);
        convert::CutFields(line, f, kSsdFields);
        Append(out, f[1]);
        out += ',';
        Append(out, f[2]);
        out += ",\r\n";
    }
    for (int i = 0; i < records.GetSize(); ++i) {
        line = Wide(records[i]);
        convert::CutFields(line, f, kSsdFields);
        for (int field : {0, 2, 7, 8, 13, 16}) {
            Append(out, f[field]);
            out += ',';
        }
        out += ",,";
        Append(out, f[9]);
        convert::AppendLineEnd(out);
    }
}

}  // namespace

void RewriteRawParts(const std::string& bytes, const convert::CGridChain& chain,
                     std::vector<std::string>& pieces) {
    const size_t reached = ReachedEnd(bytes);
    std::vector<Part> parts;
    for (std::string_view piece : CutIntoParts(std::string_view(bytes).substr(0, reached)))
        parts.push_back(Part{piece, chain, std::string()});
    std::vector<HANDLE> workers;
    for (size_t i = 1; i < parts.size(); ++i) {
        HANDLE worker = CreateThread(nullptr, 0, RewritePart, &parts[i], 0, nullptr);
        if (worker == nullptr)
            RewritePart(&parts[i]);
        else
            workers.push_back(worker);
    }
    if (!parts.empty()) RewritePart(&parts[0]);
    for (HANDLE worker : workers) {
        WaitForSingleObject(worker, INFINITE);
        CloseHandle(worker);
    }
    for (Part& part : parts) pieces.push_back(std::move(part.out));
    pieces.emplace_back(bytes, reached, std::string::npos);
}

void RewriteRawText(const std::string& bytes, const convert::CGridChain& chain, std::string& out) {
    std::vector<std::string> pieces;
    RewriteRawParts(bytes, chain, pieces);
    for (const std::string& piece : pieces) out += piece;
}

void CollectStoredLines(const std::string& bytes, CArray<CString>& records) {
    convert::CLineReader reader(bytes);
    std::string_view line;
    std::string_view f[kStoredFlagField + 1];
    std::wstring wide;
    while (reader.NextBytes(line)) {
        convert::CutFields(line, f, kStoredFlagField + 1);
        if (f[kStoredFlagField] != "1") continue;
        wide.clear();
        convert::AppendWide(wide, line);
        records.Add(CString(wide.c_str()));
    }
}

CString ProcessedRecord(const CString& record, double depthDatum) {
    const std::wstring line = Wide(record);
    std::wstring_view f[kRawFields];
    convert::CutFields(line, f, kRawFields);
    std::wstring out;
    out.reserve(line.size() + 40);
    for (const std::wstring_view& field : f) {
        out += field;
        out += L',';
    }
    const double bottom = Number(f[9]) - Number(f[20]);
    for (double value : {bottom, depthDatum - bottom}) {
        std::string text;
        if (std::isfinite(value)) convert::AppendFixed(text, value, 3);
        out.append(text.begin(), text.end());
        out += L',';
    }
    return CString(out.c_str());
}

std::string SsdText(const CArray<CString>& records, bool bDepthColumns) {
    std::string out;
    std::wstring_view f[kSsdFields];
    std::wstring line;
    for (int i = 0; i < records.GetSize(); ++i) {
        line = Wide(records[i]);
        convert::CutFields(line, f, kSsdFields);
        Append(out, f[0]);
        out += ",    ,";
        AppendPadded(out, Number(f[8]), 15, 3);
        out += ',';
        AppendPadded(out, Number(f[7]), 15, 3);
        out += ',';
        AppendPadded(out, Number(f[kBelowDatumField]), 10, 3);
        out += ',';
        AppendPadded(out, Number(f[kBottomField]), 10, 3);
        if (bDepthColumns) {
            // The eighth value: a field 36 that no record has, less the depth.
            out += ',';
            AppendPadded(out, Number(f[20]), 10, 3);
            out += ',';
            AppendPadded(out, Number(f[36]) - Number(f[20]), 10, 3);
        }
        convert::AppendLineEnd(out);
    }
    AppendTrack(out, records);
    return out;
}

std::string DatText(const CArray<CString>& records, int field) {
    std::string out;
    std::wstring_view f[kProcessedFields];
    std::wstring line;
    for (int i = 0; i < records.GetSize(); ++i) {
        line = Wide(records[i]);
        convert::CutFields(line, f, kProcessedFields);
        for (int k : {0, 8, 7, field}) {
            Append(out, f[k]);
            out += ',';
        }
        out += "00000000\r\n";
    }
    return out;
}

std::string CustomText(const CArray<CString>& records, const CString& separator,
                       const std::vector<int>& indexes) {
    std::string sep;
    Append(sep, std::wstring_view(separator.GetString(), separator.GetLength()));
    std::string out;
    std::wstring_view f[kProcessedFields];
    std::wstring line;
    for (int i = 0; i < records.GetSize(); ++i) {
        line = Wide(records[i]);
        convert::CutFields(line, f, kProcessedFields);
        for (size_t k = 0; k < indexes.size(); ++k) {
            if (k > 0) out += sep;
            const int field = kVocabularyField[indexes[k]];
            if (field < 0)
                convert::AppendLineEnd(out);
            else
                Append(out, f[field]);
        }
        convert::AppendLineEnd(out);
    }
    return out;
}

}  // namespace postproc
