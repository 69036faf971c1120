#include "platform/files/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>

#include "platform/files/HostFs.h"
#include "platform/files/StoreSpace.h"

namespace quorvel {
namespace files {

namespace {

std::string TempName() {
    static std::atomic<unsigned> counter{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    char name[64];
    std::snprintf(name, sizeof name, ".~qv%x%x%llx.tmp", static_cast<unsigned>(::getpid()),
                  counter.fetch_add(1), static_cast<unsigned long long>(now) & 0xFFFFFFull);
    return name;
}

[[nodiscard]] DWORD WriteAll(int fd, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = WriteWithinStoreSpace(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? ErrorFromErrno(errno) : ERROR_WRITE_FAULT;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return ERROR_SUCCESS;
}

void SyncFolder(int folder) {
    // The rename has happened: the new content is in place whatever this
    // returns, so a folder that cannot be synced is not reported as a failure.
    const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

DWORD HostAtomicWriter::Open(int folder, const std::string& name) {
    Abort();
    struct stat st {};
    if (folder < 0 || ::fstat(folder, &st) != 0 || !S_ISDIR(st.st_mode)) {
        return ERROR_PATH_NOT_FOUND;
    }
    // The entry itself, not where a link would lead: the rename replaces it.
    const bool targetExists = ::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    if (targetExists && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) return ERROR_ACCESS_DENIED;
    m_folder = UniqueFd(::fcntl(folder, F_DUPFD_CLOEXEC, 0));
    if (!m_folder.Valid()) return ErrorFromErrno(errno);
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        m_temp = TempName();
        m_fd = ::openat(m_folder.Get(), m_temp.c_str(),
                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST) break;
    }
    if (m_fd < 0) {
        const DWORD err = ErrorFromErrno(errno);
        m_temp.clear();
        return err;
    }
    if (targetExists && S_ISREG(st.st_mode)) ::fchmod(m_fd, st.st_mode & 07777);
    m_target = name;
    m_error = ERROR_SUCCESS;
    return ERROR_SUCCESS;
}

DWORD HostAtomicWriter::Write(const void* data, size_t size) {
    if (m_fd < 0) return ERROR_INVALID_HANDLE;
    if (m_error != ERROR_SUCCESS) return m_error;
    if (data == nullptr && size > 0) return m_error = ERROR_INVALID_PARAMETER;
    m_error = WriteAll(m_fd, data, size);
    return m_error;
}

DWORD HostAtomicWriter::Commit() {
    if (m_fd < 0) return ERROR_INVALID_HANDLE;
    DWORD err = m_error;
    if (err == ERROR_SUCCESS && ::fsync(m_fd) != 0) err = ErrorFromErrno(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && err == ERROR_SUCCESS) err = ErrorFromErrno(errno);
    if (err == ERROR_SUCCESS &&
        ::renameat(m_folder.Get(), m_temp.c_str(), m_folder.Get(), m_target.c_str()) != 0) {
        err = ErrorFromErrno(errno);
    }
    if (err != ERROR_SUCCESS) {
        Abort();
        return err;
    }
    m_temp.clear();
    SyncFolder(m_folder.Get());
    return ERROR_SUCCESS;
}

void HostAtomicWriter::Abort() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (!m_temp.empty() && m_folder.Valid()) ::unlinkat(m_folder.Get(), m_temp.c_str(), 0);
    m_temp.clear();
}

DWORD WriteFileAtomicAt(int folder, const std::string& name, const void* data, size_t size) {
    HostAtomicWriter writer;
    DWORD err = writer.Open(folder, name);
    if (err == ERROR_SUCCESS) err = writer.Write(data, size);
    if (err == ERROR_SUCCESS) err = writer.Commit();
    return err;
}

}  // namespace files

namespace {

// The target resolved: its folder must exist, the entry may not; a name
// that leads out of the root cannot be taken.
DWORD ResolveTarget(LPCTSTR devicePath, files::ResolvedPath& resolved) {
    if (const DWORD err = files::Resolve(devicePath, false, resolved)) return err;
    if (resolved.name.empty() || resolved.isDirectory || resolved.blocked) {
        return ERROR_ACCESS_DENIED;
    }
    return ERROR_SUCCESS;
}

BOOL Report(DWORD err) {
    if (err != ERROR_SUCCESS) SetLastError(err);
    return err == ERROR_SUCCESS ? TRUE : FALSE;
}

}  // namespace

BOOL WriteFileAtomic(LPCTSTR devicePath, const void* data, size_t size) {
    if (data == nullptr && size > 0) return Report(ERROR_INVALID_PARAMETER);
    files::ResolvedPath resolved;
    DWORD err = ResolveTarget(devicePath, resolved);
    if (err == ERROR_SUCCESS) {
        err = files::WriteFileAtomicAt(resolved.folder.Get(), resolved.name, data, size);
    }
    return Report(err);
}

CAtomicFileWriter::CAtomicFileWriter() : m_writer(std::make_unique<files::HostAtomicWriter>()) {}

CAtomicFileWriter::~CAtomicFileWriter() = default;

BOOL CAtomicFileWriter::Open(LPCTSTR devicePath) {
    m_writer->Abort();
    files::ResolvedPath resolved;
    DWORD err = ResolveTarget(devicePath, resolved);
    if (err == ERROR_SUCCESS) err = m_writer->Open(resolved.folder.Get(), resolved.name);
    return Report(err);
}

BOOL CAtomicFileWriter::Write(const void* data, size_t size) {
    return Report(m_writer->Write(data, size));
}

BOOL CAtomicFileWriter::Commit() {
    return Report(m_writer->Commit());
}

void CAtomicFileWriter::Abort() {
    m_writer->Abort();
}

}  // namespace quorvel
