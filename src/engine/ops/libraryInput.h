// A library opened for reading by a part-level command: the part reader over
// the file, with what it meets told in the command's own words.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "engine/format/entryFields.h"
#include "engine/format/libKind.h"
#include "engine/io/byteSource.h"
#include "engine/io/partReader.h"
#include "engine/io/workFile.h"
#include "engine/logSink.h"

// Empty when the part was read whole; otherwise why not: a line past the
// reader's limit, a library that ends inside it, or a read error with the
// system's reason.
std::string notWholeReason(const libraryPart& part, int failure);

// Logs "Expand: internal error: buf too small" when a line too long for the
// reading rules ended the reading there, as expand says it.
void tellTooLong(lineReader::ending ending, logSink& log);

// Stores text in the workfile exactly as compress would store the component
// file holding it: pieces of at most 1023 characters, each cut at a NUL and
// normalised. The entry's fields, with their place in the workfile; none
// when the text does not begin with a header of the kind.
std::optional<entryFields> storeAsCompressed(const std::string& text, const std::string& keyword,
                                             workFile& work);

// Whether the library's end cut the part short: it ends in a last line
// without LF, or before the length that its index entry at its place gives
// it. A part of just that length before a last line without LF is whole:
// that line began a part of its own, which the index then misses.
bool cutByLibraryEnd(const indexList& index, const libraryPart& part);
// The same, or cut by a line too long for the rules: not read whole.
inline bool cutShort(const indexList& index, const libraryPart& part) {
    return part.ending == lineReader::ending::tooLong || cutByLibraryEnd(index, part);
}

class libraryInput {
public:
    libraryInput() = default;
    ~libraryInput();
    libraryInput(const libraryInput&) = delete;
    libraryInput& operator=(const libraryInput&) = delete;

    // False after "PREFIX: fatal error: can't open library: PATH",
    // "PREFIX: fatal error: no index" or a read error, logged. A library
    // whose index is followed by no part of the kind opens, with no parts.
    bool open(const libKind& kind, const std::string& path, const char* prefix, logSink& log,
              partReader::mode how = partReader::mode::byIndex);

    // True, with "PREFIX: fatal error: no KINDs found in library" logged,
    // when the index names parts but none of the kind follows it: a library
    // of another kind, or a damaged one, which a rewrite would empty.
    bool indexedButEmpty();

    // The next part, or the one that starts at position, as the reader
    // gives it; a line too long is told as expand tells it.
    bool next(libraryPart& part);
    bool partAt(long long position, libraryPart& part);

    // True, with "PREFIX: fatal error: can't read library: PATH: REASON"
    // logged, when the reader met a read error.
    bool failedReading();
    // Logs "PREFIX: fatal error: NAME can't be read whole: REASON" when the
    // part was not read whole; false then.
    bool checkWhole(const libraryPart& part);

    // Closes the file between reads (the index and the reader stay), so that
    // another writer can replace it meanwhile; takeBack opens it again, false
    // when it can't be opened. Reads only between takeBack and letGo.
    void letGo();
    bool takeBack();

    indexList& index() { return reader->index(); }
    // False, with "PREFIX: N index line(s) can't be read, the first: LINE"
    // reported as a problem, when the index held lines that could not be read.
    bool indexReadWhole();
    long long dataSectionStart() const { return hasParts ? reader->dataSectionStart() : -1; }

private:
    bool fail(const std::string& what, const std::string& reason);

    std::string path;
    std::string prefix;
    std::string kindName;
    logSink* log = nullptr;
    std::FILE* file = nullptr;
    std::optional<fileSource> source;
    std::optional<partReader> reader;
    bool hasParts = false;
};

// The text print shows for name: its first part, found where the index says
// when a header of that name stands at each of its entries, else by a scan
// of the library (scanned set). False when there is none.
bool firstPartText(libraryInput& in, const std::string& name, std::string& text, bool& scanned);
