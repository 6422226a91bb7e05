#include "engine/ops/componentCheck.h"

bool checkComponent(indexList& index, const std::string& name, long long position, long long length,
                    logSink& log) {
    std::int32_t indexPosition = 0, indexLength = 0;
    std::string extra;
    if (!index.lookup(name, indexPosition, indexLength, extra)) {
        log.report(lineKind::finding, "Expand: symbol " + name + " not in index");
        return false;
    }
    const bool badLength = length != indexLength;
    const bool badPosition = position != indexPosition;
    if (!badLength && !badPosition) return true;
    const char* what = badLength && badPosition ? "(length + position)"
                       : badLength              ? "(length)"
                                                : "(position)";
    log.report(lineKind::finding, "Expand: symbol " + name + " has bad index " + what);
    return false;
}
