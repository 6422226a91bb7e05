#include "cli/cliOptions.h"

#include "cli/cliCommands.h"
#include "cli/pipedInput.h"
#include "engine/ops/inspect.h"
#include "support/fileOps.h"
#include "support/platform/platform.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

using A = cliOptions::action;

// Only a regular file is looked into here: a pipe would be read up front,
// or wait for a writer for ever; the command refuses it in its own words.
bool isRegularFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(platform::fsPath(path), ec);
}

struct optionHelp {
    char letter;  // as in cliCommand::options; 0: every command takes it
    const char* words;
    const char* meaning;
};

const optionHelp optionHelps[] = {
    {0, "-k KIND", "symbol, package or footprint (default: from the library's extension)"},
    {'r', "-r, --remove", "delete the part files once the library is written"},
    {'o', "-o, --output-dir DIR", "write the part files there (made if missing)"},
    {'O', "-o, --output FILE", "write the merged library there instead of over OURS"},
    {'v', "--overwrite", "write over part files already in the folder"},
    {'K', "--keep", "write beside them, under other names (expand's renaming rule)"},
    {'R', "-o, --output FILE", "write the repaired library there"},
    {'i', "--in-place", "write it over LIBRARY, keeping the old one as LIBRARY.bak"},
    {'c', "--keep-cut", "keep a part cut short as far as it can be read"},
    {'n', "-n, --dry-run", "say what would change, write nothing"},
    {'L', "-L, --marker-size N", "conflict markers N characters long (7; git's %L)"},
    {'3', "--diff3", "show the base's lines in each conflict block too"},
    {'l', "--local", "set up the current repository only, with its .gitattributes"},
    {'P', "--path PATH", "the library's path in the repository (git's %P), for its kind and name"},
    {'j', "--json", "print the index as a JSON array"},
    {'m', "--names", "print each part's name once, as expand names it, in library order"},
    {'u', "-u", "show a unified diff of each part whose text differs"},
    {'I', "-i", "match letters in either case"},
    {'E', "-E", "PATTERN is an extended regular expression (default: basic)"},
    {'F', "-F", "PATTERN is a fixed string"},
    {'W', "-l", "print only LIBRARY:PART of each part that matches"},
    {'Z', "-c", "print LIBRARY:PART:N, how many lines of each part match"},
    {'A', "--ako", "rename OLD where other parts name it as their ako too"},
    {'f', "--force", "change a damaged library; take parts without a name or named twice"},
    {'w', "--wait SECONDS", "wait this long for another writer of the library (30)"},
    {0, "-q, --quiet", "print nothing on success but warnings, findings and errors"},
    {'p', "--no-progress", "show no progress line on a terminal"},
    {0, "-C DIR", "change to DIR first"},
    {0, "-h, --help", "show this help"},
};

bool takeValue(const std::vector<std::string>& args, std::size_t& i, std::string& value, std::string& error) {
    if (i + 1 >= args.size()) {
        error = "option " + args[i] + " needs a value";
        return false;
    }
    value = args[++i];
    return true;
}

