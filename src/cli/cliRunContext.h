// What a running command has at hand; each runner returns its exit status.
#pragma once

#include <cstdio>

#include "engine/logSink.h"
#include "engine/ops/opResult.h"
#include "engine/ops/runControl.h"

struct cliRunContext {
    logSink& log;
    logSink& errors;  // problems only: for the commands whose standard output is data
    std::FILE* out;
    int writeError = 0;     // of a command that writes data to out itself
    runControl* control = nullptr;  // a writing command's, with the tool's guards
};

// The one table from an operation's result to the tool's exit status. A
// stop by a signal is 128 plus its number.
int statusOf(opResult result);
int statusOf(diffResult result);
