// Window longs, text, properties, ids and the simple state queries.
#include <unistd.h>

#include <cstring>

#include "platform/base/Thread.h"
#include "platform/win/WinInternal.h"
#include "platform/win/WindowState.h"

using namespace quorvel::win::detail;

namespace {

bool ExtraSlot(Window* w, int index, size_t width) {
    return index >= 0 && static_cast<size_t>(index) + width <= w->extra.size();
}

LONG_PTR ReadLong(Window* w, int index, size_t width) {
    switch (index) {
        case GWL_WNDPROC:
            return reinterpret_cast<LONG_PTR>(w->proc);
        case GWL_HINSTANCE:
            return reinterpret_cast<LONG_PTR>(w->instance);
        case GWL_HWNDPARENT:
            return reinterpret_cast<LONG_PTR>(w->parent ? w->parent : w->owner);
        case GWL_ID:
            return w->id;
        case GWL_STYLE:
            return static_cast<LONG_PTR>(w->style);
        case GWL_EXSTYLE:
            return static_cast<LONG_PTR>(w->exStyle);
        case GWL_USERDATA:
            return w->userData;
        default:
            break;
    }
    if (!ExtraSlot(w, index, width)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    if (width == sizeof(LONG)) {
        LONG v;
        std::memcpy(&v, w->extra.data() + index, sizeof(v));
        return v;
    }
    LONG_PTR v;
    std::memcpy(&v, w->extra.data() + index, sizeof(v));
    return v;
}

void WriteLong(Window* w, int index, LONG_PTR value, size_t width) {
    switch (index) {
        case GWL_WNDPROC:
            w->proc = reinterpret_cast<WNDPROC>(value);
            return;
        case GWL_HINSTANCE:
            w->instance = reinterpret_cast<HINSTANCE>(value);
            return;
        case GWL_HWNDPARENT:
            if (!w->parent) w->owner = reinterpret_cast<HWND>(value);
            return;
        case GWL_ID:
            w->id = value;
            return;
        case GWL_EXSTYLE:
            w->exStyle = static_cast<DWORD>(value);
            return;
        case GWL_USERDATA:
            w->userData = value;
            return;
        default:
            break;
    }
    if (!ExtraSlot(w, index, width)) return;
    if (width == sizeof(LONG)) {
        const LONG v = static_cast<LONG>(value);
        std::memcpy(w->extra.data() + index, &v, sizeof(v));
    } else {
        std::memcpy(w->extra.data() + index, &value, sizeof(value));
    }
}

LONG_PTR SetLong(HWND hwnd, int index, LONG_PTR value, size_t width) {
    LONG_PTR old;
    {
        Lock lock = TakeLock();
        Window* w = FindLocal(hwnd);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        old = ReadLong(w, index, width);
        if (index != GWL_STYLE) {
            WriteLong(w, index, value, width);
            return old;
        }
    }
    // Style changes are announced; the procedure may adjust the new style.
    STYLESTRUCT ss{static_cast<DWORD>(old), static_cast<DWORD>(value)};
    SendMessage(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(GWL_STYLE),
                reinterpret_cast<LPARAM>(&ss));
    {
        Lock lock = TakeLock();
        Window* w = FindLocal(hwnd);
        if (!w) return 0;
        w->style = ss.styleNew;
    }
    SendMessage(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(GWL_STYLE),
                reinterpret_cast<LPARAM>(&ss));
    return old;
}

LONG_PTR GetLong(HWND hwnd, int index, size_t width) {
    Lock lock = TakeLock();
    Window* w = FindLocal(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return ReadLong(w, index, width);
}

}  // namespace

LONG GetWindowLong(HWND hwnd, int index) {
    return static_cast<LONG>(GetLong(hwnd, index, sizeof(LONG)));
}
LONG SetWindowLong(HWND hwnd, int index, LONG value) {
    return static_cast<LONG>(SetLong(hwnd, index, value, sizeof(LONG)));
}
LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
    return GetLong(hwnd, index, sizeof(LONG_PTR));
}
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
    return SetLong(hwnd, index, value, sizeof(LONG_PTR));
}

BOOL SetWindowText(HWND hwnd, LPCTSTR text) {
    {
        Lock lock = TakeLock();
        if (!FindLocal(hwnd)) return FALSE;
    }
    return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int GetWindowText(HWND hwnd, LPTSTR buffer, int maxCount) {
    if (!buffer || maxCount <= 0) return 0;
    buffer[0] = L'\0';
    {
        Lock lock = TakeLock();
        Window* w = Find(hwnd);
        if (!w) return 0;
        if (w->remote) {  // the copy the other process published
            const size_t n = std::min(w->text.size(), static_cast<size_t>(maxCount - 1));
            w->text.copy(buffer, n);
            buffer[n] = L'\0';
            return static_cast<int>(n);
        }
    }
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount),
                                        reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd) {
    {
        Lock lock = TakeLock();
        Window* w = Find(hwnd);
        if (!w) return 0;
        if (w->remote) return static_cast<int>(w->text.size());
    }
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetProp(HWND hwnd, LPCTSTR name, HANDLE data) {
    Lock lock = TakeLock();
    Window* w = FindLocal(hwnd);
    if (!w || !name) return FALSE;
    w->props[Fold(name)] = data;
    return TRUE;
}

HANDLE GetProp(HWND hwnd, LPCTSTR name) {
    Lock lock = TakeLock();
    Window* w = Find(hwnd);
    if (!w || !name) return nullptr;
    auto it = w->props.find(Fold(name));
    return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemoveProp(HWND hwnd, LPCTSTR name) {
    Lock lock = TakeLock();
    Window* w = FindLocal(hwnd);
    if (!w || !name) return nullptr;
    auto it = w->props.find(Fold(name));
    if (it == w->props.end()) return nullptr;
    HANDLE data = it->second;
    w->props.erase(it);
    return data;
}

BOOL IsWindow(HWND hwnd) {
    Lock lock = TakeLock();
    return hwnd && (hwnd == S().desktop || Find(hwnd));
}

BOOL IsWindowEnabled(HWND hwnd) {
    Lock lock = TakeLock();
    Window* w = Find(hwnd);
    return w && !(w->style & WS_DISABLED);
}

HWND GetDlgItem(HWND dialog, int id) {
    Lock lock = TakeLock();
    Window* d = FindLocal(dialog);
    if (!d) return nullptr;
    for (HWND c : d->children) {
        Window* cw = Find(c);
        if (cw && static_cast<int>(cw->id) == id) return c;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    Lock lock = TakeLock();
    Window* w = FindLocal(hwnd);
    return w && w->parent ? static_cast<int>(w->id) : 0;
}

DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId) {
    Lock lock = TakeLock();
    Window* w = Find(hwnd);
    if (!w) return 0;
    if (processId) *processId = w->remote ? w->remote->processId : static_cast<DWORD>(getpid());
    return w->remote ? 0 : w->threadId;
}
