// Reads a library a line at a time while keeping the byte offset of the
// stream, which positions and lengths are measured in. CRs are dropped from
// the lines but still count in the offset.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "engine/logSink.h"

// Case-sensitive prefix test, as the reading rules use for "@index",
// "symloc" and the kind's keyword.
inline bool beginsWith(const std::string& line, const std::string& prefix) {
    return line.compare(0, prefix.size(), prefix) == 0;
}

class libReader {
public:
    // The reader borrows the stream; its reads start at the stream's start.
    explicit libReader(std::FILE* stream);

    // Bytes taken from the stream so far: the offset of the next line.
    long long offset() const { return base + static_cast<long long>(pos); }

    // The next line, LF included, at most 1022 characters besides it. False at
    // the end of the stream (a last line without LF is dropped) and after a
    // longer line, which is reported as "Expand: internal error: buf too small".
    bool readLibLine(std::string& line, logSink& log);

    static constexpr std::size_t bufferSize = 1024;

private:
    int nextByte();
    bool refill();

    std::FILE* stream;
    std::vector<unsigned char> block;
    std::size_t pos = 0;
    std::size_t len = 0;
    long long base = 0;
};
