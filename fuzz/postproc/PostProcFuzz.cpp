// Fuzz target: arbitrary file contents as a format file and as a raw epoch
// file. The format file gives at most one format a line; the recompute
// keeps every byte it does not reach and writes whole lines only; every
// result text is whole lines, and no "nan" or "inf" reaches any of them.
#include <cstdlib>
#include <string>

#include "app/postproc/FormatFile.h"
#include "app/postproc/PostProcText.h"
#include "app/settings/DefaultRecords.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

bool HoldsNonFiniteText(const std::string& text) {
    return text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
}

CoordSysParams Job() {
    CoordSysParams p;
    FillDefaultParRecord(p);
    p.szdCenter = 117.0;
    p.nNiheMode = 1;
    p.szdNiheA0 = -8.5;
    p.szdNiheA3 = 1e-10;
    return p;
}

void FormatFile(const std::string& bytes) {
    CArray<ResultFormatRecord> formats;
    int index = 7;
    postproc::ParseFormatText(bytes, formats, index);
    Check(formats.GetSize() <= static_cast<int>(bytes.size() / 11 + 1));
    Check(index == 7 || (index >= 0 && index < 2 + formats.GetSize()));
    for (int i = 0; i < formats.GetSize(); ++i) {
        for (int field : postproc::ParseFieldIndexes(formats[i].m_strCoordFields))
            Check(field >= 0 && field < postproc::kVocabularySize);
    }
    postproc::FormatFileText(formats, index);
}

void RawFile(const std::string& bytes) {
    convert::CGridChain chain(Job(), convert::GridShift{}, FALSE);
    std::string out;
    postproc::RewriteRawText(bytes, chain, out);
    // Texts are copied as they stand: only an input without such text
    // proves that no number was written as one.
    const bool clean = !HoldsNonFiniteText(bytes);
    Check(!clean || !HoldsNonFiniteText(out));
    CArray<CString> records;
    postproc::CollectStoredLines(bytes, records);
    CArray<CString> processed;
    for (int i = 0; i < records.GetSize(); ++i)
        processed.Add(postproc::ProcessedRecord(records[i], 1e308));
    for (const std::string& text :
         {postproc::SsdText(processed, true), postproc::DatText(processed, 33),
          postproc::CustomText(processed, L";", {0, 20, 10, 11, 19})}) {
        Check(text.empty() || (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0));
        Check(!clean || !HoldsNonFiniteText(text));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    FormatFile(bytes);
    RawFile(bytes);
    return 0;
}
