// The texts of post-processing, from bytes to bytes, without files: the
// rewrite of the raw epoch lines, the stored lines, the processed records
// and the result files' content (PostProcJob.h says what each holds).
// Output is 8-bit text in the device code page with CR LF.
#pragma once

#include <string>
#include <vector>

#include "app/convert/RtkConverter.h"
#include "platform/base/CArray.h"
#include "platform/base/CString.h"

namespace postproc {

inline constexpr int kRawFields = 32;
inline constexpr int kStoredFlagField = 25;

// The raw file's content with every line the reader reaches recomputed
// through copies of `chain` (a large file in parts, side by side), then the
// rest of the bytes unchanged.
void RewriteRawText(const std::string& bytes, const convert::CGridChain& chain, std::string& out);
// The same output as pieces that follow each other, so that the whole never
// has to be joined in memory.
void RewriteRawParts(const std::string& bytes, const convert::CGridChain& chain,
                     std::vector<std::string>& pieces);

// The lines whose field 25 is "1", in file order, appended to `records`.
void CollectStoredLines(const std::string& bytes, CArray<CString>& records);

// The processed form of a raw line: fields 0..31 each followed by ",",
// then the bottom elevation and the datum less it, each "%.3f,".
CString ProcessedRecord(const CString& record, double depthDatum);

// Format 0's file (bDepthColumns: the raw depth and its negation end each
// point line; format 1's .ssd has neither): point lines, "TRACK", the
// first record's date and time, the track lines.
std::string SsdText(const CArray<CString>& records, bool bDepthColumns);
// Format 1's .dat lines: name, east, north, then field `field`.
std::string DatText(const CArray<CString>& records, int field);
// A user-defined format's lines.
std::string CustomText(const CArray<CString>& records, const CString& separator,
                       const std::vector<int>& indexes);

}  // namespace postproc
