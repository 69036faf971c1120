// Reads the reference data files under tests/geodesy/data: blocks of
// "operation <command line>" followed by "accept <numbers>" / "expect
// <numbers>" pairs, '#' starting a comment line (the manner of PROJ's .gie
// files). The command line is the exact invocation that made the expected
// values; tests take the operation's parameters from it.
#pragma once

#include <string>
#include <vector>

struct GieCase {
    std::vector<double> accept;
    std::vector<double> expect;
};

struct GieBlock {
    std::string command;
    std::vector<GieCase> cases;

    // "-e 6378245 1/298.3" style: the n-th token after the flag.
    std::string FlagValue(const std::string& flag, int n = 0) const;
    // "+x=-15.4" style: the value of a PROJ option, empty when absent.
    std::string PlusValue(const std::string& key) const;
    double PlusNumber(const std::string& key) const;
};

// Loads tests/geodesy/data/<name>; an unreadable file gives no blocks.
std::vector<GieBlock> LoadGie(const std::string& name);
