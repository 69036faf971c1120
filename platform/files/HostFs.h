// Host-side plumbing shared by the file functions, CFile, the atomic writer
// and the registry. Not part of the program's interface.
#pragma once

#include <string>

#include "platform/base/WinTypes.h"
#include "platform/files/DevicePath.h"

namespace quorvel::files {

// A device path resolved to the host: the folder that holds the entry, the
// entry's host name (existing spelling, or the one given), and whether it
// exists. The root itself resolves with an empty name.
struct ResolvedPath {
    std::string folder;  // host folder, no trailing '/'
    std::string name;    // host name of the last component; empty for the root
    std::wstring leaf;   // the last component as the caller spelled it
    bool exists = false;
    bool isDirectory = false;

    std::string Host() const { return name.empty() ? folder : folder + "/" + name; }
};

// Resolves every component but the last strictly; the last may be missing.
// With wildcardLeaf the last component may hold '*' and '?' and is not looked
// up. Returns ERROR_SUCCESS or the error to report.
DWORD Resolve(LPCTSTR devicePath, bool wildcardLeaf, ResolvedPath& out);

// Resolve and then SetLastError on failure; true on success.
bool ResolveOrFail(LPCTSTR devicePath, bool wildcardLeaf, ResolvedPath& out);

// The device's error for a host errno.
DWORD ErrorFromErrno(int err);

// Whole-file replacement on a host path: a temporary in the same folder,
// fsync, rename over the target, fsync of the folder. Returns ERROR_SUCCESS or
// the error; on failure the target is untouched and the temporary removed.
DWORD WriteHostFileAtomic(const std::string& hostPath, const void* data, size_t size);

// Reads a whole host file; ERROR_SUCCESS or the error.
DWORD ReadHostFile(const std::string& hostPath, std::string& out);

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

    DWORD Open(const std::string& hostPath);
    DWORD Write(const void* data, size_t size);
    DWORD Commit();
    void Abort();  // removes the temporary; the target stays as it was
    bool IsOpen() const { return m_fd >= 0; }

  private:
    std::string m_target;
    std::string m_folder;
    std::string m_temp;
    int m_fd = -1;
    DWORD m_error = ERROR_SUCCESS;
};

}  // namespace quorvel::files
