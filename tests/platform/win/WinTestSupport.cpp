#include "tests/platform/win/WinTestSupport.h"

namespace wintest {

Log& Log::Get() {
    static Log* log = new Log;
    return *log;
}

void Log::Add(const Entry& e) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_entries.push_back(e);
}

std::vector<Entry> Log::Take() {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<Entry> out;
    out.swap(m_entries);
    return out;
}

std::vector<Entry> Log::Of(HWND hwnd, UINT msg) {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<Entry> out;
    for (const Entry& e : m_entries)
        if (e.hwnd == hwnd && e.msg == msg) out.push_back(e);
    return out;
}

void Log::On(HWND hwnd, UINT msg, Handler h) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_handlers[{hwnd, msg}] = std::move(h);
}

Handler Log::Find(HWND hwnd, UINT msg) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_handlers.find({hwnd, msg});
    return it == m_handlers.end() ? Handler{} : it->second;
}

void Log::Clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_entries.clear();
    m_handlers.clear();
}

LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Log::Get().Add({hwnd, msg, wParam, lParam, GetCurrentThreadId()});
    if (Handler h = Log::Get().Find(hwnd, msg)) return h(hwnd, msg, wParam, lParam);
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void RegisterTestClasses() {
    static bool done = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.lpszClassName = L"Rec";
        RegisterClass(&wc);
        wc.style = CS_DBLCLKS;
        wc.lpszClassName = L"RecDbl";
        RegisterClass(&wc);
        wc.style = 0;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(16);
        wc.lpszClassName = L"RecBrush";
        RegisterClass(&wc);
        return true;
    }();
    (void)done;
}

std::vector<std::pair<HWND, UINT>> Only(const std::vector<Entry>& log,
                                        std::initializer_list<UINT> interesting) {
    std::vector<std::pair<HWND, UINT>> out;
    for (const Entry& e : log)
        for (UINT m : interesting)
            if (e.msg == m) out.emplace_back(e.hwnd, e.msg);
    return out;
}

void WinTest::SetUp() {
    SYSTEMTIME st{2012, 6, 5, 1, 8, 0, 0, 0};
    quorvel::UseVirtualClock(st);
    RegisterTestClasses();
    Log::Get().Clear();
}

void WinTest::TearDown() {
    for (auto it = m_created.rbegin(); it != m_created.rend(); ++it)
        if (IsWindow(*it)) DestroyWindow(*it);
    quorvel::win::PumpUntilIdle();
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
    Log::Get().Clear();
}

HWND WinTest::Top(DWORD style, RECT r, HWND owner, LPCTSTR cls, DWORD ex) {
    HWND h = CreateWindowEx(ex, cls, L"top", style, r.left, r.top, r.right - r.left,
                            r.bottom - r.top, owner, nullptr, nullptr, nullptr);
    m_created.push_back(h);
    return h;
}

HWND WinTest::Child(HWND parent, RECT r, DWORD style, int id, LPCTSTR cls) {
    HWND h = CreateWindowEx(0, cls, L"child", style | WS_CHILD, r.left, r.top, r.right - r.left,
                            r.bottom - r.top, parent, reinterpret_cast<HMENU>(intptr_t{id}),
                            nullptr, nullptr);
    m_created.push_back(h);
    return h;
}

}  // namespace wintest
