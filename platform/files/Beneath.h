// Opening host entries strictly beneath the device root.
//
// Every host entry the device file system touches is named by a path
// relative to the device root and opened from a descriptor of the root, so
// that no symbolic link and no ".." inside a link leads outside it. Where the
// kernel offers openat2 with RESOLVE_BENEATH it does the whole lookup itself;
// elsewhere a walk opens one component at a time without following links and
// follows each link by hand under the same rules:
//   - a link's target is taken relative to the folder that holds the link;
//   - an absolute target, or a ".." above the root, is refused (EXDEV), even
//     when the place it names happens to be inside the root;
//   - more than 40 links in one lookup is a cycle (ELOOP).
// Nothing is checked on a path string and then opened again by name: the
// operations that follow (listing, creating, renaming, deleting) work on the
// descriptor of the folder that was opened this way.
#pragma once

#include <sys/types.h>

#include <string>

#include "platform/base/WinTypes.h"

namespace quorvel::files {

class UniqueFd {
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { Reset(); }

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    int Release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    void Reset(int fd = -1);
    UniqueFd Duplicate() const;  // invalid when this is

  private:
    int m_fd = -1;
};

// The device root as an O_PATH descriptor, opened afresh (the root may have
// been replaced since the last call). Invalid with errno set when no root is
// set or it cannot be opened.
UniqueFd OpenRoot();

// Opens `relative` (host names joined by '/'; "" is the root itself) beneath
// `root`, following links only while they stay beneath it. `flags` are open
// flags (with O_PATH only O_DIRECTORY and O_CLOEXEC may go with it); `mode`
// is for O_CREAT. Invalid with errno set on failure: EXDEV when the path
// would leave the root, ELOOP for a cycle.
UniqueFd OpenBeneath(int root, const std::string& relative, int flags, mode_t mode = 0);

// "a" + "b" -> "a/b"; either part may be empty.
std::string JoinRelative(const std::string& folder, const std::string& name);

// Tests: true forces the component walk even where the kernel has openat2.
void UseBeneathWalk(bool on);
// Whether this kernel resolves beneath a folder by itself.
bool KernelResolvesBeneath();

}  // namespace quorvel::files
