// FindFirstFile / FindNextFile / FindClose over a snapshot of the folder.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/files/FileApi.h"
#include "platform/files/HostFs.h"
#include "platform/files/HostText.h"

using quorvel::files::FoldAscii;

namespace {

// One listed entry, kept small: a folder of thousands of files is listed,
// sorted and handed out without moving whole find records around.
struct Listed {
    std::wstring name;
    DWORD attributes = 0;
    FILETIME created{};
    FILETIME accessed{};
    FILETIME written{};
    uint64_t size = 0;
};

struct FindState {
    std::vector<Listed> entries;
    size_t next = 0;
};

void Fill(const Listed& entry, WIN32_FIND_DATAW& data) {
    std::memset(&data, 0, sizeof data);
    data.dwFileAttributes = entry.attributes;
    data.ftCreationTime = entry.created;
    data.ftLastAccessTime = entry.accessed;
    data.ftLastWriteTime = entry.written;
    data.nFileSizeHigh = static_cast<DWORD>(entry.size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(entry.size);
    std::copy(entry.name.begin(), entry.name.end(), data.cFileName);
    data.cFileName[entry.name.size()] = 0;
}

std::mutex g_findMutex;
std::map<uintptr_t, FindState> g_finds;
uintptr_t g_nextFind = 0x46000;  // handle values are never reused

bool MatchAt(const wchar_t* pattern, const wchar_t* name) {
    const wchar_t* starPattern = nullptr;
    const wchar_t* starName = nullptr;
    while (*name != 0) {
        if (*pattern == L'*') {
            starPattern = ++pattern;
            starName = name;
        } else if (*pattern == L'?' || (*pattern != 0 && FoldAscii(*pattern) == FoldAscii(*name))) {
            ++pattern, ++name;
        } else if (starPattern != nullptr) {
            pattern = starPattern;
            name = ++starName;
        } else {
            return false;
        }
    }
    while (*pattern == L'*') ++pattern;
    return *pattern == 0;
}

bool MatchPattern(const std::wstring& pattern, const std::wstring& name) {
    if (MatchAt(pattern.c_str(), name.c_str())) return true;
    // "name.*" also finds "name": "*.*" lists every entry, dot or not.
    const size_t n = pattern.size();
    if (n >= 2 && pattern[n - 2] == L'.' && pattern[n - 1] == L'*') {
        return MatchAt(pattern.substr(0, n - 2).c_str(), name.c_str());
    }
    return false;
}

FILETIME FileTimeOf(const struct timespec& ts) {
    constexpr uint64_t kEpochDifference = 11644473600ull;  // 1601 to 1970, seconds
    const uint64_t ticks = (static_cast<uint64_t>(ts.tv_sec) + kEpochDifference) * 10000000ull +
                           static_cast<uint64_t>(ts.tv_nsec) / 100;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// The entry as listed; false for one that leads nowhere inside the root.
bool MakeEntry(const quorvel::files::ResolvedPath& folder, int dir, const std::string& hostName,
               std::wstring name, Listed& entry) {
    struct stat st {};
    if (::fstatat(dir, hostName.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
    if (S_ISLNK(st.st_mode)) {
        const quorvel::files::UniqueFd target = quorvel::files::OpenBeneath(
            folder.root.Get(), quorvel::files::JoinRelative(folder.folderPath, hostName),
            O_PATH | O_CLOEXEC);
        if (!target.Valid() || ::fstat(target.Get(), &st) != 0) return false;
    }
    entry.name = std::move(name);
    entry.attributes = quorvel::files::AttributesOf(st.st_mode, hostName);
    entry.created = FileTimeOf(st.st_ctim);
    entry.accessed = FileTimeOf(st.st_atim);
    entry.written = FileTimeOf(st.st_mtim);
    entry.size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
    return true;
}

bool NameLess(const Listed& a, const Listed& b) {
    for (size_t i = 0;; ++i) {
        const wchar_t ca = FoldAscii(a.name.c_str()[i]);
        const wchar_t cb = FoldAscii(b.name.c_str()[i]);
        if (ca != cb) return ca < cb;
        if (ca == 0) return a.name < b.name;
    }
}

// Lists the entries of the resolved folder matching `pattern`; ERROR_SUCCESS
// or the error.
DWORD ListFolder(const quorvel::files::ResolvedPath& folder, const std::wstring& pattern,
                 std::vector<Listed>& out) {
    const int fd = ::openat(folder.folder.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (dir == nullptr) {
        const int err = errno;
        if (fd >= 0) ::close(fd);
        return err == ENOENT ? ERROR_PATH_NOT_FOUND : quorvel::files::ErrorFromErrno(err);
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string hostName = entry->d_name;
        if (hostName == "." || hostName == "..") continue;
        std::wstring name = quorvel::files::Utf8ToWideLoose(hostName);
        if (name.size() >= MAX_PATH || !MatchPattern(pattern, name)) continue;
        Listed listed;
        if (MakeEntry(folder, ::dirfd(dir), hostName, std::move(name), listed))
            out.push_back(std::move(listed));
    }
    ::closedir(dir);
    std::sort(out.begin(), out.end(), NameLess);
    return ERROR_SUCCESS;
}

}  // namespace

HANDLE FindFirstFile(LPCTSTR pattern, LPWIN32_FIND_DATA data) {
    if (data == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    quorvel::files::ResolvedPath resolved;
    if (!quorvel::files::ResolveOrFail(pattern, true, resolved)) return INVALID_HANDLE_VALUE;
    FindState state;
    if (!resolved.leaf.empty()) {
        if (const DWORD err = ListFolder(resolved, resolved.leaf, state.entries)) {
            SetLastError(err);
            return INVALID_HANDLE_VALUE;
        }
    }
    if (state.entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    Fill(state.entries[0], *data);
    state.next = 1;
    std::lock_guard<std::mutex> lock(g_findMutex);
    const uintptr_t handle = g_nextFind;
    g_nextFind += 4;
    g_finds.emplace(handle, std::move(state));
    return reinterpret_cast<HANDLE>(handle);
}

BOOL FindNextFile(HANDLE find, LPWIN32_FIND_DATA data) {
    std::lock_guard<std::mutex> lock(g_findMutex);
    const auto it = g_finds.find(reinterpret_cast<uintptr_t>(find));
    if (it == g_finds.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (data == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    FindState& state = it->second;
    if (state.next >= state.entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    Fill(state.entries[state.next++], *data);
    return TRUE;
}

BOOL FindClose(HANDLE find) {
    std::lock_guard<std::mutex> lock(g_findMutex);
    if (g_finds.erase(reinterpret_cast<uintptr_t>(find)) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
