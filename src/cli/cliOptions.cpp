#include "cli/cliOptions.h"

#include <cstdlib>

const char* const usageText =
    "usage: vek compress [-k KIND] [-r|--remove] [-q] [--wait S] [-C DIR] LIST OUTPUT\n"
    "       vek expand   [-k KIND] [-q] [-o DIR] [-C DIR] LIBRARY\n"
    "       vek both     [-k KIND] [-q] [--force] [--wait S] [-C DIR] LIBRARY\n"
    "       vek list     [-k KIND] [-q] [--json] [-C DIR] LIBRARY\n"
    "       vek verify   [-k KIND] [-q] [-C DIR] LIBRARY\n"
    "       vek extract  [-k KIND] [-q] [-o DIR] [-C DIR] LIBRARY NAME...\n"
    "       vek print    [-k KIND] [-q] [-C DIR] LIBRARY NAME\n"
    "       vek add      [-k KIND] [-q] [--force] [--wait S] [-C DIR] LIBRARY FILE...\n"
    "       vek delete   [-k KIND] [-q] [--force] [--wait S] [-C DIR] LIBRARY NAME...\n"
    "       vek diff     [-k KIND] [-q] [-u] [-C DIR] LIBRARY1 LIBRARY2\n"
    "       vek help COMMAND | vek COMMAND --help | vek --version\n"
    "KIND is symbol, package or footprint; without -k it comes from the library's\n"
    "extension (.slb, .plb, .flb). NAME may be a pattern (*, ?, [...]); quote it.\n"
    "-q prints nothing on success but warnings, findings and errors. On a terminal a\n"
    "progress line shows on standard error (--no-progress: none); Ctrl+C stops at the\n"
    "next part, leaving an unfinished library as it was (exit status 130).\n"
    "add, delete and both change nothing in a library that verify finds damaged\n"
    "(--force: rewrite it anyway); a writer waits up to S seconds (30) for another.\n"
    "Examples: vek extract parts.slb AND2    vek print parts.slb AND2 > and2.sym\n"
    "          vek add parts.slb and2.sym    vek delete parts.slb OLD1 OLD2\n"
    "          vek diff old.slb new.slb      vek list --json parts.slb\n";

