// Shell shortcuts and the store and memory figures of the device.
#pragma once

#include "platform/base/WinTypes.h"

// Writes a shortcut file holding its target as the device's shortcut files
// do: the target's length in characters, "#", then the target, in code page
// 936 ("29#\"Flash Disk\Quorvel\x.exe\""). An existing file is replaced.
[[nodiscard]] BOOL SHCreateShortcut(LPTSTR shortcutPath, LPTSTR target);

struct STORE_INFORMATION {
    DWORD dwStoreSize;
    DWORD dwFreeSize;
};
typedef STORE_INFORMATION* LPSTORE_INFORMATION;

// The file system that holds the device root. The device counts in 32 bits:
// the size and the free space are each clamped to 4 GiB less one byte, so a
// large host shows its free space as that much rather than as a wrapped value.
BOOL GetStoreInformation(LPSTORE_INFORMATION info);

struct MEMORYSTATUS {
    DWORD dwLength;
    DWORD dwMemoryLoad;  // percent in use
    DWORD dwTotalPhys;
    DWORD dwAvailPhys;
    DWORD dwTotalPageFile;
    DWORD dwAvailPageFile;
    DWORD dwTotalVirtual;
    DWORD dwAvailVirtual;
};
typedef MEMORYSTATUS* LPMEMORYSTATUS;

// The host's memory, clamped to 32 bits the same way.
void GlobalMemoryStatus(LPMEMORYSTATUS status);
