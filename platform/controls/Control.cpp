#include "platform/controls/Control.h"

#include "platform/gdi/GdiApi.h"

#include <mutex>
#include <set>
#include <vector>

namespace quorvel::controls {
namespace {

constexpr int kObjectSlot = 0;

// The procedures of the classes registered here, so ControlOf never reads
// the extra bytes of a window of some other class.
std::mutex g_mutex;
std::set<WNDPROC> g_procs;

bool IsOurClass(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassName(hwnd, name, 64);
    WNDCLASS wc{};
    if (!GetClassInfo(nullptr, name, &wc)) return false;
    std::lock_guard lock(g_mutex);
    return g_procs.count(wc.lpfnWndProc) != 0;
}

}  // namespace

std::wstring Control::text() const {
    const int n = GetWindowTextLength(m_hwnd);
    std::vector<wchar_t> buffer(static_cast<size_t>(n) + 1);
    GetWindowText(m_hwnd, buffer.data(), n + 1);
    return buffer.data();
}

RECT Control::clientRect() const {
    RECT r{};
    GetClientRect(m_hwnd, &r);
    return r;
}

LRESULT Control::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SETFONT:
            m_font = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam)) Invalidate();
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(m_font);
        case WM_ERASEBKGND:
            return 1;
        case WM_ENABLE:
            Invalidate();
            return 0;
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProc(m_hwnd, msg, wParam, lParam);
            Invalidate();
            return result;
        }
        default:
            return DefWindowProc(m_hwnd, msg, wParam, lParam);
    }
}

HWND Control::NotifyTarget() const {
    return m_notifyTarget ? m_notifyTarget : GetParent(m_hwnd);
}

LRESULT Control::Command(UINT code) const {
    return SendMessage(NotifyTarget(), WM_COMMAND, MAKEWPARAM(id(), code),
                       reinterpret_cast<LPARAM>(m_hwnd));
}

LRESULT Control::Notify(NMHDR& header, UINT code) const {
    header.hwndFrom = m_hwnd;
    header.idFrom = static_cast<UINT_PTR>(id());
    header.code = code;
    return SendMessage(NotifyTarget(), WM_NOTIFY, static_cast<WPARAM>(id()),
                       reinterpret_cast<LPARAM>(&header));
}

HBRUSH Control::AskColors(UINT msg, HDC hdc, int defaultColor, int defaultText) const {
    SetTextColor(hdc, GetSysColor(enabled() ? defaultText : COLOR_GRAYTEXT));
    SetBkColor(hdc, GetSysColor(defaultColor));
    SetBkMode(hdc, OPAQUE);
    auto brush = reinterpret_cast<HBRUSH>(SendMessage(
        NotifyTarget(), msg, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(m_hwnd)));
    return brush ? brush : GetSysColorBrush(defaultColor);
}

void Control::FillAroundSiblings(HDC hdc, HBRUSH brush) const {
    for (HWND s = GetWindow(m_hwnd, GW_HWNDFIRST); s; s = GetWindow(s, GW_HWNDNEXT)) {
        if (s == m_hwnd || !IsWindowVisible(s)) continue;
        RECT r{};
        GetWindowRect(s, &r);
        MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&r), 2);
        ExcludeClipRect(hdc, r.left, r.top, r.right, r.bottom);
    }
    const RECT all = clientRect();
    FillRect(hdc, &all, brush);
}

LRESULT Control::SendToParent(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return SendMessage(NotifyTarget(), msg, wParam, lParam);
}

Control* ControlOf(HWND hwnd) {
    if (!IsWindow(hwnd) || !IsOurClass(hwnd)) return nullptr;
    return reinterpret_cast<Control*>(GetWindowLongPtr(hwnd, kObjectSlot));
}

LRESULT DispatchToControl(Control* (*make)(HWND), HWND hwnd, UINT msg, WPARAM wParam,
                          LPARAM lParam) {
    auto* control = reinterpret_cast<Control*>(GetWindowLongPtr(hwnd, kObjectSlot));
    if (msg == WM_NCCREATE && !control) {
        control = make(hwnd);
        SetWindowLongPtr(hwnd, kObjectSlot, reinterpret_cast<LONG_PTR>(control));
    }
    if (!control) return DefWindowProc(hwnd, msg, wParam, lParam);
    ++control->m_depth;
    const LRESULT result = control->OnMessage(msg, wParam, lParam);
    --control->m_depth;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtr(hwnd, kObjectSlot, 0);
        control->m_gone = true;
    }
    if (control->m_gone && control->m_depth == 0) delete control;
    return result;
}

void RegisterControlClass(const wchar_t* name, WNDPROC proc, UINT classStyle) {
    WNDCLASS wc{};
    wc.style = classStyle | CS_GLOBALCLASS;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = static_cast<int>(sizeof(void*));
    wc.lpszClassName = name;
    RegisterClass(&wc);
    std::lock_guard lock(g_mutex);
    g_procs.insert(proc);
}

}  // namespace quorvel::controls
