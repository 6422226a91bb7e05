// The three-way merge of libraries by parts: what git's merge driver runs.
// A part is a name as expand names it. Each part is taken from the side that
// changed it, kept when both made the same change, deleted when one side
// deleted it and the other left it alone, and added when one side added it.
// A part both sides changed in different ways has its lines merged, with
// conflict blocks inside it (partMerge.h). The order is ours'; a part that
// only theirs has goes after the part before it in theirs that ours has
// too. The result is the library compress makes of the merged parts in that
// order.
#pragma once

#include <string>

#include "engine/format/libKind.h"
#include "engine/logSink.h"
#include "engine/ops/opResult.h"
#include "engine/ops/partMerge.h"
#include "engine/ops/runControl.h"

struct mergeRequest {
    std::string base, ours, theirs;
    std::string output;  // "": over ours
    std::string shownAs; // the library's name in messages ("": ours)
    conflictStyle style;
};

// done when merged and written, conflicts set to the number of parts with
// conflict blocks (each logged and reported as a problem). damaged, with
// nothing written, when verify finds anything in one of the three (an
// empty file counts as a library without parts); failed after an error.
opResult mergeLibraries(const libKind& kind, const mergeRequest& request, int& conflicts, logSink& log,
                        const runControl* control = nullptr);
