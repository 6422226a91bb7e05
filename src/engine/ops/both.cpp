#include "engine/ops/both.h"

#include "engine/format/componentFile.h"
#include "engine/ops/compress.h"
#include "engine/ops/expand.h"
#include "engine/ops/libraryRewrite.h"

opResult bothLibrary(const libKind& kind, const std::string& libraryPath, logSink& log, const runControl* control) {
    const runControl none;
    libraryRewrite rewrite(kind, libraryPath, "Expand", log, control ? *control : none);
    if (!rewrite.hold()) return rewrite.finish();
    const opResult expanded = expandLibrary(kind, libraryPath, log, control);
    if (expanded != opResult::done) return expanded == opResult::cancelled ? expanded : opResult::failed;
    compressProbe probe;
    probe.control = control;
    probe.known = rewrite.verified();
    const opResult compressed = compressLibrary(kind, listPathFor(libraryPath), libraryPath, true, log, &probe);
    if (compressed != opResult::done) return compressed;
    return probe.errors == 0 ? opResult::done : opResult::failed;
}
