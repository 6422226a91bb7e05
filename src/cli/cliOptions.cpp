#include "cli/cliOptions.h"

const char* const usageText =
    "usage: vek compress [-k KIND] [-r|--remove] [-C DIR] LIST OUTPUT\n"
    "       vek expand   [-k KIND] [-C DIR] LIBRARY\n"
    "       vek both     [-k KIND] [-C DIR] LIBRARY\n"
    "       vek list     [-k KIND] [-C DIR] LIBRARY\n"
    "       vek verify   [-k KIND] [-C DIR] LIBRARY\n"
    "       vek --help | --version\n"
    "KIND is symbol, package or footprint; without -k it comes from the library's\n"
    "extension (.slb, .plb, .flb).\n";

namespace {

bool parseAction(const std::string& word, cliOptions::action& what) {
    if (word == "compress") what = cliOptions::action::compress;
    else if (word == "expand") what = cliOptions::action::expand;
    else if (word == "both") what = cliOptions::action::both;
    else if (word == "list") what = cliOptions::action::list;
    else if (word == "verify") what = cliOptions::action::verify;
    else return false;
    return true;
}

bool takeOption(const std::vector<std::string>& args, std::size_t& i, cliOptions& o,
                std::string& kindName, std::string& error) {
    const std::string& a = args[i];
    const bool needsValue = a == "-k" || a == "-C";
    if (needsValue && i + 1 >= args.size()) {
        error = "option " + a + " needs a value";
        return false;
    }
    if (a == "-k") kindName = args[++i];
    else if (a == "-C") o.directory = args[++i];
    else if ((a == "-r" || a == "--remove") && o.what == cliOptions::action::compress) o.remove = true;
    else {
        error = "unknown option: " + a;
        return false;
    }
    return true;
}

bool resolveKind(cliOptions& o, const std::string& kindName, std::string& error) {
    const libKind* kind = nullptr;
    if (!kindName.empty()) {
        kind = kindForName(kindName);
        if (!kind) error = "unknown kind: " + kindName + " (symbol, package or footprint)";
    } else {
        kind = kindForLibraryPath(o.paths.back());
        if (!kind) error = "can't tell the kind from " + o.paths.back() + "; give it with -k";
    }
    o.kind = kind;
    return kind != nullptr;
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
        o.what = cliOptions::action::version;
        return o;
    }
    if (!parseAction(args[0], o.what)) {
        error = "unknown command: " + args[0];
        return std::nullopt;
    }
    std::string kindName;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a == "--") optionsEnded = true;
        else if (!optionsEnded && a.size() > 1 && a[0] == '-') {
            if (!takeOption(args, i, o, kindName, error)) return std::nullopt;
        } else o.paths.push_back(a);
    }
    const std::size_t wanted = o.what == cliOptions::action::compress ? 2 : 1;
    if (o.paths.size() != wanted) {
        error = "expected " + std::string(wanted == 2 ? "LIST and OUTPUT" : "one LIBRARY");
        return std::nullopt;
    }
    if (!resolveKind(o, kindName, error)) return std::nullopt;
    return o;
}
