// Makes reproducible sets of component files of realistic shape: headers in
// every name form, pin, line and text records, now and then trailing blanks
// and blank lines. Used for the sample libraries and for benchmarks.
#pragma once

#include <cstdint>
#include <string>

#include "engine/format/libKind.h"

struct partSetSpec {
    const libKind* kind = nullptr;
    int count = 100;
    std::uint32_t seed = 1;
    int maxBodyLines = 200;
};

// Writes count component files into folder and a list file naming them;
// returns the list file's path.
std::string writePartSet(const partSetSpec& spec, const std::string& folder,
                         const std::string& listName);
