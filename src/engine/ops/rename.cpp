#include <cctype>
#include <string>

#include "engine/format/header.h"
#include "engine/ops/libraryRewrite.h"
#include "engine/ops/parts.h"
#include "support/miscfuns.h"

bool carriableName(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name) {
        if (std::isspace(static_cast<unsigned char>(c)) || c == ',' || c == ';' || c == ':' || c == '\0') return false;
    }
    return true;
}

namespace {

// The header line with its name (the word after the keyword, up to a ",",
// ";" or ":") given as name.
std::string withName(const std::string& header, const std::string& keyword, const std::string& name) {
    std::size_t i = std::min(header.size(), keyword.size() + 1);
    while (i < header.size() && (header[i] == ' ' || header[i] == '\t')) ++i;
    const std::size_t end = header.find_first_of(" \t\n,;:", i);
    return header.substr(0, i) + name + header.substr(end == std::string::npos ? header.size() : end);
}

// The header line with the word after its "ako" given as name, when that
// word is from; otherwise "".
std::string withAko(const std::string& header, const std::string& from, const std::string& name) {
    std::size_t at = 0;
    for (;;) {
        const std::size_t start = header.find_first_not_of(" \t\n", at);
        if (start == std::string::npos) return "";
        const std::size_t end = std::min(header.find_first_of(" \t\n", start), header.size());
        if (strCmpNoCase(header.substr(start, end - start).c_str(), "ako") == 0) {
            const std::size_t wordStart = header.find_first_not_of(" \t\n", end);
            if (wordStart == std::string::npos) return "";
            const std::size_t wordEnd = std::min(header.find_first_of(" \t\n", wordStart), header.size());
            if (header.compare(wordStart, wordEnd - wordStart, from) != 0) return "";
            return header.substr(0, wordStart) + name + header.substr(wordEnd);
        }
        at = end;
    }
}

}  // namespace

opResult renamePart(const libKind& kind, const std::string& libraryPath, const std::string& oldName,
                    const std::string& newName, bool ako, logSink& log, const runControl* control) {
    if (!carriableName(newName)) {
        logProblem(log, "Rename: fatal error: a name can't hold blanks, \",\", \";\" or \":\": \"" + newName + "\"",
                   libraryPath, "\"" + newName + "\" is no name a header line can carry");
        return opResult::failed;
    }
    const runControl none;
    libraryRewrite rewrite(kind, libraryPath, "Rename", log, control ? *control : none);
    if (!rewrite.begin(false)) return rewrite.finish();
    int renamed = 0;
    bool taken = false;
    libraryPart part;
    while (rewrite.next(part)) {
        taken = taken || part.name == newName;
        std::string header = part.name == oldName ? withName(part.header, kind.keyword, newName) : part.header;
        if (part.name == oldName) ++renamed;
        const std::string akoRenamed = withAko(header, oldName, newName);
        if (!akoRenamed.empty() && ako) {
            header = akoRenamed;
            log.addLine("Rename: " + part.name + " now names " + newName + " as its ako");
        } else if (!akoRenamed.empty()) {
            log.notice(libraryPath, part.name + " names " + oldName + " as its ako (--ako renames it there too)");
        }
        rewrite.keepText(header + part.body);
    }
    if (const opResult result = rewrite.finish(); result != opResult::done) return result;
    const std::string why = renamed == 0 ? oldName + " not in library" : taken ? newName + " names a part already" : "";
    if (!why.empty()) {
        logProblem(log, "Rename: " + why + "; library not changed", libraryPath, why + "; library not changed");
        return opResult::failed;
    }
    log.addLine("Rename: " + std::to_string(renamed) + " of " + oldName + " now " + newName);
    return rewrite.commit() ? opResult::done : opResult::failed;
}
