// Running another program, and knowing our own: what the tool needs to set
// up git and to read what git keeps.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The full path of the running program ("" when the system won't say).
std::string programPath();

// Runs args[0] (looked up on the PATH) with the other arguments, each
// passed as it is, no shell in between; standard output goes to the file
// outputFile when one is named (made or emptied), else where ours goes.
// Its exit status, or -1 when it could not be started.
int runProgram(const std::vector<std::string>& args, const std::string& outputFile = "");

}  // namespace platform
