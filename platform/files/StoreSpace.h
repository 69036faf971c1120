// Test-only: a store that fills up. Tests of what the program does on a full
// store set how many more bytes fit; every write through CFile and the
// atomic writers then lands as far as the room goes and fails as a full
// store fails (ENOSPC), until the test gives the room back. The program
// itself never sets a limit.
#pragma once

#include <sys/types.h>

#include <cstddef>

namespace quorvel::files {

// Room for `bytes` more bytes from now on.
void LimitStoreSpaceForTest(long long bytes);
// No limit again, as if the store had been emptied.
void UnlimitStoreSpaceForTest();

// ::write within the room left: a write past it writes what fits, and one
// with no room left fails with ENOSPC.
ssize_t WriteWithinStoreSpace(int fd, const void* data, size_t size);

}  // namespace quorvel::files
