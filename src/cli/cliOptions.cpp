#include "cli/cliOptions.h"

#include <cstdlib>

const char* const usageText =
    "usage: vek compress [-k KIND] [-r|--remove] [-q] [--wait S] [-C DIR] LIST OUTPUT\n"
    "       vek expand   [-k KIND] [-q] [-C DIR] LIBRARY\n"
    "       vek both     [-k KIND] [-q] [--force] [--wait S] [-C DIR] LIBRARY\n"
    "       vek list     [-k KIND] [--json] [-C DIR] LIBRARY\n"
    "       vek verify   [-k KIND] [-C DIR] LIBRARY\n"
    "       vek extract  [-k KIND] [-C DIR] LIBRARY NAME...\n"
    "       vek print    [-k KIND] [-C DIR] LIBRARY NAME\n"
    "       vek add      [-k KIND] [--force] [--wait S] [-C DIR] LIBRARY FILE...\n"
    "       vek delete   [-k KIND] [--force] [--wait S] [-C DIR] LIBRARY NAME...\n"
    "       vek diff     [-k KIND] [-C DIR] LIBRARY1 LIBRARY2\n"
    "       vek --help | --version\n"
    "KIND is symbol, package or footprint; without -k it comes from the library's\n"
    "extension (.slb, .plb, .flb). -q leaves out the per-part lines. On a terminal a\n"
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
    const char* options;   // which of -r, -q, --json, --force, --wait it takes ("rqjfw")
};

const commandRule rules[] = {
    {"compress", A::compress, 2, 2, "LIST and OUTPUT", "rqw"},
    {"expand", A::expand, 1, 1, "one LIBRARY", "q"},
    {"both", A::both, 1, 1, "one LIBRARY", "qfw"},
    {"list", A::list, 1, 1, "one LIBRARY", "j"},
    {"verify", A::verify, 1, 1, "one LIBRARY", ""},
    {"extract", A::extract, 2, 0, "LIBRARY and one NAME or more", ""},
    {"print", A::print, 2, 2, "LIBRARY and one NAME", ""},
    {"add", A::add, 2, 0, "LIBRARY and one FILE or more", "fw"},
    {"delete", A::remove, 2, 0, "LIBRARY and one NAME or more", "fw"},
    {"diff", A::diff, 2, 2, "LIBRARY1 and LIBRARY2", ""},
};

bool takeOption(const std::vector<std::string>& args, std::size_t& i, const commandRule& rule, cliOptions& o,
                std::string& kindName, std::string& error) {
    const std::string& a = args[i];
    const std::string takes = rule.options;
    const bool wait = a == "--wait" && takes.find('w') != std::string::npos;
    const bool needsValue = a == "-k" || a == "-C" || wait;
    if (needsValue && i + 1 >= args.size()) {
        error = "option " + a + " needs a value";
        return false;
    }
    if (wait) {
        const std::string& value = args[++i];
        char* end = nullptr;
        o.waitSeconds = std::strtod(value.c_str(), &end);
        if (value.empty() || *end != '\0' || !(o.waitSeconds >= 0)) {
            error = "--wait takes a number of seconds: " + value;
            return false;
        }
    } else if (a == "-k") kindName = args[++i];
    else if (a == "-C") o.directory = args[++i];
    else if ((a == "-r" || a == "--remove") && takes.find('r') != std::string::npos) o.remove = true;
    else if ((a == "-q" || a == "--quiet") && takes.find('q') != std::string::npos) o.quiet = true;
    else if (a == "--json" && takes.find('j') != std::string::npos) o.json = true;
    else if (a == "--force" && takes.find('f') != std::string::npos) o.force = true;
    else if (a == "--no-progress") o.progress = false;
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

}  // namespace

std::optional<cliOptions> parseCommandLine(const std::vector<std::string>& args,
                                           std::string& error) {
    cliOptions o;
    if (args.empty()) {
        error = "no command given";
        return std::nullopt;
    }
    if (args[0] == "--help" || args[0] == "-h") return o;
    if (args[0] == "--version") {
        o.what = A::version;
        return o;
    }
    const commandRule* rule = ruleFor(args[0]);
    if (!rule) {
        error = "unknown command: " + args[0];
        return std::nullopt;
    }
    o.what = rule->what;
    std::string kindName;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a == "--") optionsEnded = true;
        else if (!optionsEnded && a.size() > 1 && a[0] == '-') {
            if (!takeOption(args, i, *rule, o, kindName, error)) return std::nullopt;
        } else o.paths.push_back(a);
    }
    if (o.paths.size() < rule->minPaths || (rule->maxPaths != 0 && o.paths.size() > rule->maxPaths)) {
        error = "expected " + std::string(rule->pathsNamed);
        return std::nullopt;
    }
    if (!resolveKind(o, kindName, error)) return std::nullopt;
    return o;
}
