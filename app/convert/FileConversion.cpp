#include "app/convert/FileConversion.h"

#include "app/DeviceFiles.h"
#include "app/convert/ConvertText.h"
#include "platform/files/AtomicFile.h"

namespace convert {

namespace {

// Output is handed to the file in pieces of about this size, so a million
// lines never sit in memory twice.
constexpr size_t kChunk = 1 << 20;

}  // namespace

void ConvertText(const std::string& bytes, CLineConverter& converter, std::string& out) {
    CLineReader reader(bytes);
    std::wstring line;
    while (reader.Next(line)) converter.ConvertLine(line, out);
    converter.Finish(out);
}

ConvertStatus ConvertFile(const CString& source, const CString& target, CLineConverter& converter,
                          EmptyOutput empty) {
    std::string bytes;
    if (!ReadWholeDeviceFile(source, bytes)) return ConvertStatus::kNoSource;
    if (SameDeviceFile(source, target)) return ConvertStatus::kSameFile;
    const BOOL existed = DeviceFileExists(target);
    quorvel::CAtomicFileWriter writer;
    if (!writer.Open(target)) return ConvertStatus::kTargetFailed;

    std::string out;
    out.reserve(kChunk + 4096);
    CLineReader reader(bytes);
    std::wstring line;
    while (reader.Next(line)) {
        converter.ConvertLine(line, out);
        if (out.size() < kChunk) continue;
        if (!writer.Write(out.data(), out.size())) return ConvertStatus::kTargetFailed;
        out.clear();
    }
    converter.Finish(out);
    if (converter.Counted() == 0 && empty == EmptyOutput::kKeepTarget && existed) {
        writer.Abort();
        return ConvertStatus::kKeptTarget;
    }
    if (!out.empty() && !writer.Write(out.data(), out.size())) return ConvertStatus::kTargetFailed;
    return writer.Commit() ? ConvertStatus::kWritten : ConvertStatus::kTargetFailed;
}

}  // namespace convert
