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
#include "support/platform/durableFile.h"

// What tells whether a file is still the one that was checked: which file
// the name leads to, its size and when it was last written. A file changed
// in place by another program since shows another stamp.
struct fileStamp {
    std::optional<platform::fileId> id;
    long long size = -1;
    long long modified = 0;
    bool operator==(const fileStamp& o) const { return id && id == o.id && size == o.size && modified == o.modified; }
    static fileStamp of(const std::string& path);
};

// Where a checked data section stands, and its checksum.
struct knownSection {
    std::string path;
    fileStamp stamp;  // taken before the check read it
    long long start = 0;
    long long size = 0;
    std::uint32_t checksum = 0;
};

class sectionMatch {
public:
    // Opens the library; holds() is false when that fails, or when the file
    // is no longer the one checked.
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
