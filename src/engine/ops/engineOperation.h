// What every engine operation holds for its own run: the kind's keyword and
// name, its own index table, and the log its lines go to. Nothing of an
// operation outlives it, so two operations may run side by side.
#pragma once

#include <string>

#include "engine/format/indexList.h"
#include "engine/format/libKind.h"
#include "engine/logSink.h"

class engineOperation {
protected:
    engineOperation(const libKind& k, logSink& sink)
        : kind(k), curKeyword(k.keyword), curKindName(k.kindName), log(sink) {}

    const libKind& kind;
    const std::string curKeyword;
    const std::string curKindName;
    indexList index;
    logSink& log;
};
