// Fuzz target: the registry file's reader. Whatever text it accepts must
// come back unchanged through writing and reading it again: the writer's
// output is a registry file too, and one the writer reproduces exactly.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/files/RegistryTree.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorvel::files;
    RegRoots roots = MakeEmptyRoots();
    if (!ParseRegistry(std::string(reinterpret_cast<const char*>(data), size), roots)) return 0;
    const std::string written = FormatRegistry(roots);
    RegRoots again = MakeEmptyRoots();
    if (!ParseRegistry(written, again) || FormatRegistry(again) != written) std::abort();
    return 0;
}
