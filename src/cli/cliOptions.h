// The command line of the vek tool.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/format/libKind.h"

struct cliCommand;

struct cliOptions {
    enum class action { compress, expand, both, list, verify, extract, print, add, remove, diff, merge, cat, repair, rename, grep, gitMerge, gitSetup, help, version };
    action what = action::help;
    const cliCommand* command = nullptr;  // its row, for every action but help and version
    const libKind* kind = nullptr;
    bool remove = false;     // -r: compress deletes the component files
    bool quiet = false;      // -q: nothing on success but warnings, findings and errors
    bool json = false;       // --json: list as JSON
    bool names = false;      // --names: list one part name a line, as expand names parts
    bool unified = false;    // -u: diff shows each changed part's lines
    bool progress = true;    // --no-progress: no progress line on a terminal
    bool force = false;      // --force: change a library that verify finds damaged
    double waitSeconds = 30; // --wait: how long a writer waits for another
    std::string directory;   // -C: change there first
    std::string outputDir;   // -o: where expand and extract write
    std::string outputFile;  // -o: where merge and repair write ("": over OURS, or --in-place)
    std::string shownPath;   // --path: the library's name in the repository (git's %P)
    int markerSize = 7;      // -L: conflict markers' length (git's %L)
    bool diff3 = false;      // --diff3: conflict blocks show the base too
    bool inPlace = false;    // --in-place: repair writes over the library, keeping a backup
    bool keepCut = false;    // --keep-cut: repair keeps a cut part as far as it was read
    bool dryRun = false;     // -n: report what would change, write nothing
    bool overwrite = false;  // --overwrite: expand and extract write over part files there already
    char grepSyntax = 'G';   // grep: 'G' basic, 'E' extended (-E), 'F' fixed strings (-F)
    bool ignoreCase = false; // grep -i
    bool partsOnly = false;  // grep -l: the matching parts only
    bool countOnly = false;  // grep -c: how many lines of each part match
    bool ako = false;        // --ako: rename renames ako references too
    bool keep = false;       // --keep: they write beside them (the renaming rule)
    bool local = false;      // --local: git-setup writes the repository's configuration
    std::string helpFor;     // the command whose help was asked for ("" for all)
    std::vector<std::string> paths;
};

class pipedInput;

// Parsed options, or null with the reason in error; command then names the
// command the line was for ("" when there was none). With piped, standard
// input and pipes the command takes are copied in before the kind is told
// from the content.
std::optional<cliOptions> parseCommandLine(const std::vector<std::string>& args, std::string& error,
                                           std::string* command = nullptr, pipedInput* piped = nullptr);

// The help of one command (synopsis, what it does, options, an example), or
// the usage of every command when command is "".
std::string helpText(const std::string& command);