bool takeOption(const std::vector<std::string>& args, std::size_t& i, const cliCommand& rule, cliOptions& o,
                std::string& kindName, std::string& error) {
    const std::string& a = args[i];
    std::string value;
    if (a == "-k") return takeValue(args, i, kindName, error);
    if (a == "-C") return takeValue(args, i, o.directory, error);
    if ((a == "-o" || a == "--output-dir") && takes(rule, 'o')) return takeValue(args, i, o.outputDir, error);
    if ((a == "-o" || a == "--output") && (takes(rule, 'O') || takes(rule, 'R'))) return takeValue(args, i, o.outputFile, error);
    if (a == "--path" && takes(rule, 'P')) return takeValue(args, i, o.shownPath, error);
    if ((a == "-L" || a == "--marker-size") && takes(rule, 'L')) {
        if (!takeValue(args, i, value, error)) return false;
        char* end = nullptr;
        const long size = std::strtol(value.c_str(), &end, 10);
        if (value.empty() || *end != '\0' || size < 1 || size > 100) {
            error = "-L takes a marker size from 1 to 100: " + value;
            return false;
        }
        o.markerSize = static_cast<int>(size);
        return true;
    }
    if (a == "--wait" && takes(rule, 'w')) {
        if (!takeValue(args, i, value, error)) return false;
        char* end = nullptr;
        o.waitSeconds = std::strtod(value.c_str(), &end);
        if (value.empty() || *end != '\0' || !(o.waitSeconds >= 0)) {
            error = "--wait takes a number of seconds: " + value;
            return false;
        }
    } else if ((a == "-r" || a == "--remove") && takes(rule, 'r')) o.remove = true;
    else if (a == "-q" || a == "--quiet") o.quiet = true;
    else if (a == "--json" && takes(rule, 'j')) o.json = true;
    else if (a == "--names" && takes(rule, 'm')) o.names = true;
    else if (a == "-u" && takes(rule, 'u')) o.unified = true;
    else if (a == "--diff3" && takes(rule, '3')) o.diff3 = true;
    else if (a == "--local" && takes(rule, 'l')) o.local = true;
    else if (a == "--in-place" && takes(rule, 'i')) o.inPlace = true;
    else if (a == "--overwrite" && takes(rule, 'v')) o.overwrite = true;
    else if (a == "--keep" && takes(rule, 'K')) o.keep = true;
    else if (a == "--ako" && takes(rule, 'A')) o.ako = true;
    else if (a == "-i" && takes(rule, 'I')) o.ignoreCase = true;
    else if ((a == "-E" && takes(rule, 'E')) || (a == "-F" && takes(rule, 'F'))) o.grepSyntax = a[1];
    else if (a == "-l" && takes(rule, 'W')) o.partsOnly = true;
    else if (a == "-c" && takes(rule, 'Z')) o.countOnly = true;
    else if (a == "--keep-cut" && takes(rule, 'c')) o.keepCut = true;
    else if ((a == "-n" || a == "--dry-run") && takes(rule, 'n')) o.dryRun = true;
    else if (a == "--force" && takes(rule, 'f')) o.force = true;
    else if (a == "--no-progress" && takes(rule, 'p')) o.progress = false;
    else if (a == "-h" || a == "--help") o.what = A::help;
    else {
        error = "unknown option: " + a;
        return false;
    }
    return true;
}

// The libraries whose names or contents may tell the kind, first first: the
// output for compress; for merge the path in the repository, then ours,
// theirs and base (git's temporary files have no extension); the first
// library for everything else.
std::vector<std::string> kindSources(const cliOptions& o) {
    if (o.what == A::compress) return {o.paths.back()};
    if (o.what == A::grep) return {o.paths.size() > 1 ? o.paths[1] : o.paths[0]};
    if (o.what != A::merge) return {o.paths.front()};
    std::vector<std::string> sources{o.paths[1], o.paths[2], o.paths[0]};
    if (!o.shownPath.empty()) sources.insert(sources.begin(), o.shownPath);
    return sources;
}

// The kind from -k, or from the extension of the library the command works
// on, or else from its first header line.
bool resolveKind(cliOptions& o, const std::string& kindName, std::string& error) {
    if (!kindName.empty()) {
        o.kind = kindForName(kindName);
        if (!o.kind) error = "unknown kind: " + kindName + " (symbol, package or footprint)";
        return o.kind != nullptr;
    }
    const std::vector<std::string> sources = kindSources(o);
    for (const std::string& library : sources) {
        if (!o.kind) o.kind = kindForLibraryPath(library);
    }
    for (const std::string& library : sources) {
        if (!o.kind && isRegularFile(library)) o.kind = kindFromContent(library);
    }
    if (!o.kind) error = "can't tell the kind from " + sources.front() + "; give it with -k";
    return o.kind != nullptr;
}

