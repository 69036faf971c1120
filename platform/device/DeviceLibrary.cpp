#include "platform/device/DeviceLibrary.h"

#include <cstdio>
#include <cwctype>
#include <mutex>
#include <string>

#include "platform/base/TextConv.h"
#include "platform/device/Leds.h"

namespace {

// The program looks the tone up and never plays one; there is no tone
// generator behind it.
BOOL PlayTone(DWORD /*frequencyHz*/, DWORD /*durationMs*/) {
    return TRUE;
}

struct Export {
    const wchar_t* name;
    FARPROC proc;
};

struct Library {
    const wchar_t* fileName;
    uintptr_t handleValue;
    Export exports[1];
    int loadCount;
};

Library g_libraries[] = {
    {L"jettce.dll",
     0x10000000u,
     {{L"LedUpdate", reinterpret_cast<FARPROC>(&quorvel::device::LedUpdate)}},
     0},
    {L"beep.dll", 0x10010000u, {{L"PlayTone", reinterpret_cast<FARPROC>(&PlayTone)}}, 0},
};

std::mutex g_mutex;

std::wstring LowerFileName(LPCTSTR path) {
    std::wstring name(path);
    const size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(c));
    // The loader supplies ".dll" to a name without an extension.
    if (name.find(L'.') == std::wstring::npos) name += L".dll";
    return name;
}

Library* FindLoaded(HMODULE module) {
    for (Library& library : g_libraries) {
        if (reinterpret_cast<HMODULE>(library.handleValue) == module && library.loadCount > 0) {
            return &library;
        }
    }
    return nullptr;
}

}  // namespace

HMODULE LoadLibrary(LPCTSTR name) {
    if (name != nullptr) {
        const std::wstring fileName = LowerFileName(name);
        std::lock_guard lock(g_mutex);
        for (Library& library : g_libraries) {
            if (fileName != library.fileName) continue;
            ++library.loadCount;
            return reinterpret_cast<HMODULE>(library.handleValue);
        }
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

FARPROC GetProcAddress(HMODULE module, LPCWSTR exportName) {
    std::lock_guard lock(g_mutex);
    const Library* library = FindLoaded(module);
    if (library == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (exportName != nullptr) {
        for (const Export& entry : library->exports) {
            if (std::wstring_view(exportName) == entry.name) return entry.proc;
        }
    }
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

BOOL FreeLibrary(HMODULE module) {
    std::lock_guard lock(g_mutex);
    Library* library = FindLoaded(module);
    if (library == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    --library->loadCount;
    return TRUE;
}

void OutputDebugString(LPCTSTR text) {
    if (text == nullptr) return;
    std::fputs(quorvel::ToUtf8(text).c_str(), stderr);
}
