// A stand-in for libFuzzer where the compiler has none: runs every seed file
// given on the command line, then a fixed number of deterministic mutations
// of them (byte flips, insertions and deletions, tokens of the formats), so
// that a short run in the test suite covers the target under the sanitizers.
//
//   replay [--runs N] seed-file...
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

const char* const kTokens[] = {
    "[",     "]",        "=",    "\r\n",      "\r",           "\n",    "[System Par]",
    "Port=", "\xb2\xe2", "\xff", "szdBaseH=", "[TouYin Par]", "1e999", "-"};

struct Random {
    uint64_t state = 0x9e3779b97f4a7c15ull;
    uint64_t Next() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    }
    size_t Below(size_t n) { return n == 0 ? 0 : static_cast<size_t>(Next() % n); }
};

void Mutate(std::string& input, Random& random) {
    int edits = 1 + static_cast<int>(random.Below(4));
    for (int i = 0; i < edits; ++i) {
        size_t at = random.Below(input.size() + 1);
        switch (random.Below(4)) {
            case 0:
                if (!input.empty()) input[random.Below(input.size())] ^= 1 << random.Below(8);
                break;
            case 1:
                input.insert(at, 1, static_cast<char>(random.Next()));
                break;
            case 2:
                input.erase(at, random.Below(16));
                break;
            default:
                input.insert(at, kTokens[random.Below(std::size(kTokens))]);
                break;
        }
    }
}

void Run(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

}  // namespace

int main(int argc, char** argv) {
    long runs = 20000;
    std::vector<std::string> seeds;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::strtol(argv[++i], nullptr, 10);
            continue;
        }
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read seed %s\n", argv[i]);
            return 2;
        }
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    seeds.emplace_back();
    for (const std::string& seed : seeds) Run(seed);
    Random random;
    for (long i = 0; i < runs; ++i) {
        std::string input = seeds[random.Below(seeds.size())];
        Mutate(input, random);
        Run(input);
    }
    std::printf("%zu seeds and %ld mutations replayed\n", seeds.size(), runs);
    return 0;
}