// A library whose parts are of another kind than -k says (nothing read or
// written could come of it), and a library given where compress wants a
// list file, are refused at once. Files that don't exist yet pass.
bool contentAgrees(const cliOptions& o, std::string& error) {
    if (o.what == A::compress) {
        std::string first;
        std::FILE* f = isRegularFile(o.paths[0]) ? fileOps::open(o.paths[0], "rb") : nullptr;
        if (f) {
            char line[16] = "";
            if (std::fgets(line, sizeof line, f)) first = line;
            std::fclose(f);
        }
        if (first.rfind("*version", 0) == 0) error = o.paths[0] + " is a library, not a list file";
        return error.empty();
    }
    for (const std::string& library : kindSources(o)) {
        const libKind* found = isRegularFile(library) ? kindFromContent(library) : nullptr;
        if (!found || found == o.kind) continue;
        error = library + " holds " + found->kindName + "s, not " + o.kind->kindName + "s";
        return false;
    }
    return true;
}

std::optional<cliOptions> helpOn(const std::string& command) {
    cliOptions o;
    o.helpFor = command;
    return o;
}

}  // namespace

std::string helpText(const std::string& command) {
    const cliCommand* rule = commandFor(command);
    if (!rule) return usageText();
    std::string text = "usage: vek " + command + " [options]" + (*rule->operands ? " " : "") + rule->operands +
                       "\n" + rule->purpose + "\n\noptions:\n";
    for (const optionHelp& h : optionHelps) {
        if (h.letter != 0 && !takes(*rule, h.letter)) continue;
        std::string words = "  " + std::string(h.words);
        words.resize(26, ' ');
        text += words + h.meaning + "\n";
    }
    return text + "\nexample: " + rule->example + "\n";
}

std::optional<cliOptions> parseCommandLine(const std::vector<std::string>& args, std::string& error,
                                           std::string* command, pipedInput* piped) {
    if (command) command->clear();
    if (args.empty()) {
        error = "no command given";
        return std::nullopt;
    }
    if (args[0] == "--help" || args[0] == "-h") return helpOn("");
    if (args[0] == "help") {
        if (args.size() > 1 && !commandFor(args[1])) {
            error = "unknown command: " + args[1];
            return std::nullopt;
        }
        return helpOn(args.size() > 1 ? args[1] : "");
    }
    if (args[0] == "--version") {
        cliOptions o;
        o.what = A::version;
        return o;
    }
    const cliCommand* rule = commandFor(args[0]);
    if (!rule) {
        error = "unknown command: " + args[0];
        return std::nullopt;
    }
    if (command) *command = rule->word;
    cliOptions o;
    o.what = rule->what;
    o.command = rule;
    std::string kindName;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a == "--") optionsEnded = true;
        else if (!optionsEnded && a.size() > 1 && a[0] == '-') {
            if (!takeOption(args, i, *rule, o, kindName, error)) return std::nullopt;
            if (o.what == A::help) return helpOn(rule->word);
        } else o.paths.push_back(a);
    }
    if (o.paths.size() < rule->minPaths || (rule->maxPaths != 0 && o.paths.size() > rule->maxPaths)) {
        error = "expected " + std::string(rule->pathsNamed);
        return std::nullopt;
    }
    if (piped && !piped->take(o, error)) return std::nullopt;
    if (!o.paths.empty() && !resolveKind(o, kindName, error)) return std::nullopt;
    if (!o.paths.empty() && !contentAgrees(o, error)) return std::nullopt;
    if (o.overwrite && o.keep) {
        error = "--overwrite and --keep both given: choose one";
        return std::nullopt;
    }
    if (o.what == A::repair && !o.dryRun && o.inPlace != o.outputFile.empty()) {
        error = o.inPlace ? "-o and --in-place both given: choose one" : "repair needs -o FILE or --in-place (or -n)";
        return std::nullopt;
    }
    return o;
}
