// Runs a piece of engine work in a child process whose files may not grow
// past a limit, as on a full disk (POSIX only). The child's log comes back
// through a pipe and its result as the exit code.
#pragma once

#ifndef _WIN32

#include <functional>
#include <string>

#include "engine/logSink.h"

struct limitedRun {
    int result;
    std::string log;  // lines joined, LF after each
};

limitedRun runWithFileLimit(unsigned long limit, const std::function<int(logSink&)>& work);

#endif
