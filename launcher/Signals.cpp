#include "launcher/Signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/base/ThreadSignal.h"

namespace quorvel::launcher {
namespace {

// Written by the handler; only one watch lives at a time.
volatile sig_atomic_t g_writeFd = -1;

constexpr char kSignal = 's', kStop = 'q';

void OnSignal(int) {
    const int saved = errno;
    const char byte = kSignal;
    if (g_writeFd >= 0) (void)!write(g_writeFd, &byte, 1);
    errno = saved;
}

void Install(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace

CSignalWatch::CSignalWatch(DWORD uiThread) {
    if (pipe2(m_pipe, O_CLOEXEC) != 0) return;
    g_writeFd = m_pipe[1];
    Install(OnSignal);
    m_thread = std::thread([this, uiThread] { Watch(uiThread); });
}

CSignalWatch::~CSignalWatch() {
    if (m_pipe[1] < 0) return;
    Install(SIG_DFL);
    g_writeFd = -1;
    const char byte = kStop;
    (void)!write(m_pipe[1], &byte, 1);
    if (m_thread.joinable()) m_thread.join();
    close(m_pipe[0]);
    close(m_pipe[1]);
}

void CSignalWatch::Watch(DWORD uiThread) {
    char byte = 0;
    while (read(m_pipe[0], &byte, 1) == 1 || errno == EINTR) {
        if (byte == kStop) return;
        if (byte != kSignal) continue;
        m_signalled = true;
        if (auto signal = ThreadSignalOf(uiThread)) signal->Kick();
        byte = 0;
    }
}

}  // namespace quorvel::launcher
