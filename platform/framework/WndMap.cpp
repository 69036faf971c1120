// The handle maps: windows with an object of their own (permanent, shared
// by all threads), and temporary objects per thread for the rest.
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/framework/FrameworkInternal.h"

namespace {

struct PermanentMap {
    std::mutex mutex;
    std::unordered_map<HWND, CWnd*> map;
};

PermanentMap& Permanent() {
    static PermanentMap* m = new PermanentMap;  // outlives every static CWnd
    return *m;
}

struct TempMap {
    std::unordered_map<HWND, std::unique_ptr<CWnd>> map;
    ~TempMap() { Clear(); }
    void Clear() {
        for (auto& [h, w] : map) w->m_hWnd = nullptr;  // never destroys the window
        map.clear();
    }
    // Temporaries of windows that are gone.
    void Prune() {
        for (auto it = map.begin(); it != map.end();) {
            if (::IsWindow(it->first)) {
                ++it;
                continue;
            }
            it->second->m_hWnd = nullptr;
            it = map.erase(it);
        }
    }
};

thread_local TempMap t_temps;

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
    auto it = t_temps.map.find(hWnd);
    if (it != t_temps.map.end()) return it->second.get();
    if (t_temps.map.size() >= 64) t_temps.Prune();
    CWnd* temp = quorvel::framework::NewTempWnd(hWnd);
    temp->m_hWnd = hWnd;
    t_temps.map.emplace(hWnd, std::unique_ptr<CWnd>(temp));
    return temp;
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
