#include "platform/framework/AfxGlobals.h"

#include <atomic>
#include <mutex>
#include <set>
#include <string>

#include "platform/framework/Dc.h"
#include "platform/framework/ImageList.h"
#include "platform/framework/Wnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

std::atomic<CWinThread*> g_thread{nullptr};

}  // namespace

CWinThread::CWinThread() {
    CWinThread* expected = nullptr;
    g_thread.compare_exchange_strong(expected, this);
}

CWinThread::~CWinThread() {
    CWinThread* expected = this;
    g_thread.compare_exchange_strong(expected, nullptr);
}

CWnd* CWinThread::GetMainWnd() {
    return m_pMainWnd;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
    return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}

CWinThread* AfxGetThread() {
    return g_thread.load();
}

CWnd* AfxGetMainWnd() {
    CWinThread* thread = AfxGetThread();
    return thread ? thread->GetMainWnd() : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x10000));
}

HINSTANCE AfxGetResourceHandle() {
    return AfxGetInstanceHandle();
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    static std::mutex mutex;
    static std::set<std::wstring>* names = new std::set<std::wstring>;
    wchar_t name[96];
    swprintf(name, 96, L"Afx:%x:%zx:%zx:%zx", nClassStyle, reinterpret_cast<uintptr_t>(hCursor),
             reinterpret_cast<uintptr_t>(hbrBackground), reinterpret_cast<uintptr_t>(hIcon));
    std::lock_guard<std::mutex> lock(mutex);
    auto [it, added] = names->insert(name);
    if (added) {
        WNDCLASS wc{};
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = it->c_str();
        ::RegisterClass(&wc);
    }
    return it->c_str();
}

BOOL AfxRegisterClass(WNDCLASS* lpWndClass) {
    WNDCLASS existing{};
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing)) return TRUE;
    return ::RegisterClass(lpWndClass) != 0;
}

void AfxDeleteTempMaps() {
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CImageList::DeleteTempMap();
}
