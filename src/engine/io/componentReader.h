// Reads one component file as compress does: the first line must be a
// header of the kind (letter case aside), every line is normalised, and the
// stored text goes to the workfile while the entry records where it stands.
#pragma once

#include <optional>
#include <string>

#include "engine/format/entryFields.h"
#include "engine/format/libKind.h"
#include "engine/io/workFile.h"
#include "engine/logSink.h"

class lineReader;

// Stores piece (a component's header line, already parsed into fields) and
// every further piece of reader in the workfile, normalised, and sets the
// fields' position and length there. With refuseLong it stops at a line
// that a library reader could not read back (more than 1022 characters as
// stored) and returns its line number; 0 when every line was stored.
long long storeComponent(lineReader& reader, std::string& piece, workFile& work, entryFields& fields,
                         bool refuseLong = false);

// 0 on success, with the entry's fields (its position and length in the
// workfile); 2 when the file cannot be opened, 3 when it is empty, 4 for a
// bad first line, 5 for a read error or (with refuseLong) a line too long
// for a library, each with its message. Only a good file counts: the
// caller drops what a failed one added to the workfile. "Compress: got
// KIND \"NAME\"" is logged for a good file.
int readComponentFile(const std::string& path, const libKind& kind, workFile& work, logSink& log,
                      entryFields& fields, bool refuseLong = false);
