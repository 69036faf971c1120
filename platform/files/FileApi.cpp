#include "platform/files/FileApi.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/HostFs.h"
#include "platform/files/HostText.h"

using quorvel::files::ErrorFromErrno;
using quorvel::files::ResolvedPath;

namespace {

BOOL Fail(DWORD err) {
    SetLastError(err);
    return FALSE;
}

BOOL FailErrno() {
    return Fail(ErrorFromErrno(errno));
}

// Resolves a path whose entry must exist.
bool ResolveExisting(LPCTSTR path, ResolvedPath& out) {
    if (!quorvel::files::ResolveOrFail(path, false, out)) return false;
    if (!out.exists) SetLastError(ERROR_FILE_NOT_FOUND);
    return out.exists;
}

DWORD CopyContents(const std::string& from, const std::string& to) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (in < 0) return ErrorFromErrno(errno);
    quorvel::files::HostAtomicWriter writer;
    DWORD err = writer.Open(to);
    char buffer[65536];
    while (err == ERROR_SUCCESS) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) err = ErrorFromErrno(errno);
        if (n <= 0) break;
        err = writer.Write(buffer, static_cast<size_t>(n));
    }
    ::close(in);
    if (err == ERROR_SUCCESS) err = writer.Commit();
    return err;
}

// rename() that refuses to replace an existing target.
int RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return -1;
    // File systems without RENAME_NOREPLACE: check, then rename.
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from.c_str(), to.c_str());
}

}  // namespace

DWORD GetFileAttributes(LPCTSTR path) {
    ResolvedPath resolved;
    if (!ResolveExisting(path, resolved)) return INVALID_FILE_ATTRIBUTES;
    struct stat st {};
    if (::stat(resolved.Host().c_str(), &st) != 0) {
        FailErrno();
        return INVALID_FILE_ATTRIBUTES;
    }
    return quorvel::files::AttributesOf(st.st_mode, resolved.name);
}

BOOL CreateDirectory(LPCTSTR path, LPVOID /*securityAttributes*/) {
    ResolvedPath resolved;
    if (!quorvel::files::ResolveOrFail(path, false, resolved)) return FALSE;
    if (resolved.exists) return Fail(ERROR_ALREADY_EXISTS);
    if (::mkdir(resolved.Host().c_str(), 0777) != 0) return FailErrno();
    return TRUE;
}

BOOL RemoveDirectory(LPCTSTR path) {
    ResolvedPath resolved;
    if (!ResolveExisting(path, resolved)) return FALSE;
    if (resolved.name.empty()) return Fail(ERROR_ACCESS_DENIED);
    if (!resolved.isDirectory) return Fail(ERROR_DIRECTORY);
    if (::rmdir(resolved.Host().c_str()) != 0) {
        return Fail(errno == EEXIST ? ERROR_DIR_NOT_EMPTY : ErrorFromErrno(errno));
    }
    return TRUE;
}

BOOL DeleteFile(LPCTSTR path) {
    ResolvedPath resolved;
    if (!ResolveExisting(path, resolved)) return FALSE;
    if (resolved.isDirectory) return Fail(ERROR_ACCESS_DENIED);
    if (::unlink(resolved.Host().c_str()) != 0) return FailErrno();
    return TRUE;
}

BOOL CopyFile(LPCTSTR source, LPCTSTR target, BOOL failIfExists) {
    ResolvedPath from;
    ResolvedPath to;
    if (!ResolveExisting(source, from)) return FALSE;
    if (from.isDirectory) return Fail(ERROR_ACCESS_DENIED);
    if (!quorvel::files::ResolveOrFail(target, false, to)) return FALSE;
    if (to.exists && failIfExists) return Fail(ERROR_FILE_EXISTS);
    if (to.isDirectory) return Fail(ERROR_ACCESS_DENIED);
    if (to.exists && to.Host() == from.Host()) return Fail(ERROR_SHARING_VIOLATION);
    const DWORD err = CopyContents(from.Host(), to.Host());
    return err == ERROR_SUCCESS ? TRUE : Fail(err);
}

BOOL MoveFile(LPCTSTR source, LPCTSTR target) {
    ResolvedPath from;
    ResolvedPath to;
    if (!ResolveExisting(source, from)) return FALSE;
    if (from.name.empty()) return Fail(ERROR_ACCESS_DENIED);
    if (!quorvel::files::ResolveOrFail(target, false, to)) return FALSE;
    std::string destination = to.Host();
    if (to.exists) {
        // The same entry under another letter case is a rename to the new
        // spelling; any other existing target is refused.
        if (to.Host() != from.Host()) return Fail(ERROR_ALREADY_EXISTS);
        std::string spelling;
        if (!quorvel::files::WideToUtf8(to.leaf, spelling)) return Fail(ERROR_INVALID_NAME);
        if (spelling == from.name) return TRUE;
        if (RenameNoReplace(from.Host(), to.folder + "/" + spelling) != 0) {
            return FailErrno();
        }
        return TRUE;
    }
    if (RenameNoReplace(from.Host(), destination) != 0) {
        return Fail(errno == EEXIST ? ERROR_ALREADY_EXISTS : ErrorFromErrno(errno));
    }
    return TRUE;
}
