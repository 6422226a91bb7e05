#include "engine/io/libraryWriter.h"

#include <cerrno>
#include <string>
#include <vector>

#include "engine/format/libKind.h"
#include "engine/io/byteSource.h"

namespace {

constexpr std::size_t copyBlock = 1 << 16;

// A read error on the workfile fails the copy like a write error: the data
// section must reach the library whole.
bool copyData(workFile& data, std::FILE* out) {
    fileSource source(data.stream);
    if (!data.flush() || !source.rewind()) return false;
    if (const int inside = source.copyInside(out); inside >= 0) return inside == 1;
    std::vector<char> block(copyBlock);
    std::size_t n;
    while ((n = source.read(block.data(), block.size())) > 0) {
        if (std::fwrite(block.data(), 1, n, out) != n) return false;
    }
    if (source.failed()) errno = source.failure();
    return !source.failed();
}

}  // namespace

bool writeLibrary(std::FILE* out, const indexList& index, workFile& data) {
    const std::string head = std::string("*version ") + releaseString + " " +
                             std::to_string(data.checksum) + "\n@index\n";
    return std::fwrite(head.data(), 1, head.size(), out) == head.size() && index.writeIndex(out) &&
           copyData(data, out);
}
