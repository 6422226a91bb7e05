#include "engine/ops/libraryInput.h"

#include "engine/format/header.h"
#include "engine/io/componentReader.h"
#include "engine/io/lineReader.h"
#include "support/fileOps.h"

std::string notWholeReason(const libraryPart& part, int failure) {
    switch (part.ending) {
        case lineReader::ending::tooLong: return "a line is longer than 1022 characters";
        case lineReader::ending::cutShort: return "the library ends inside it";
        case lineReader::ending::readError: return "read error: " + fileOps::systemReason(failure);
        default: return "";
    }
}

void tellTooLong(lineReader::ending ending, logSink& log) {
    if (ending == lineReader::ending::tooLong) log.report(lineKind::warning, "Expand: internal error: buf too small");
}

std::optional<entryFields> storeAsCompressed(const std::string& text, const std::string& keyword,
                                             workFile& work) {
    memorySource source(text);
    lineReader reader(source, work.readBlock);
    std::string piece;
    if (!reader.readPiece(piece, lineReader::componentPieceBuffer)) return std::nullopt;
    std::optional<entryFields> fields = parseHeader(piece, keyword);
    if (fields) storeRest(reader, piece, text, work, *fields, false);
    return fields;
}

bool cutByLibraryEnd(const indexList& index, const libraryPart& part) {
    const bool cutShort = part.ending == lineReader::ending::cutShort;
    if (!cutShort && part.ending != lineReader::ending::end) return false;
    const indexEntry* e = index.find(part.name);
    const bool placed = e && e->position == part.position;
    return cutShort ? !(placed && e->length == part.length) : placed && e->length > part.length;
}

bool libraryInput::indexReadWhole() {
    const long long bad = reader ? reader->unreadableIndexLines() : 0;
    if (bad == 0) return true;
    const std::string what = std::to_string(bad) + " index line(s) can't be read, the first: " + reader->firstUnreadable();
    logProblem(*log, prefix + ": " + what, path, what);
    return false;
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

bool libraryInput::open(const libKind& kind, const std::string& libraryPath, const char* linePrefix, logSink& sink,
                        partReader::mode how) {
    path = libraryPath;
    prefix = linePrefix;
    kindName = kind.kindName;
    log = &sink;
    file = fileOps::open(path, "rb");
    if (!file) {
        const std::string why = fileOps::lastReason();
        return fail("can't open library: " + path, why);
    }
    source.emplace(file);
    reader.emplace(*source, kind.keyword, how);
    const partReader::opening opened = reader->open();
    tellTooLong(reader->ending(), sink);
    hasParts = opened == partReader::opening::ready;
    if (opened == partReader::opening::noIndex) return fail("no index", "no index");
    return !failedReading();
}

void libraryInput::letGo() {
    if (file) std::fclose(file);
    file = nullptr;
}

bool libraryInput::takeBack() {
    if (!file) file = fileOps::open(path, "rb");
    if (file && source) source->use(file);
    return file != nullptr;
}

bool libraryInput::indexedButEmpty() {
    if (hasParts || !reader->index().first) return false;
    const std::string what = "no " + kindName + "s found in library";
    return !fail(what, what);
}

bool libraryInput::next(libraryPart& part) {
    if (!reader->next(part)) return false;
    tellTooLong(part.ending, *log);
    return true;
}

bool libraryInput::partAt(long long position, libraryPart& part) {
    const bool found = reader->partAt(position, part);
    if (found || position >= 0) tellTooLong(found ? part.ending : reader->ending(), *log);
    return found;
}

bool libraryInput::failedReading() {
    if (!reader->readFailed()) return false;
    const std::string why = fileOps::systemReason(reader->failure());
    fail("can't read library: " + path + ": " + why, why);
    return true;
}

bool libraryInput::checkWhole(const libraryPart& part) {
    const std::string why = notWholeReason(part, reader->failure());
    return why.empty() || fail(part.name + " can't be read whole: " + why, part.name + " can't be read whole: " + why);
}
