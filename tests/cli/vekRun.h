// Runs the built vek program, as a user would, in the current folder.
#pragma once

#include <string>

struct runResult {
    int code;
    std::string out;
    std::string err;
};

std::string inQuotes(const std::string& s);

// vek with these arguments (as a shell reads them); its exit status and
// what it wrote on each stream.
runResult runVek(const std::string& args);
