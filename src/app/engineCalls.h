// The engine as the program's commands call it: the library kind as the
// command dialog's radio id (DLG_BUTTON1 to DLG_BUTTON3) and paths as C
// strings. Any other id, or a null path, is a programming error that ends
// the program with the failed condition.
#pragma once

#include "engine/format/libKind.h"
#include "engine/logSink.h"
#include "engine/ops/runControl.h"

// The kind of a radio id, or null for any other id.
const libKind* kindForButton(int button);

int expandLibrary(int button, const char* infile, logSink& log, const runControl* control = nullptr);
int compressLibrary(int button, const char* listfile, const char* outfile, int removeFlag, logSink& log,
                    const runControl* control = nullptr);
int bothLibrary(int button, const char* library, logSink& log, const runControl* control = nullptr);
