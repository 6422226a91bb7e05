// The data section of a library already checked, held against the one a
// rebuild writes: as long as the new bytes are the old ones, the old
// checksum is theirs too, and comparing costs a fraction of the serial
// checksum. The tool's both rebuilds a library it has just verified, most
// often byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "engine/io/byteSource.h"

// Where a checked data section stands, and its checksum.
struct knownSection {
    std::string path;
    long long start = 0;
    long long size = 0;
    std::uint32_t checksum = 0;
};

class sectionMatch {
public:
    // Opens the library; holds() is false when that fails.
    explicit sectionMatch(const knownSection& section);
    ~sectionMatch();
    sectionMatch(const sectionMatch&) = delete;
    sectionMatch& operator=(const sectionMatch&) = delete;

    bool holds() const { return same; }
    // Compares the next bytes of the new section with the old; once they
    // differ (or the old cannot be read) the match no longer holds. Returns
    // how many of them the old section's rest covers: fewer than count only
    // where it ends.
    std::size_t compare(const char* bytes, std::size_t count);
    // True when the new section is the old one whole: its checksum is known.
    bool complete() const { return same && left == 0; }
    std::uint32_t checksum() const { return known.checksum; }

private:
    knownSection known;
    std::FILE* file = nullptr;
    std::optional<fileSource> source;
    std::vector<char> block;
    long long left = 0;  // old bytes not compared yet
    bool same = false;
};
