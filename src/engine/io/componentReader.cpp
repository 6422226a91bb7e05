#include "engine/io/componentReader.h"

#include <cstdio>

#include "engine/format/header.h"
#include "engine/io/byteSource.h"
#include "engine/io/lineReader.h"
#include "support/fileOps.h"

int readComponentFile(const std::string& path, const libKind& kind, workFile& work, logSink& log,
                      entryFields& fields) {
    std::FILE* f = fileOps::open(path, "r");
    if (!f) {
        log.addLine("Compress: fatal error: can't open: " + path);
        return 2;
    }
    fileSource source(f);
    lineReader reader(source, work.readBlock);
    std::string piece;
    if (!reader.readPiece(piece, lineReader::componentPieceBuffer)) {
        std::fclose(f);
        log.addLine("Compress: fatal error: file is empty: " + path);
        return 3;
    }
    std::optional<entryFields> header = parseHeader(piece, kind.keyword);
    if (!header) {
        std::fclose(f);
        log.addLine("Compress: fatal error: file " + path + " has bad first line: " + piece);
        return 4;
    }
    log.addLine("Compress: got " + std::string(kind.kindName) + " \"" + header->name + "\"");
    const long long position = work.size;
    do {
        writeDataLine(piece, work);
    } while (reader.readPiece(piece, lineReader::componentPieceBuffer));
    std::fclose(f);
    header->position = static_cast<std::int32_t>(position);
    header->length = static_cast<std::int32_t>(work.size - position);
    fields = std::move(*header);
    return 0;
}
