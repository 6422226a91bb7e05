#include "engine/io/workFile.h"

#include <cstring>

#include "engine/format/componentFile.h"

namespace {
constexpr std::size_t flushAt = 1 << 16;
}

void workFile::append(const char* bytes, std::size_t count) {
    size += static_cast<long long>(count);
    if (!stream) {
        memory.append(bytes, count);
        return;
    }
    if (pending.size() < flushAt + count) pending.resize(flushAt + count);
    std::memcpy(pending.data() + used, bytes, count);
    used += count;
    if (used >= flushAt) flush();
}

bool workFile::flush() {
    if (!stream) {
        memory.append(pending.data(), used);
        used = 0;
        return true;
    }
    // One long run through the checksum per block, not two short ones a line.
    checksum = checksumUpdate(checksum, reinterpret_cast<const unsigned char*>(pending.data()), used);
    if (used > 0 && std::fwrite(pending.data(), 1, used, stream) != used) failed = true;
    used = 0;
    if (std::fflush(stream) != 0) failed = true;
    return !failed;
}

void writeDataLine(const std::string& piece, workFile& work) {
    const std::size_t n = storedLength(piece.data(), piece.size());
    if (n == 0) return;
    work.append(piece.data(), n);
    work.append("\n", 1);
}
