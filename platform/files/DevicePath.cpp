#include "platform/files/DevicePath.h"

#include <dirent.h>
#include <errno.h>
#include <sys/stat.h>

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

// Finds `name` in host folder `folder`, exact spelling first, then folding
// ASCII case. ERROR_SUCCESS with `found` set, ERROR_FILE_NOT_FOUND, or an error.
DWORD FindEntry(const std::string& folder, const std::string& name, std::string& found,
                struct stat& st) {
    const std::string exact = folder + "/" + name;
    if (::stat(exact.c_str(), &st) == 0) {
        found = name;
        return ERROR_SUCCESS;
    }
    if (errno != ENOENT) return ErrorFromErrno(errno);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno);
    found.clear();
    while (const dirent* entry = ::readdir(dir)) {
        const std::string candidate = entry->d_name;
        if (candidate == "." || candidate == "..") continue;
        // Two host entries differing only in case: take the first in byte
        // order so that every lookup picks the same one.
        if (EqualNoCase(candidate, name) && (found.empty() || candidate < found)) {
            found = candidate;
        }
    }
    ::closedir(dir);
    if (found.empty()) return ERROR_FILE_NOT_FOUND;
    if (::stat((folder + "/" + found).c_str(), &st) != 0) return ErrorFromErrno(errno);
    return ERROR_SUCCESS;
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
    std::string folder = GetDeviceRoot();
    if (folder.empty()) return ERROR_PATH_NOT_FOUND;
    out = ResolvedPath{};
    if (parts.empty()) {
        out.folder = folder;
        out.exists = out.isDirectory = true;
        return ERROR_SUCCESS;
    }
    for (size_t i = 0; i < parts.size(); ++i) {
        const bool isLeaf = i + 1 == parts.size();
        std::string name;
        if (!WideToUtf8(parts[i], name)) return ERROR_INVALID_NAME;
        if (isLeaf && wildcardLeaf) {
            out.folder = folder, out.name = name, out.leaf = parts[i];
            return ERROR_SUCCESS;
        }
        std::string found;
        struct stat st {};
        const DWORD err = FindEntry(folder, name, found, st);
        if (err == ERROR_FILE_NOT_FOUND && isLeaf) {
            out.folder = folder, out.name = name, out.leaf = parts[i];
            return ERROR_SUCCESS;
        }
        if (err == ERROR_FILE_NOT_FOUND) return ERROR_PATH_NOT_FOUND;
        if (err != ERROR_SUCCESS) return err;
        if (isLeaf) {
            out.folder = folder, out.name = found, out.leaf = parts[i];
            out.exists = true;
            out.isDirectory = S_ISDIR(st.st_mode);
            return ERROR_SUCCESS;
        }
        if (!S_ISDIR(st.st_mode)) return ERROR_PATH_NOT_FOUND;
        folder += "/" + found;
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
