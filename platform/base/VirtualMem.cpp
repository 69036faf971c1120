#include "platform/base/VirtualMem.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

namespace {

struct Regions {
    std::mutex mutex;
    std::map<uintptr_t, size_t> sizes;  // base -> size
};

Regions& R() {
    static Regions* regions = new Regions;  // outlives every thread
    return *regions;
}

std::atomic<int> g_failures{0};

template <typename T>
T Fail(DWORD error, T value) {
    SetLastError(error);
    return value;
}

// The region holding [addr, addr + size), as its base; 0 when none does.
uintptr_t RegionOf(const Regions& r, uintptr_t addr, size_t size) {
    auto it = r.sizes.upper_bound(addr);
    if (it == r.sizes.begin()) return 0;
    --it;
    const uintptr_t end = it->first + it->second;
    return addr < end && size <= end - addr ? it->first : 0;
}

bool TakeFailure() {
    int left = g_failures.load();
    while (left > 0)
        if (g_failures.compare_exchange_weak(left, left - 1)) return true;
    return false;
}

}  // namespace

LPVOID VirtualAlloc(LPVOID addr, size_t size, DWORD type, DWORD /*protect*/) {
    if (size == 0 || (type & (MEM_COMMIT | MEM_RESERVE)) == 0)
        return Fail<LPVOID>(ERROR_INVALID_PARAMETER, nullptr);
    if (TakeFailure() || size > quorvel::kMaxVirtualAlloc)
        return Fail<LPVOID>(ERROR_NOT_ENOUGH_MEMORY, nullptr);
    Regions& r = R();
    if (addr) {
        // Committing pages of a region reserved earlier.
        std::lock_guard<std::mutex> lock(r.mutex);
        if ((type & MEM_RESERVE) || !RegionOf(r, reinterpret_cast<uintptr_t>(addr), size))
            return Fail<LPVOID>(ERROR_INVALID_ADDRESS, nullptr);
        return addr;
    }
    void* p = nullptr;
    if (posix_memalign(&p, 4096, size) != 0 || !p)
        return Fail<LPVOID>(ERROR_NOT_ENOUGH_MEMORY, nullptr);
    std::memset(p, 0, size);
    std::lock_guard<std::mutex> lock(r.mutex);
    r.sizes[reinterpret_cast<uintptr_t>(p)] = size;
    return p;
}

BOOL VirtualFree(LPVOID addr, size_t size, DWORD type) {
    const bool release = type == MEM_RELEASE;
    if (!addr || (!release && type != MEM_DECOMMIT) || (release && size != 0))
        return Fail<BOOL>(ERROR_INVALID_PARAMETER, FALSE);
    Regions& r = R();
    std::lock_guard<std::mutex> lock(r.mutex);
    const auto a = reinterpret_cast<uintptr_t>(addr);
    if (release) {
        auto it = r.sizes.find(a);
        if (it == r.sizes.end()) return Fail<BOOL>(ERROR_INVALID_ADDRESS, FALSE);
        r.sizes.erase(it);
        std::free(addr);
        return TRUE;
    }
    const uintptr_t base = RegionOf(r, a, size);
    if (!base) return Fail<BOOL>(ERROR_INVALID_ADDRESS, FALSE);
    // Size 0 decommits from addr to the end of the region.
    const size_t length = size ? size : base + r.sizes[base] - a;
    std::memset(addr, 0, length);
    return TRUE;
}

namespace quorvel {

void FailNextVirtualAllocs(int count) {
    g_failures.store(count > 0 ? count : 0);
}

}  // namespace quorvel
