// Compress: packs the component files named in a list file into a library.
#pragma once

#include <optional>
#include <string>

#include "engine/format/libKind.h"
#include "engine/io/sectionMatch.h"
#include "engine/logSink.h"
#include "engine/ops/runControl.h"

// Seams for tests, kept apart from what a front end sets.
struct compressSeams {
    // Called where a crash or a killed process would stop compress: with
    // "component" after each component file, "staged" when the new library
    // is complete beside the output, "replaced" when it has taken the
    // output's place, "removed" after the component files were deleted.
    void (*reached)(const char* point) = nullptr;
    // The most bytes a data section may hold: an index gives positions and
    // lengths as signed 32-bit numbers. Tests make it smaller.
    long long dataLimit = 2147483647;
};

// What a caller may ask of a run, and learn of it beyond its result.
struct compressProbe {
    // Progress, stop requests, guards and threads (none when null); a
    // stopped compress leaves the output as it was, logs
    // "Compress: --- CANCELLED ---" and returns cancelled.
    const runControl* control = nullptr;
    // A data section already checked that the new one may repeat byte for
    // byte (both's library, verified): its checksum is then taken over.
    std::optional<knownSection> known;
    const compressSeams* seams = nullptr;
    int errors = 0;  // the errors counted, after the run
};

// done when the list was processed to its end (errors counted or not),
// failed after a fatal error. Nothing at outPath changes unless a whole
// library could be written; with remove, the component files are deleted
// only then.
opResult compressLibrary(const libKind& kind, const std::string& listPath, const std::string& outPath,
                    bool remove, logSink& log, compressProbe* probe = nullptr);
