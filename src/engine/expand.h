// Expand: writes every component of a library to a file of its own in the
// current folder, writes a list file naming them, and checks the index.
#pragma once

#include "engine/logSink.h"

// 0 when the library was read to its end, whatever index problems were
// logged; 1 after a fatal error.
int expandLibrary(int button, const char* infile, logSink& log);
