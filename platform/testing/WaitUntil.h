// Waiting for something another thread, a pseudo-terminal or a display
// does in its own time, without depending on the machine's speed: the
// condition is polled until it holds or a generous deadline of real time
// passes, and a miss fails with a message that says what never happened.
//
//   ASSERT_TRUE(WaitUntil([&] { return Queued() == 3; }, "three bytes queued"));
//
// Anything that can be driven by the virtual clock should be; this is for
// what cannot.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace quorvel::testing {

// Long enough for a loaded machine under the sanitizers; a passing test
// never waits for it.
inline constexpr int kWaitMs = 10000;

// Polls `done` until it holds or `realMs` have passed; between two looks
// runs `betweenPolls` (which should wait a little itself, e.g. serve a
// queue), or sleeps a millisecond or two when there is none.
::testing::AssertionResult WaitUntil(const std::function<bool()>& done, const std::string& what,
                                     int realMs = kWaitMs,
                                     const std::function<void()>& betweenPolls = {});

}  // namespace quorvel::testing
