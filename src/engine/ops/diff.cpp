#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/ops/libraryInput.h"
#include "engine/ops/parts.h"
#include "support/textDiff.h"

namespace {

// A part's texts, all its components in order, as a 64-bit FNV-1a hash and
// a length: two libraries of tens of thousands of parts are compared without
// holding either in memory.
struct digest {
    std::uint64_t hash = 14695981039346656037ull;
    std::size_t length = 0;
    void add(std::string_view text) {
        for (char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        length += text.size();
    }
    bool operator==(const digest& o) const { return hash == o.hash && length == o.length; }
    bool cut = false;  // a component of it was not read whole: its text is not known
};

struct partDigests {
    std::vector<std::string> order;  // names in the order they first appear
    std::unordered_map<std::string, digest> byName;
};

// A damaged library is compared as far as it can be read: a part cut short
// is marked, not taken for whole. False when it can't be opened or read, or
// holds no part of the kind its index names (a library of another kind).
bool readDigests(const libKind& kind, const std::string& path, partDigests& parts, logSink& log) {
    libraryInput in;
    if (!in.open(kind, path, "Diff", log) || in.indexedButEmpty()) return false;
    libraryPart part;
    while (in.next(part)) {
        if (part.name.empty()) continue;
        auto [it, isNew] = parts.byName.try_emplace(part.name);
        if (isNew) parts.order.push_back(part.name);
        it->second.add(part.header);
        it->second.add(part.body);
        if (cutShort(in.index(), part)) it->second.cut = true;
    }
    return !in.failedReading();
}

// The two texts of a part that differs, as "diff -u" shows two files.
bool showUnified(const libKind& kind, const std::string& first, const std::string& second, const std::string& name,
                 logSink& out, logSink& log) {
    std::string before, after;
    if (!partTexts(kind, first, name, before, log) || !partTexts(kind, second, name, after, log)) return false;
    out.addLine("--- " + first + ":" + name);
    out.addLine("+++ " + second + ":" + name);
    for (const std::string& line : unifiedHunks(splitLines(before), splitLines(after))) out.addLine(line);
    return true;
}

}  // namespace

diffResult diffLibraries(const libKind& kind, const std::string& first, const std::string& second, logSink& out,
                  logSink& log, bool unified) {
    partDigests a, b;
    if (!readDigests(kind, first, a, log) || !readDigests(kind, second, b, log)) return diffResult::unreadable;
    int differences = 0;
    const auto differs = [&](char mark, const std::string& name) {
        ++differences;
        if (mark == '!') out.addLine("! " + name + " cut short");
        else if (!unified) out.addLine(std::string(1, mark) + " " + name);
        return mark == '!' || !unified || showUnified(kind, first, second, name, out, log);
    };
    for (const std::string& name : a.order) {
        auto other = b.byName.find(name);
        const digest& mine = a.byName[name];
        const bool shown = mine.cut || (other != b.byName.end() && other->second.cut) ? differs('!', name)
                           : other == b.byName.end()                                  ? differs('-', name)
                           : !(other->second == mine)                                 ? differs('~', name)
                                                                                      : true;
        if (!shown) return diffResult::unreadable;
    }
    for (const std::string& name : b.order) {
        if (a.byName.count(name) == 0 && !differs(b.byName[name].cut ? '!' : '+', name)) return diffResult::unreadable;
    }
    return differences == 0 ? diffResult::same : diffResult::different;
}
