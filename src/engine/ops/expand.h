// Expand: writes every component of a library to a file of its own in the
// current folder, writes a list file naming them, and checks the index.
#pragma once

#include <string>

#include "engine/format/libKind.h"
#include "engine/io/byteSource.h"
#include "engine/logSink.h"
#include "engine/ops/runControl.h"

// done when the library was read to its end, whatever index problems were
// logged; failed after a fatal error. The library is opened for update, so one
// the user may not change counts as not opened. Stopped through control, it
// keeps the files written so far with a list file naming them, logs
// "Expand: --- CANCELLED ---" and returns cancelled.
// With a folder, the parts go there instead of into the current folder, and
// so does the list file, named after the library's file name cut at its
// first ".".
opResult expandLibrary(const libKind& kind, const std::string& libraryPath, logSink& log,
                  const runControl* control = nullptr, const std::string& folder = "");

// Where expand writes the list file for the library (into folder, if any).
std::string expandListPath(const std::string& libraryPath, const std::string& folder);

// The same from bytes already at hand, writing the list file at listPath;
// libraryName names them in messages. A read error ends it with
// "Expand: fatal error: can't read library: NAME: REASON".
opResult expandLibrary(const libKind& kind, byteSource& library, const std::string& listPath, logSink& log,
                  const runControl* control = nullptr, const std::string& libraryName = "library",
                  const std::string& folder = "");
