// Host-side plumbing shared by the file functions, CFile, the atomic writer
// and the registry. Not part of the program's interface.
#pragma once

#include <string>

#include "platform/base/WinTypes.h"
#include "platform/files/Beneath.h"
#include "platform/files/DevicePath.h"

namespace quorvel::files {

// A device path resolved beneath the device root: the folder that holds the
// entry (open), the entry's host name (existing spelling, or the one given),
// and what is there. The root itself resolves with an empty name.
struct ResolvedPath {
    UniqueFd root;           // the device root
    UniqueFd folder;         // the folder holding the entry, O_PATH
    std::string folderPath;  // that folder relative to the root; "" is the root
    std::string name;        // host name of the last component; empty for the root
    std::wstring leaf;       // the last component as the caller spelled it
    bool exists = false;
    bool isDirectory = false;
    // A host entry of that name that leads nowhere inside the root: a link out
    // of it, round a cycle or to nothing. It is not there for reading, listing
    // or deleting, and its name cannot be taken.
    bool blocked = false;
    unsigned int mode = 0;  // host mode of what the entry leads to, when it exists

    std::string Relative() const { return JoinRelative(folderPath, name); }
    // The host path, for messages and tests: never opened by name.
    std::string Host() const;
};

// Resolves every component but the last strictly; the last may be missing.
// With wildcardLeaf the last component may hold '*' and '?' and is not looked
// up. Returns ERROR_SUCCESS or the error to report.
DWORD Resolve(LPCTSTR devicePath, bool wildcardLeaf, ResolvedPath& out);

// Resolve and then SetLastError on failure; true on success.
bool ResolveOrFail(LPCTSTR devicePath, bool wildcardLeaf, ResolvedPath& out);

// The device's error for a host errno.
DWORD ErrorFromErrno(int err);

// Whole-file replacement of `name` in the open folder `folder`: a temporary
// in the same folder, fsync, rename over the target, fsync of the folder.
// Returns ERROR_SUCCESS or the error; on failure the target is untouched and
// the temporary removed.
[[nodiscard]] DWORD WriteFileAtomicAt(int folder, const std::string& name, const void* data,
                                      size_t size);

// Drops the registry held in memory (Registry.cpp); the device root changed.
void ForgetRegistry();

}  // namespace quorvel::files

namespace quorvel::files {

// File attributes as the device reports them for a host entry.
DWORD AttributesOf(unsigned int hostMode, const std::string& hostName);

// Streaming form of WriteHostFileAtomic. Every call returns ERROR_SUCCESS or
// the error; after an error only Abort (or destruction) is useful.
class HostAtomicWriter {
  public:
    HostAtomicWriter() = default;
    HostAtomicWriter(const HostAtomicWriter&) = delete;
    HostAtomicWriter& operator=(const HostAtomicWriter&) = delete;
    ~HostAtomicWriter() { Abort(); }

    // Starts replacing `name` in the open folder `folder`; an existing target
    // must be a file and its permissions carry over.
    [[nodiscard]] DWORD Open(int folder, const std::string& name);
    [[nodiscard]] DWORD Write(const void* data, size_t size);
    [[nodiscard]] DWORD Commit();
    void Abort();  // removes the temporary; the target stays as it was
    bool IsOpen() const { return m_fd >= 0; }

  private:
    UniqueFd m_folder;
    std::string m_target;
    std::string m_temp;
    int m_fd = -1;
    DWORD m_error = ERROR_SUCCESS;
};

}  // namespace quorvel::files
