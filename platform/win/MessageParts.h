// The pieces message retrieval draws on: paint targets, due timers and the
// cooking of raw input. Functions marked "lock held" expect the state lock.
#pragma once

#include <cstdint>

#include "platform/win/WindowState.h"

namespace quorvel::win::detail {

// The first window of the thread, in painting order, that has something to
// paint and can be painted (visible, redraw on), matching the window filter
// (lock held).
HWND FindPaintTarget(DWORD threadId, HWND filter);
// Marks the window validated after a WM_PAINT its procedure did not begin
// painting for, so the message does not repeat forever (lock held).
void ValidateAfterUnhandledPaint(HWND hwnd);

// The earliest timer of the queue that is due on the clock and matches the
// filter; with `remove` it is re-armed for its next period (lock held).
bool TakeDueTimer(Queue& q, HWND filter, bool remove, MSG* out);
// When the queue's next timer falls due (UINT64_MAX: none) (lock held).
uint64_t NextTimerDue(const Queue& q);

// Turns one raw input event, taken off the calling thread's queue from
// position `at`, into key or mouse messages, resolving focus, capture and
// hit testing now (no lock held).
void CookRawInput(const MSG& raw, size_t at);

// Whether `hwnd` passes a GetMessage window filter: NULL takes all,
// (HWND)-1 only thread messages, a window itself and its descendants
// (lock held).
bool PassesWindowFilter(HWND hwnd, HWND filter);

}  // namespace quorvel::win::detail
