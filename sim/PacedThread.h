// The thread both simulators run on: step n falls due n / rate seconds after
// the start, and until it does the program's bytes are served in waits short
// enough for a stop to be noticed soon.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

namespace quorvel::sim {

class PacedThread {
  public:
    // Serves what the program sends, waiting up to waitMs for it.
    using Serve = std::function<void(int waitMs)>;
    // Does step n due at t seconds; false ends the thread (a hang-up).
    using Step = std::function<bool(int64_t n, double t)>;

    PacedThread() = default;
    ~PacedThread() { Stop(); }
    PacedThread(const PacedThread&) = delete;
    PacedThread& operator=(const PacedThread&) = delete;

    void Start(double rateHz, Serve serve, Step step);
    // Asks the thread to end and waits for it.
    void Stop();
    // Waits for the thread to end by itself (or by Stop from elsewhere).
    void Wait();

  private:
    void Run(double rateHz, const Serve& serve, const Step& step);

    std::thread m_thread;
    std::atomic<bool> m_stop{false};
};

}  // namespace quorvel::sim
