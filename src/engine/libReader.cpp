#include "engine/libReader.h"

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

bool libReader::readLibLine(std::string& line, logSink& log) {
    line.clear();
    for (;;) {
        if (line.size() >= bufferSize - 1) {
            log.addLine("Expand: internal error: buf too small");
            return false;
        }
        int c = nextByte();
        if (c == EOF) return false;
        if (c == '\r') continue;
        line.push_back(static_cast<char>(c));
        if (c == '\n') return true;
    }
}
