#include "engine/ops/merge.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

#include "engine/ops/inspect.h"
#include "engine/ops/libraryRewrite.h"
#include "support/fileOps.h"

namespace {

// A part's text as a 64-bit hash and a length: the three libraries are
// compared without holding their texts.
struct digest {
    std::size_t hash;
    std::size_t length;
    explicit digest(std::string_view text) : hash(std::hash<std::string_view>()(text)), length(text.size()) {}
    bool operator==(const digest& o) const { return hash == o.hash && length == o.length; }
    bool operator!=(const digest& o) const { return !(*this == o); }
};

struct partSeen {
    digest sum;
    long long position, length;  // in the data section
    std::string header;          // as expand writes it
};

// One of the two libraries read beside ours: each part's digest and place,
// learnt while verify reads it. The few texts the merge needs are read
// again straight from where verify found them: the library is clean, so
// its bytes there are the part.
class otherSide {
public:
    std::unordered_map<std::string, partSeen> parts;
    std::vector<std::string> order;
    ~otherSide() { close(); }

    // Called for each part as verify reads the library.
    void see(const libraryPart& part) {
        if (part.name.empty() || parts.count(part.name) != 0) return;
        parts.emplace(part.name, partSeen{digest(part.text()), part.position, part.length, part.header});
        order.push_back(part.name);
    }
    const partSeen* find(const std::string& name) const {
        auto it = parts.find(name);
        return it == parts.end() ? nullptr : &it->second;
    }
    // For text(): the library and where its data section starts.
    void open(const std::string& path, long long dataStart) {
        libraryPath = path;
        start = dataStart;
    }
    std::optional<std::string> text(const std::string& name) {
        const partSeen* seen = find(name);
        if (!seen) return std::nullopt;
        if (!file) file = fileOps::open(libraryPath, "rb");
        std::string bytes(static_cast<std::size_t>(seen->length), '\0');
        fileSource source(file);
        std::size_t got = 0;
        if (file && source.seek(start + seen->position)) {
            for (std::size_t n = 1; n != 0 && got < bytes.size(); got += n) n = source.read(bytes.data() + got, bytes.size() - got);
        }
        if (got != bytes.size()) {
            failure = file ? (source.failed() ? source.failure() : EIO) : errno;
            return std::nullopt;
        }
        bytes.erase(std::remove(bytes.begin(), bytes.end(), '\r'), bytes.end());
        const std::size_t lf = bytes.find('\n');
        return seen->header + (lf == std::string::npos ? std::string() : bytes.substr(lf + 1));
    }
    // Windows renames nothing over a file that is open, and ours may be
    // this very file.
    void close() {
        if (file) std::fclose(file);
        file = nullptr;
    }

    const std::string& path() const { return libraryPath; }
    int failure = 0;  // of a read since open: the merge is then not written

private:
    std::string libraryPath;
    long long start = 0;
    std::FILE* file = nullptr;
};

// Keeps what the walk over ours says until verify has found ours clean:
// a refusal of ours is then the only thing said.
class heldLog : public logSink {
public:
    void addLine(const std::string& line) override { report(lineKind::step, line); }
    void report(lineKind kind, const std::string& line) override { held.push_back({false, kind, line, ""}); }
    void problem(const std::string& file, const std::string& reason) override {
        held.push_back({true, lineKind::error, file, reason});
    }
    void passOn(logSink& to) {
        for (const entry& e : held) {
            if (e.isProblem) to.problem(e.text, e.reason);
            else to.report(e.kind, e.text);
        }
        held.clear();
    }

private:
    struct entry {
        bool isProblem;
        lineKind kind;
        std::string text, reason;
    };
    std::vector<entry> held;
};

// What verify found in one side, looked at on a thread of its own.
struct sideCheck {
    const char* role;
    const std::string* path;
    otherSide* side;  // learns the digests, but for ours (the rewrite reads it)
    knownSection section;
    memoryLog findings;
    int count = 0;
};

class libraryMerge {
public:
    libraryMerge(const libKind& k, const mergeRequest& r, logSink& l, const runControl& c)
        : kind(k), request(r), log(l), rewrite(k, r.ours, "Merge", walkLog, c), dryRun(c.dryRun) {}

