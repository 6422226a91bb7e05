#include "engine/ops/both.h"

#include "engine/format/componentFile.h"
#include "engine/ops/compress.h"
#include "engine/ops/expand.h"
#include "engine/ops/inspect.h"

int bothLibrary(const libKind& kind, const std::string& libraryPath, logSink& log, const runControl* control) {
    const runControl none;
    platform::writerLock lock;
    if (!lockLibrary(lock, libraryPath, control ? *control : none, "Expand", log)) return 1;
    knownSection checked;
    if (control && control->refuseDamage && refuseDamaged(kind, libraryPath, "Expand", log, &checked)) {
        return damagedResult;
    }
    const int expanded = expandLibrary(kind, libraryPath, log, control);
    if (expanded != 0) return expanded == cancelledResult ? expanded : 1;
    compressProbe probe;
    if (control) probe.control = *control;
    if (!checked.path.empty()) probe.known = checked;
    const int compressed = compressLibrary(kind, listPathFor(libraryPath), libraryPath, true, log, &probe);
    if (compressed != 0) return compressed;
    return probe.errors == 0 ? 0 : 1;
}
