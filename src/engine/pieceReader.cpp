#include "engine/pieceReader.h"

#include <algorithm>
#include <cstring>

pieceReader::pieceReader(std::FILE* s, std::size_t bufferSize, std::vector<char>& b)
    : stream(s), maxChars(bufferSize - 1), block(b) {
    if (block.size() < blockSize) block.resize(blockSize);
}

bool pieceReader::fill() {
    pos = 0;
    len = std::fread(block.data(), 1, block.size(), stream);
    return len > 0;
}

bool pieceReader::next(std::string& piece) {
    piece.clear();
    bool any = false;
    while (piece.size() < maxChars) {
        if (pos == len && !fill()) break;
        const char* start = block.data() + pos;
        std::size_t n = std::min(maxChars - piece.size(), len - pos);
        const void* lf = std::memchr(start, '\n', n);
        if (lf) n = static_cast<std::size_t>(static_cast<const char*>(lf) - start) + 1;
        piece.append(start, n);
        pos += n;
        any = true;
        if (lf) break;
    }
    if (!any) return false;
    const std::size_t nul = piece.find('\0');
    if (nul != std::string::npos) piece.resize(nul);
    return true;
}

void pieceReader::rewind() {
    std::rewind(stream);
    pos = len = 0;
}
