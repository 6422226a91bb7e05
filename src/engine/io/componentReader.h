// Reads one component file as compress does: the first line must be a
// header of the kind (letter case aside), every line is normalised, and the
// stored text goes to the workfile while the entry records where it stands.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/format/entryFields.h"
#include "engine/format/libKind.h"
#include "engine/io/workFile.h"

class lineReader;

// Stores piece (a component's header line, already parsed into fields) and
// every further piece of reader in the workfile, normalised, and sets the
// fields' position and length there. With refuseLong it stops at a line
// that a library reader could not read back (more than 1022 characters as
// stored) and returns its line number; 0 when every line was stored.
long long storeComponent(lineReader& reader, std::string& piece, workFile& work, entryFields& fields,
                         bool refuseLong = false);

// The same for a component held whole in memory (whole; reader reads it
// and has read piece): when its lines allow, the rest goes the fast way,
// runs of lines that need no change copied at once.
long long storeRest(lineReader& reader, std::string& piece, std::string_view whole, workFile& work,
                    entryFields& fields, bool refuseLong);

// How reading one component file went. Only a good file counts: the caller
// drops what a failed one added to the workfile.
struct componentOutcome {
    enum class result { ok, cantOpen, empty, badFirstLine, cantRead, lineTooLong };
    result what = result::ok;
    bool headerRead = false;  // its first line was a header of the kind
    std::string firstLine;    // as read, with its line end
    std::string reason;       // the system's words for cantOpen and cantRead
    long long line = 0;       // the line too long
    bool ok() const { return what == result::ok; }
};

// Reads the part file at path into the workfile, and the fields of its
// header line, with their position and length in the workfile. It logs
// nothing: the operation that reads it says what happened (tellComponent).
componentOutcome readComponentFile(const std::string& path, const libKind& kind, workFile& work,
                                   entryFields& fields, bool refuseLong = false);
