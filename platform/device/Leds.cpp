#include "platform/device/Leds.h"

#include <mutex>

namespace quorvel::device {
namespace {

struct LedBank {
    std::mutex mutex;
    LedSink sink;
    bool on[sizeof(kLedIds) / sizeof(kLedIds[0])] = {};
};

LedBank& Bank() {
    static LedBank* bank = new LedBank;  // used until the very end of the process
    return *bank;
}

int SlotOf(int led) {
    for (int i = 0; i < static_cast<int>(sizeof(kLedIds) / sizeof(kLedIds[0])); ++i) {
        if (kLedIds[i] == led) return i;
    }
    return -1;
}

}  // namespace

LedSink SetLedSink(LedSink sink) {
    LedBank& bank = Bank();
    std::lock_guard lock(bank.mutex);
    bank.sink.swap(sink);
    return sink;
}

int LedUpdate(int led, int state) {
    const int slot = SlotOf(led);
    if (slot < 0) return 0;
    const bool on = state != 0;
    LedSink sink;
    {
        LedBank& bank = Bank();
        std::lock_guard lock(bank.mutex);
        bank.on[slot] = on;
        sink = bank.sink;
    }
    // Outside the lock: a sink may well ask for the other LED's state.
    if (sink) sink(led, on);
    return 1;
}

bool LedIsOn(int led) {
    const int slot = SlotOf(led);
    if (slot < 0) return false;
    LedBank& bank = Bank();
    std::lock_guard lock(bank.mutex);
    return bank.on[slot];
}

void ResetLedsForTests() {
    LedBank& bank = Bank();
    std::lock_guard lock(bank.mutex);
    for (bool& on : bank.on) on = false;
}

}  // namespace quorvel::device
