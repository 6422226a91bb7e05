// Both: expands a library, then compresses the written list file back into
// the same library with the remove flag set, rebuilding it from its own parts.
#pragma once

#include <string>

#include "engine/format/libKind.h"
#include "engine/logSink.h"
#include "engine/ops/runControl.h"

// 0 when both steps ran to their end and compress counted no error.
// 1 when expand failed (compress then does not run), when compress failed,
// or when compress counted errors (the library is then left as it was).
// Stopped through control: cancelledResult, and nothing is compressed when
// expand was stopped.
int bothLibrary(const libKind& kind, const std::string& libraryPath, logSink& log,
                const runControl* control = nullptr);
