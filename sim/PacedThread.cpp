#include "sim/PacedThread.h"

#include <algorithm>
#include <chrono>

namespace quorvel::sim {

namespace {

// The longest wait for input, so that Stop is answered within it.
constexpr int64_t kMaxServeMs = 50;

}  // namespace

void PacedThread::Start(double rateHz, Serve serve, Step step) {
    m_thread = std::thread([this, rateHz, serve = std::move(serve), step = std::move(step)] {
        Run(rateHz, serve, step);
    });
}

void PacedThread::Stop() {
    m_stop = true;
    Wait();
}

void PacedThread::Wait() {
    if (m_thread.joinable()) m_thread.join();
}

void PacedThread::Run(double rateHz, const Serve& serve, const Step& step) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    for (int64_t n = 0; !m_stop; ++n) {
        const double t = static_cast<double>(n) / rateHz;
        const auto due =
            start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(t));
        while (!m_stop && Clock::now() < due) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(due - Clock::now());
            serve(static_cast<int>(std::min<int64_t>(left.count() + 1, kMaxServeMs)));
        }
        if (m_stop || !step(n, t)) return;
    }
}

}  // namespace quorvel::sim
