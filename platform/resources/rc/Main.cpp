// quorvel_rc SCRIPT -o OUTPUT.cpp
//
// Compiles the program's resource script into C++ tables. Any error is
// printed as "file:line: error: message" and the exit status is 1, with no
// output file left behind, so the build stops at the script.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "platform/resources/rc/Compiler.h"

int main(int argc, char** argv) {
    std::string input, output;
    for (int k = 1; k < argc; ++k) {
        const std::string arg = argv[k];
        if (arg == "-o" && k + 1 < argc) {
            output = argv[++k];
        } else if (input.empty() && !arg.empty() && arg[0] != '-') {
            input = arg;
        } else {
            input.clear();
            break;
        }
    }
    if (input.empty() || output.empty()) {
        std::cerr << "usage: quorvel_rc SCRIPT.rc -o OUTPUT.cpp\n";
        return 2;
    }
    std::filesystem::remove(output);
    quorvel::rc::Script script;
    const auto errors = quorvel::rc::CompileScript(input, script);
    for (const auto& error : errors) std::cerr << error.Text() << "\n";
    if (!errors.empty()) return 1;
    const std::string temp = output + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary);
        out << quorvel::rc::EmitTables(script);
        if (!out) {
            std::cerr << output << ": error: cannot write the tables\n";
            return 1;
        }
    }
    std::filesystem::rename(temp, output);
    return 0;
}
