#include "engine/ops/both.h"

#include "engine/format/componentFile.h"
#include "engine/ops/compress.h"
#include "engine/ops/expand.h"
#include "engine/ops/libraryRewrite.h"

int bothLibrary(const libKind& kind, const std::string& libraryPath, logSink& log, const runControl* control) {
    const runControl none;
    libraryRewrite rewrite(kind, libraryPath, "Expand", log, control ? *control : none);
    if (!rewrite.hold()) return rewrite.finish();
    const int expanded = expandLibrary(kind, libraryPath, log, control);
    if (expanded != 0) return expanded == cancelledResult ? expanded : 1;
    compressProbe probe;
    probe.control = control;
    probe.known = rewrite.verified();
    const int compressed = compressLibrary(kind, listPathFor(libraryPath), libraryPath, true, log, &probe);
    if (compressed != 0) return compressed;
    return probe.errors == 0 ? 0 : 1;
}