namespace {

using A = cliOptions::action;

struct commandRule {
    const char* word;
    A what;
    std::size_t minPaths;
    std::size_t maxPaths;  // 0: no limit
    const char* pathsNamed;
    const char* options;   // which of -r, --json, --force, --wait, -o, -u, progress it takes ("rjfwoup")
    const char* operands;  // as the synopsis names them
    const char* purpose;
    const char* example;
};

const commandRule rules[] = {
    {"compress", A::compress, 2, 2, "LIST and OUTPUT", "rwp", "LIST OUTPUT",
     "Packs the part files named in LIST (one path a line) into the library OUTPUT.\n"
     "Any bad part: nothing is written.",
     "vek compress parts.lst parts.slb"},
    {"expand", A::expand, 1, 1, "one LIBRARY", "op", "LIBRARY",
     "Writes every part of LIBRARY to a file of its own, a list file naming them\n"
     "(the library's name cut at its first \".\", plus .lst), and checks the index.",
     "vek expand -o parts parts.slb"},
    {"both", A::both, 1, 1, "one LIBRARY", "fwp", "LIBRARY",
     "Expands LIBRARY and compresses it back from its own parts, rebuilding its\n"
     "index and checksum.",
     "vek both parts.slb"},
    {"list", A::list, 1, 1, "one LIBRARY", "j", "LIBRARY",
     "Prints one line per index entry: name word, position, length, extra text.",
     "vek list --json parts.slb"},
    {"verify", A::verify, 1, 1, "one LIBRARY", "", "LIBRARY",
     "Reads the whole library as expand does, writing nothing, and reports every\n"
     "finding; exit status 0 when it is clean.",
     "vek verify -q parts.slb"},
    {"extract", A::extract, 2, 0, "LIBRARY and one NAME or more", "o", "LIBRARY NAME...",
     "Writes every part of each NAME (or matching each pattern) to a file, as\n"
     "expand would name it; no list file.",
     "vek extract -o out parts.slb 'R*' AND2"},
    {"print", A::print, 2, 2, "LIBRARY and one NAME", "", "LIBRARY NAME",
     "Writes the text of the first part of NAME to standard output; a pattern\n"
     "prints every matching part in library order.",
     "vek print parts.slb AND2 > and2.sym"},
    {"add", A::add, 2, 0, "LIBRARY and one FILE or more", "fwp", "LIBRARY FILE...",
     "Puts the part files into the library: a part of the same name is replaced,\n"
     "a new one appended. A missing library is made.",
     "vek add parts.slb and2.sym new.sym"},
    {"delete", A::remove, 2, 0, "LIBRARY and one NAME or more", "fwp", "LIBRARY NAME...",
     "Removes every part of each NAME (or matching each pattern) from the library.",
     "vek delete parts.slb OLD1 'TMP*'"},
    {"diff", A::diff, 2, 2, "LIBRARY1 and LIBRARY2", "u", "LIBRARY1 LIBRARY2",
     "Compares two libraries part by part: - only in the first, + only in the\n"
     "second, ~ in both with other text. Exit status 0 equal, 1 different.",
     "vek diff -u old.slb new.slb"},
};

struct optionHelp {
    char letter;  // as in commandRule::options; 0: every command takes it
    const char* words;
    const char* meaning;
};

const optionHelp optionHelps[] = {
    {0, "-k KIND", "symbol, package or footprint (default: from the library's extension)"},
    {'r', "-r, --remove", "delete the part files once the library is written"},
    {'o', "-o, --output-dir DIR", "write the part files there (made if missing)"},
    {'j', "--json", "print the index as a JSON array"},
    {'u', "-u", "show a unified diff of each part whose text differs"},
    {'f', "--force", "rewrite the library even when verify finds it damaged"},
    {'w', "--wait SECONDS", "wait this long for another writer of the library (30)"},
    {0, "-q, --quiet", "print nothing on success but warnings, findings and errors"},
    {'p', "--no-progress", "show no progress line on a terminal"},
    {0, "-C DIR", "change to DIR first"},
    {0, "-h, --help", "show this help"},
};

bool takes(const commandRule& rule, char letter) { return std::string(rule.options).find(letter) != std::string::npos; }

bool takeValue(const std::vector<std::string>& args, std::size_t& i, std::string& value, std::string& error) {
    if (i + 1 >= args.size()) {
        error = "option " + args[i] + " needs a value";
        return false;
    }
    value = args[++i];
    return true;
}

bool takeOption(const std::vector<std::string>& args, std::size_t& i, const commandRule& rule, cliOptions& o,
                std::string& kindName, std::string& error) {
    const std::string& a = args[i];
    std::string value;
    if (a == "-k") return takeValue(args, i, kindName, error);
    if (a == "-C") return takeValue(args, i, o.directory, error);
    if ((a == "-o" || a == "--output-dir") && takes(rule, 'o')) return takeValue(args, i, o.outputDir, error);
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
    else if (a == "-u" && takes(rule, 'u')) o.unified = true;
    else if (a == "--force" && takes(rule, 'f')) o.force = true;
    else if (a == "--no-progress" && takes(rule, 'p')) o.progress = false;
    else if (a == "-h" || a == "--help") o.what = A::help;
    else {
        error = "unknown option: " + a;
        return false;
    }
    return true;
}

// The kind from -k, or from the extension of the library the command works
// on: the output for compress, the first library for everything else.
bool resolveKind(cliOptions& o, const std::string& kindName, std::string& error) {
    const std::string& library = o.what == A::compress ? o.paths.back() : o.paths.front();
    if (!kindName.empty()) {
        o.kind = kindForName(kindName);
        if (!o.kind) error = "unknown kind: " + kindName + " (symbol, package or footprint)";
    } else {
        o.kind = kindForLibraryPath(library);
        if (!o.kind) error = "can't tell the kind from " + library + "; give it with -k";
    }
    return o.kind != nullptr;
}

const commandRule* ruleFor(const std::string& word) {
    for (const commandRule& r : rules) {
        if (word == r.word) return &r;
    }
    return nullptr;
}

std::optional<cliOptions> helpOn(const std::string& command) {
    cliOptions o;
    o.helpFor = command;
    return o;
}

}  // namespace

std::string helpText(const std::string& command) {
    const commandRule* rule = ruleFor(command);
    if (!rule) return usageText;
    std::string text = "usage: vek " + command + " [options] " + rule->operands + "\n" + rule->purpose + "\n\noptions:\n";
    for (const optionHelp& h : optionHelps) {
        if (h.letter != 0 && !takes(*rule, h.letter)) continue;
        std::string words = "  " + std::string(h.words);
        words.resize(26, ' ');
        text += words + h.meaning + "\n";
    }
    return text + "\nexample: " + rule->example + "\n";
}

std::optional<cliOptions> parseCommandLine(const std::vector<std::string>& args, std::string& error,
                                           std::string* command) {
    if (command) command->clear();
    if (args.empty()) {
        error = "no command given";
        return std::nullopt;
    }
    if (args[0] == "--help" || args[0] == "-h") return helpOn("");
    if (args[0] == "help") {
        if (args.size() > 1 && !ruleFor(args[1])) {
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
    const commandRule* rule = ruleFor(args[0]);
    if (!rule) {
        error = "unknown command: " + args[0];
        return std::nullopt;
    }
    if (command) *command = rule->word;
    cliOptions o;
    o.what = rule->what;
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
    if (!resolveKind(o, kindName, error)) return std::nullopt;
    return o;
}
