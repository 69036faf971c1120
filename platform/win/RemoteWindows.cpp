// The asking side of single-instance sharing: other processes' published
// top-level windows become proxy windows at the bottom of the z-order here,
// refreshed whenever the program enumerates top-level windows.
#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <map>

#include "platform/win/InstanceShare.h"
#include "platform/win/InstanceWire.h"
#include "platform/win/WinInternal.h"
#include "platform/win/WindowState.h"

namespace quorvel::win::detail {
namespace {

struct Published {
    uint64_t handle = 0;
    bool visible = false;
    RECT rect{};
    std::wstring cls;
    std::wstring title;
    std::map<std::wstring, HANDLE> props;
};

using Key = std::pair<std::string, uint64_t>;  // socket, handle in that process
std::map<Key, HWND> g_proxies;                 // guarded by the state lock

bool Parse(const std::string& line, Published* out) {
    const std::vector<std::string> f = SplitTabs(line);
    if (f.size() < 10 || f[0] != "W") return false;
    out->handle = std::stoull(f[1]);
    out->visible = f[2] == "1";
    out->rect = {std::stoi(f[3]), std::stoi(f[4]), std::stoi(f[5]), std::stoi(f[6])};
    out->cls = FromHexText(f[7]);
    out->title = FromHexText(f[8]);
    const size_t count = std::stoul(f[9]);
    if (f.size() < 10 + 2 * count) return false;
    for (size_t i = 0; i < count; ++i) {
        const uintptr_t v = std::stoull(f[11 + 2 * i]);
        out->props[FromHexText(f[10 + 2 * i])] = reinterpret_cast<HANDLE>(v);
    }
    return true;
}

// Sockets of the other processes, by process id.
std::map<std::string, DWORD> PeerSockets(const std::string& dir) {
    std::map<std::string, DWORD> out;
    const std::string folder = SocketFolder(dir);
    DIR* d = opendir(folder.c_str());
    if (!d) return out;
    while (dirent* e = readdir(d)) {
        long pid = 0;
        if (std::sscanf(e->d_name, "win-%ld.sock", &pid) != 1 || pid == getpid()) continue;
        out[folder + "/" + e->d_name] = static_cast<DWORD>(pid);
    }
    closedir(d);
    return out;
}

void Update(Window* w, const Published& p) {
    w->style = p.visible ? WS_VISIBLE : 0;
    w->rect = p.rect;
    w->text = p.title;
    w->props = p.props;
    w->remote->className = p.cls;
}

HWND NewProxy(const std::string& path, DWORD pid, const Published& p) {
    auto w = std::make_unique<Window>();
    w->hwnd = NewHandle();
    w->remote = std::make_unique<RemoteWindow>();
    w->remote->socketPath = path;
    w->remote->remoteHandle = p.handle;
    w->remote->processId = pid;
    Update(w.get(), p);
    HWND h = w->hwnd;
    S().windows.emplace(reinterpret_cast<uintptr_t>(h), std::move(w));
    S().topLevel.push_back(h);
    return h;
}

}  // namespace

void DropAllProxies() {
    for (const auto& [key, hwnd] : g_proxies) DropWindow(hwnd);
    g_proxies.clear();
}

void RefreshRemoteWindows() {
    const std::string dir = SharingDir();
    if (dir.empty()) return;
    std::map<std::string, std::pair<DWORD, std::vector<Published>>> found;
    for (const auto& [path, pid] : PeerSockets(dir)) {
        std::vector<std::string> reply;
        bool stale = false;
        if (!Ask(path, "LIST", "END", &reply, &stale)) {
            if (stale) unlink(path.c_str());
            continue;
        }
        auto& list = found[path];
        list.first = pid;
        for (const std::string& line : reply) {
            Published p;
            if (Parse(line, &p)) list.second.push_back(p);
        }
    }
    Lock lock = TakeLock();
    std::map<Key, HWND> kept;
    for (const auto& [path, list] : found) {
        for (const Published& p : list.second) {
            const Key key{path, p.handle};
            auto it = g_proxies.find(key);
            Window* w = it == g_proxies.end() ? nullptr : Find(it->second);
            if (w)
                Update(w, p);
            else
                w = Find(NewProxy(path, list.first, p));
            kept[key] = w->hwnd;
        }
    }
    for (const auto& [key, hwnd] : g_proxies)
        if (!kept.count(key)) DropWindow(hwnd);
    g_proxies.swap(kept);
}

bool ForwardToRemote(HWND hwnd, int what, int arg, BOOL* result) {
    std::string path;
    uint64_t handle;
    {
        Lock lock = TakeLock();
        Window* w = Find(hwnd);
        if (!w || !w->remote) return false;
        path = w->remote->socketPath;
        handle = w->remote->remoteHandle;
    }
    std::vector<std::string> reply;
    const std::string request =
        "CMD\t" + std::to_string(handle) + "\t" + std::to_string(what) + "\t" + std::to_string(arg);
    *result = FALSE;
    if (Ask(path, request, "", &reply) && !reply.empty()) {
        const std::vector<std::string> f = SplitTabs(reply[0]);
        if (f.size() == 2 && f[0] == "OK") *result = std::stoi(f[1]) ? TRUE : FALSE;
    }
    return true;
}

}  // namespace quorvel::win::detail
