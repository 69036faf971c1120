// One whole-file conversion: the source read whole and cut into lines, each
// line handed to a converter, the output written whole to the target.
//
// The target is never written in place: the output goes to a temporary
// file in the target's folder that replaces the target only once it is
// complete, so a failure, a full store or a kill leaves the previous target
// as it was, and a shorter result keeps no old tail. A target that is its
// own source is refused before anything is written, and so is a source that
// cannot be read.
#pragma once

#include <string>

#include "platform/base/CString.h"

namespace convert {

// Turns the lines of one source into output. Counted() is what decides
// between the result and the no-data message: the lines converted or the
// lines written, as the conversion counts them.
class CLineConverter {
  public:
    virtual ~CLineConverter() = default;
    // One line, without its line end; appends its output to `out`.
    virtual void ConvertLine(const std::wstring& line, std::string& out) = 0;
    // After the last line.
    virtual void Finish(std::string& out) { (void)out; }
    virtual int Counted() const = 0;
};

// Every line of `bytes` through `converter`, with Finish; the output in
// `out`.
void ConvertText(const std::string& bytes, CLineConverter& converter, std::string& out);

enum class ConvertStatus {
    kWritten,       // the target holds the complete output
    kKeptTarget,    // nothing counted: the target was left as it was
    kNoSource,      // the source could not be read; nothing written
    kSameFile,      // the target is the source; nothing written
    kTargetFailed,  // the target could not be created, written or replaced
};

// What a conversion that counts nothing does with its target.
enum class EmptyOutput {
    kWrite,       // the output (empty, or a bare header) replaces the target
    kKeepTarget,  // an existing target stays; a missing one is made empty
};

[[nodiscard]] ConvertStatus ConvertFile(const CString& source, const CString& target,
                                        CLineConverter& converter, EmptyOutput empty);

}  // namespace convert
