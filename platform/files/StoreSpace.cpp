#include "platform/files/StoreSpace.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace quorvel::files {

namespace {

// Negative: no limit.
std::atomic<long long> g_room{-1};

}  // namespace

void LimitStoreSpaceForTest(long long bytes) {
    g_room.store(bytes < 0 ? 0 : bytes);
}

void UnlimitStoreSpaceForTest() {
    g_room.store(-1);
}

ssize_t WriteWithinStoreSpace(int fd, const void* data, size_t size) {
    long long room = g_room.load();
    for (;;) {
        if (room < 0) return ::write(fd, data, size);
        if (size > 0 && room == 0) {
            errno = ENOSPC;
            return -1;
        }
        const long long take =
            static_cast<long long>(size) < room ? static_cast<long long>(size) : room;
        if (g_room.compare_exchange_weak(room, room - take)) {
            return ::write(fd, data, static_cast<size_t>(take));
        }
    }
}

}  // namespace quorvel::files
