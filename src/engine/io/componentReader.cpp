#include "engine/io/componentReader.h"

#include <cstdio>

#include "engine/format/header.h"
#include "engine/io/byteSource.h"
#include "engine/io/lineReader.h"
#include "support/fileOps.h"

void storeComponent(lineReader& reader, std::string& piece, workFile& work, entryFields& fields) {
    const long long position = work.size;
    do {
        writeDataLine(piece, work);
    } while (reader.readPiece(piece, lineReader::componentPieceBuffer));
    fields.position = static_cast<std::int32_t>(position);
    fields.length = static_cast<std::int32_t>(work.size - position);
}

namespace {

constexpr std::size_t wholeFileLimit = 1 << 20;

int readFrom(byteSource& source, const std::string& path, const libKind& kind, workFile& work, logSink& log,
             entryFields& fields) {
    lineReader reader(source, work.readBlock);
    std::string piece;
    if (!reader.readPiece(piece, lineReader::componentPieceBuffer)) {
        log.addLine("Compress: fatal error: file is empty: " + path);
        return 3;
    }
    std::optional<entryFields> header = parseHeader(piece, kind.keyword);
    if (!header) {
        log.addLine("Compress: fatal error: file " + path + " has bad first line: " + piece);
        return 4;
    }
    log.addLine("Compress: got " + std::string(kind.kindName) + " \"" + header->name + "\"");
    storeComponent(reader, piece, work, *header);
    fields = std::move(*header);
    return 0;
}

int cannotOpen(const std::string& path, logSink& log) {
    log.addLine("Compress: fatal error: can't open: " + path);
    return 2;
}

}  // namespace

// Part files are small: most are read in one call where the platform allows,
// which is most of the time compress spends on them.
int readComponentFile(const std::string& path, const libKind& kind, workFile& work, logSink& log,
                      entryFields& fields) {
    const int whole = fileOps::readWhole(path, wholeFileLimit, work.fileBytes);
    if (whole == 0) return cannotOpen(path, log);
    if (whole == 1) {
        memorySource source(work.fileBytes);
        return readFrom(source, path, kind, work, log, fields);
    }
    std::FILE* f = fileOps::open(path, "r");
    if (!f) return cannotOpen(path, log);
    fileSource source(f);
    const int result = readFrom(source, path, kind, work, log, fields);
    std::fclose(f);
    return result;
}
