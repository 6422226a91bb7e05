#include "engine/io/libraryWriter.h"

#include <string>
#include <vector>

#include "engine/format/libKind.h"

namespace {

constexpr std::size_t copyBlock = 1 << 16;

bool copyData(workFile& data, std::FILE* out) {
    if (!data.flush() || std::fseek(data.stream, 0, SEEK_SET) != 0) return false;
    std::vector<char> block(copyBlock);
    std::size_t n;
    while ((n = std::fread(block.data(), 1, block.size(), data.stream)) > 0) {
        if (std::fwrite(block.data(), 1, n, out) != n) return false;
    }
    return !std::ferror(data.stream);
}

}  // namespace

bool writeLibrary(std::FILE* out, const indexList& index, workFile& data) {
    const std::string head = std::string("*version ") + releaseString + " " +
                             std::to_string(data.checksum) + "\n@index\n";
    return std::fwrite(head.data(), 1, head.size(), out) == head.size() && index.writeIndex(out) &&
           copyData(data, out);
}
