#include <map>
#include <set>
#include <vector>

#include "engine/format/header.h"
#include "engine/io/componentReader.h"
#include "engine/io/stagedLibrary.h"
#include "engine/ops/inspect.h"
#include "engine/ops/partText.h"
#include "engine/ops/parts.h"
#include "support/fileOps.h"

namespace {

// Passes on every line but compress's "got" lines: add reports per part.
class errorsOnly : public logSink {
public:
    explicit errorsOnly(logSink& to) : target(to) {}
    void addLine(const std::string& line) override {
        if (line.rfind("Compress: got ", 0) != 0) target.addLine(line);
    }
    void report(lineKind kind, const std::string& line) override {
        if (kind == lineKind::step) addLine(line);
        else target.report(kind, line);
    }
    void problem(const std::string& file, const std::string& reason) override { target.problem(file, reason); }

private:
    logSink& target;
};

struct newPart {
    entryFields fields;
    std::string bytes;  // as compress stores them
    bool placed = false;
};

// Rewrites one library through a staged output: every component as expand
// and compress would leave it, except those the caller replaces or drops.
class libraryEdit {
public:
    libraryEdit(const libKind& k, const std::string& path, const char* linePrefix, logSink& sink,
                const runControl* c)
        : kind(k), libraryPath(path), prefix(linePrefix), log(sink), control(c ? *c : runControl{}), output(path) {}

    // Decides for each component by the name compress gives it: a part to
    // put in its place (null: keep it; an empty optional: drop it).
    template <typename Choose>
    bool rewrite(bool mayBeMissing, Choose choose);
    void append(newPart& part);
    bool commit();
    // The result after rewrite said false: 1, cancelledResult (logged) when
    // a stop was asked for, damagedResult when verify found damage.
    int failure();

    const libKind& kind;
    std::string libraryPath;
    std::string prefix;
    logSink& log;
    runControl control;

private:
    bool fatal(const std::string& what, const std::string& reason) {
        logProblem(log, prefix + ": fatal error: " + what, libraryPath, reason);
        return false;
    }
    void store(const std::string& text);

    platform::writerLock lock;  // from the first read to the rename
    stagedLibrary output;
    indexList index;
    bool cancelled = false;
    bool damaged = false;
};

void libraryEdit::store(const std::string& text) {
    if (std::optional<entryFields> fields = storeAsCompressed(text, kind.keyword, output.data())) {
        index.append(*fields);
    }
}

void libraryEdit::append(newPart& part) {
    part.fields.position = static_cast<std::int32_t>(output.data().size);
    output.data().append(part.bytes.data(), part.bytes.size());
    index.append(part.fields);
    part.placed = true;
}

template <typename Choose>
bool libraryEdit::rewrite(bool mayBeMissing, Choose choose) {
    if (!lockLibrary(lock, libraryPath, control, prefix, log)) return false;
    if (!output.openWorkfile()) return fatal("can't open temporary workfile: " + output.workName(), fileOps::lastReason());
    if (!output.prepareOutput()) return fatal("can't write library: " + libraryPath, fileOps::lastReason());
    if (mayBeMissing && !fileOps::exists(libraryPath)) return true;
    knownSection checked;
    if (control.refuseDamage && refuseDamaged(kind, libraryPath, prefix, log, &checked)) {
        damaged = true;
        return false;
    }
    if (!checked.path.empty()) output.data().compareWith(checked);
    libraryInput in;
    if (!in.open(kind, libraryPath, prefix.c_str(), log)) return false;
    // Entries but no component of the kind: a library of another kind, or a
    // damaged one, which rewriting would empty.
    if (!in.reader->hasComponent() && in.index.first) {
        const std::string what = "no " + std::string(kind.kindName) + "s found in library";
        return fatal(what, what);
    }
    long long total = 0, done = 0;
    for (const indexEntry* e = in.index.first; e; e = e->next) ++total;
    for (bool more = in.reader->seekComponent(0); more; more = in.reader->hasComponent()) {
        if (control.stopping()) {
            cancelled = true;
            return false;
        }
        control.report(++done, total);
        const std::string name = componentNameOf(in.reader->header(), kind.keyword);
        if (!name.empty()) {
            const std::string text = expandedText(*in.reader, in.index, kind.keyword, name);
            const std::optional<entryFields> header = parseHeader(text.substr(0, text.find('\n')), kind.keyword);
            newPart* part = nullptr;
            if (!header || choose(header->name, part)) {
                store(text);
            } else if (part) {
                append(*part);
            }
        }
        in.reader->nextComponent();
    }
    return !in.failedReading();
}

int libraryEdit::failure() {
    if (damaged) return damagedResult;
    if (!cancelled) return 1;
    logClosing(log, prefix, "CANCELLED");
    return cancelledResult;
}

bool libraryEdit::commit() {
    if (!output.data().flush() || !output.commit(index, nullptr)) {
        return fatal("can't write library: " + libraryPath, fileOps::lastReason());
    }
    return true;
}

}  // namespace

int addParts(const libKind& kind, const std::string& libraryPath, const std::vector<std::string>& files,
             logSink& log, const runControl* control) {
    errorsOnly errors(log);
    std::vector<newPart> parts(files.size());
    std::map<std::string, newPart*> byName;
    int errorCount = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        workFile text;
        const bool strict = control && control->strictInput;
        if (readComponentFile(files[i], kind, text, errors, parts[i].fields, strict) != 0) {
            ++errorCount;
            continue;
        }
        text.flush();
        parts[i].bytes = std::move(text.memory);
        if (!byName.emplace(parts[i].fields.name, &parts[i]).second) {
            logProblem(log, "Add: " + parts[i].fields.name + " is given twice", files[i], parts[i].fields.name + " is given twice");
            ++errorCount;
        }
    }
    if (errorCount != 0) {
        logProblem(log, "Add: " + std::to_string(errorCount) + " error(s), library not changed", libraryPath,
                   "library not changed: " + std::to_string(errorCount) + " error(s)");
        return 1;
    }
    libraryEdit edit(kind, libraryPath, "Add", log, control);
    const bool read = edit.rewrite(true, [&](const std::string& name, newPart*& part) {
        auto it = byName.find(name);
        if (it == byName.end()) return true;
        if (!it->second->placed) part = it->second;
        return false;
    });
    if (!read) return edit.failure();
    for (newPart& part : parts) {
        log.addLine("Add: " + std::string(part.placed ? "replaced " : "added ") + part.fields.name);
        if (!part.placed) edit.append(part);
    }
    return edit.commit() ? 0 : 1;
}

int deleteParts(const libKind& kind, const std::string& libraryPath, const std::vector<std::string>& names,
                logSink& log, const runControl* control) {
    std::map<std::string, int> removed;
    for (const std::string& name : names) removed.emplace(name, 0);
    libraryEdit edit(kind, libraryPath, "Delete", log, control);
    const bool read = edit.rewrite(false, [&](const std::string& name, newPart*&) {
        auto it = removed.find(name);
        if (it == removed.end()) return true;
        ++it->second;
        return false;
    });
    if (!read) return edit.failure();
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
        return 1;
    }
    return edit.commit() ? 0 : 1;
}
