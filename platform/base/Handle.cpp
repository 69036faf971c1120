#include "platform/base/Handle.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/base/ThreadSignal.h"

namespace quorvel {
namespace {

struct HandleTable {
    std::mutex mutex;
    std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> objects;
    uintptr_t next = 0x1000;  // steps of 4 as on the device; never reused
};

struct WaiterTable {
    std::mutex mutex;
    std::vector<std::pair<KernelObject*, ThreadSignal*>> waiters;
};

HandleTable& Handles() {
    static HandleTable* table = new HandleTable;  // outlives every thread
    return *table;
}

WaiterTable& Waiters() {
    static WaiterTable* table = new WaiterTable;
    return *table;
}

}  // namespace

KernelObject::~KernelObject() = default;
bool KernelObject::IsSignaled() const {
    return false;
}
bool KernelObject::TryAcquire() {
    return IsSignaled();
}
void KernelObject::OnClose() {}

HANDLE RegisterHandle(std::shared_ptr<KernelObject> object) {
    if (!object) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HandleTable& t = Handles();
    std::lock_guard<std::mutex> lock(t.mutex);
    const uintptr_t value = t.next;
    t.next += 4;
    t.objects.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> LookupHandle(HANDLE handle) {
    HandleTable& t = Handles();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
    return it == t.objects.end() ? nullptr : it->second;
}

void NotifyWaiters(KernelObject& object) {
    WaiterTable& w = Waiters();
    std::lock_guard<std::mutex> lock(w.mutex);
    for (auto& [obj, signal] : w.waiters)
        if (obj == &object) signal->Kick();
}

ObjectWaitScope::ObjectWaitScope(KernelObject& object, ThreadSignal& signal)
    : m_object(&object), m_signal(&signal) {
    WaiterTable& w = Waiters();
    std::lock_guard<std::mutex> lock(w.mutex);
    w.waiters.emplace_back(m_object, m_signal);
}

ObjectWaitScope::~ObjectWaitScope() {
    WaiterTable& w = Waiters();
    std::lock_guard<std::mutex> lock(w.mutex);
    auto it = std::find(w.waiters.begin(), w.waiters.end(), std::make_pair(m_object, m_signal));
    if (it != w.waiters.end()) w.waiters.erase(it);
}

}  // namespace quorvel

BOOL CloseHandle(HANDLE handle) {
    std::shared_ptr<KernelObject> object;
    {
        quorvel::HandleTable& t = quorvel::Handles();
        std::lock_guard<std::mutex> lock(t.mutex);
        auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
        if (it != t.objects.end()) {
            object = std::move(it->second);
            t.objects.erase(it);
        }
    }
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    object->OnClose();
    return TRUE;
}