    opResult run(int& conflicts);

private:
    void check(sideCheck& c);
    bool refused(const sideCheck& c);
    opResult walk();
    opResult finishWalk();
    void placeTheirsOnly(const std::set<std::string>& inOurs);
    void decide(const libraryPart& mine);
    void putTheirs(const std::string& name, const char* what);
    // On a dry run, what the merge does with a part that is not simply ours'.
    void tell(const std::string& name, const char* what);
    void putMerged(const std::string& name, const std::optional<std::string>& ours, const char* what);
    void emitAfter(const std::string& name);

    const libKind& kind;
    const mergeRequest& request;
    logSink& log;
    heldLog walkLog;  // before rewrite, which logs to it
    libraryRewrite rewrite;
    otherSide base, theirs;
    std::map<std::string, std::vector<std::string>> after;  // theirs-only parts, by the part they follow
    int conflictCount = 0;
    bool dryRun;
};


// Verifies a side on the calling thread; base and theirs hand their parts'
// digests over as verify reads them.
void libraryMerge::check(sideCheck& c) {
    if (fileOps::isEmptyFile(*c.path)) return;
    const std::function<void(const libraryPart&)> learn = [&c](const libraryPart& p) { c.side->see(p); };
    c.count = verifyFindings(kind, *c.path, c.findings, &c.section, nullptr, c.side ? learn : nullptr);
}

// True, with its first finding logged, when verify found anything in the
// side.
bool libraryMerge::refused(const sideCheck& c) {
    if (c.count == 0) return false;
    const std::string first = c.findings.lines.empty() ? "" : c.findings.lines.front();
    logProblem(log, "Merge: fatal error: " + std::string(c.role) + " " + *c.path + " is damaged: " + first, *c.path,
               std::to_string(c.count) + " finding(s), the first: " + first + "; nothing written");
    return true;
}

// Where each part that only theirs has goes: after the last part before it
// in theirs that ours has too (at the start when there is none).
void libraryMerge::placeTheirsOnly(const std::set<std::string>& inOurs) {
    std::string anchor;
    for (const std::string& name : theirs.order) {
        if (inOurs.count(name) != 0) {
            anchor = name;
            continue;
        }
        const partSeen* was = base.find(name);
        if (!was || was->sum != theirs.find(name)->sum) after[anchor].push_back(name);
    }
}

void libraryMerge::putTheirs(const std::string& name, const char* what) {
    tell(name, what);
    if (std::optional<std::string> text = theirs.text(name)) rewrite.keepText(*text);
}

void libraryMerge::tell(const std::string& name, const char* what) {
    if (dryRun) walkLog.addLine("Merge: " + name + ": " + what);
}

void libraryMerge::putMerged(const std::string& name, const std::optional<std::string>& ours, const char* what) {
    bool conflict = false;
    rewrite.keepText(mergePartTexts(base.text(name), ours, theirs.text(name), kind.keyword, request.style, conflict));
    if (!conflict) return tell(name, "both changes merged");
    ++conflictCount;
    const std::string shown = request.shownAs.empty() ? request.ours : request.shownAs;
    walkLog.report(lineKind::warning, "Merge: CONFLICT (" + std::string(what) + ") in " + name);
    walkLog.problem(shown, "CONFLICT (" + std::string(what) + ") in part " + name);
}

void libraryMerge::emitAfter(const std::string& name) {
    auto it = after.find(name);
    if (it == after.end()) return;
    for (const std::string& other : it->second) {
        if (base.find(other)) putMerged(other, std::nullopt, "modify/delete");
        else putTheirs(other, "added, as theirs did");
    }
}

void libraryMerge::decide(const libraryPart& mine) {
    const std::string text = mine.text();
    const digest ours(text);
    const partSeen* was = base.find(mine.name);
    const partSeen* other = theirs.find(mine.name);
    if (!other) {
        if (!was) rewrite.keep(mine);                      // added by ours
        else if (was->sum != ours) putMerged(mine.name, text, "modify/delete");
        else tell(mine.name, "deleted, as theirs did");
        return;
    }
    if (other->sum == ours || (was && was->sum == other->sum)) rewrite.keep(mine);
    else if (was && was->sum == ours) putTheirs(mine.name, "theirs' change taken");
    else putMerged(mine.name, text, was ? "content" : "add/add");
}

// Ours, walked and rewritten while a second thread verifies it: the
// merge's two halves then share the machine. Nothing is said or written
// until ours is found clean.
opResult libraryMerge::walk() {
    std::set<std::string> inOurs;
    if (const indexList* index = rewrite.oldIndex()) {
        for (const indexEntry* e = index->first; e; e = e->next) inOurs.insert(std::string(e->name()));
    }
    placeTheirsOnly(inOurs);
    emitAfter("");
    libraryPart mine;
    while (rewrite.next(mine)) {
        decide(mine);
        emitAfter(mine.name);
    }
    return rewrite.finish();
}

opResult libraryMerge::finishWalk() {
    base.close();
    theirs.close();
    for (const otherSide* side : {&base, &theirs}) {
        if (side->failure == 0) continue;
        logProblem(log, "Merge: fatal error: can't read library: " + side->path(), side->path(),
                   fileOps::systemReason(side->failure) + "; nothing written");
        return opResult::failed;
    }
    const bool committed = rewrite.commit();
    walkLog.passOn(log);
    return committed ? opResult::done : opResult::failed;
}

opResult libraryMerge::run(int& conflicts) {
    // The writers' lock first, so that ours stays the library verified.
    const bool held = rewrite.hold();
    walkLog.passOn(log);
    if (!held) return opResult::failed;
    sideCheck checks[] = {{"base", &request.base, &base, {}, {}, 0}, {"ours", &request.ours, nullptr, {}, {}, 0},
                          {"theirs", &request.theirs, &theirs, {}, {}, 0}};
    std::thread other([&] { check(checks[0]); });
    check(checks[2]);
    other.join();
    if (refused(checks[0]) || refused(checks[2])) return opResult::damaged;
    base.open(request.base, checks[0].section.start);
    theirs.open(request.theirs, checks[2].section.start);
    if (!request.output.empty()) rewrite.writeTo(request.output);
    std::thread oursCheck([&] { check(checks[1]); });
    const opResult walked = rewrite.begin(true) ? walk() : rewrite.finish();
    oursCheck.join();
    if (refused(checks[1])) return opResult::damaged;
    if (walked != opResult::done) {
        walkLog.passOn(log);
        return walked;
    }
    if (const opResult result = finishWalk(); result != opResult::done) return result;
    conflicts = conflictCount;
    if (conflictCount == 0) log.addLine("Merge: merged cleanly");
    else {
        const std::string count = std::to_string(conflictCount) + " conflict(s)";
        log.report(lineKind::warning, "Merge: " + count);
        log.problem(request.shownAs.empty() ? request.ours : request.shownAs,
                    count + ", marked inside the parts named; resolve them, then run vek verify");
    }
    return opResult::done;
}

}  // namespace

opResult mergeLibraries(const libKind& kind, const mergeRequest& request, int& conflicts, logSink& log,
                        const runControl* control) {
    runControl merging = control ? *control : runControl{};
    merging.refuseDamage = false;  // each input is verified here, ours included
    conflicts = 0;
    return libraryMerge(kind, request, log, merging).run(conflicts);
}
