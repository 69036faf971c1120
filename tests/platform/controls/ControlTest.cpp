#include "tests/platform/controls/ControlTest.h"

#include <map>

#include "platform/base/Clock.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdi/Surface.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/win/WinInternal.h"

namespace controltest {
namespace {

std::vector<Event> g_events;
std::map<UINT, std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>> g_handlers;

LRESULT HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (auto it = g_handlers.find(msg); it != g_handlers.end())
        return it->second(hwnd, msg, wParam, lParam);
    if (msg == WM_COMMAND) {
        Event e{WM_COMMAND, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)};
        g_events.push_back(e);
        return 0;
    }
    if (msg == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        Event e{WM_NOTIFY, static_cast<int>(header->idFrom), header->code, header->hwndFrom};
        const UINT c = header->code;
        const bool list = c == LVN_ITEMCHANGING || c == LVN_ITEMCHANGED || c == LVN_DELETEITEM ||
                          c == LVN_DELETEALLITEMS;
        const bool tree = c == TVN_SELCHANGING || c == TVN_SELCHANGED || c == TVN_ITEMEXPANDING ||
                          c == TVN_ITEMEXPANDED || c == TVN_DELETEITEM;
        wchar_t cls[32] = {};
        GetClassName(header->hwndFrom, cls, 32);
        if (std::wstring(cls) == WC_LISTVIEW && (list || c == NM_CLICK || c == NM_DBLCLK))
            e.list = *reinterpret_cast<NMLISTVIEW*>(lParam);
        if (std::wstring(cls) == WC_TREEVIEW && tree)
            e.tree = *reinterpret_cast<NMTREEVIEW*>(lParam);
        g_events.push_back(e);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void RegisterHost() {
    static const bool done = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = &HostProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"ControlHost";
        RegisterClass(&wc);
        return true;
    }();
    (void)done;
}

POINT OnScreen(HWND hwnd, POINT p) {
    ClientToScreen(hwnd, &p);
    return p;
}

}  // namespace

void OnHostMessage(UINT msg, std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> handler) {
    g_handlers[msg] = std::move(handler);
}

void Sheet::Add(const quorvel::gdi::Image& image) {
    const int top = m_image.height == 0 ? 0 : m_image.height + 2;
    const int width = std::max(m_image.width, image.width);
    quorvel::gdi::Image grown;
    grown.width = width;
    grown.height = top + image.height;
    grown.pixels.assign(static_cast<size_t>(grown.width) * grown.height, 0x303030);
    for (int y = 0; y < m_image.height; ++y)
        for (int x = 0; x < m_image.width; ++x)
            grown.pixels[static_cast<size_t>(y) * width + x] = m_image.At(x, y);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            grown.pixels[static_cast<size_t>(top + y) * width + x] = image.At(x, y);
    m_image = std::move(grown);
}

void ControlTest::SetUp() {
    SYSTEMTIME st{2012, 6, 5, 1, 8, 0, 0, 0};
    quorvel::UseVirtualClock(st);
    quorvel::gdi::Install();
    quorvel::gdi::ResizeScreen(quorvel::gdi::kScreenWidth, quorvel::gdi::kScreenHeight);
    quorvel::controls::RegisterStandardClasses();
    RegisterHost();
    quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/platform/controls/ref");
    g_events.clear();
}

void ControlTest::TearDown() {
    for (auto it = m_hosts.rbegin(); it != m_hosts.rend(); ++it)
        if (IsWindow(*it)) DestroyWindow(*it);
    Pump();
    g_events.clear();
    g_handlers.clear();
    quorvel::UseRealClock();
}

HWND ControlTest::Host(int width, int height) {
    HWND h = CreateWindowEx(0, L"ControlHost", L"host", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                            nullptr, nullptr, nullptr, nullptr);
    m_hosts.push_back(h);
    return h;
}

HWND ControlTest::Make(HWND host, const wchar_t* cls, const wchar_t* text, DWORD style, RECT r,
                       int id, DWORD exStyle) {
    return CreateWindowEx(exStyle, cls, text, style | WS_CHILD | WS_VISIBLE, r.left, r.top,
                          r.right - r.left, r.bottom - r.top, host,
                          reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
}

HWND ControlTest::Alone(const wchar_t* cls, const wchar_t* text, DWORD style, int width, int height,
                        int id, DWORD exStyle) {
    HWND host = Host(width + 6, height + 6);
    return Make(host, cls, text, style, RECT{3, 3, 3 + width, 3 + height}, id, exStyle);
}

void ControlTest::Down(HWND hwnd, POINT p) {
    const POINT s = OnScreen(hwnd, p);
    quorvel::win::InjectStylus(s.x, s.y, true);
    Pump();
}

void ControlTest::Move(HWND hwnd, POINT p) {
    Down(hwnd, p);
}

void ControlTest::Up(HWND hwnd, POINT p) {
    const POINT s = OnScreen(hwnd, p);
    quorvel::win::InjectStylus(s.x, s.y, false);
    Pump();
}

void ControlTest::Tap(HWND hwnd, POINT p) {
    Down(hwnd, p);
    Up(hwnd, p);
}

void ControlTest::Key(UINT vk) {
    quorvel::win::InjectKey(vk, true);
    quorvel::win::InjectKey(vk, false);
    Pump();
}

void ControlTest::Type(const std::wstring& text) {
    for (wchar_t c : text) quorvel::win::InjectChar(c);
    Pump();
}

void ControlTest::Pump() {
    quorvel::win::PumpUntilIdle();
}

void ControlTest::Wait() {
    quorvel::AdvanceVirtualClock(GetDoubleClickTime() + 10);
    Pump();
}

std::vector<Event> ControlTest::Events(UINT code) const {
    std::vector<Event> out;
    for (const Event& e : g_events)
        if (code == ~0u || e.code == code) out.push_back(e);
    return out;
}

std::vector<Event> ControlTest::TakeEvents() {
    std::vector<Event> out;
    out.swap(g_events);
    return out;
}

std::vector<UINT> ControlTest::Commands(int id) const {
    std::vector<UINT> out;
    for (const Event& e : g_events)
        if (e.msg == WM_COMMAND && e.id == id) out.push_back(e.code);
    return out;
}

quorvel::gdi::Image ControlTest::Snap(HWND host) {
    Pump();
    while (GetParent(host)) host = GetParent(host);
    return quorvel::gdi::CaptureWindow(host);
}

std::string ControlTest::Text(HWND hwnd) {
    return quorvel::controls::DescribeControl(hwnd);
}

}  // namespace controltest
