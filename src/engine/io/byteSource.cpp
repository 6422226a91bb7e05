#include "engine/io/byteSource.h"

#include <algorithm>
#include <cstring>

std::size_t fileSource::read(char* buffer, std::size_t size) {
    return std::fread(buffer, 1, size, stream);
}

bool fileSource::rewind() {
    std::clearerr(stream);
    return std::fseek(stream, 0, SEEK_SET) == 0;
}

std::size_t memorySource::read(char* buffer, std::size_t size) {
    const std::size_t n = std::min(size, bytes.size() - pos);
    if (n > 0) std::memcpy(buffer, bytes.data() + pos, n);
    pos += n;
    return n;
}

bool memorySource::rewind() {
    pos = 0;
    return true;
}
