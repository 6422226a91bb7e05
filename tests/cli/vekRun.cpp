#include "cli/vekRun.h"

#include <cstdlib>
#include <filesystem>

#include "common/fileText.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

std::string inQuotes(const std::string& s) { return "\"" + s + "\""; }

runResult runVek(const std::string& args) {
    std::string exe = VEK_BINARY;
#ifdef _WIN32
    for (char& c : exe) {
        if (c == '/') c = '\\';
    }
    if (exe.rfind("\\", 0) == 0) exe = "Z:" + exe;
    const std::string command = "\"" + inQuotes(exe) + " " + args + " >out.txt 2>err.txt\"";
#else
    const std::string command = inQuotes(exe) + " " + args + " >out.txt 2>err.txt";
#endif
    int status = std::system(command.c_str());
#ifndef _WIN32
    status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    runResult r{status, readBytes("out.txt"), readBytes("err.txt")};
    std::filesystem::remove("out.txt");
    std::filesystem::remove("err.txt");
    return r;
}

