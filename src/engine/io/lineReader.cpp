#include "engine/io/lineReader.h"

#include <algorithm>
#include <cstring>

lineReader::lineReader(byteSource& s, std::vector<char>& b) : source(s), block(b) {
    if (block.size() < blockSize) block.resize(blockSize);
}

bool lineReader::refill() {
    base += static_cast<long long>(len);
    pos = 0;
    crKnown = false;
    len = source.read(block.data(), block.size());
    if (len == 0 && source.failed()) stopped = ending::readError;
    return len > 0;
}

// The rule is per character: before each one is read, a line that already
// holds libLineBuffer - 1 characters is too long; CRs are read but not kept.
// Whole stretches without a CR that fit are copied at once; anything else
// goes character by character.
bool lineReader::readLibLine(std::string& line) {
    line.clear();
    stopped = ending::none;
    const std::size_t limit = libLineBuffer - 1;
    for (;;) {
        if (line.size() >= limit) return stop(ending::tooLong);
        if (pos == len && !refill()) {
            if (stopped == ending::readError) return false;
            return stop(line.empty() ? ending::end : ending::cutShort);
        }
        const char* start = block.data() + pos;
        const auto* lf = static_cast<const char*>(std::memchr(start, '\n', len - pos));
        const std::size_t n = lf ? static_cast<std::size_t>(lf - start) + 1 : len - pos;
        if (line.size() + n <= limit && !std::memchr(start, '\r', n)) {
            line.append(start, n);
            pos += n;
            if (lf) return true;
            continue;
        }
        const char c = block[pos++];
        if (c == '\r') continue;
        line.push_back(c);
        if (c == '\n') return true;
    }
}

void lineReader::takePlainLines(std::string& out, const std::string& stop) {
    const char* bytes = block.data();
    if (!crKnown || nextCR < pos) {
        const void* cr = std::memchr(bytes + pos, '\r', len - pos);
        nextCR = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - bytes) : len;
        crKnown = true;
    }
    std::size_t at = pos;
    while (at < len) {
        const char* line = bytes + at;
        const void* lf = std::memchr(line, '\n', len - at);
        if (!lf) break;
        const std::size_t n = static_cast<std::size_t>(static_cast<const char*>(lf) - line) + 1;
        if (n > libLineBuffer - 1 || at + n > nextCR) break;
        if (!stop.empty() && line[0] == stop[0] && n >= stop.size() && std::memcmp(line, stop.data(), stop.size()) == 0) {
            break;
        }
        at += n;
    }
    out.append(bytes + pos, at - pos);
    pos = at;
}

bool lineReader::readPiece(std::string& piece, std::size_t bufferSize) {
    piece.clear();
    stopped = ending::none;
    const std::size_t maxChars = bufferSize - 1;
    bool any = false;
    while (piece.size() < maxChars) {
        if (pos == len && !refill()) break;
        const char* start = block.data() + pos;
        std::size_t n = std::min(maxChars - piece.size(), len - pos);
        const void* lf = std::memchr(start, '\n', n);
        if (lf) n = static_cast<std::size_t>(static_cast<const char*>(lf) - start) + 1;
        piece.append(start, n);
        pos += n;
        any = true;
        if (lf) break;
    }
    if (!any) return stopped == ending::readError ? false : stop(ending::end);
    const std::size_t nul = piece.find('\0');
    if (nul != std::string::npos) piece.resize(nul);
    return true;
}

bool lineReader::seek(long long offset) {
    pos = len = 0;
    crKnown = false;
    stopped = ending::none;
    base = offset;
    return source.seek(offset);
}
