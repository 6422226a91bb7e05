#include <map>
#include <vector>

#include "engine/format/componentFile.h"
#include "engine/format/header.h"
#include "engine/ops/componentReport.h"
#include "engine/ops/libraryRewrite.h"
#include "engine/ops/parts.h"
#include "support/miscfuns.h"
#include "support/platform/platform.h"

namespace {

struct newPart {
    std::string name;  // by the one rule, as the library will name it
    entryFields fields;
    std::string bytes;  // as compress stores them
    bool placed = false;
};

// A file whose name is not the one expand gives the part it holds: a copy
// whose header line still names the part it was copied from replaces that
// part. Said, not refused: the name is the header's to give. Letter case
// aside: and2.sym for AND2 is common.
void tellOtherName(const std::string& file, const std::string& name, const libKind& kind, logSink& log) {
    const std::string fileName = platform::fsName(platform::fsPath(file).filename());
    if (name.empty() || strCmpNoCase(fileName.c_str(), componentBaseName(name, kind).c_str()) == 0) return;
    log.notice(file, "holds part " + name + ", which expand writes to " + componentBaseName(name, kind));
}

}  // namespace

opResult addParts(const libKind& kind, const std::string& libraryPath, const std::vector<std::string>& files,
             logSink& log, const runControl* control) {
    const runControl none;
    const runControl& run = control ? *control : none;
    std::vector<newPart> parts(files.size());
    std::map<std::string, newPart*> byName;
    int errorCount = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        workFile text;
        const componentOutcome read = readComponentFile(files[i], kind, text, parts[i].fields, run.refuseLongLines);
        if (!tellComponent(files[i], read, parts[i].fields, kind, log, false)) {
            ++errorCount;
            continue;
        }
        text.flush();
        parts[i].bytes = std::move(text.memory);
        parts[i].name = componentNameOf(parts[i].bytes.substr(0, parts[i].bytes.find('\n')), kind.keyword);
        tellOtherName(files[i], parts[i].name, kind, log);
        if (parts[i].name.empty() && run.refuseAmbiguousParts) {
            logProblem(log, "Add: file " + files[i] + " has a header line without a name", files[i],
                       "header line without a name (--force takes it)");
            ++errorCount;
        } else if (!byName.emplace(parts[i].name, &parts[i]).second) {
            logProblem(log, "Add: " + parts[i].name + " is given twice", files[i], parts[i].name + " is given twice");
            ++errorCount;
        }
    }
    if (errorCount != 0) {
        logProblem(log, "Add: " + std::to_string(errorCount) + " error(s), library not changed", libraryPath,
                   "library not changed: " + std::to_string(errorCount) + " error(s)");
        return opResult::failed;
    }
    libraryRewrite rewrite(kind, libraryPath, "Add", log, run);
    if (!rewrite.begin(true)) return rewrite.finish();
    libraryPart old;
    while (rewrite.next(old)) {
        auto it = byName.find(old.name);
        if (it == byName.end()) {
            rewrite.keep(old);
        } else if (!it->second->placed) {
            rewrite.put(it->second->fields, it->second->bytes);
            it->second->placed = true;
        }
    }
    if (const opResult result = rewrite.finish(); result != opResult::done) return result;
    for (newPart& part : parts) {
        log.addLine("Add: " + std::string(part.placed ? "replaced " : "added ") + part.name);
        if (!part.placed) rewrite.put(part.fields, part.bytes);
    }
    return rewrite.commit() ? opResult::done : opResult::failed;
}

opResult deleteParts(const libKind& kind, const std::string& libraryPath, const std::vector<std::string>& names,
                logSink& log, const runControl* control) {
    const runControl none;
    std::map<std::string, int> removed;
    for (const std::string& name : names) removed.emplace(name, 0);
    libraryRewrite rewrite(kind, libraryPath, "Delete", log, control ? *control : none);
    if (!rewrite.begin(false)) return rewrite.finish();
    libraryPart old;
    while (rewrite.next(old)) {
        auto it = removed.find(old.name);
        if (it == removed.end()) rewrite.keep(old);
        else ++it->second;
    }
    if (const opResult result = rewrite.finish(); result != opResult::done) return result;
    int missing = 0;
    for (const std::string& name : names) {
        const int count = removed[name];
        if (count == 0) {
            ++missing;
            logProblem(log, "Delete: " + name + " not in library", libraryPath, name + " not in library");
        } else {
            log.addLine("Delete: removed " + std::to_string(count) + " of " + name);
        }
    }
    if (missing != 0) {
        logProblem(log, "Delete: library not changed", libraryPath, "library not changed");
        return opResult::failed;
    }
    return rewrite.commit() ? opResult::done : opResult::failed;
}
