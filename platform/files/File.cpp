#include "platform/files/File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/HostFs.h"
#include "platform/files/StoreSpace.h"

using quorvel::files::ErrorFromErrno;

namespace {

int OpenFlagsFor(UINT flags) {
    int result = O_CLOEXEC | O_NONBLOCK;  // non-blocking only until the type is checked
    switch (flags & 0x3) {
        case CFile::modeWrite:
            result |= O_WRONLY;
            break;
        case CFile::modeReadWrite:
            result |= O_RDWR;
            break;
        default:
            result |= O_RDONLY;
            break;
    }
    if (flags & CFile::modeCreate) {
        result |= O_CREAT;
        if ((flags & CFile::modeNoTruncate) == 0) result |= O_TRUNC;
    }
    return result;
}

BOOL FailOpen(DWORD err, LPCTSTR path, CFileException* error) {
    SetLastError(err);
    if (error != nullptr) {
        error->m_cause = CFileException::CauseFromError(err);
        error->m_lOsError = static_cast<LONG>(err);
        error->m_strFileName = path != nullptr ? CString(path) : CString();
    }
    return FALSE;
}

}  // namespace

int CFileException::CauseFromError(DWORD error) {
    switch (error) {
        case ERROR_SUCCESS:
            return none;
        case ERROR_FILE_NOT_FOUND:
            return fileNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_FILENAME_EXCED_RANGE:
            return badPath;
        case ERROR_TOO_MANY_OPEN_FILES:
            return tooManyOpenFiles;
        case ERROR_ACCESS_DENIED:
            return accessDenied;
        case ERROR_INVALID_HANDLE:
            return invalidFile;
        case ERROR_SHARING_VIOLATION:
            return sharingViolation;
        case ERROR_DISK_FULL:
            return diskFull;
        case ERROR_HANDLE_EOF:
            return endOfFile;
        case ERROR_NEGATIVE_SEEK:
            return badSeek;
        case ERROR_WRITE_FAULT:
        case ERROR_READ_FAULT:
            return hardIO;
        default:
            return genericException;
    }
}

CFile::~CFile() {
    Abort();
}

int CFile::Fd() const {
    return static_cast<int>(reinterpret_cast<intptr_t>(m_hFile));
}

BOOL CFile::FailWrite(DWORD error) {
    m_writeError = true;
    SetLastError(error);
    return FALSE;
}

BOOL CFile::Open(LPCTSTR path, UINT flags, CFileException* error) {
    Abort();
    m_writeError = false;
    if (error != nullptr) *error = CFileException{};
    quorvel::files::ResolvedPath resolved;
    if (const DWORD err = quorvel::files::Resolve(path, false, resolved)) {
        return FailOpen(err, path, error);
    }
    if (!resolved.exists && (flags & modeCreate) == 0) {
        return FailOpen(ERROR_FILE_NOT_FOUND, path, error);
    }
    if (resolved.isDirectory || resolved.blocked) return FailOpen(ERROR_ACCESS_DENIED, path, error);
    quorvel::files::UniqueFd file = quorvel::files::OpenBeneath(
        resolved.root.Get(), resolved.Relative(), OpenFlagsFor(flags), 0666);
    if (!file.Valid()) return FailOpen(ErrorFromErrno(errno), path, error);
    struct stat st {};
    if (::fstat(file.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return FailOpen(ERROR_ACCESS_DENIED, path, error);
    }
    const int fd = file.Release();
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    m_hFile = reinterpret_cast<HANDLE>(static_cast<intptr_t>(fd));
    m_strFileName = path;
    return TRUE;
}

UINT CFile::Read(void* buffer, UINT count) {
    if (!IsOpen()) return SetLastError(ERROR_INVALID_HANDLE), 0;
    if (buffer == nullptr && count > 0) return SetLastError(ERROR_INVALID_PARAMETER), 0;
    UINT total = 0;
    while (total < count) {
        const ssize_t n = ::read(Fd(), static_cast<char*>(buffer) + total, count - total);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) SetLastError(ErrorFromErrno(errno));
        if (n <= 0) break;
        total += static_cast<UINT>(n);
    }
    return total;
}

BOOL CFile::Write(const void* buffer, UINT count) {
    if (!IsOpen()) return FailWrite(ERROR_INVALID_HANDLE);
    if (buffer == nullptr && count > 0) return FailWrite(ERROR_INVALID_PARAMETER);
    const char* p = static_cast<const char*>(buffer);
    while (count > 0) {
        const ssize_t n = quorvel::files::WriteWithinStoreSpace(Fd(), p, count);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return FailWrite(ErrorFromErrno(errno));
        if (n == 0) return FailWrite(ERROR_WRITE_FAULT);
        p += n;
        count -= static_cast<UINT>(n);
    }
    return TRUE;
}

void CFile::Flush() {
    if (!IsOpen()) {
        FailWrite(ERROR_INVALID_HANDLE);
        return;
    }
    if (::fsync(Fd()) != 0 && errno != EINVAL) FailWrite(ErrorFromErrno(errno));
}

void CFile::Close() {
    if (!IsOpen()) return;
    if (::close(Fd()) != 0 && errno != EINTR) FailWrite(ErrorFromErrno(errno));
    m_hFile = INVALID_HANDLE_VALUE;
}

void CFile::Abort() {
    if (IsOpen()) ::close(Fd());
    m_hFile = INVALID_HANDLE_VALUE;
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
    if (!IsOpen()) return SetLastError(ERROR_INVALID_HANDLE), static_cast<ULONGLONG>(-1);
    const int whence = from == current ? SEEK_CUR : from == end ? SEEK_END : SEEK_SET;
    const off_t result = ::lseek(Fd(), static_cast<off_t>(offset), whence);
    if (result < 0) {
        SetLastError(errno == EINVAL ? ERROR_NEGATIVE_SEEK : ErrorFromErrno(errno));
        return static_cast<ULONGLONG>(-1);
    }
    return static_cast<ULONGLONG>(result);
}

ULONGLONG CFile::GetPosition() const {
    if (!IsOpen()) return SetLastError(ERROR_INVALID_HANDLE), 0;
    const off_t result = ::lseek(Fd(), 0, SEEK_CUR);
    return result < 0 ? 0 : static_cast<ULONGLONG>(result);
}

ULONGLONG CFile::GetLength() const {
    if (!IsOpen()) return SetLastError(ERROR_INVALID_HANDLE), 0;
    struct stat st {};
    if (::fstat(Fd(), &st) != 0) return SetLastError(ErrorFromErrno(errno)), 0;
    return static_cast<ULONGLONG>(st.st_size);
}

BOOL CFile::SetLength(ULONGLONG length) {
    if (!IsOpen()) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
    if (::ftruncate(Fd(), static_cast<off_t>(length)) != 0) {
        SetLastError(ErrorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}
