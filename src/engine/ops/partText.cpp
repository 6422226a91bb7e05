#include "engine/ops/partText.h"

#include "engine/format/header.h"
#include "engine/io/componentReader.h"
#include "engine/io/lineReader.h"
#include "support/fileOps.h"

std::string expandedText(libraryReader& reader, const indexList& index, const std::string& keyword,
                         const std::string& name) {
    const indexEntry* entry = index.find(name);
    std::string text = entry ? formatHeader(*entry, keyword) : reader.header();
    reader.appendLines(text);
    return text;
}

std::string notWholeReason(const libraryReader& reader) {
    switch (reader.ending()) {
        case lineReader::ending::tooLong: return "a line is longer than 1022 characters";
        case lineReader::ending::cutShort: return "the library ends inside it";
        case lineReader::ending::readError: return "read error: " + fileOps::systemReason(reader.failure());
        default: return "";
    }
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

bool libraryInput::fail(const std::string& what, const std::string& reason) {
    logProblem(*log, prefix + ": fatal error: " + what, path, reason);
    return false;
}

bool libraryInput::open(const libKind& kind, const std::string& libraryPath, const char* linePrefix, logSink& sink) {
    path = libraryPath;
    prefix = linePrefix;
    log = &sink;
    file = fileOps::open(path, "rb");
    if (!file) {
        const std::string why = fileOps::lastReason();
        return fail("can't open library: " + path, why);
    }
    source.emplace(file);
    reader.emplace(*source, kind.keyword, sink);
    if (!reader->findIndex()) return !failedReading() && fail("no index", "no index");
    reader->readIndex(index);
    return !failedReading();
}

bool libraryInput::failedReading() {
    if (!reader->readFailed()) return false;
    const std::string why = fileOps::systemReason(reader->failure());
    fail("can't read library: " + path + ": " + why, why);
    return true;
}

bool libraryInput::checkWhole(const std::string& name) {
    const std::string why = notWholeReason(*reader);
    return why.empty() || fail(name + " can't be read whole: " + why, name + " can't be read whole: " + why);
}
