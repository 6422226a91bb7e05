// The command line of the vek tool.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/format/libKind.h"

struct cliOptions {
    enum class action { compress, expand, both, list, verify, extract, print, add, remove, diff, help, version };
    action what = action::help;
    const libKind* kind = nullptr;
    bool remove = false;     // -r: compress deletes the component files
    bool quiet = false;      // -q: no per-part lines
    bool json = false;       // --json: list as JSON
    bool progress = true;    // --no-progress: no progress line on a terminal
    bool force = false;      // --force: change a library that verify finds damaged
    double waitSeconds = 30; // --wait: how long a writer waits for another
    std::string directory;   // -C: change there first
    std::vector<std::string> paths;
};

// Parsed options, or null with the reason in error.
std::optional<cliOptions> parseCommandLine(const std::vector<std::string>& args,
                                           std::string& error);

extern const char* const usageText;
