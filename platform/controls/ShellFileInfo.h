// The shell's file information, for the system image list of small file and
// folder icons that trees of the file system show.
#pragma once

#include "platform/controls/CommCtrl.h"

#define SHGFI_LARGEICON 0x0000
#define SHGFI_SMALLICON 0x0001
#define SHGFI_OPENICON 0x0002
#define SHGFI_USEFILEATTRIBUTES 0x0010
#define SHGFI_ICON 0x0100
#define SHGFI_DISPLAYNAME 0x0200
#define SHGFI_TYPENAME 0x0400
#define SHGFI_ATTRIBUTES 0x0800
#define SHGFI_SYSICONINDEX 0x4000
#define SHGFI_SELECTED 0x10000

struct SHFILEINFO {
    HICON hIcon;
    int iIcon;
    DWORD dwAttributes;
    WCHAR szDisplayName[MAX_PATH];
    WCHAR szTypeName[80];
};
typedef SHFILEINFO SHFILEINFOW;

// The system image list holds two 16 x 16 images: 0 a file, 1 a folder.
// With SHGFI_SYSICONINDEX the result is that list's handle and iIcon the
// image of `path` (a folder when the path names one, or with
// SHGFI_USEFILEATTRIBUTES when `attributes` has FILE_ATTRIBUTE_DIRECTORY).
// With SHGFI_DISPLAYNAME, szDisplayName receives the path's last name.
// Otherwise the result is non-zero when the path exists. Zero on failure.
DWORD_PTR SHGetFileInfo(LPCTSTR path, DWORD attributes, SHFILEINFO* info, UINT infoSize,
                        UINT flags);
