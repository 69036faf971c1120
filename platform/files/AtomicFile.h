// Whole-file replacement that never leaves a torn file.
//
// The new content goes to a temporary file in the target's folder, is synced,
// and is renamed over the target; the folder is synced afterwards. A reader,
// or the next start after a power loss or a kill, sees either the complete
// old file or the complete new one. On any failure the original stays as it
// was, the temporary is removed, and the caller gets FALSE with GetLastError
// set. A target that is a folder (ERROR_ACCESS_DENIED) or whose folder does
// not exist (ERROR_PATH_NOT_FOUND) fails at once. An existing target keeps its
// host permissions.
//
// A process killed between creating and renaming its temporary leaves that
// temporary behind: a hidden host file named ".~qv<random>.tmp".
#pragma once

#include <memory>

#include "platform/base/WinTypes.h"

namespace quorvel {

namespace files {
class HostAtomicWriter;
}

[[nodiscard]] BOOL WriteFileAtomic(LPCTSTR devicePath, const void* data, size_t size);

class CAtomicFileWriter {
  public:
    CAtomicFileWriter();
    CAtomicFileWriter(const CAtomicFileWriter&) = delete;
    CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;
    ~CAtomicFileWriter();  // aborts when not committed

    [[nodiscard]] BOOL Open(LPCTSTR devicePath);
    // FALSE once any write has failed; the failure is also kept for Commit.
    [[nodiscard]] BOOL Write(const void* data, size_t size);
    // Replaces the target; FALSE (target untouched) after any failure.
    [[nodiscard]] BOOL Commit();
    void Abort();

  private:
    std::unique_ptr<files::HostAtomicWriter> m_writer;
};

}  // namespace quorvel
