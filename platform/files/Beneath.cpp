#include "platform/files/Beneath.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <deque>
#include <vector>

#include "platform/files/DevicePath.h"
#include "platform/files/HostFs.h"

namespace quorvel::files {
namespace {

constexpr int kMaxLinks = 40;  // the kernel's own bound on links in one lookup

enum class Openat2 : int { kUnknown, kMissing, kPresent };
std::atomic<Openat2> g_openat2{Openat2::kUnknown};
std::atomic<bool> g_forceWalk{false};

UniqueFd Fail(int err) {
    errno = err;
    return UniqueFd();
}

long CallOpenat2(int dir, const char* path, int flags, mode_t mode) {
    open_how how{};
    how.flags = static_cast<unsigned long long>(flags);
    how.mode = (flags & O_CREAT) != 0 ? mode : 0;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
    return ::syscall(SYS_openat2, dir, path, &how, sizeof how);
}

// Puts the components of a link's target in front of what is left to walk.
void PushFront(const std::string& target, std::deque<std::string>& todo) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= target.size()) {
        size_t slash = target.find('/', start);
        if (slash == std::string::npos) slash = target.size();
        if (slash > start) parts.push_back(target.substr(start, slash - start));
        start = slash + 1;
    }
    todo.insert(todo.begin(), parts.begin(), parts.end());
}

// When `name` in `dir` is a link now: reads it into `target`, true.
bool ReadIfLink(int dir, const std::string& name, std::string& target, int& err) {
    struct stat st {};
    if (::fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISLNK(st.st_mode)) {
        return false;
    }
    char buffer[PATH_MAX];
    const ssize_t n = ::readlinkat(dir, name.c_str(), buffer, sizeof buffer);
    if (n < 0) {
        err = errno;
    } else if (static_cast<size_t>(n) >= sizeof buffer) {
        err = ENAMETOOLONG;
    } else {
        target.assign(buffer, static_cast<size_t>(n));
        err = target.empty() ? ENOENT : target[0] == '/' ? EXDEV : 0;
    }
    return true;
}

// The lookup done by hand, one component at a time, never following a link
// in an open: every link met is read and its target walked from the folder
// that holds it. `folders` mirrors the way down, so ".." never climbs above
// the root whatever the links on the way.
class Walk {
  public:
    Walk(int root, int flags, mode_t mode) : m_root(root), m_flags(flags), m_mode(mode) {}

    UniqueFd Run(const std::string& relative) {
        PushFront(relative, m_todo);
        while (!m_todo.empty()) {
            const std::string name = std::move(m_todo.front());
            m_todo.pop_front();
            if (name == ".") continue;
            if (name == "..") {
                if (m_folders.empty()) return Fail(EXDEV);
                m_folders.pop_back();
                continue;
            }
            if (const int err = Step(name)) return Fail(err);
            if (m_result.Valid()) return std::move(m_result);
        }
        // The path ended on a folder (the root, ".", "..", or a link to one).
        const int fd = ::openat(Current(), ".", m_flags & ~(O_CREAT | O_EXCL), m_mode);
        return fd >= 0 ? UniqueFd(fd) : Fail(errno);
    }

  private:
    int Current() const { return m_folders.empty() ? m_root : m_folders.back().Get(); }

    // One component: a link is expanded, a folder entered, the last entry
    // opened (into m_result). Returns 0 or the errno.
    int Step(const std::string& name) {
        std::string target;
        int err = 0;
        if (ReadIfLink(Current(), name, target, err)) {
            if (err != 0) return err;
            if (++m_links > kMaxLinks) return ELOOP;
            PushFront(target, m_todo);
            return 0;
        }
        const bool last = m_todo.empty();
        const int flags =
            last ? m_flags | O_NOFOLLOW : O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
        const int fd = ::openat(Current(), name.c_str(), flags, last ? m_mode : 0);
        if (fd >= 0) {
            struct stat st {};
            if (::fstat(fd, &st) == 0 && S_ISLNK(st.st_mode)) {  // O_PATH of a link made meanwhile
                ::close(fd);
                return Retry(name);
            }
            if (last) {
                m_result = UniqueFd(fd);
            } else {
                m_folders.emplace_back(fd);
            }
            return 0;
        }
        err = errno;
        // It may have become a link between the look and the open.
        struct stat st {};
        if ((err == ELOOP || err == ENOTDIR) &&
            ::fstatat(Current(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISLNK(st.st_mode)) {
            return Retry(name);
        }
        return err;
    }

    int Retry(const std::string& name) {
        if (++m_links > kMaxLinks) return ELOOP;
        m_todo.push_front(name);
        return 0;
    }

    int m_root;
    int m_flags;
    mode_t m_mode;
    std::deque<std::string> m_todo;
    std::vector<UniqueFd> m_folders;
    int m_links = 0;
    UniqueFd m_result;
};

}  // namespace

void UniqueFd::Reset(int fd) {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = fd;
}

UniqueFd UniqueFd::Duplicate() const {
    if (m_fd < 0) return UniqueFd();
    return UniqueFd(::fcntl(m_fd, F_DUPFD_CLOEXEC, 0));
}

UniqueFd OpenRoot() {
    const std::string root = GetDeviceRoot();
    if (root.empty()) return Fail(ENOENT);
    const int fd = ::open(root.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return fd >= 0 ? UniqueFd(fd) : Fail(errno);
}

bool KernelResolvesBeneath() {
    Openat2 known = g_openat2.load();
    if (known == Openat2::kUnknown) {
        const long fd = CallOpenat2(AT_FDCWD, ".", O_PATH | O_CLOEXEC, 0);
        // ENOSYS: an old kernel; EPERM: a sandbox that filters the call.
        known =
            (fd < 0 && (errno == ENOSYS || errno == EPERM)) ? Openat2::kMissing : Openat2::kPresent;
        if (fd >= 0) ::close(static_cast<int>(fd));
        g_openat2.store(known);
    }
    return known == Openat2::kPresent;
}

void UseBeneathWalk(bool on) {
    g_forceWalk.store(on);
}

UniqueFd OpenBeneath(int root, const std::string& relative, int flags, mode_t mode) {
    if (root < 0) return Fail(EBADF);
    if (!relative.empty() && relative[0] == '/') return Fail(EXDEV);
    if (!g_forceWalk.load() && KernelResolvesBeneath()) {
        const char* path = relative.empty() ? "." : relative.c_str();
        for (int attempt = 0; attempt < 8; ++attempt) {
            const long fd = CallOpenat2(root, path, flags, mode);
            if (fd >= 0) return UniqueFd(static_cast<int>(fd));
            // EAGAIN: a rename elsewhere raced a ".." check; try again.
            if (errno != EAGAIN) return UniqueFd();
        }
    }
    return Walk(root, flags, mode).Run(relative);
}

std::string JoinRelative(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (name.empty()) return folder;
    return folder + "/" + name;
}

}  // namespace quorvel::files
