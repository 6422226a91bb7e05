// A list file of any content read as compress reads it: pieces of at most
// 255 characters, each giving one component path without blanks or tabs.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/componentFile.h"
#include "engine/pieceReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::tmpfile();
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::rewind(f);
    std::vector<char> block;
    pieceReader reader(f, 256, block);
    std::string piece;
    std::size_t pieces = 0;
    while (reader.next(piece)) {
        if (piece.size() > 255) std::abort();
        const std::string path = listEntryPath(piece);
        if (path.find_first_of(" \t\n") != std::string::npos) std::abort();
        if (++pieces > size) std::abort();
    }
    std::fclose(f);
    return 0;
}
