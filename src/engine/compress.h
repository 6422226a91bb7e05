// Compress: packs the component files named in a list file into a library.
#pragma once

#include <string>

#include "engine/logSink.h"
#include "engine/workFile.h"

// Returns 0 when the list was processed to its end (errors counted or not),
// 1 after a fatal error. errorCount, when given, receives the errors counted.
// Nothing at outfile changes unless a whole library could be written.
int compressLibrary(int button, const char* listfile, const char* outfile, int removeFlag,
                    logSink& log, int* errorCount = nullptr);

// Reads one component file into the workfile and the index table.
// 0 on success, 2 when it cannot be opened, 3 when empty, 4 for a bad first line.
int compressComponent(const std::string& path, workFile& work, const std::string& keyword,
                      logSink& log);
