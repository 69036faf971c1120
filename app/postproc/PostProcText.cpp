#include "app/postproc/PostProcText.h"

#include <charconv>
#include <cmath>

#include "app/convert/ConvertText.h"
#include "app/postproc/FormatFile.h"
#include "platform/base/Parse.h"

namespace postproc {

namespace {

constexpr int kProcessedFields = 34;
constexpr int kSsdFields = 37;  // the writers read up to field 36; past 33 all are empty
constexpr int kBottomField = 32;
constexpr int kBelowDatumField = 33;

// A field holds a number when one starts it (as the C library reads it)
// and that number is finite.
bool IsNumber(std::wstring_view field) {
    if (field.empty()) return false;
    wchar_t* end = nullptr;
    const double value = wcstod_c(field.data(), &end);
    return end != field.data() && end <= field.data() + field.size() && std::isfinite(value);
}

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

bool RewriteLine(const std::wstring& line, convert::CGridChain& chain, std::string& out) {
    std::wstring_view f[kRawFields];
    convert::CutFields(line, f, kRawFields);
    if (!IsNumber(f[3]) || !IsNumber(f[4])) return false;
    double x = 0.0;
    double y = 0.0;
    double h = 0.0;
    chain.ToGrid(convert::FieldNumber(f[3]), convert::FieldNumber(f[4]), convert::FieldNumber(f[5]),
                 x, y, h);
    h -= convert::FieldNumber(f[6]);
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(h)) return false;
    for (int i = 0; i <= 6; ++i) {
        Append(out, f[i]);
        out += ',';
    }
    for (double value : {x, y, h}) {
        convert::AppendFixed(out, value, 3);
        out += ',';
    }
    for (int i = 10; i < kRawFields; ++i) {
        Append(out, f[i]);
        out += ',';
    }
    convert::AppendLineEnd(out);
    return true;
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

void RewriteRawText(const std::string& bytes, convert::CGridChain& chain, std::string& out) {
    convert::CLineReader reader(bytes);
    std::wstring line;
    size_t start = 0;
    while (reader.Next(line)) {
        const size_t end = reader.Rest();
        if (!RewriteLine(line, chain, out)) out.append(bytes, start, end - start);
        start = end;
    }
    out.append(bytes, reader.Rest(), std::string::npos);
}

void CollectStoredLines(const std::string& bytes, CArray<CString>& records) {
    convert::CLineReader reader(bytes);
    std::wstring line;
    std::wstring_view f[kStoredFlagField + 1];
    while (reader.Next(line)) {
        convert::CutFields(line, f, kStoredFlagField + 1);
        if (f[kStoredFlagField] == L"1") records.Add(CString(line.c_str()));
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
