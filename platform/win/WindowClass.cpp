// Window classes: registration by name (compared without case), the class
// fields windows read at creation, and the class longs.
#include <cstring>

#include "platform/win/WinInternal.h"
#include "platform/win/WindowState.h"

using namespace quorvel::win::detail;

namespace {

std::shared_ptr<WindowClass> FindClass(LPCTSTR name) {
    if (!name) return nullptr;
    auto it = S().classes.find(Fold(name));
    return it == S().classes.end() ? nullptr : it->second;
}

std::shared_ptr<WindowClass> ClassOf(HWND hwnd) {
    Window* w = Find(hwnd);
    return w ? w->cls : nullptr;
}

}  // namespace

ATOM RegisterClass(const WNDCLASS* wc) {
    if (!wc || !wc->lpszClassName || !*wc->lpszClassName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Lock lock = TakeLock();
    const std::wstring key = Fold(wc->lpszClassName);
    if (S().classes.count(key)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto cls = std::make_shared<WindowClass>();
    cls->name = wc->lpszClassName;
    cls->wc = *wc;
    cls->wc.lpszClassName = cls->name.c_str();
    cls->wc.lpszMenuName = nullptr;
    cls->atom = S().nextAtom++;
    cls->extra.assign(static_cast<size_t>(std::max(0, wc->cbClsExtra)), 0);
    S().classes.emplace(key, cls);
    return cls->atom;
}

BOOL UnregisterClass(LPCTSTR className, HINSTANCE) {
    Lock lock = TakeLock();
    if (!className || !S().classes.erase(Fold(className))) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    return TRUE;
}

BOOL GetClassInfo(HINSTANCE, LPCTSTR className, WNDCLASS* out) {
    Lock lock = TakeLock();
    auto cls = FindClass(className);
    if (!cls || !out) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    *out = cls->wc;
    return TRUE;
}

int GetClassName(HWND hwnd, LPTSTR buffer, int maxCount) {
    Lock lock = TakeLock();
    Window* w = Find(hwnd);
    if (!w || !buffer || maxCount <= 0) return 0;
    const std::wstring& name = w->remote ? w->remote->className : w->cls->name;
    const size_t n = std::min(name.size(), static_cast<size_t>(maxCount - 1));
    name.copy(buffer, n);
    buffer[n] = L'\0';
    return static_cast<int>(n);
}

ULONG_PTR GetClassLongPtr(HWND hwnd, int index) {
    Lock lock = TakeLock();
    auto cls = ClassOf(hwnd);
    if (!cls) return 0;
    const WNDCLASS& wc = cls->wc;
    switch (index) {
        case GCL_HBRBACKGROUND:
            return reinterpret_cast<ULONG_PTR>(wc.hbrBackground);
        case GCL_HCURSOR:
            return reinterpret_cast<ULONG_PTR>(wc.hCursor);
        case GCL_HICON:
            return reinterpret_cast<ULONG_PTR>(wc.hIcon);
        case GCL_HMODULE:
            return reinterpret_cast<ULONG_PTR>(wc.hInstance);
        case GCL_CBWNDEXTRA:
            return static_cast<ULONG_PTR>(wc.cbWndExtra);
        case GCL_CBCLSEXTRA:
            return static_cast<ULONG_PTR>(wc.cbClsExtra);
        case GCL_WNDPROC:
            return reinterpret_cast<ULONG_PTR>(wc.lpfnWndProc);
        case GCL_STYLE:
            return wc.style;
        default:
            break;
    }
    if (index < 0 || static_cast<size_t>(index) + sizeof(ULONG_PTR) > cls->extra.size()) return 0;
    ULONG_PTR v = 0;
    std::memcpy(&v, cls->extra.data() + index, sizeof(v));
    return v;
}

ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value) {
    const ULONG_PTR old = GetClassLongPtr(hwnd, index);
    Lock lock = TakeLock();
    auto cls = ClassOf(hwnd);
    if (!cls) return 0;
    WNDCLASS& wc = cls->wc;
    switch (index) {
        case GCL_HBRBACKGROUND:
            wc.hbrBackground = reinterpret_cast<HBRUSH>(value);
            break;
        case GCL_HCURSOR:
            wc.hCursor = reinterpret_cast<HCURSOR>(value);
            break;
        case GCL_HICON:
            wc.hIcon = reinterpret_cast<HICON>(value);
            break;
        case GCL_WNDPROC:
            wc.lpfnWndProc = reinterpret_cast<WNDPROC>(value);
            break;
        case GCL_STYLE:
            wc.style = static_cast<UINT>(value);
            break;
        default:
            if (index < 0 || static_cast<size_t>(index) + sizeof(value) > cls->extra.size()) {
                SetLastError(ERROR_INVALID_INDEX);
                return 0;
            }
            std::memcpy(cls->extra.data() + index, &value, sizeof(value));
    }
    return old;
}

DWORD GetClassLong(HWND hwnd, int index) {
    return static_cast<DWORD>(GetClassLongPtr(hwnd, index));
}

DWORD SetClassLong(HWND hwnd, int index, LONG value) {
    return static_cast<DWORD>(SetClassLongPtr(hwnd, index, value));
}

namespace quorvel::win::detail {

std::shared_ptr<WindowClass> LookupClass(LPCTSTR name) {
    return FindClass(name);
}

}  // namespace quorvel::win::detail
