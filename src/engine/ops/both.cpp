#include "engine/ops/both.h"

#include "engine/format/componentFile.h"
#include "engine/ops/compress.h"
#include "engine/ops/expand.h"

int bothLibrary(const libKind& kind, const std::string& libraryPath, logSink& log) {
    if (expandLibrary(kind, libraryPath, log) != 0) return 1;
    compressProbe probe;
    if (compressLibrary(kind, listPathFor(libraryPath), libraryPath, true, log, &probe) != 0) return 1;
    return probe.errors == 0 ? 0 : 1;
}
