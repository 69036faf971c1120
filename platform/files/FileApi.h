// The device's file and folder functions over the device root (see
// DevicePath.h for how paths are resolved).
//
// Every function takes device paths as wide text; the ...W names are the same
// functions. Failures return FALSE (or INVALID_FILE_ATTRIBUTES,
// INVALID_HANDLE_VALUE) with GetLastError set; nothing throws.
//
// Attributes: folders have FILE_ATTRIBUTE_DIRECTORY; files the host cannot
// write have FILE_ATTRIBUTE_READONLY; host names starting with "." are
// FILE_ATTRIBUTE_HIDDEN; a file with none of these is FILE_ATTRIBUTE_NORMAL.
//
// Enumeration: FindFirstFile takes a folder and a pattern ("\Jobs\*.*"); "*"
// and "?" match case-insensitively, and a pattern ending in ".*" also matches
// names without a dot, as on the device. "." and ".." are never listed. The
// listing is taken at FindFirstFile, sorted by name ignoring case. No match:
// INVALID_HANDLE_VALUE and ERROR_FILE_NOT_FOUND; FindNextFile past the last
// entry: FALSE and ERROR_NO_MORE_FILES.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/files/DevicePath.h"

#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu
#define FILE_ATTRIBUTE_READONLY 0x00000001u
#define FILE_ATTRIBUTE_HIDDEN 0x00000002u
#define FILE_ATTRIBUTE_SYSTEM 0x00000004u
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010u
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u

// 100-nanosecond intervals since 1601-01-01 UTC.
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
typedef FILETIME* LPFILETIME;

struct WIN32_FIND_DATAW {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwOID;
    WCHAR cFileName[MAX_PATH];
};
typedef WIN32_FIND_DATAW WIN32_FIND_DATA;
typedef WIN32_FIND_DATAW* LPWIN32_FIND_DATAW;
typedef WIN32_FIND_DATAW* LPWIN32_FIND_DATA;

DWORD GetFileAttributes(LPCTSTR path);
[[nodiscard]] BOOL CreateDirectory(LPCTSTR path,
                                   LPVOID securityAttributes);  // ERROR_ALREADY_EXISTS
[[nodiscard]] BOOL RemoveDirectory(LPCTSTR path);               // only an empty folder
[[nodiscard]] BOOL DeleteFile(LPCTSTR path);                    // files only
// Copies a file; with failIfExists FALSE an existing target file is replaced
// (atomically: a reader sees the old or the new file, never a part).
[[nodiscard]] BOOL CopyFile(LPCTSTR source, LPCTSTR target, BOOL failIfExists);
// Renames a file or folder; fails with ERROR_ALREADY_EXISTS when the target
// exists (a change of letter case only is allowed).
[[nodiscard]] BOOL MoveFile(LPCTSTR source, LPCTSTR target);

HANDLE FindFirstFile(LPCTSTR pattern, LPWIN32_FIND_DATA data);
BOOL FindNextFile(HANDLE find, LPWIN32_FIND_DATA data);
BOOL FindClose(HANDLE find);

inline DWORD GetFileAttributesW(LPCTSTR path) {
    return GetFileAttributes(path);
}
[[nodiscard]] inline BOOL CreateDirectoryW(LPCTSTR path, LPVOID sa) {
    return CreateDirectory(path, sa);
}
[[nodiscard]] inline BOOL RemoveDirectoryW(LPCTSTR path) {
    return RemoveDirectory(path);
}
[[nodiscard]] inline BOOL DeleteFileW(LPCTSTR path) {
    return DeleteFile(path);
}
[[nodiscard]] inline BOOL CopyFileW(LPCTSTR source, LPCTSTR target, BOOL failIfExists) {
    return CopyFile(source, target, failIfExists);
}
[[nodiscard]] inline BOOL MoveFileW(LPCTSTR source, LPCTSTR target) {
    return MoveFile(source, target);
}
inline HANDLE FindFirstFileW(LPCTSTR pattern, LPWIN32_FIND_DATAW data) {
    return FindFirstFile(pattern, data);
}
inline BOOL FindNextFileW(HANDLE find, LPWIN32_FIND_DATAW data) {
    return FindNextFile(find, data);
}
