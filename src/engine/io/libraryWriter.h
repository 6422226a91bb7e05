// Writes a whole library: the version line with the data section's
// checksum, "@index", one index line per entry, then the data section copied
// from the workfile that collected it.
#pragma once

#include <cstdio>

#include "engine/format/indexList.h"
#include "engine/io/workFile.h"

// False when any write or read failed.
bool writeLibrary(std::FILE* out, const indexList& index, workFile& data);
