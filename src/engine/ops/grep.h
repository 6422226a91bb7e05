// Searching the parts' texts of libraries, as git grep searches files: each
// matching line as "LIBRARY:PART:LINE:text" (the header line is line 1), or
// only the parts, or how many lines of each match. A fixed string is found
// in a part's whole text first, so parts without it cost one scan.
#pragma once

#include <string>
#include <vector>

#include "engine/format/libKind.h"
#include "engine/logSink.h"
#include "engine/ops/runControl.h"

struct grepRequest {
    std::string pattern;
    enum class syntax { basic, extended, fixed } how = syntax::basic;
    bool ignoreCase = false;
    bool partsOnly = false;  // -l: "LIBRARY:PART" once for each part that matches
    bool count = false;      // -c: "LIBRARY:PART:N" for each part that matches
};

enum class grepResult { matched, none, error };

// Matches go to out; what went wrong to log. error when the pattern is no
// regular expression, a library can't be read, or a part is cut short
// (its lines are searched as far as they go, and the damage named). With
// control, progress counts the parts searched (total 0: not known ahead),
// and a stop asked for ends the search before the next part.
grepResult grepLibraries(const libKind& kind, const std::vector<std::string>& libraries, const grepRequest& request,
                         logSink& out, logSink& log, const runControl* control = nullptr);
