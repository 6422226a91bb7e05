// The vek tool's commands, one row each: everything the tool knows of a
// command is in its row, from the words that parse it and the help that
// shows it to the function that runs it. The synopsis and the usage are
// made from the rows, so a new command is one row and one function.
#pragma once

#include <cstddef>
#include <string>

#include "cli/cliOptions.h"

// What a running command has at hand; the runners live in cliRun.cpp.
struct cliRunContext;

struct cliCommand {
    const char* word;
    const char* brief;  // one line of what it does, for the short usage
    cliOptions::action what;
    // Changes a library or writes files: the tool's guards (read-only
    // inputs, lines a reader can read back, no output that is an input, a
    // damaged library left alone unless forced, one writer at a time), the
    // progress line, and a stop by Ctrl+C.
    bool writes;
    std::size_t minPaths;
    std::size_t maxPaths;  // 0: no limit
    const char* pathsNamed;  // for "expected ..." in a usage error
    // Which of -r, --json, -u, -o DIR, -o FILE, -L, --diff3, --path,
    // --local, --force, --wait, --no-progress it takes ("rjuoOL3Plfwp");
    // -k, -q, -C and -h every command takes.
    const char* options;
    const char* operands;  // as the synopsis names them
    const char* purpose;
    const char* example;
    // How many of the first operands name files it reads, which must be
    // regular files: a pipe or a device would be read twice, or never end.
    std::size_t readsFiles;
    // Which operands may be "-" (standard input) or a pipe: read once, in
    // one sequential pass, into a temporary file that the command then
    // reads as it reads any file. "0" the first, "01" the first two, "1+"
    // the second and every later one, "" none.
    const char* piped;
    // The exit status is the runner's (diff: 0 equal, 1 different, 2
    // unreadable), not 0 or 1.
    bool resultIsStatus;
    // Runs it; the exit status its result gives.
    int (*run)(const cliOptions& options, cliRunContext& context);
};

// The row of a command word, or null.
const cliCommand* commandFor(const std::string& word);

// Whether the row takes the option of that letter (see cliCommand::options).
bool takes(const cliCommand& command, char letter);

// "vek WORD [-k KIND] ... OPERANDS", the options in one fixed order.
std::string synopsis(const cliCommand& command);

// Every command's synopsis and what all of them share.
std::string usageText();
// The commands, one line each, as bare "vek" shows them.
std::string shortUsage();

// The runners of the rows.
int runCompress(const cliOptions& o, cliRunContext& c);
int runExpand(const cliOptions& o, cliRunContext& c);
int runBoth(const cliOptions& o, cliRunContext& c);
int runList(const cliOptions& o, cliRunContext& c);
int runVerify(const cliOptions& o, cliRunContext& c);
int runExtract(const cliOptions& o, cliRunContext& c);
int runPrint(const cliOptions& o, cliRunContext& c);
int runAdd(const cliOptions& o, cliRunContext& c);
int runDelete(const cliOptions& o, cliRunContext& c);
int runDiff(const cliOptions& o, cliRunContext& c);
int runMerge(const cliOptions& o, cliRunContext& c);
int runCat(const cliOptions& o, cliRunContext& c);
int runRepair(const cliOptions& o, cliRunContext& c);
int runRename(const cliOptions& o, cliRunContext& c);
int runGrep(const cliOptions& o, cliRunContext& c);
int runGitMerge(const cliOptions& o, cliRunContext& c);
int runGitSetup(const cliOptions& o, cliRunContext& c);
