// Item helpers over the controls' messages, and centring a window.
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <string>

#include "platform/controls/Controls.h"
#include "platform/dialogs/DialogInternal.h"

namespace {

// A whole number with optional blanks around it, as the device reads one.
bool ParseWhole(const std::wstring& text, bool isSigned, long long* out) {
    const wchar_t* p = text.c_str();
    while (std::iswspace(*p)) ++p;
    if (!isSigned && *p == L'-') return false;
    if (!*p) return false;
    wchar_t* end = nullptr;
    errno = 0;
    const long long v = std::wcstoll(p, &end, 10);
    if (end == p || errno == ERANGE) return false;
    while (std::iswspace(*end)) ++end;
    if (*end) return false;
    if (isSigned ? (v < INT_MIN || v > INT_MAX) : (v < 0 || v > static_cast<long long>(UINT_MAX)))
        return false;
    *out = v;
    return true;
}

RECT Bounds(HWND over) {
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (over) GetWindowRect(over, &r);
    return r;
}

}  // namespace

namespace quorvel::dialogs {

void CenterWindow(HWND hwnd, HWND over) {
    RECT window{};
    if (!GetWindowRect(hwnd, &window)) return;
    const bool child = (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) != 0;
    HWND parent = GetParent(hwnd);
    if (!over) over = child ? parent : detail::OwnerFor(parent);
    if (over && !IsWindowVisible(over) && !child) over = nullptr;
    RECT area = Bounds(over);
    if (child && parent) {
        GetClientRect(parent, &area);
        MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&area), 2);
    }
    const int w = window.right - window.left, h = window.bottom - window.top;
    POINT at{(area.left + area.right - w) / 2, (area.top + area.bottom - h) / 2};
    if (!child) {
        at.x = std::max(0, std::min<int>(at.x, GetSystemMetrics(SM_CXSCREEN) - w));
        at.y = std::max(0, std::min<int>(at.y, GetSystemMetrics(SM_CYSCREEN) - h));
    } else if (parent) {
        ScreenToClient(parent, &at);
    }
    SetWindowPos(hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quorvel::dialogs

UINT GetDlgItemText(HWND dialog, int id, LPTSTR buffer, int maxCount) {
    if (buffer && maxCount > 0) buffer[0] = L'\0';
    HWND item = GetDlgItem(dialog, id);
    return item ? static_cast<UINT>(GetWindowText(item, buffer, maxCount)) : 0;
}

BOOL SetDlgItemText(HWND dialog, int id, LPCTSTR text) {
    HWND item = GetDlgItem(dialog, id);
    return item ? static_cast<BOOL>(
                      SendMessage(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L"")))
                : FALSE;
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
    if (translated) *translated = FALSE;
    HWND item = GetDlgItem(dialog, id);
    if (!item) return 0;
    std::wstring text(static_cast<size_t>(GetWindowTextLength(item)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowText(item, text.data(), static_cast<int>(text.size()))));
    long long value = 0;
    if (!ParseWhole(text, isSigned != FALSE, &value)) return 0;
    if (translated) *translated = TRUE;
    return static_cast<UINT>(value);
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
    const std::wstring text =
        isSigned ? std::to_wstring(static_cast<int>(value)) : std::to_wstring(value);
    return SetDlgItemText(dialog, id, text.c_str());
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    HWND item = GetDlgItem(dialog, id);
    if (!item) return FALSE;
    SendMessage(item, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    return item ? static_cast<UINT>(SendMessage(item, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dialog, int first, int last, int check) {
    bool found = false;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(c);
        if (id < first || id > last) continue;
        SendMessage(c, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
        found = found || id == check;
    }
    return found ? TRUE : FALSE;
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND item = GetDlgItem(dialog, id);
    return item ? SendMessage(item, msg, wParam, lParam) : 0;
}
