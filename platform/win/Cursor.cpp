// The standard cursors. The handheld has a stylus and no pointer to draw, so
// a cursor is only a state the program sets (the wait cursor around long
// operations) and a test or a backend can read back.
#include <atomic>

#include "platform/win/WinApi.h"

namespace {

struct StockCursor {
    ULONG_PTR id;
};

// Their addresses are the handles: distinct from every other handle, and
// never freed.
const StockCursor kStock[] = {{32512}, {32514}};

std::atomic<HCURSOR> g_current{nullptr};

HCURSOR HandleOf(const StockCursor& c) {
    return reinterpret_cast<HCURSOR>(const_cast<StockCursor*>(&c));
}

}  // namespace

HCURSOR LoadCursor(HINSTANCE instance, LPCTSTR name) {
    const auto id = reinterpret_cast<ULONG_PTR>(name);
    if (instance == nullptr) {
        for (const StockCursor& c : kStock)
            if (c.id == id) return HandleOf(c);
    }
    return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
    return g_current.exchange(cursor);
}

HCURSOR GetCursor() {
    return g_current.load();
}
