// What compress (and add, which reads part files as compress does) says of
// one part file it read.
#pragma once

#include <string>

#include "engine/format/entryFields.h"
#include "engine/format/libKind.h"
#include "engine/io/componentReader.h"
#include "engine/logSink.h"

// Logs "Compress: got KIND \"NAME\"" for a file whose header was read (when
// withGot), then the fatal error of a file that failed, with the problem
// beside it. True when the file was good.
bool tellComponent(const std::string& path, const componentOutcome& outcome, const entryFields& fields,
                   const libKind& kind, logSink& log, bool withGot = true);
