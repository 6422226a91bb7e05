#include <cstdio>
#include <string>
#include <vector>

#include "cli/cliRun.h"
#include "support/platform/platform.h"
#include "support/platform/stopSignals.h"

int main(int argc, char** argv) {
    // One write per block rather than per line: a console costs little. The
    // log flushes it at least every 100 ms; standard error stays unbuffered.
    static char outBuffer[1 << 16];
    std::setvbuf(stdout, outBuffer, _IOFBF, sizeof outBuffer);
    platform::ignoreFileSizeSignal();
    platform::useUtf8Console();
    std::vector<std::string> args(argv + 1, argv + argc);
    return cliRun(args, stdout, stderr);
}
