#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/FileApi.h"
#include "platform/files/HostFs.h"

namespace quorvel::files {

DWORD ErrorFromErrno(int err) {
    switch (err) {
        case 0:
            return ERROR_SUCCESS;
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
            return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case EBUSY:
        case EBADF:
            return ERROR_ACCESS_DENIED;
        case EEXIST:
            return ERROR_ALREADY_EXISTS;
        case ENOTEMPTY:
            return ERROR_DIR_NOT_EMPTY;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return ERROR_DISK_FULL;
        case EMFILE:
        case ENFILE:
            return ERROR_TOO_MANY_OPEN_FILES;
        case ENAMETOOLONG:
            return ERROR_FILENAME_EXCED_RANGE;
        case EINVAL:
            return ERROR_INVALID_PARAMETER;
        case ENOMEM:
            return ERROR_NOT_ENOUGH_MEMORY;
        case ELOOP:
            return ERROR_PATH_NOT_FOUND;
        default:
            return ERROR_GEN_FAILURE;
    }
}

DWORD AttributesOf(unsigned int hostMode, const std::string& hostName) {
    DWORD attributes = 0;
    if (S_ISDIR(hostMode)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if ((hostMode & S_IWUSR) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
    if (!hostName.empty() && hostName[0] == '.') attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
}

DWORD ReadHostFile(const std::string& hostPath, std::string& out) {
    out.clear();
    const int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return ErrorFromErrno(errno);
    struct stat st {};
    DWORD err = ERROR_SUCCESS;
    if (::fstat(fd, &st) != 0) {
        err = ErrorFromErrno(errno);
    } else if (!S_ISREG(st.st_mode)) {
        err = ERROR_ACCESS_DENIED;
    }
    char buffer[65536];
    while (err == ERROR_SUCCESS) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) err = ErrorFromErrno(errno);
        if (n <= 0) break;
        out.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return err;
}

}  // namespace quorvel::files
