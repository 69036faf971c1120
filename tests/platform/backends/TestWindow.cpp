#include "tests/platform/backends/TestWindow.h"

namespace backendtest {
namespace {

std::mutex g_mutex;
std::vector<Input> g_inputs;
COLORREF g_blockColour = kBlockColour;

bool IsInput(UINT msg) {
    return (msg >= WM_KEYDOWN && msg <= WM_SYSKEYUP) ||
           (msg >= WM_MOUSEMOVE && msg <= WM_LBUTTONDBLCLK);
}

}  // namespace

LRESULT CALLBACK TestWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (IsInput(msg)) {
        std::lock_guard lock(g_mutex);
        g_inputs.push_back({msg, wParam, lParam});
    }
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        quorvel::gdi::FillSolidRect(hdc, kBlock, g_blockColour);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

TestWindow::TestWindow() {
    quorvel::gdi::Install();
    static const bool registered = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = &TestWindow::Proc;
        wc.hbrBackground = CreateSolidBrush(kBackground);
        wc.lpszClassName = L"BackendTestWindow";
        return RegisterClass(&wc) != 0;
    }();
    (void)registered;
    {
        std::lock_guard lock(g_mutex);
        g_inputs.clear();
        g_blockColour = kBlockColour;
    }
    m_hwnd = CreateWindowEx(0, L"BackendTestWindow", L"test", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320,
                            nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(m_hwnd);
    SetFocus(m_hwnd);
    UpdateWindow(m_hwnd);
}

TestWindow::~TestWindow() {
    DestroyWindow(m_hwnd);
}

void TestWindow::SetBlockColour(COLORREF colour) {
    {
        std::lock_guard lock(g_mutex);
        g_blockColour = colour;
    }
    InvalidateRect(m_hwnd, &kBlock, FALSE);
    UpdateWindow(m_hwnd);
}

std::vector<Input> TestWindow::Inputs() const {
    std::lock_guard lock(g_mutex);
    return g_inputs;
}

bool TestWindow::Saw(UINT msg, WPARAM wParam) const {
    for (const Input& input : Inputs()) {
        if (input.msg == msg && input.wParam == wParam) return true;
    }
    return false;
}

}  // namespace backendtest
