#include "engine/io/byteSource.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

#include "support/platform/durableFile.h"

namespace {
std::atomic<long long> readsUntilFailure{0};
}

long long fileSource::failReadAt(long long n) { return readsUntilFailure.exchange(n); }

std::size_t fileSource::read(char* buffer, std::size_t size) {
    // Counted down only while above 0, so that of readers on several
    // threads exactly one meets the failure and the count ends at 0.
    long long left = readsUntilFailure.load();
    while (left > 0 && !readsUntilFailure.compare_exchange_weak(left, left - 1)) {
    }
    if (left == 1) {
        error = EIO;
        return 0;
    }
    errno = 0;
    const std::size_t n = std::fread(buffer, 1, size, stream);
    if (n < size && std::ferror(stream)) error = errno != 0 ? errno : EIO;
    return n;
}

// A failing disk played by the seam below is met through read.
int fileSource::copyInside(std::FILE* out) {
    if (readsUntilFailure > 0) return -1;
    switch (platform::copyInside(stream, out)) {
        case platform::insideCopy::copied: return 1;
        case platform::insideCopy::notHere: return -1;
        case platform::insideCopy::failed: break;
    }
    error = errno;
    return 0;
}

bool fileSource::seek(long long offset) {
    std::clearerr(stream);
    error = 0;
    return offset >= 0 && std::fseek(stream, static_cast<long>(offset), SEEK_SET) == 0;
}

std::size_t memorySource::read(char* buffer, std::size_t size) {
    const std::size_t n = std::min(size, bytes.size() - pos);
    if (n > 0) std::memcpy(buffer, bytes.data() + pos, n);
    pos += n;
    return n;
}

bool memorySource::seek(long long offset) {
    if (offset < 0 || static_cast<unsigned long long>(offset) > bytes.size()) return false;
    pos = static_cast<std::size_t>(offset);
    return true;
}
