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
        case EXDEV:  // a link out of the device root
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

std::string ResolvedPath::Host() const {
    const std::string relative = Relative();
    const std::string root = GetDeviceRoot();
    return relative.empty() ? root : root + "/" + relative;
}

}  // namespace quorvel::files

namespace quorvel {

DWORD ReadDeviceRootFile(const std::string& name, std::string& out) {
    out.clear();
    const files::UniqueFd root = files::OpenRoot();
    if (!root.Valid()) return ERROR_PATH_NOT_FOUND;
    files::UniqueFd file = files::OpenBeneath(root.Get(), name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (!file.Valid()) return errno == ENOENT ? ERROR_FILE_NOT_FOUND : files::ErrorFromErrno(errno);
    const int fd = file.Get();
    struct stat st {};
    DWORD err = ERROR_SUCCESS;
    if (::fstat(fd, &st) != 0) {
        err = files::ErrorFromErrno(errno);
    } else if (!S_ISREG(st.st_mode)) {
        err = ERROR_ACCESS_DENIED;
    }
    char buffer[65536];
    while (err == ERROR_SUCCESS) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) err = files::ErrorFromErrno(errno);
        if (n <= 0) break;
        out.append(buffer, static_cast<size_t>(n));
    }
    return err;
}

}  // namespace quorvel
