// The job's library files written for a test: the pickers read them as
// the program does (<job>.lib, <job>.WGS of the document's job).
#pragma once

#include <string>

#include "app/libraries/LibraryUi.h"
#include "platform/base/TextConv.h"
#include "platform/files/AtomicFile.h"

namespace apptest {

// `text` in the device code page as <job>.<ext>.
inline bool WriteJobLibrary(LPCTSTR ext, const CString& text) {
    const std::string bytes = quorvel::ToGbk(text.GetString());
    return quorvel::WriteFileAtomic(libraries::JobFilePath(ext), bytes.data(), bytes.size());
}

}  // namespace apptest
