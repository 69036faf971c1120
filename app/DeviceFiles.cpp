#include "app/DeviceFiles.h"

#include <climits>
#include "platform/device/Sound.h"

#include "platform/files/File.h"
#include "platform/files/FileApi.h"

BOOL DevicePathExists(const CString& path) {
    return ::GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES;
}

BOOL DeviceFileExists(const CString& path) {
    const DWORD attributes = ::GetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

BOOL ReadWholeDeviceFile(const CString& path, std::string& bytes) {
    bytes.clear();
    if (!DeviceFileExists(path)) return FALSE;
    CFile file;
    if (!file.Open(path, CFile::modeRead)) return FALSE;
    const ULONGLONG length = file.GetLength();
    if (length > INT_MAX) return FALSE;  // beyond what one read can hold
    bytes.resize(static_cast<size_t>(length));
    const UINT read = bytes.empty() ? 0 : file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    file.Close();
    bytes.resize(read);
    return TRUE;
}

BOOL IsValidFileName(const CString& name) {
    return name.FindOneOf(L"\\/:*?\"<>|[]=") < 0 && name.Find(L"..") < 0;
}

void CreateFolderIfAbsent(const CString& folder) {
    CString path = folder;
    if (!path.IsEmpty() && path[path.GetLength() - 1] == L'\\')
        path = path.Left(path.GetLength() - 1);
    // A missing folder fails the write into it.
    if (!DevicePathExists(path)) (void)::CreateDirectory(path, nullptr);
}

void PlayAlarm() {
    const wchar_t* const own = L"\\Flash Disk\\Wav\\Alarm5.wav";
    sndPlaySound(DevicePathExists(own) ? own : L"\\Windows\\exclam.wav", SND_SYNC);
}
