// Start-up's shell integration: the desktop shortcut, the synchronisation
// shortcut and the handheld's application key. Only a failure to create
// the key is reported (by ending the start-up); the rest goes silently.
#include "app/DeviceFiles.h"
#include "app/shell/VendropApp.h"
#include "platform/files/FileApi.h"
#include "platform/files/Registry.h"
#include "platform/files/Shell.h"
#include "res/resource.h"

void CVendropApp::PlaceShortcuts() {
    const CString windows = L"\\windows\\";
    const CString desktop = windows + L"桌面";
    CString shortcut = desktop + L"\\Quorvel1.0.lnk";
    if (!DevicePathExists(shortcut)) {
        CString target = L"\"Flash Disk\\Quorvel\\Quorvel1.1.exe\"";
        // Shortcuts are a convenience: start-up goes on.
        (void)::SHCreateShortcut(shortcut.GetBuffer(), target.GetBuffer());
        shortcut.ReleaseBuffer();
        target.ReleaseBuffer();
    }
    const CString programs =
        DevicePathExists(windows + L"programs") ? windows + L"programs\\" : windows + L"程序\\";
    const CString activeSync = programs + L"ActiveSync\\";
    if (!DevicePathExists(desktop + L"\\Direct.lnk"))
        // Shortcuts are a convenience: start-up goes on.
        (void)::CopyFileW(activeSync + L"Direct.lnk", desktop + L"\\Direct.lnk", FALSE);
    CString obex;
    obex.LoadString(IDS_STRING61747);
    // Shortcuts are a convenience: start-up goes on.
    if (DevicePathExists(activeSync + obex)) (void)::DeleteFileW(activeSync + obex);
}

BOOL CVendropApp::RegisterApplicationKey() {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shell\\Keys\\40CF", 0, nullptr,
                          0, 0, nullptr, &key, &disposition) != ERROR_SUCCESS)
        return FALSE;
    CString name;
    name.LoadString(IDS_STRING61402);
    const CString value = L"\"" + name + L".exe\"";
    // Without its value the key only leaves the hardware button unbound.
    (void)::RegSetValueExW(key, nullptr, 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(value.GetString()),
                           static_cast<DWORD>((value.GetLength() + 1) * sizeof(WCHAR)));
    ::RegCloseKey(key);
    return TRUE;
}
