// The temporary file that collects a library's data section while compress
// reads the components, with the checksum and size kept as it grows.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/checksum.h"

struct workFile {
    std::FILE* stream = nullptr;
    std::string name;
    std::uint32_t checksum = checksumStart;
    long long size = 0;
    bool failed = false;

    void append(const std::string& bytes);
};

// Normalises one component line and, unless it is dropped, appends it with
// one LF to the workfile.
void writeDataLine(const std::string& piece, workFile& work);
