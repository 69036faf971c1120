// What a leak would show in this process: open descriptors and threads,
// counted so that what is only passing through is not taken for a leak.
#pragma once

#include <string>

namespace quorvel::testing {

// Entries of a folder such as /proc/self/task.
int CountEntries(const char* folder);
// Descriptors of this process that a leak would leave open. Files under
// `root` are left out: the simulators and the ports open the line-state
// side files there for a moment, many times a second; so are descriptors
// that close while they are listed.
int CountLastingDescriptors(const std::string& root);
// Threads of this process once those that are ending have gone, waiting at
// most two seconds for the count to fall to `expected`.
int SettledThreads(int expected);

}  // namespace quorvel::testing
