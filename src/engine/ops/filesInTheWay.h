// The tool's expand and extract never write over a file they did not
// write: before anything is written, the part files already in the folder
// are found and named.
#pragma once

#include <string>
#include <vector>

#include "engine/format/libKind.h"
#include "engine/io/byteSource.h"
#include "engine/logSink.h"

// The file of each name (the first the renaming rule tries) that is in
// folder already, in the order of names, each once. A device name is in
// nobody's way: the rule never writes to it.
std::vector<std::string> filesInTheWay(const std::vector<std::string>& names, const libKind& kind,
                                       const std::string& folder);

// The same for every part of the library, read from its start (and
// rewound after). Nothing when the folder holds no file at all.
std::vector<std::string> libraryFilesInTheWay(byteSource& library, const libKind& kind, const std::string& folder);

// True, with "PREFIX: fatal error: N part file(s) there already: FILE, ..."
// logged and a problem for each, when files is not empty.
bool refuseFilesInTheWay(const std::vector<std::string>& files, const std::string& folder, const std::string& prefix,
                         logSink& log);
