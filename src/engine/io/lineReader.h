// The one buffered reader of lines. It reads ahead in large blocks from a
// byte source and hands out lines by either of two rules:
// - library lines: CRs dropped (but counted in the offset), at most 1022
//   characters besides the LF, a last line without LF not seen;
// - text-file pieces, as the C library's fgets with a buffer of a given size
//   reads them: at most size - 1 characters, ending after an LF, each piece
//   a C string (a NUL byte ends it).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/io/byteSource.h"

class lineReader {
public:
    static constexpr std::size_t libLineBuffer = 1024;
    static constexpr std::size_t componentPieceBuffer = 1024;
    static constexpr std::size_t listPieceBuffer = 256;
    static constexpr std::size_t blockSize = 1 << 16;

    // Reads ahead into block, which callers may reuse from file to file so
    // that thousands of small files cost no block each.
    lineReader(byteSource& source, std::vector<char>& block);

    // Why the last read gave no line: the source's clean end, a library line
    // past the limit, a last line without LF, or a read error (the source's
    // failure() says which).
    enum class ending { none, end, tooLong, cutShort, readError };
    ending lastEnding() const { return stopped; }
    // True when the source failed to read rather than ended.
    bool readFailed() const { return stopped == ending::readError; }
    int sourceFailure() const { return source.failure(); }

    // Bytes taken from the source so far: the offset of the next line.
    long long offset() const { return base + static_cast<long long>(pos); }

    // The next library line, LF included. False at the end of the source and
    // after a longer line (lastEnding() tooLong; the reader says so in its
    // own words).
    bool readLibLine(std::string& line);

    // Appends to out, in one copy, the library lines that follow in the block
    // read ahead as long as each is plain (ends in an LF, holds no CR, fits
    // the limit) and does not begin with stop. It stops before the first
    // other line, which readLibLine then reads as ever.
    void takePlainLines(std::string& out, const std::string& stop);

    // The next piece by the fgets rule; false when the source has nothing
    // more.
    bool readPiece(std::string& piece, std::size_t bufferSize);

    // Goes on from the byte at offset (0: starts again).
    bool seek(long long offset);
    bool rewind() { return seek(0); }

private:
    bool refill();
    bool stop(ending why) {
        stopped = why;
        return false;
    }

    byteSource& source;
    std::vector<char>& block;
    std::size_t pos = 0;
    std::size_t len = 0;
    long long base = 0;
    ending stopped = ending::none;
    // Where the block's next CR stands (len: none), from a scan that
    // started at or before pos; takePlainLines then scans each byte once.
    std::size_t nextCR = 0;
    bool crKnown = false;
};
