#include "platform/files/DevicePath.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <mutex>
#include <vector>

#include "platform/files/HostFs.h"
#include "platform/files/HostText.h"

namespace quorvel {
namespace {

using files::EqualNoCase;
using files::ErrorFromErrno;
using files::JoinRelative;
using files::OpenRoot;

std::mutex g_rootMutex;
std::string g_root;

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool IsBadNameChar(wchar_t c, bool allowWildcards) {
    if (c < 0x20) return true;
    if (allowWildcards && (c == L'*' || c == L'?')) return false;
    return std::wcschr(L"<>:\"|?*", c) != nullptr;
}

// Splits into components, applying "." and ".."; ERROR_SUCCESS or the error.
DWORD SplitPath(LPCTSTR path, bool wildcardLeaf, std::vector<std::wstring>& parts) {
    const size_t length = std::wcslen(path);
    if (length == 0) return ERROR_PATH_NOT_FOUND;
    if (length >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
    std::vector<std::wstring> raw;
    std::wstring current;
    for (size_t i = 0; i <= length; ++i) {
        if (i == length || IsSeparator(path[i])) {
            if (!current.empty()) raw.push_back(current);
            current.clear();
        } else {
            current += path[i];
        }
    }
    for (size_t i = 0; i < raw.size(); ++i) {
        const std::wstring& part = raw[i];
        if (part == L".") continue;
        if (part == L"..") {
            if (parts.empty()) return ERROR_PATH_NOT_FOUND;
            parts.pop_back();
            continue;
        }
        const bool isLeaf = i + 1 == raw.size();
        for (wchar_t c : part) {
            if (IsBadNameChar(c, wildcardLeaf && isLeaf)) return ERROR_INVALID_NAME;
        }
        parts.push_back(part);
    }
    return ERROR_SUCCESS;
}

// An entry found in a folder.
struct Entry {
    std::string name;  // its host spelling
    bool usable = false;
    unsigned int mode = 0;
    files::UniqueFd fd;  // O_PATH of what it leads to, when usable
};

// Opens `name` of the folder at `folderPath` beneath the root. True when a
// host entry of that name is there, usable or not; false with `err` set
// (ERROR_FILE_NOT_FOUND when there is none).
bool Look(int root, int folder, const std::string& folderPath, const std::string& name,
          Entry& entry, DWORD& err) {
    entry = Entry{};
    entry.name = name;
    entry.fd = files::OpenBeneath(root, files::JoinRelative(folderPath, name), O_PATH | O_CLOEXEC);
    struct stat st {};
    if (entry.fd.Valid() && ::fstat(entry.fd.Get(), &st) == 0) {
        entry.usable = true;
        entry.mode = st.st_mode;
        return true;
    }
    entry.fd.Reset();
    // Something is there, but it leads out of the root, round a cycle or to
    // nothing: the entry itself is inside, and only it is looked at.
    if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        entry.mode = st.st_mode;
        return true;
    }
    err = errno == ENOENT ? ERROR_FILE_NOT_FOUND : ErrorFromErrno(errno);
    return false;
}

// Host names in `folder` equal to `name` but for ASCII case, other than
// `name` itself, in byte order. ERROR_SUCCESS or the error.
DWORD OtherSpellings(int folder, const std::string& name, std::vector<std::string>& out) {
    const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (dir == nullptr) {
        const DWORD err = errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno);
        if (fd >= 0) ::close(fd);
        return err;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string candidate = entry->d_name;
        if (candidate == "." || candidate == ".." || candidate == name) continue;
        if (EqualNoCase(candidate, name)) out.push_back(candidate);
    }
    ::closedir(dir);
    std::sort(out.begin(), out.end());
    return ERROR_SUCCESS;
}

// Finds `name` in the open folder, exact spelling first, then folding ASCII
// case; a usable entry wins over one that leads nowhere. Two host entries
// differing only in case: the first in byte order, so that every lookup picks
// the same one. ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, or an error.
DWORD FindEntry(int root, int folder, const std::string& folderPath, const std::string& name,
                Entry& found) {
    DWORD err = ERROR_SUCCESS;
    bool any = Look(root, folder, folderPath, name, found, err);
    if (any && found.usable) return ERROR_SUCCESS;
    if (!any && err != ERROR_FILE_NOT_FOUND) return err;
    std::vector<std::string> others;
    if (const DWORD listed = OtherSpellings(folder, name, others)) return listed;
    for (const std::string& other : others) {
        Entry entry;
        if (!Look(root, folder, folderPath, other, entry, err)) continue;
        if (entry.usable) {
            found = std::move(entry);
            return ERROR_SUCCESS;
        }
        if (!any) found = std::move(entry);
        any = true;
    }
    return any ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

}  // namespace

void SetDeviceRoot(const std::string& hostDir) {
    std::error_code ec;
    std::string absolute = hostDir;
    if (!hostDir.empty())
        absolute = std::filesystem::absolute(hostDir, ec).lexically_normal().string();
    if (ec) absolute = hostDir;
    while (absolute.size() > 1 && absolute.back() == '/') absolute.pop_back();
    {
        std::lock_guard<std::mutex> lock(g_rootMutex);
        g_root = absolute;
    }
    files::ForgetRegistry();
}

std::string GetDeviceRoot() {
    std::lock_guard<std::mutex> lock(g_rootMutex);
    return g_root;
}

bool ResolveDevicePath(LPCTSTR devicePath, std::string& hostPath, bool forCreate) {
    files::ResolvedPath resolved;
    if (!files::ResolveOrFail(devicePath, false, resolved)) return false;
    if (!resolved.exists && !forCreate) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    hostPath = resolved.Host();
    return true;
}

namespace files {

DWORD Resolve(LPCTSTR devicePath, bool wildcardLeaf, ResolvedPath& out) {
    if (devicePath == nullptr) return ERROR_INVALID_PARAMETER;
    std::vector<std::wstring> parts;
    if (const DWORD err = SplitPath(devicePath, wildcardLeaf, parts)) return err;
    out = ResolvedPath{};
    out.root = OpenRoot();
    if (!out.root.Valid()) return ERROR_PATH_NOT_FOUND;
    out.folder = out.root.Duplicate();
    if (!out.folder.Valid()) return ErrorFromErrno(errno);
    if (parts.empty()) {
        struct stat st {};
        if (::fstat(out.root.Get(), &st) != 0) return ErrorFromErrno(errno);
        out.exists = out.isDirectory = true;
        out.mode = st.st_mode;
        return ERROR_SUCCESS;
    }
    for (size_t i = 0; i < parts.size(); ++i) {
        const bool isLeaf = i + 1 == parts.size();
        std::string name;
        if (!WideToUtf8(parts[i], name)) return ERROR_INVALID_NAME;
        out.name = name, out.leaf = parts[i];
        if (isLeaf && wildcardLeaf) return ERROR_SUCCESS;
        Entry found;
        const DWORD err = FindEntry(out.root.Get(), out.folder.Get(), out.folderPath, name, found);
        if (err == ERROR_FILE_NOT_FOUND) return isLeaf ? ERROR_SUCCESS : ERROR_PATH_NOT_FOUND;
        if (err != ERROR_SUCCESS) return err;
        if (isLeaf) {
            out.name = found.name;
            out.exists = found.usable;
            out.blocked = !found.usable;
            out.isDirectory = found.usable && S_ISDIR(found.mode);
            out.mode = found.mode;
            return ERROR_SUCCESS;
        }
        if (!found.usable || !S_ISDIR(found.mode)) return ERROR_PATH_NOT_FOUND;
        out.folder = std::move(found.fd);
        out.folderPath = JoinRelative(out.folderPath, found.name);
    }
    return ERROR_PATH_NOT_FOUND;  // not reached: the loop returns at the leaf
}

bool ResolveOrFail(LPCTSTR devicePath, bool wildcardLeaf, ResolvedPath& out) {
    const DWORD err = Resolve(devicePath, wildcardLeaf, out);
    if (err != ERROR_SUCCESS) SetLastError(err);
    return err == ERROR_SUCCESS;
}

}  // namespace files
}  // namespace quorvel
