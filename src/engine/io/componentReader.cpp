#include "engine/io/componentReader.h"

#include <cstdio>

#include "engine/format/componentFile.h"
#include "engine/format/header.h"
#include "engine/io/byteSource.h"
#include "engine/io/lineReader.h"
#include "support/fileOps.h"

long long storeComponent(lineReader& reader, std::string& piece, workFile& work, entryFields& fields,
                         bool refuseLong) {
    const long long position = work.size;
    long long line = 1;
    do {
        if (refuseLong && storedLength(piece.data(), piece.size()) >= lineReader::libLineBuffer - 1) return line;
        writeDataLine(piece, work);
        if (!piece.empty() && piece.back() == '\n') ++line;
    } while (reader.readPiece(piece, lineReader::componentPieceBuffer));
    fields.position = static_cast<std::int32_t>(position);
    fields.length = static_cast<std::int32_t>(work.size - position);
    return 0;
}

namespace {

constexpr std::size_t wholeFileLimit = 1 << 20;

int cannotRead(const std::string& path, int code, logSink& log) {
    const std::string why = fileOps::systemReason(code);
    logProblem(log, "Compress: fatal error: can't read: " + path + ": " + why, path, why);
    return 5;
}

int readFrom(byteSource& source, const std::string& path, const libKind& kind, workFile& work, logSink& log,
             entryFields& fields, bool refuseLong) {
    lineReader reader(source, work.readBlock);
    std::string piece;
    if (!reader.readPiece(piece, lineReader::componentPieceBuffer)) {
        if (reader.readFailed()) return cannotRead(path, reader.sourceFailure(), log);
        logProblem(log, "Compress: fatal error: file is empty: " + path, path, "file is empty");
        return 3;
    }
    std::optional<entryFields> header = parseHeader(piece, kind.keyword);
    if (!header) {
        logProblem(log, "Compress: fatal error: file " + path + " has bad first line: " + piece, path,
                   "bad first line: " + piece.substr(0, piece.find('\n')));
        return 4;
    }
    log.addLine("Compress: got " + std::string(kind.kindName) + " \"" + header->name + "\"");
    if (const long long line = storeComponent(reader, piece, work, *header, refuseLong)) {
        const std::string what = "line " + std::to_string(line) + " is longer than 1022 characters";
        logProblem(log, "Compress: fatal error: file " + path + ": " + what, path, what);
        return 5;
    }
    if (reader.readFailed()) return cannotRead(path, reader.sourceFailure(), log);
    fields = std::move(*header);
    return 0;
}

int cannotOpen(const std::string& path, logSink& log) {
    logProblem(log, "Compress: fatal error: can't open: " + path, path, fileOps::lastReason());
    return 2;
}

}  // namespace

// Part files are small: most are read in one call where the platform allows,
// which is most of the time compress spends on them.
int readComponentFile(const std::string& path, const libKind& kind, workFile& work, logSink& log,
                      entryFields& fields, bool refuseLong) {
    const int whole = fileOps::readWhole(path, wholeFileLimit, work.fileBytes);
    if (whole == 0) return cannotOpen(path, log);
    if (whole == 1) {
        memorySource source(work.fileBytes);
        return readFrom(source, path, kind, work, log, fields, refuseLong);
    }
    std::FILE* f = fileOps::open(path, "r");
    if (!f) return cannotOpen(path, log);
    fileSource source(f);
    const int result = readFrom(source, path, kind, work, log, fields, refuseLong);
    std::fclose(f);
    return result;
}
