#include "engine/ops/partText.h"

#include "engine/format/header.h"
#include "engine/io/componentReader.h"
#include "engine/io/lineReader.h"
#include "support/fileOps.h"

std::string expandedText(libraryReader& reader, const indexList& index, const std::string& keyword,
                         const std::string& name) {
    const indexEntry* entry = index.find(name);
    std::string text = entry ? formatHeader(*entry, keyword) : reader.header();
    std::string line;
    while (reader.nextLine(line)) text += line;
    return text;
}

std::optional<entryFields> storeAsCompressed(const std::string& text, const std::string& keyword,
                                             workFile& work) {
    memorySource source(text);
    lineReader reader(source, work.readBlock);
    std::string piece;
    if (!reader.readPiece(piece, lineReader::componentPieceBuffer)) return std::nullopt;
    std::optional<entryFields> fields = parseHeader(piece, keyword);
    if (fields) storeComponent(reader, piece, work, *fields);
    return fields;
}

libraryInput::~libraryInput() {
    reader.reset();
    source.reset();
    if (file) std::fclose(file);
}

bool libraryInput::open(const libKind& kind, const std::string& path, const char* prefix, logSink& log) {
    file = fileOps::open(path, "rb");
    if (!file) {
        log.addLine(std::string(prefix) + ": fatal error: can't open library: " + path);
        return false;
    }
    source.emplace(file);
    reader.emplace(*source, kind.keyword, log);
    if (!reader->findIndex()) {
        log.addLine(std::string(prefix) + ": fatal error: no index");
        return false;
    }
    reader->readIndex(index);
    return true;
}
