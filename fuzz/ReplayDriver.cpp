// A stand-in for libFuzzer in the test build: runs every input file given on
// the command line (a folder stands for the files in it, in name order), then
// a fixed number of deterministic mutations of them (bit flips, insertions
// and deletions of bytes, tokens from the target's dictionary), so that a
// short run in the test suite replays the faults found before and covers the
// target under the sanitizers.
//
//   replay [--runs N] [--dict FILE] input-file-or-folder...
//
// The dictionary has libFuzzer's syntax: one quoted token a line, optionally
// after a name and "=", with \\, \" and \xHH escapes; # starts a comment.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

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

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The token between the first and the last quote of a line; nothing when
// the line holds none or a bad escape.
std::optional<std::string> ParseToken(const std::string& line) {
    size_t open = line.find('"'), close = line.rfind('"');
    if (open == std::string::npos || close <= open) return std::nullopt;
    std::string token;
    for (size_t i = open + 1; i < close; ++i) {
        if (line[i] != '\\') {
            token += line[i];
        } else if (i + 1 < close && (line[i + 1] == '\\' || line[i + 1] == '"')) {
            token += line[++i];
        } else if (i + 3 < close && line[i + 1] == 'x' && HexDigit(line[i + 2]) >= 0 &&
                   HexDigit(line[i + 3]) >= 0) {
            token += static_cast<char>(HexDigit(line[i + 2]) * 16 + HexDigit(line[i + 3]));
            i += 3;
        } else {
            return std::nullopt;
        }
    }
    return token;
}

bool ReadDictionary(const char* path, std::vector<std::string>* tokens) {
    std::ifstream in(path);
    if (!in) return false;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') continue;
        std::optional<std::string> token = ParseToken(line);
        if (!token) {
            std::fprintf(stderr, "%s:%d: not a dictionary entry\n", path, number);
            return false;
        }
        tokens->push_back(*token);
    }
    return true;
}

bool ReadFile(const fs::path& path, std::vector<std::string>* inputs) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    inputs->emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// A folder stands for its files, sorted so that every run replays alike.
bool ReadInputs(const char* arg, std::vector<std::string>* inputs) {
    std::error_code error;
    if (!fs::is_directory(arg, error)) return ReadFile(arg, inputs);
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(arg, error))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files)
        if (!ReadFile(file, inputs)) return false;
    return !error;
}

void Mutate(std::string& input, const std::vector<std::string>& tokens, Random& random) {
    int edits = 1 + static_cast<int>(random.Below(4));
    for (int i = 0; i < edits; ++i) {
        size_t at = random.Below(input.size() + 1);
        switch (random.Below(tokens.empty() ? 3 : 4)) {
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
                input.insert(at, tokens[random.Below(tokens.size())]);
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
    std::vector<std::string> inputs, tokens;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::strtol(argv[++i], nullptr, 10);
        } else if (std::strcmp(argv[i], "--dict") == 0 && i + 1 < argc) {
            if (!ReadDictionary(argv[++i], &tokens)) return 2;
        } else if (!ReadInputs(argv[i], &inputs)) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 2;
        }
    }
    inputs.emplace_back();
    for (const std::string& input : inputs) Run(input);
    Random random;
    for (long i = 0; i < runs; ++i) {
        std::string input = inputs[random.Below(inputs.size())];
        Mutate(input, tokens, random);
        Run(input);
    }
    std::printf("%zu inputs and %ld mutations replayed\n", inputs.size(), runs);
    return 0;
}
