#include "engine/io/workFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "engine/format/componentFile.h"
#include "engine/io/byteSource.h"

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
    if (used >= flushAt) pass();
}

void workFile::compareWith(const knownSection& section) {
    if (!stream || written != 0 || used != 0) return;
    match = std::make_unique<sectionMatch>(section);
    if (!match->holds()) match.reset();
}

// One long run through the checksum per block, not two short ones a line.
void workFile::pass() {
    std::size_t known = 0;  // leading bytes of the block the checksum already covers
    if (match) {
        known = match->compare(pending.data(), used);
        if (match->complete()) {
            // What follows the old section (a part added at the end) goes on
            // from its checksum.
            checksum = match->checksum();
            match.reset();
        } else if (!match->holds()) {
            sumWritten();
            known = 0;
        }
    }
    if (!match) {
        const auto* rest = reinterpret_cast<const unsigned char*>(pending.data()) + known;
        checksum = checksumUpdate(checksum, rest, used - known);
    }
    if (used > 0 && std::fwrite(pending.data(), 1, used, stream) != used) failed = true;
    written += static_cast<long long>(used);
    used = 0;
    if (std::fflush(stream) != 0) failed = true;
}

// The checksum of the bytes written so far, read back from the workfile:
// a read error there is as fatal as a write error. After a failed write the
// checksum no longer matters, and that write's reason is the one to tell.
void workFile::sumWritten() {
    match.reset();
    if (failed) return;
    checksum = checksumStart;
    fileSource back(stream);
    std::vector<char> block(flushAt);
    bool ok = back.rewind();
    for (long long left = written; ok && left > 0;) {
        const std::size_t n = back.read(block.data(), static_cast<std::size_t>(std::min<long long>(left, flushAt)));
        checksum = checksumUpdate(checksum, reinterpret_cast<const unsigned char*>(block.data()), n);
        left -= static_cast<long long>(n);
        ok = n > 0;
    }
    if (!ok) {
        failed = true;
        errno = back.failed() ? back.failure() : EIO;
    }
    if (std::fseek(stream, 0, SEEK_END) != 0) failed = true;
}

bool workFile::flush() {
    if (!stream) {
        memory.append(pending.data(), used);
        used = 0;
        return true;
    }
    pass();
    if (match) sumWritten();  // the new section ended short of the old
    return !failed;
}

void writeDataLine(const std::string& piece, workFile& work) {
    const std::size_t n = storedLength(piece.data(), piece.size());
    if (n == 0) return;
    work.append(piece.data(), n);
    work.append("\n", 1);
}
