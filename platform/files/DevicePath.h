// Device paths over the device root.
//
// The device's "\" is a host folder, the device root, set once at start-up
// (the program's --root option) or by a test. Device paths are resolved like
// this:
//   - "\" and "/" both separate components; a path without a leading
//     separator is taken from the root too (the device has no current folder);
//   - empty components (doubled separators, a trailing separator) and "."
//     are skipped;
//   - ".." goes up one component; a path that would leave the root through it
//     is refused with ERROR_PATH_NOT_FOUND, never clamped to the root;
//   - each component is looked up case-insensitively (ASCII letters): an
//     exact spelling wins, otherwise the host entry's own spelling is used, and
//     a new entry is created with the spelling given;
//   - names are wide text on the device and UTF-8 on the host; the characters
//     the device refuses in names (< > : " | ? * and control characters) and
//     paths of MAX_PATH characters or more are refused with ERROR_INVALID_NAME
//     or ERROR_FILENAME_EXCED_RANGE.
//   - every host entry is opened beneath the root (see Beneath.h): a link
//     with a relative target that stays inside the root works; one that
//     leads out of it (absolute targets included), round a cycle or to
//     nothing is treated as a missing entry whose name cannot be taken
//     (ERROR_ACCESS_DENIED on creating it), and listings leave it out.
// Before a root is set every path fails with ERROR_PATH_NOT_FOUND.
#pragma once

#include <string>

#include "platform/base/WinTypes.h"

#ifndef ERROR_FILENAME_EXCED_RANGE
#define ERROR_FILENAME_EXCED_RANGE 206L
#endif
#ifndef ERROR_DIRECTORY
#define ERROR_DIRECTORY 267L
#endif

namespace quorvel {

// Sets the host folder that is the device's "\" (made absolute). The registry
// is reloaded from the new root on its next use.
void SetDeviceRoot(const std::string& hostDir);
std::string GetDeviceRoot();  // empty before SetDeviceRoot

// The host path of a device path. With forCreate false the entry must exist
// (ERROR_FILE_NOT_FOUND otherwise); with forCreate true only its folder must
// (ERROR_PATH_NOT_FOUND otherwise) and a missing entry gets the spelling given.
// False with GetLastError set on failure.
bool ResolveDevicePath(LPCTSTR devicePath, std::string& hostPath, bool forCreate);

// Reads the host file `name` kept at the top of the device root (the
// registry, "ports", "device.conf"), opened beneath the root like every
// device path. ERROR_SUCCESS or the error (ERROR_FILE_NOT_FOUND when absent,
// ERROR_ACCESS_DENIED when it is not a plain file).
DWORD ReadDeviceRootFile(const std::string& name, std::string& content);

}  // namespace quorvel
