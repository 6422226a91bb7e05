#include <set>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/io/componentWriter.h"
#include "engine/ops/filesInTheWay.h"
#include "engine/ops/libraryInput.h"
#include "engine/ops/parts.h"

namespace {

enum class lookup { missing, found, broken };

// Calls take(text) for each part called name, once it was read whole: where
// the index says they start when a header of that name stands at every one
// of those places, else by a scan of the library. A part that was not read
// whole ends the lookup as broken, logged, before anything of it is taken.
using entryList = std::vector<const indexEntry*>;

// The index entries of each name, in index order, in one pass over the index.
std::unordered_map<std::string_view, entryList> entriesNamed(const indexList& index, const std::vector<std::string>& names) {
    std::unordered_map<std::string_view, entryList> byName;
    for (const std::string& name : names) byName.emplace(name, entryList());
    for (const indexEntry* e = index.first; e; e = e->next) {
        const auto it = byName.find(e->name());
        if (it != byName.end()) it->second.push_back(e);
    }
    return byName;
}

template <typename Take>
lookup eachPart(libraryInput& in, const std::string& name, const entryList& entries, bool firstOnly, Take take,
                bool* scanned = nullptr) {
    std::vector<libraryPart> parts;
    for (const indexEntry* e : entries) {
        libraryPart part;
        if (!in.partAt(e->position, part) || part.name != name) {
            parts.clear();
            break;
        }
        parts.push_back(std::move(part));
    }
    if (scanned) *scanned = parts.empty();
    if (firstOnly && parts.size() > 1) parts.resize(1);
    for (const libraryPart& part : parts) {
        if (!in.checkWhole(part)) return lookup::broken;
        take(part.text());
    }
    if (!parts.empty()) return lookup::found;
    bool found = false;
    libraryPart part;
    if (in.partAt(0, part)) {
        do {
            if (part.name != name) continue;
            if (!in.checkWhole(part)) return lookup::broken;
            take(part.text());
            found = true;
        } while (!(firstOnly && found) && in.next(part));
    }
    if (in.failedReading()) return lookup::broken;
    return found ? lookup::found : lookup::missing;
}

}  // namespace

opResult extractParts(const libKind& kind, const std::string& libraryPath, const std::vector<std::string>& names,
                 logSink& log, const std::string& folder, const runControl* control) {
    const existingFiles existing = control ? control->existing : existingFiles::writeBeside;
    if (existing == existingFiles::refuse && refuseFilesInTheWay(filesInTheWay(names, kind, folder), folder, "Extract", log)) {
        return opResult::failed;
    }
    libraryInput in;
    if (!in.open(kind, libraryPath, "Extract", log)) return opResult::failed;
    componentWriter writer(kind, log, "Extract: ", folder);
    if (existing == existingFiles::overwrite) writer.overwriteExisting();
    opResult result = opResult::done;
    const auto byName = entriesNamed(in.index(), names);
    for (const std::string& name : names) {
        bool written = true;
        const lookup found = eachPart(in, name, byName.at(name), false, [&](const std::string& text) {
            written = written && writer.begin(name, text) && writer.end();
        });
        if (!written || found == lookup::broken) return opResult::failed;
        if (found == lookup::missing) {
            logProblem(log, "Extract: " + name + " not in library", libraryPath, name + " not in library");
            result = opResult::failed;
        }
    }
    return result;
}

bool partTexts(const libKind& kind, const std::string& libraryPath, const std::string& name, std::string& text,
               logSink& log) {
    libraryInput in;
    if (!in.open(kind, libraryPath, "Diff", log)) return false;
    text.clear();
    return eachPart(in, name, entriesNamed(in.index(), {name}).at(name), false, [&](const std::string& t) { text += t; }) !=
           lookup::broken;
}

opResult partNames(const libKind& kind, const std::string& libraryPath, std::vector<std::string>& names, logSink& log) {
    libraryInput in;
    if (!in.open(kind, libraryPath, "List", log)) return opResult::failed;
    std::set<std::string> seen;
    libraryPart part;
    while (in.next(part)) {
        if (!part.name.empty() && seen.insert(part.name).second) names.push_back(part.name);
    }
    return in.failedReading() ? opResult::failed : opResult::done;
}

bool firstPartText(libraryInput& in, const std::string& name, std::string& text, bool& scanned) {
    return eachPart(in, name, entriesNamed(in.index(), {name}).at(name), true, [&](const std::string& t) { text = t; },
                    &scanned) == lookup::found;
}

opResult printPart(const libKind& kind, const std::string& libraryPath, const std::string& name, std::string& text,
              logSink& log) {
    libraryInput in;
    if (!in.open(kind, libraryPath, "Print", log)) return opResult::failed;
    const lookup found = eachPart(in, name, entriesNamed(in.index(), {name}).at(name), true, [&](const std::string& t) { text = t; });
    if (found == lookup::found) return opResult::done;
    if (found == lookup::missing) logProblem(log, "Print: " + name + " not in library", libraryPath, name + " not in library");
    return opResult::failed;
}
