// Rebuilding a damaged library from every part that can be saved. The data
// section is scanned by its header lines, without trusting the index: every
// part read whole is kept, in library order, its index line rebuilt from its
// header line and the checksum worked out anew. What cannot be kept is named
// with its byte count: a part cut short by the library's end or by a line
// too long for the rules (kept as far as it was read when asked), a second
// part of a name, a part whose header line names nothing, and an index entry
// without a part. A library whose line ends a checkout converted to CR LF
// loses nothing.
#pragma once

#include <string>

#include "engine/format/libKind.h"
#include "engine/logSink.h"
#include "engine/ops/opResult.h"
#include "engine/ops/runControl.h"

struct repairRequest {
    std::string library;
    std::string output;     // "": over the library, the old one kept as its backup
    bool keepCut = false;   // keep a cut part as far as it was read
    bool dryRun = false;    // report, write nothing
};

struct repairReport {
    long long kept = 0, keptBytes = 0;
    long long cut = 0;      // parts cut short, kept or not
    long long lost = 0, lostBytes = 0;
    bool wholeLibrary() const { return cut == 0 && lost == 0; }
};

// The backup an in-place repair keeps of the old library.
std::string repairBackupPath(const std::string& library);

// done when the repaired library was written (or, on a dry run, could be);
// the report says what it holds and what was lost, each part also logged.
// failed, logged, when the library can't be read, holds no part to save,
// or the new one can't be written (the old one then stays as it was).
opResult repairLibrary(const libKind& kind, const repairRequest& request, repairReport& report, logSink& log,
                       const runControl* control = nullptr);
