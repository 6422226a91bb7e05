#include <set>
#include <vector>

#include "engine/format/header.h"
#include "engine/io/componentWriter.h"
#include "engine/ops/partText.h"
#include "engine/ops/parts.h"

namespace {

// Where the index says the components of name start, when a header of that
// name stands at every one of those places; empty when the index does not
// know the name or is wrong about it, so that the library must be scanned.
std::vector<long long> indexedStarts(libraryInput& in, const std::string& keyword, const std::string& name) {
    std::vector<long long> starts;
    for (const indexEntry* e = in.index.first; e; e = e->next) {
        if (e->name() != name) continue;
        if (!in.reader->seekComponent(e->position) || componentNameOf(in.reader->header(), keyword) != name) return {};
        starts.push_back(e->position);
    }
    return starts;
}

enum class lookup { missing, found, broken };

// Calls take(text) for each component of name, by the index or by a scan
// (scanned tells which), once it was read whole: a component that was not
// ends the lookup as broken, logged, before anything of it is taken.
template <typename Take>
lookup eachComponent(libraryInput& in, const std::string& keyword, const std::string& name, bool firstOnly,
                     Take take, bool* scanned = nullptr) {
    const auto whole = [&](const std::string& text) {
        if (!in.checkWhole(name)) return false;
        take(text);
        return true;
    };
    std::vector<long long> starts = indexedStarts(in, keyword, name);
    if (scanned) *scanned = starts.empty();
    if (firstOnly && starts.size() > 1) starts.resize(1);
    for (long long start : starts) {
        in.reader->seekComponent(start);
        if (!whole(expandedText(*in.reader, in.index, keyword, name))) return lookup::broken;
    }
    if (!starts.empty()) return lookup::found;
    bool found = false;
    for (bool more = in.reader->seekComponent(0); more && !(firstOnly && found); more = in.reader->hasComponent()) {
        if (componentNameOf(in.reader->header(), keyword) == name) {
            if (!whole(expandedText(*in.reader, in.index, keyword, name))) return lookup::broken;
            found = true;
        }
        in.reader->nextComponent();
    }
    if (in.failedReading()) return lookup::broken;
    return found ? lookup::found : lookup::missing;
}

}  // namespace

int extractParts(const libKind& kind, const std::string& libraryPath, const std::vector<std::string>& names,
                 logSink& log, const std::string& folder) {
    libraryInput in;
    if (!in.open(kind, libraryPath, "Extract", log)) return 1;
    componentWriter writer(kind, log, "Extract: ", folder);
    int result = 0;
    for (const std::string& name : names) {
        bool written = true;
        const lookup found = eachComponent(in, kind.keyword, name, false, [&](const std::string& text) {
            written = written && writer.begin(name, text) && writer.end();
        });
        if (!written || found == lookup::broken) return 1;
        if (found == lookup::missing) {
            logProblem(log, "Extract: " + name + " not in library", libraryPath, name + " not in library");
            result = 1;
        }
    }
    return result;
}

bool partTexts(const libKind& kind, const std::string& libraryPath, const std::string& name, std::string& text,
               logSink& log) {
    libraryInput in;
    if (!in.open(kind, libraryPath, "Diff", log)) return false;
    text.clear();
    return eachComponent(in, kind.keyword, name, false, [&](const std::string& t) { text += t; }) != lookup::broken;
}

int partNames(const libKind& kind, const std::string& libraryPath, std::vector<std::string>& names, logSink& log) {
    libraryInput in;
    if (!in.open(kind, libraryPath, "List", log)) return 1;
    std::set<std::string> seen;
    for (bool more = in.reader->seekComponent(0); more; more = in.reader->hasComponent()) {
        const std::string name = componentNameOf(in.reader->header(), kind.keyword);
        if (!name.empty() && seen.insert(name).second) names.push_back(name);
        in.reader->nextComponent();
    }
    return in.failedReading() ? 1 : 0;
}

bool firstComponentText(libraryInput& in, const std::string& keyword, const std::string& name, std::string& text,
                        bool& scanned) {
    return eachComponent(in, keyword, name, true, [&](const std::string& t) { text = t; }, &scanned) == lookup::found;
}

int printPart(const libKind& kind, const std::string& libraryPath, const std::string& name, std::string& text,
              logSink& log) {
    libraryInput in;
    if (!in.open(kind, libraryPath, "Print", log)) return 1;
    bool scanned = false;
    const lookup found = eachComponent(in, kind.keyword, name, true, [&](const std::string& t) { text = t; }, &scanned);
    if (found == lookup::found) return 0;
    if (found == lookup::missing) logProblem(log, "Print: " + name + " not in library", libraryPath, name + " not in library");
    return 1;
}
