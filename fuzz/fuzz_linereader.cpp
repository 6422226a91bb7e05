// The line reader against its per-character definitions, on any bytes
// repeated until they cross many read-ahead blocks: library lines (CRs
// dropped but counted, 1022 characters at most, a last line without LF not
// seen) and text-file pieces (as fgets with buffers of 1024 and 256 reads).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "engine/io/lineReader.h"

namespace {

void checkLibraryLines(const std::string& bytes) {
    memorySource source(bytes);
    std::vector<char> block;
    lineReader reader(source, block);
    std::string line;
    std::size_t pos = 0;
    for (;;) {
        if (reader.offset() != static_cast<long long>(pos)) std::abort();
        std::string expected;
        bool got = false, tooLong = false;
        while (!got) {
            if (expected.size() >= lineReader::libLineBuffer - 1) {
                tooLong = true;
                break;
            }
            if (pos == bytes.size()) break;
            const char c = bytes[pos++];
            if (c == '\r') continue;
            expected.push_back(c);
            got = c == '\n';
        }
        const bool read = reader.readLibLine(line);
        const bool toldTooLong = reader.lastEnding() == lineReader::ending::tooLong;
        if (read != got || (got && line != expected) || toldTooLong != tooLong) std::abort();
        if (!got) return;
    }
}

void checkPieces(const std::string& bytes, std::size_t bufferSize) {
    memorySource source(bytes);
    std::vector<char> block;
    lineReader reader(source, block);
    std::string piece;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = pos;
        while (end < bytes.size() && end - pos < bufferSize - 1 && bytes[end] != '\n') ++end;
        if (end < bytes.size() && end - pos < bufferSize - 1) ++end;  // the LF
        std::string expected = bytes.substr(pos, end - pos);
        expected.resize(std::min(expected.size(), expected.find('\0')));
        if (!reader.readPiece(piece, bufferSize) || piece != expected) std::abort();
        pos = end;
    }
    if (reader.readPiece(piece, bufferSize)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string bytes;
    while (bytes.size() < 3 * lineReader::blockSize) bytes += input;
    checkLibraryLines(bytes);
    checkPieces(bytes, lineReader::componentPieceBuffer);
    checkPieces(bytes, lineReader::listPieceBuffer);
    return 0;
}
