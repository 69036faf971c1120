// The handle maps: windows with an object of their own (permanent, shared
// by all threads), and temporary objects per thread for the rest.
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/framework/FrameworkInternal.h"
#include "platform/framework/TempMap.h"

namespace {

struct PermanentMap {
    std::mutex mutex;
    std::unordered_map<HWND, CWnd*> map;
};

PermanentMap& Permanent() {
    static PermanentMap* m = new PermanentMap;  // outlives every static CWnd
    return *m;
}

struct WndTraits {
    static CWnd* Make(HWND h) {
        CWnd* temp = quorvel::framework::NewTempWnd(h);
        temp->m_hWnd = h;
        return temp;
    }
    static void Empty(CWnd& w) { w.m_hWnd = nullptr; }  // never destroys the window
    static bool Alive(HWND h) { return ::IsWindow(h); }
};

thread_local quorvel::framework::TempMap<HWND, CWnd, WndTraits> t_temps;

}  // namespace

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    if (!hWnd) return nullptr;
    PermanentMap& p = Permanent();
    std::lock_guard<std::mutex> lock(p.mutex);
    auto it = p.map.find(hWnd);
    return it == p.map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (!hWnd) return nullptr;
    if (CWnd* w = FromHandlePermanent(hWnd)) return w;
    return t_temps.FromHandle(hWnd);
}

void CWnd::DeleteTempMap() {
    t_temps.Prune();
}

BOOL CWnd::Attach(HWND hWndNew) {
    if (!hWndNew || m_hWnd) return FALSE;
    {
        PermanentMap& p = Permanent();
        std::lock_guard<std::mutex> lock(p.mutex);
        if (!p.map.emplace(hWndNew, this).second) return FALSE;
    }
    m_hWnd = hWndNew;
    quorvel::framework::InstallPreTranslate();
    return TRUE;
}

HWND CWnd::Detach() {
    HWND h = m_hWnd;
    if (h) {
        PermanentMap& p = Permanent();
        std::lock_guard<std::mutex> lock(p.mutex);
        auto it = p.map.find(h);
        if (it != p.map.end() && it->second == this) p.map.erase(it);
    }
    m_hWnd = nullptr;
    return h;
}
