// The receiver reader's line cutter over any byte stream: every line it
// hands over ends in CR and a 0 byte and stays within the line bound, the
// search vector is the line less its first byte, and the "$BIN" check
// reads nothing outside the line.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "receiver/link/LineCutter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CLineCutter cutter;
    for (size_t i = 0; i < size; ++i) {
        if (!cutter.Add(data[i])) continue;
        CByteBuffer& line = cutter.Line();
        const DWORD n = line.GetSize();
        if (n < 2 || n > CLineCutter::kMaxLine + 1) std::abort();
        if (*line.GetAt(n - 1) != 0 || *line.GetAt(n - 2) != '\r') std::abort();
        const auto& search = cutter.SearchVector();
        if (search.size() != n - 2) std::abort();
        if (!search.empty() && std::memcmp(search.data(), line.GetAt(1), search.size()) != 0) {
            std::abort();
        }
        float sigma = 0;
        if (cutter.FindBin1Sigma(sigma) && !(sigma > 1e-5f)) std::abort();
    }
    return 0;
}
