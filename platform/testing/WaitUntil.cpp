#include "platform/testing/WaitUntil.h"

#include <chrono>
#include <thread>

namespace quorvel::testing {

::testing::AssertionResult WaitUntil(const std::function<bool()>& done, const std::string& what,
                                     int realMs, const std::function<void()>& betweenPolls) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(realMs);
    while (!done()) {
        if (Clock::now() > deadline) {
            return ::testing::AssertionFailure()
                   << "gave up after " << realMs << " ms waiting for " << what;
        }
        if (betweenPolls) {
            betweenPolls();
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace quorvel::testing
