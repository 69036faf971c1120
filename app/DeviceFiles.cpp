#include "app/DeviceFiles.h"

#include "platform/files/FileApi.h"

BOOL DevicePathExists(const CString& path) {
    return ::GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES;
}

BOOL DeviceFileExists(const CString& path) {
    const DWORD attributes = ::GetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

BOOL IsValidFileName(const CString& name) {
    return name.FindOneOf(L"\\/:*?\"<>|[]=") < 0 && name.Find(L"..") < 0;
}

void CreateFolderIfAbsent(const CString& folder) {
    CString path = folder;
    if (!path.IsEmpty() && path[path.GetLength() - 1] == L'\\')
        path = path.Left(path.GetLength() - 1);
    if (!DevicePathExists(path)) ::CreateDirectory(path, nullptr);
}
