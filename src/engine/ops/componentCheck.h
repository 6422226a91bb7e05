// How one component read from a library compares with its index entry.
#pragma once

#include <string>

#include "engine/format/indexList.h"
#include "engine/logSink.h"

// Looks the name up (counting a hit) and logs "not in index", or which of
// position and length differ from the entry. Nothing is logged for a match.
// True when the component matched its entry.
bool checkComponent(indexList& index, const std::string& name, long long position, long long length,
                    logSink& log);
