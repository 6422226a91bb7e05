#include "engine/libReader.h"

#include <cstring>

namespace {
constexpr std::size_t blockSize = 1 << 16;
}

libReader::libReader(std::FILE* s) : stream(s), block(blockSize) {}

bool libReader::refill() {
    base += static_cast<long long>(len);
    pos = 0;
    len = std::fread(block.data(), 1, block.size(), stream);
    return len > 0;
}

int libReader::nextByte() {
    if (pos == len && !refill()) return EOF;
    return block[pos++];
}

// The rule is per character: before each one is read, a line that already
// holds bufferSize - 1 characters is too long; CRs are read but not kept.
// Whole stretches without a CR that fit are copied at once; anything else
// goes character by character.
bool libReader::readLibLine(std::string& line, logSink& log) {
    line.clear();
    const std::size_t limit = bufferSize - 1;
    for (;;) {
        if (line.size() >= limit) {
            log.addLine("Expand: internal error: buf too small");
            return false;
        }
        if (pos == len && !refill()) return false;
        const unsigned char* start = block.data() + pos;
        const auto* lf = static_cast<const unsigned char*>(std::memchr(start, '\n', len - pos));
        const std::size_t n = lf ? static_cast<std::size_t>(lf - start) + 1 : len - pos;
        if (line.size() + n <= limit && !std::memchr(start, '\r', n)) {
            line.append(reinterpret_cast<const char*>(start), n);
            pos += n;
            if (lf) return true;
            continue;
        }
        const int c = nextByte();
        if (c == '\r') continue;
        line.push_back(static_cast<char>(c));
        if (c == '\n') return true;
    }
}
