// Reads a text file in pieces exactly as the C library's fgets with a buffer
// of a given size would: at most size - 1 characters, ending after an LF,
// each piece seen as a C string (a NUL byte ends it). It reads ahead in large
// blocks, so long files cost no call into the C library per line.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class pieceReader {
public:
    // The reader borrows the stream, which must stay open while it reads, and
    // the block it reads ahead into, which callers reuse from file to file.
    pieceReader(std::FILE* stream, std::size_t bufferSize, std::vector<char>& block);

    static constexpr std::size_t blockSize = 1 << 16;

    // The next piece; false when the stream has nothing more.
    bool next(std::string& piece);

    // Starts again from the start of the stream.
    void rewind();

private:
    bool fill();

    std::FILE* stream;
    std::size_t maxChars;
    std::vector<char>& block;
    std::size_t pos = 0;
    std::size_t len = 0;
};
