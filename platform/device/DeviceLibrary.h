// The device's libraries loaded by name. Two exist: the LED library
// "jettce.dll" with "LedUpdate" and the tone library "beep.dll" with
// "PlayTone". Names are matched without regard to case, with or without a
// folder in front and with or without the ".dll" extension, as the device's
// loader does. Any other library is missing (NULL, ERROR_MOD_NOT_FOUND);
// an export these libraries do not have gives NULL with
// ERROR_PROC_NOT_FOUND. Export names are matched exactly.
#pragma once

#include "platform/base/WinTypes.h"

// A generic function pointer the caller casts to the export's own type. It
// has no return value so that this cast is the compiler's accepted one.
typedef void (*FARPROC)();

// The exports' types, for the cast from FARPROC.
typedef int (*LEDUPDATEPROC)(int led, int state);  // see platform/device/Leds.h
typedef BOOL (*PLAYTONEPROC)(DWORD frequencyHz, DWORD durationMs);

// A library stays loaded until FreeLibrary has matched every LoadLibrary;
// loading it again gives the same handle.
HMODULE LoadLibrary(LPCTSTR name);
// On the device the export name is wide text.
FARPROC GetProcAddress(HMODULE module, LPCWSTR exportName);
BOOL FreeLibrary(HMODULE module);  // FALSE and ERROR_INVALID_HANDLE for a stale handle

inline HMODULE LoadLibraryW(LPCTSTR name) {
    return LoadLibrary(name);
}
inline FARPROC GetProcAddressW(HMODULE module, LPCWSTR exportName) {
    return GetProcAddress(module, exportName);
}

// Debug output; here it goes to the standard error stream.
void OutputDebugString(LPCTSTR text);
inline void OutputDebugStringW(LPCTSTR text) {
    OutputDebugString(text);
}
