#include "platform/testing/ProcessCounts.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>

namespace quorvel::testing {

int CountEntries(const char* folder) {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        (void)entry;
        ++n;
    }
    return n;
}

int CountLastingDescriptors(const std::string& root) {
    const std::string prefix = std::filesystem::weakly_canonical(root).string() + "/";
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
        if (!error && target.rfind(prefix, 0) != 0) ++n;
    }
    return n;
}

int SettledThreads(int expected) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    int count = CountEntries("/proc/self/task");
    while (count > expected && std::chrono::steady_clock::now() < end) {
        usleep(1000);
        count = CountEntries("/proc/self/task");
    }
    return count;
}

}  // namespace quorvel::testing
