#include "engine/io/sectionMatch.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "support/fileOps.h"
#include "support/platform/platform.h"

fileStamp fileStamp::of(const std::string& path) {
    fileStamp stamp;
    std::error_code ec;
    const std::filesystem::path p = platform::fsPath(path);
    const auto size = std::filesystem::file_size(p, ec);
    if (ec) return stamp;
    const auto time = std::filesystem::last_write_time(p, ec);
    if (ec) return stamp;
    stamp.id = platform::identifyFile(path);
    stamp.size = static_cast<long long>(size);
    stamp.modified = static_cast<long long>(time.time_since_epoch().count());
    return stamp;
}

sectionMatch::sectionMatch(const knownSection& section) : known(section), left(section.size) {
    file = fileOps::open(known.path, "rb");
    if (!file) return;
    source.emplace(file);
    same = known.start >= 0 && known.size >= 0 && fileStamp::of(known.path) == known.stamp && source->seek(known.start);
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
    same = got == count && (count == 0 || std::memcmp(block.data(), bytes, count) == 0);
    left -= static_cast<long long>(count);
    return count;
}
