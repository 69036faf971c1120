// VirtualAlloc and VirtualFree over the heap.
//
// A region is zero-filled memory of exactly the size asked for, so that the
// sanitizers see a write past its end. Committing inside a reserved region
// is accepted and changes nothing; decommitting zero-fills the range. Sizes
// above kMaxVirtualAlloc (far beyond the device's memory) fail with
// ERROR_NOT_ENOUGH_MEMORY, as does everything after FailNextVirtualAllocs.
#pragma once

#include <cstddef>

#include "platform/base/WinTypes.h"

#define MEM_COMMIT 0x00001000u
#define MEM_RESERVE 0x00002000u
#define MEM_DECOMMIT 0x00004000u
#define MEM_RELEASE 0x00008000u
#define PAGE_NOACCESS 0x01u
#define PAGE_READONLY 0x02u
#define PAGE_READWRITE 0x04u
#ifndef ERROR_INVALID_ADDRESS
#define ERROR_INVALID_ADDRESS 487L
#endif

LPVOID VirtualAlloc(LPVOID addr, size_t size, DWORD type, DWORD protect);
// MEM_RELEASE frees a whole region (size must be 0); MEM_DECOMMIT clears a
// range inside one.
BOOL VirtualFree(LPVOID addr, size_t size, DWORD type);

namespace quorvel {

inline constexpr size_t kMaxVirtualAlloc = size_t{256} << 20;

// For tests: the next `count` calls of VirtualAlloc fail.
void FailNextVirtualAllocs(int count);

}  // namespace quorvel
