#include "platform/files/Shell.h"

#include <sys/statvfs.h>
#include <sys/sysinfo.h>

#include <cerrno>
#include <cwchar>
#include <string>

#include "platform/base/TextConv.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/DevicePath.h"
#include "platform/files/HostFs.h"

namespace {

// A host quantity in the device's 32 bits. Each figure is clamped on its own,
// so the free figure stays true up to 4 GiB whatever the host's size.
void Clamp32(uint64_t total, uint64_t free, DWORD& total32, DWORD& free32) {
    if (free > total) free = total;
    total32 = static_cast<DWORD>(total > MAXDWORD ? MAXDWORD : total);
    free32 = static_cast<DWORD>(free > MAXDWORD ? MAXDWORD : free);
}

}  // namespace

BOOL SHCreateShortcut(LPTSTR shortcutPath, LPTSTR target) {
    if (shortcutPath == nullptr || target == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string text = std::to_string(std::wcslen(target)) + "#" + quorvel::ToGbk(target);
    return quorvel::WriteFileAtomic(shortcutPath, text.data(), text.size());
}

BOOL GetStoreInformation(LPSTORE_INFORMATION info) {
    if (info == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string root = quorvel::GetDeviceRoot();
    struct statvfs vfs {};
    if (root.empty() || ::statvfs(root.c_str(), &vfs) != 0) {
        SetLastError(root.empty() ? ERROR_PATH_NOT_FOUND : quorvel::files::ErrorFromErrno(errno));
        return FALSE;
    }
    const uint64_t total = static_cast<uint64_t>(vfs.f_blocks) * vfs.f_frsize;
    const uint64_t free = static_cast<uint64_t>(vfs.f_bavail) * vfs.f_frsize;
    Clamp32(total, free, info->dwStoreSize, info->dwFreeSize);
    return TRUE;
}

void GlobalMemoryStatus(LPMEMORYSTATUS status) {
    if (status == nullptr) return;
    struct sysinfo si {};
    uint64_t total = 0;
    uint64_t avail = 0;
    uint64_t swapTotal = 0;
    uint64_t swapFree = 0;
    if (::sysinfo(&si) == 0) {
        total = static_cast<uint64_t>(si.totalram) * si.mem_unit;
        avail = (static_cast<uint64_t>(si.freeram) + si.bufferram) * si.mem_unit;
        swapTotal = static_cast<uint64_t>(si.totalswap) * si.mem_unit;
        swapFree = static_cast<uint64_t>(si.freeswap) * si.mem_unit;
    }
    status->dwLength = sizeof(MEMORYSTATUS);
    Clamp32(total, avail, status->dwTotalPhys, status->dwAvailPhys);
    Clamp32(total + swapTotal, avail + swapFree, status->dwTotalPageFile, status->dwAvailPageFile);
    Clamp32(total, avail, status->dwTotalVirtual, status->dwAvailVirtual);
    status->dwMemoryLoad =
        total == 0 ? 0
                   : static_cast<DWORD>((total - (avail > total ? total : avail)) * 100 / total);
}
