// A component as a part-level command sees it: its name and the text expand
// would write for it, read from a library without unpacking it.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "engine/format/entryFields.h"
#include "engine/format/libKind.h"
#include "engine/format/indexList.h"
#include "engine/io/libraryReader.h"
#include "engine/io/byteSource.h"
#include "engine/io/workFile.h"
#include "engine/logSink.h"

// The text expand writes for the reader's current component, which it reads
// to its end: the header line rebuilt from the first index entry of its name
// (or as read when the index has none), then its other lines, CRs dropped.
std::string expandedText(libraryReader& reader, const indexList& index, const std::string& keyword,
                         const std::string& name);

// Empty when the reader's current component was read whole; otherwise why
// not: a line past the reader's limit, a library that ends inside it, or a
// read error with the system's reason.
std::string notWholeReason(const libraryReader& reader);

// Stores text in the workfile exactly as compress would store the component
// file holding it: pieces of at most 1023 characters, each cut at a NUL and
// normalised. The entry's fields, with their place in the workfile; none
// when the text does not begin with a header of the kind.
std::optional<entryFields> storeAsCompressed(const std::string& text, const std::string& keyword,
                                             workFile& work);

// A library opened for reading with its index read, its reader at the first
// component (if any).
class libraryInput {
public:
    libraryInput() = default;
    ~libraryInput();
    libraryInput(const libraryInput&) = delete;
    libraryInput& operator=(const libraryInput&) = delete;

    // False after "PREFIX: fatal error: can't open library: PATH",
    // "PREFIX: fatal error: no index" or a read error, logged.
    bool open(const libKind& kind, const std::string& path, const char* prefix, logSink& log);

    // True, with "PREFIX: fatal error: can't read library: PATH: REASON"
    // logged, when the reader met a read error.
    bool failedReading();
    // Logs "PREFIX: fatal error: NAME can't be read whole: REASON" when the
    // reader's current component was not read whole; false then.
    bool checkWhole(const std::string& name);

    indexList index;
    std::optional<libraryReader> reader;

private:
    bool fail(const std::string& what, const std::string& reason);

    std::string path;
    std::string prefix;
    logSink* log = nullptr;
    std::FILE* file = nullptr;
    std::optional<fileSource> source;
};

// The text print shows for name: its first component, found where the index
// says when a header of that name stands at each of its entries, else by a
// scan of the library (scanned set). False when there is none.
bool firstComponentText(libraryInput& in, const std::string& keyword, const std::string& name, std::string& text,
                        bool& scanned);
