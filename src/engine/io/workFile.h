// The temporary file that collects a library's data section while compress
// reads the components, with the checksum and size kept as it grows. Without
// a stream the bytes collect in memory instead (one part's text).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/format/checksum.h"
#include "engine/io/sectionMatch.h"

struct workFile {
    std::FILE* stream = nullptr;
    std::string name;
    std::uint32_t checksum = checksumStart;  // of the bytes written to the stream
    long long size = 0;
    bool failed = false;
    std::vector<char> readBlock;  // reused by every component's reader
    std::string fileBytes;        // reused for every component file read whole
    std::string memory;           // the bytes flushed when there is no stream

    // Adds bytes to the data section; they reach the file in large blocks.
    void append(const char* bytes, std::size_t count);
    // Makes room for this many more bytes in memory, so that a part's text
    // grows without being moved.
    void expect(std::size_t count) {
        if (!stream) memory.reserve(memory.size() + count);
    }
    // Writes what is pending and settles the checksum; false when any write
    // (or reading the workfile back) failed.
    bool flush();
    // Holds the bytes against a section already checked: while they are its
    // bytes, the checksum is not worked out but taken over at the end. When
    // they differ, the checksum of what was written is read back once and
    // kept up from there.
    void compareWith(const knownSection& section);

private:
    void pass();
    void sumWritten();

    std::unique_ptr<sectionMatch> match;
    long long written = 0;      // bytes handed to the stream
    std::vector<char> pending;  // bytes not yet written, flushed at 64 KB
    std::size_t used = 0;
};

// Normalises one component line and, unless it is dropped, appends it with
// one LF to the workfile.
void writeDataLine(const std::string& piece, workFile& work);
