#include <cstdio>

#include "engine/compress.h"
#include "engine/header.h"
#include "engine/indexList.h"
#include "engine/libKind.h"
#include "engine/pieceReader.h"
#include "support/fileOps.h"

namespace {

entryFields fieldsOf(const headerFields& h, long long position, long long length) {
    entryFields e;
    e.name = h.name;
    e.commaPart = h.commaPart ? &*h.commaPart : nullptr;
    e.semicolonPart = h.semicolonPart ? &*h.semicolonPart : nullptr;
    e.position = static_cast<std::int32_t>(position);
    e.length = static_cast<std::int32_t>(length);
    e.hasAko = h.hasAko;
    e.akoName = h.akoName;
    e.extraText = h.extraText;
    return e;
}

}  // namespace

int compressComponent(const std::string& path, workFile& work, const std::string& keyword,
                      logSink& log) {
    std::FILE* f = fileOps::open(path, "r");
    if (!f) {
        log.addLine("Compress: fatal error: can't open: " + path);
        return 2;
    }
    pieceReader reader(f, 1024, work.readBlock);
    std::string piece;
    if (!reader.next(piece)) {
        std::fclose(f);
        log.addLine("Compress: fatal error: file is empty: " + path);
        return 3;
    }
    std::optional<headerFields> header = parseHeader(piece, keyword);
    if (!header) {
        std::fclose(f);
        log.addLine("Compress: fatal error: file " + path + " has bad first line: " + piece);
        return 4;
    }
    log.addLine("Compress: got " + curKindName + " \"" + header->name + "\"");
    const long long position = work.size;
    do {
        writeDataLine(piece, work);
    } while (reader.next(piece));
    const long long length = work.size - position;
    std::fclose(f);
    entryFields fields = fieldsOf(*header, position, length);
    theIndex.append(makeEntry(fields));
    return 0;
}
