// A list file of any content read as compress reads it: pieces of at most
// 255 characters, each giving one component path without blanks or tabs.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "engine/format/componentFile.h"
#include "engine/io/lineReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    memorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
    std::vector<char> block;
    lineReader reader(source, block);
    std::string piece;
    std::size_t pieces = 0;
    while (reader.readPiece(piece, lineReader::listPieceBuffer)) {
        if (piece.size() > 255) std::abort();
        const std::string path = listEntryPath(piece);
        if (path.find_first_of(" \t\n") != std::string::npos) std::abort();
        if (++pieces > size) std::abort();
    }
    return 0;
}
