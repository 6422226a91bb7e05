#include "engine/ops/both.h"

#include "engine/format/componentFile.h"
#include "engine/ops/compress.h"
#include "engine/ops/expand.h"
#include "engine/ops/libraryRewrite.h"

opResult bothLibrary(const libKind& kind, const std::string& libraryPath, logSink& log, const runControl* control) {
    const runControl none;
    libraryRewrite rewrite(kind, libraryPath, "Expand", log, control ? *control : none);
    if (!rewrite.hold()) return rewrite.finish();
    // The part files are its own, written beside any file there and removed
    // again; what the index check finds is what both is there to mend. A
    // part cut short is kept as far as it goes, and named when the tool
    // leaves such parts out of an expand.
    runControl expanding = control ? *control : none;
    expanding.existing = existingFiles::writeBeside;
    expanding.findingsFail = false;
    if (expanding.cutParts == cutPartPolicy::leaveOut) expanding.cutParts = cutPartPolicy::writeNamed;
    const opResult expanded = expandLibrary(kind, libraryPath, log, &expanding);
    if (expanded != opResult::done) return expanded == opResult::cancelled ? expanded : opResult::failed;
    compressProbe probe;
    probe.control = control;
    probe.known = rewrite.verified();
    const opResult compressed = compressLibrary(kind, listPathFor(libraryPath), libraryPath, true, log, &probe);
    if (compressed != opResult::done) return compressed;
    return probe.errors == 0 ? opResult::done : opResult::failed;
}
