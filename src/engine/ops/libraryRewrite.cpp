#include "engine/ops/libraryRewrite.h"

#include <utility>

#include "engine/ops/inspect.h"
#include "support/fileOps.h"

libraryRewrite::libraryRewrite(const libKind& k, std::string path, std::string linePrefix, logSink& sink,
                               const runControl& c)
    : kind(k), libraryPath(std::move(path)), prefix(std::move(linePrefix)), log(sink), control(c) {}

bool libraryRewrite::fatal(const std::string& what, const std::string& reason) {
    logProblem(log, prefix + ": fatal error: " + what, libraryPath, reason);
    failed = true;
    return false;
}

bool libraryRewrite::takeLock() {
    locked = locked || lockLibrary(lock, libraryPath, control, prefix, log);
    return locked;
}

bool libraryRewrite::hold() {
    if (!takeLock()) return false;
    if (!control.refuseDamage) return true;
    knownSection section;
    if (refuseDamaged(kind, libraryPath, prefix, log, &section)) {
        damaged = true;
        return false;
    }
    if (!section.path.empty()) checked = section;
    return true;
}

bool libraryRewrite::begin(bool mayBeMissing) {
    if (!takeLock()) return false;
    const std::string& writing = outputPath.empty() ? libraryPath : outputPath;
    if (!control.dryRun) {
        output.emplace(writing);
        if (!output->openWorkfile()) return fatal("can't open temporary workfile: " + output->workName(), fileOps::lastReason());
        if (!output->prepareOutput()) return fatal("can't write library: " + writing, fileOps::lastReason());
    }
    if (mayBeMissing && (!fileOps::exists(libraryPath) || fileOps::isEmptyFile(libraryPath))) return began = true;
    if (!hold()) return false;
    if (checked && output) output->data().compareWith(*checked);
    input.emplace();
    if (!input->open(kind, libraryPath, prefix.c_str(), log) || input->indexedButEmpty()) {
        failed = true;
        return false;
    }
    for (const indexEntry* e = input->index().first; e; e = e->next) ++total;
    return began = true;
}

bool libraryRewrite::next(libraryPart& part) {
    if (!input) return false;
    for (;;) {
        if (control.stopping()) {
            cancelled = true;
            return false;
        }
        if (!input->next(part)) return false;
        control.report(++done, total);
        // A header line with no name after the keyword names no part that
        // expand could write: it is left out, as expand and compress would.
        if (!part.name.empty()) return true;
    }
}

void libraryRewrite::keep(const libraryPart& part) { keepText(part.text()); }

void libraryRewrite::keepText(const std::string& text) {
    if (!output) return;
    if (std::optional<entryFields> fields = storeAsCompressed(text, kind.keyword, output->data())) {
        index.append(*fields);
    }
}

void libraryRewrite::put(entryFields fields, const std::string& stored) {
    if (!output) return;
    fields.position = static_cast<std::int32_t>(output->data().size);
    fields.length = static_cast<std::int32_t>(stored.size());
    output->data().append(stored.data(), stored.size());
    index.append(fields);
}

opResult libraryRewrite::finish() {
    if (damaged) return opResult::damaged;
    if (cancelled) {
        logClosing(log, prefix, "CANCELLED");
        return opResult::cancelled;
    }
    if (!began || failed || (input && input->failedReading())) return opResult::failed;
    return opResult::done;
}

bool libraryRewrite::commit() {
    // Windows renames nothing over a file that is open.
    input.reset();
    if (control.dryRun) {
        log.addLine(prefix + ": nothing written (a dry run)");
        return true;
    }
    if (!output->commit(index, nullptr)) {
        return fatal("can't write library: " + (outputPath.empty() ? libraryPath : outputPath), fileOps::lastReason());
    }
    return true;
}
