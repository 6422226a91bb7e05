#include "engine/io/sectionMatch.h"

#include <algorithm>
#include <cstring>

#include "support/fileOps.h"

sectionMatch::sectionMatch(const knownSection& section) : known(section), left(section.size) {
    file = fileOps::open(known.path, "rb");
    if (!file) return;
    source.emplace(file);
    same = known.start >= 0 && known.size >= 0 && source->seek(known.start);
}

sectionMatch::~sectionMatch() {
    if (file) std::fclose(file);
}

std::size_t sectionMatch::compare(const char* bytes, std::size_t whole) {
    if (!same) return 0;
    const std::size_t count = static_cast<std::size_t>(std::min<long long>(left, static_cast<long long>(whole)));
    if (block.size() < count) block.resize(count);
    std::size_t got = 0;
    while (got < count) {
        const std::size_t n = source->read(block.data() + got, count - got);
        if (n == 0) break;
        got += n;
    }
    same = got == count && std::memcmp(block.data(), bytes, count) == 0;
    left -= static_cast<long long>(count);
    return count;
}
