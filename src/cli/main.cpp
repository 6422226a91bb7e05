#include <cstdio>
#include <string>
#include <vector>

#include "cli/cliRun.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return cliRun(args, stdout, stderr);
}
