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

// Resolves a path whose entry is to be made or replaced.
bool ResolveTarget(LPCTSTR path, ResolvedPath& out) {
    if (!quorvel::files::ResolveOrFail(path, false, out)) return false;
    if (out.blocked) SetLastError(ERROR_ACCESS_DENIED);
    return !out.blocked;
}

[[nodiscard]] DWORD CopyContents(const ResolvedPath& from, const ResolvedPath& to) {
    const quorvel::files::UniqueFd in = quorvel::files::OpenBeneath(
        from.root.Get(), from.Relative(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (!in.Valid()) return ErrorFromErrno(errno);
    struct stat st {};
    if (::fstat(in.Get(), &st) != 0) return ErrorFromErrno(errno);
    if (!S_ISREG(st.st_mode)) return ERROR_ACCESS_DENIED;
    quorvel::files::HostAtomicWriter writer;
    DWORD err = writer.Open(to.folder.Get(), to.name);
    char buffer[65536];
    while (err == ERROR_SUCCESS) {
        const ssize_t n = ::read(in.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) err = ErrorFromErrno(errno);
        if (n <= 0) break;
        err = writer.Write(buffer, static_cast<size_t>(n));
    }
    if (err == ERROR_SUCCESS) err = writer.Commit();
    return err;
}

// Renames within open folders, refusing to replace an existing target.
[[nodiscard]] int RenameNoReplace(int fromFolder, const std::string& from, int toFolder,
                                  const std::string& to) {
    if (::renameat2(fromFolder, from.c_str(), toFolder, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) return -1;
    // File systems without RENAME_NOREPLACE: check, then rename.
    struct stat st {};
    if (::fstatat(toFolder, to.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::renameat(fromFolder, from.c_str(), toFolder, to.c_str());
}

}  // namespace

DWORD GetFileAttributes(LPCTSTR path) {
    ResolvedPath resolved;
    if (!ResolveExisting(path, resolved)) return INVALID_FILE_ATTRIBUTES;
    return quorvel::files::AttributesOf(resolved.mode, resolved.name);
}

BOOL CreateDirectory(LPCTSTR path, LPVOID /*securityAttributes*/) {
    ResolvedPath resolved;
    if (!ResolveTarget(path, resolved)) return FALSE;
    if (resolved.exists) return Fail(ERROR_ALREADY_EXISTS);
    if (::mkdirat(resolved.folder.Get(), resolved.name.c_str(), 0777) != 0) return FailErrno();
    return TRUE;
}

BOOL RemoveDirectory(LPCTSTR path) {
    ResolvedPath resolved;
    if (!ResolveExisting(path, resolved)) return FALSE;
    if (resolved.name.empty()) return Fail(ERROR_ACCESS_DENIED);
    if (!resolved.isDirectory) return Fail(ERROR_DIRECTORY);
    if (::unlinkat(resolved.folder.Get(), resolved.name.c_str(), AT_REMOVEDIR) != 0) {
        return Fail(errno == EEXIST ? ERROR_DIR_NOT_EMPTY : ErrorFromErrno(errno));
    }
    return TRUE;
}

BOOL DeleteFile(LPCTSTR path) {
    ResolvedPath resolved;
    if (!ResolveExisting(path, resolved)) return FALSE;
    if (resolved.isDirectory) return Fail(ERROR_ACCESS_DENIED);
    if (::unlinkat(resolved.folder.Get(), resolved.name.c_str(), 0) != 0) return FailErrno();
    return TRUE;
}

BOOL CopyFile(LPCTSTR source, LPCTSTR target, BOOL failIfExists) {
    ResolvedPath from;
    ResolvedPath to;
    if (!ResolveExisting(source, from)) return FALSE;
    if (from.isDirectory) return Fail(ERROR_ACCESS_DENIED);
    if (!ResolveTarget(target, to)) return FALSE;
    if (to.exists && failIfExists) return Fail(ERROR_FILE_EXISTS);
    if (to.isDirectory) return Fail(ERROR_ACCESS_DENIED);
    if (to.exists && to.Relative() == from.Relative()) return Fail(ERROR_SHARING_VIOLATION);
    const DWORD err = CopyContents(from, to);
    return err == ERROR_SUCCESS ? TRUE : Fail(err);
}

BOOL MoveFile(LPCTSTR source, LPCTSTR target) {
    ResolvedPath from;
    ResolvedPath to;
    if (!ResolveExisting(source, from)) return FALSE;
    if (from.name.empty()) return Fail(ERROR_ACCESS_DENIED);
    if (!ResolveTarget(target, to)) return FALSE;
    const int fromFolder = from.folder.Get();
    if (to.exists) {
        // The same entry under another letter case is a rename to the new
        // spelling; any other existing target is refused.
        if (to.Relative() != from.Relative()) return Fail(ERROR_ALREADY_EXISTS);
        std::string spelling;
        if (!quorvel::files::WideToUtf8(to.leaf, spelling)) return Fail(ERROR_INVALID_NAME);
        if (spelling == from.name) return TRUE;
        if (RenameNoReplace(fromFolder, from.name, to.folder.Get(), spelling) != 0) {
            return FailErrno();
        }
        return TRUE;
    }
    if (RenameNoReplace(fromFolder, from.name, to.folder.Get(), to.name) != 0) {
        return Fail(errno == EEXIST ? ERROR_ALREADY_EXISTS : ErrorFromErrno(errno));
    }
    return TRUE;
}
