#include <cstdio>
#include <string>
#include <vector>

#include "cli/cliRun.h"

int main(int argc, char** argv) {
    // One write per block rather than per line: a console costs little. The
    // log flushes it at least every 100 ms; standard error stays unbuffered.
    static char outBuffer[1 << 16];
    std::setvbuf(stdout, outBuffer, _IOFBF, sizeof outBuffer);
    std::vector<std::string> args(argv + 1, argv + argc);
    return cliRun(args, stdout, stderr);
}
