// Runs the vek tool: parses the command line, runs the engine and maps its
// results to exit codes (0 done, 1 failed, 2 usage error).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

int cliRun(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);
