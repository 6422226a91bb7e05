#include "engine/workFile.h"

#include "engine/componentFile.h"

namespace {
constexpr std::size_t flushAt = 1 << 16;
}

void workFile::append(const char* bytes, std::size_t count) {
    checksum = checksumUpdate(checksum, reinterpret_cast<const unsigned char*>(bytes), count);
    size += static_cast<long long>(count);
    pending.append(bytes, count);
    if (pending.size() >= flushAt) flush();
}

bool workFile::flush() {
    if (!pending.empty() && std::fwrite(pending.data(), 1, pending.size(), stream) != pending.size()) {
        failed = true;
    }
    pending.clear();
    if (std::fflush(stream) != 0) failed = true;
    return !failed;
}

void writeDataLine(const std::string& piece, workFile& work) {
    const std::size_t n = storedLength(piece.data(), piece.size());
    if (n == 0) return;
    work.append(piece.data(), n);
    work.append("\n", 1);
}
