#include "receiver/link/DeviceLibraries.h"

#include "platform/device/DeviceLibrary.h"

namespace {

HMODULE g_ledLibrary = nullptr;
LEDUPDATEPROC g_ledUpdate = nullptr;
HMODULE g_toneLibrary = nullptr;
PLAYTONEPROC g_playTone = nullptr;
bool g_tried = false;

// The export, or null with its library released.
FARPROC Export(HMODULE& library, LPCWSTR name) {
    FARPROC proc = GetProcAddress(library, name);
    if (!proc) {
        FreeLibrary(library);
        library = nullptr;
    }
    return proc;
}

}  // namespace

BOOL LoadDeviceLibraries() {
    g_tried = true;
    if (!g_ledLibrary) {
        g_ledLibrary = LoadLibrary(L"jettce.dll");
        if (!g_ledLibrary) {
            OutputDebugString(L"JETTCE.dll: Error calling LoadLibrary()\r\n");
            return FALSE;
        }
        g_ledUpdate = reinterpret_cast<LEDUPDATEPROC>(Export(g_ledLibrary, L"LedUpdate"));
    }
    if (!g_toneLibrary) {
        g_toneLibrary = LoadLibrary(L"beep.dll");
        if (!g_toneLibrary) {
            OutputDebugString(L"BEEP.dll: Error calling LoadLibrary()\r\n");
            return FALSE;
        }
        g_playTone = reinterpret_cast<PLAYTONEPROC>(Export(g_toneLibrary, L"PlayTone"));
    }
    return TRUE;
}

int SetDeviceLed(int led, int state) {
    if (!g_tried) LoadDeviceLibraries();
    return g_ledUpdate ? g_ledUpdate(led, state) : 0;
}
