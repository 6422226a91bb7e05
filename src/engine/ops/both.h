// Both: expands a library, then compresses the written list file back into
// the same library with the remove flag set, rebuilding it from its own parts.
#pragma once

#include <string>

#include "engine/format/libKind.h"
#include "engine/logSink.h"
#include "engine/ops/runControl.h"

// done when both steps ran to their end and compress counted no error.
// failed when expand failed (compress then does not run), when compress
// failed, or when compress counted errors (the library is then left as it
// was). Stopped through control: cancelled, and nothing is compressed when
// expand was stopped; damaged when the control's refuseDamage found the
// library damaged.
opResult bothLibrary(const libKind& kind, const std::string& libraryPath, logSink& log,
                const runControl* control = nullptr);
