#include "tests/geodesy/GieData.h"

#include <fstream>
#include <sstream>

namespace {

std::vector<double> Numbers(const std::string& text) {
    std::vector<double> out;
    std::istringstream in(text);
    std::string token;
    while (in >> token) {
        try {
            out.push_back(std::stod(token));
        } catch (...) {
            out.push_back(0.0);
        }
    }
    return out;
}

std::vector<std::string> Tokens(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string token;
    while (in >> token) out.push_back(token);
    return out;
}

}  // namespace

std::string GieBlock::FlagValue(const std::string& flag, int n) const {
    const std::vector<std::string> tokens = Tokens(command);
    for (size_t i = 0; i + 1 + n < tokens.size(); ++i) {
        if (tokens[i] == flag) return tokens[i + 1 + n];
    }
    return std::string();
}

std::string GieBlock::PlusValue(const std::string& key) const {
    const std::string prefix = "+" + key + "=";
    for (const std::string& token : Tokens(command)) {
        if (token.rfind(prefix, 0) == 0) return token.substr(prefix.size());
    }
    return std::string();
}

double GieBlock::PlusNumber(const std::string& key) const {
    const std::string value = PlusValue(key);
    return value.empty() ? 0.0 : std::stod(value);
}

std::vector<GieBlock> LoadGie(const std::string& name) {
    std::vector<GieBlock> blocks;
    std::ifstream in(std::string(QUORVEL_SOURCE_DIR) + "/tests/geodesy/data/" + name);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        const size_t space = line.find(' ');
        const std::string tag = line.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
        if (tag == "operation") {
            blocks.push_back(GieBlock{rest, {}});
        } else if (tag == "accept" && !blocks.empty()) {
            blocks.back().cases.push_back(GieCase{Numbers(rest), {}});
        } else if (tag == "expect" && !blocks.empty() && !blocks.back().cases.empty()) {
            blocks.back().cases.back().expect = Numbers(rest);
        }
    }
    return blocks;
}
