// SIGINT and SIGTERM turned into work for the UI thread: the handler only
// writes a byte to a pipe; a watcher thread reads it, raises a flag and
// wakes the UI thread, whose idle work then ends the run.
#pragma once

#include <atomic>
#include <thread>

#include "platform/base/WinTypes.h"

namespace quorvel::launcher {

class CSignalWatch {
  public:
    // Installs the handlers; `uiThread` is woken at each signal.
    explicit CSignalWatch(DWORD uiThread);
    // Restores the default handlers and stops the watcher.
    ~CSignalWatch();
    CSignalWatch(const CSignalWatch&) = delete;
    CSignalWatch& operator=(const CSignalWatch&) = delete;

    bool Signalled() const { return m_signalled.load(); }

  private:
    void Watch(DWORD uiThread);

    int m_pipe[2] = {-1, -1};
    std::atomic<bool> m_signalled{false};
    std::thread m_thread;
};

}  // namespace quorvel::launcher
