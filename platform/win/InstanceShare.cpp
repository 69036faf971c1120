// The publishing side of single-instance sharing: a listener thread answers
// other processes with this process's top-level windows and carries out
// their show and bring-to-front requests on each window's own thread.
#include "platform/win/InstanceShare.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/base/Thread.h"
#include "platform/win/InstanceWire.h"
#include "platform/win/WinInternal.h"
#include "platform/win/WindowState.h"

namespace quorvel::win::detail {
namespace {

struct Listener {
    std::string dir;
    std::string path;
    int listenFd = -1;
    int wakeFd = -1;
    std::atomic<bool> stop{false};
    std::atomic<bool> finished{false};
    std::shared_ptr<ThreadSignal> waiter;  // kicked when the listener has finished
};

std::mutex g_mutex;
Listener* g_listener = nullptr;
char g_socketAtExit[256];  // plain storage: read while the process ends

void RemoveSocketAtExit() {
    if (g_socketAtExit[0]) unlink(g_socketAtExit);
}

std::string WindowLine(const Window* w) {
    const RECT r = WindowRectOnScreen(w);
    std::string line = "W\t" + std::to_string(reinterpret_cast<uintptr_t>(w->hwnd)) + "\t" +
                       ((w->style & WS_VISIBLE) ? "1" : "0");
    for (LONG v : {r.left, r.top, r.right, r.bottom}) line += "\t" + std::to_string(v);
    line += "\t" + HexText(w->cls->name) + "\t" + HexText(w->text) + "\t" +
            std::to_string(w->props.size());
    for (const auto& [name, value] : w->props)
        line += "\t" + HexText(name) + "\t" + std::to_string(reinterpret_cast<uintptr_t>(value));
    return line + "\n";
}

std::string ListReply() {
    Lock lock = TakeLock();
    std::string out;
    for (HWND h : S().topLevel)
        if (Window* w = FindLocal(h)) out += WindowLine(w);
    return out + "END\n";
}

std::string CommandReply(const std::vector<std::string>& f) {
    if (f.size() < 4) return "ERR\n";
    HWND h = reinterpret_cast<HWND>(static_cast<uintptr_t>(std::stoull(f[1])));
    const WPARAM what = std::stoul(f[2]);
    const LPARAM arg = std::stol(f[3]);
    {
        Lock lock = TakeLock();
        if (!FindLocal(h)) return "OK\t0\n";
    }
    return "OK\t" + std::to_string(SendMessage(h, kRemoteCommandMsg, what, arg)) + "\n";
}

void Serve(int fd) {
    std::string line;
    if (ReadLine(fd, &line, 5000)) {
        const std::vector<std::string> f = SplitTabs(line);
        const std::string reply = f[0] == "LIST"  ? ListReply()
                                  : f[0] == "CMD" ? CommandReply(f)
                                                  : "ERR\n";
        WriteAll(fd, reply);
    }
    close(fd);
}

void Listen(Listener* l) {
    while (!l->stop.load()) {
        pollfd fds[2] = {{l->listenFd, POLLIN, 0}, {l->wakeFd, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 && errno != EINTR) break;
        if (l->stop.load()) break;
        if (fds[0].revents & POLLIN) {
            const int fd = accept4(l->listenFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) Serve(fd);
        }
    }
    std::shared_ptr<ThreadSignal> waiter;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        l->finished = true;
        waiter = l->waiter;
    }
    if (waiter) waiter->Kick();
}

int OpenListeningSocket(const std::string& path) {
    sockaddr_un addr{};
    if (path.size() >= sizeof(addr.sun_path)) return -1;
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    unlink(path.c_str());
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 || listen(fd, 8) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

std::string SharingDir() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_listener ? g_listener->dir : std::string();
}

LRESULT RunRemoteCommand(HWND hwnd, WPARAM what, LPARAM arg) {
    switch (what) {
        case 1:
            return ShowWindow(hwnd, static_cast<int>(arg));
        case 2:
            return SetForegroundWindow(hwnd);
        case 3:
            return BringWindowToTop(hwnd);
        default:
            return 0;
    }
}

}  // namespace quorvel::win::detail

namespace quorvel::win {

bool EnableInstanceSharing(const std::string& dir) {
    using namespace detail;
    if (SharingDir() == dir) return true;
    DisableInstanceSharing();
    mkdir(SocketFolder(dir).c_str(), 0700);
    auto* l = new Listener;
    l->dir = dir;
    l->path = SocketPathFor(dir, getpid());
    l->listenFd = OpenListeningSocket(l->path);
    l->wakeFd = eventfd(0, EFD_CLOEXEC);
    if (l->listenFd < 0 || l->wakeFd < 0) {
        if (l->listenFd >= 0) close(l->listenFd);
        if (l->wakeFd >= 0) close(l->wakeFd);
        delete l;
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_listener = l;
        std::snprintf(g_socketAtExit, sizeof(g_socketAtExit), "%s", l->path.c_str());
    }
    static bool registered = std::atexit(RemoveSocketAtExit) == 0;
    (void)registered;
    std::thread(Listen, l).detach();
    return true;
}

void DisableInstanceSharing() {
    using namespace detail;
    Listener* l;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        l = g_listener;
        if (!l) return;
        g_listener = nullptr;
        g_socketAtExit[0] = '\0';
        CurrentThreadSignal();
        l->waiter = ThreadSignalOf(GetCurrentThreadId());
    }
    l->stop = true;
    const uint64_t one = 1;
    [[maybe_unused]] ssize_t n = write(l->wakeFd, &one, sizeof(one));
    // The listener may be waiting for this thread to carry out a request.
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(g_mutex);
            if (l->finished) break;
        }
        if (!ServeSentMessages()) CurrentThreadSignal().Wait(UINT64_MAX);
    }
    close(l->listenFd);
    close(l->wakeFd);
    unlink(l->path.c_str());
    delete l;
    Lock lock = TakeLock();
    DropAllProxies();
}

}  // namespace quorvel::win
