#include "cli/cliRun.h"
#include "cli/pipedInput.h"

#include <atomic>
#include <cassert>
#include <cerrno>
#include <csignal>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <algorithm>
#include <map>
#include <set>
#include <system_error>
#include <thread>

#include "cli/cliCommands.h"
#include "cli/cliOptions.h"
#include "cli/cliProgress.h"
#include "cli/cliRunContext.h"
#include "engine/ops/both.h"
#include "engine/ops/compress.h"
#include "engine/ops/expand.h"
#include "engine/ops/grep.h"
#include "engine/ops/inspect.h"
#include "engine/ops/merge.h"
#include "engine/ops/parts.h"
#include "engine/ops/repair.h"
#include "support/namePattern.h"
#include "support/platform/platform.h"
#include "vekVersion.h"

namespace {

namespace fs = std::filesystem;
using A = cliOptions::action;

// The log is written from one thread at a time: an operation may hand it
// from one thread to another (expand's second thread writes the parts'
// lines, then the caller the closing ones), never share it. Debug builds
// check that no two threads are ever inside it at once.
class oneWriterAtATime {
public:
#ifdef NDEBUG
    explicit oneWriterAtATime(std::atomic<std::thread::id>&) {}
#else
    explicit oneWriterAtATime(std::atomic<std::thread::id>& w) : writer(w) {
        std::thread::id none;
        outermost = writer.compare_exchange_strong(none, std::this_thread::get_id());
        assert(outermost || none == std::this_thread::get_id());
    }
    ~oneWriterAtATime() {
        if (outermost) writer = std::thread::id();
    }

private:
    std::atomic<std::thread::id>& writer;
    bool outermost = false;
#endif
};

// Prints each log line as the engine gives it, one per output line. Lines
// collect and go out together, at least every 100 ms and at the end, so a
// console shows progress without a write per line; with immediate set (the
// error stream) every line goes out at once. Quiet, only findings, warnings
// and errors pass. Every problem the engine reports goes to standard error
// as "vek: FILE: REASON". A progress line on the terminal is taken off
// before anything is written there and put back after. The first failed
// write is kept, so that the run can end in an error rather than in silence.
class streamLog : public logSink {
public:
    streamLog(std::FILE* s, bool immediate, std::FILE* problemStream, bool quietly)
        : stream(s), atOnce(immediate), problemsTo(problemStream), quiet(quietly),
          toTerminal(platform::isTerminal(s)) {}
    ~streamLog() override { flush(); }
    void addLine(const std::string& line) override {
        if (!quiet) take(line);
    }
    void report(lineKind kind, const std::string& line) override {
        if (kind == lineKind::step) addLine(line);
        else take(line);
    }
    void take(const std::string& line) {
        const oneWriterAtATime one(writer);
        pending += piped ? piped->shown(line) : line;
        pending += '\n';
        const auto now = std::chrono::steady_clock::now();
        if (atOnce || now - lastFlush >= std::chrono::milliseconds(100)) {
            flush();
            lastFlush = now;
        }
    }
    void problem(const std::string& file, const std::string& reason) override {
        ++problems;
        say(file, reason);
    }
    // What a notice says of a file's name is moot for a copy of a pipe.
    void notice(const std::string& file, const std::string& reason) override {
        if (!piped || !piped->isCopy(file)) say(file, reason);
    }
    void flush() {
        const oneWriterAtATime one(writer);
        if (pending.empty()) return;
        const bool moveProgress = progress && toTerminal;
        if (moveProgress) progress->suspend();
        const int e = platform::writeText(stream, pending);
        if (moveProgress) progress->resume();
        if (writeError == 0) writeError = e;
        pending.clear();
    }

    int problems = 0;
    int writeError = 0;
    cliProgress* progress = nullptr;  // while one is shown
    const pipedInput* piped = nullptr;  // whose copies are shown by the names given

private:
    void say(const std::string& file, const std::string& reason) {
        const oneWriterAtATime one(writer);
        if (progress) progress->suspend();
        const std::string line = "vek: " + file + ": " + reason + "\n";
        platform::writeText(problemsTo, piped ? piped->shown(line) : line);
        if (progress) progress->resume();
    }
    std::FILE* stream;
    bool atOnce;
    std::FILE* problemsTo;
    bool quiet;
    bool toTerminal;
    std::string pending;
    std::atomic<std::thread::id> writer{};
    std::chrono::steady_clock::time_point lastFlush = std::chrono::steady_clock::now();
};

// For the commands whose standard output is data (list, print, diff): their
// log lines only tell of the problems that follow them, which go on.
class problemsOnly : public logSink {
public:
    explicit problemsOnly(logSink& to) : target(to) {}
    void addLine(const std::string&) override {}
    void report(lineKind, const std::string&) override {}
    void problem(const std::string& file, const std::string& reason) override { target.problem(file, reason); }

private:
    logSink& target;
};

// One line naming the problem and where help is, on standard error.
int usageError(std::FILE* err, const std::string& message, const std::string& command) {
    const std::string help = command.empty() ? "vek --help" : "vek " + command + " --help";
    std::fprintf(err, "vek: %s\nTry '%s'.\n", message.c_str(), help.c_str());
    return 2;
}

// Shows the progress line's owner to the log while it lives.
class progressShown {
public:
    progressShown(streamLog& l, cliProgress& p) : log(l) {
        log.flush();
        log.progress = &p;
    }
    ~progressShown() {
        log.flush();
        log.progress = nullptr;
    }
    progressShown(const progressShown&) = delete;
    progressShown& operator=(const progressShown&) = delete;

private:
    streamLog& log;
};

// Each name, or for a pattern every part name it matches in library order;
// a pattern that matches nothing stays, to be reported as a missing name.
// A name meant twice (given twice, or matched by two patterns) counts once:
// extract would write it twice, the second time under another file name.
bool namesMeant(const cliOptions& o, std::vector<std::string>& names, logSink& errors) {
    std::vector<std::string> all;
    std::set<std::string> meant;
    const auto mean = [&](const std::string& name) {
        if (meant.insert(name).second) names.push_back(name);
    };
    bool listed = false;
    for (auto it = o.paths.begin() + 1; it != o.paths.end(); ++it) {
        if (!isNamePattern(*it)) {
            mean(*it);
            continue;
        }
        if (!listed && partNames(*o.kind, o.paths[0], all, errors) != opResult::done) return false;
        listed = true;
        bool matched = false;
        for (const std::string& name : all) {
            if (!matchesPattern(*it, name)) continue;
            matched = true;
            mean(name);
        }
        if (!matched) mean(*it);
    }
    return true;
}

}  // namespace

int statusOf(opResult result) {
    switch (result) {
        case opResult::done: return 0;
        case opResult::failed: return 1;
        case opResult::damaged: return 1;
        case opResult::cancelled: return 128 + (cliProgress::stopSignal() != 0 ? cliProgress::stopSignal() : SIGINT);
    }
    return 1;
}

int statusOf(diffResult result) {
    switch (result) {
        case diffResult::same: return 0;
        case diffResult::different: return 1;
        case diffResult::unreadable: return 2;
    }
    return 2;
}


int runCompress(const cliOptions& o, cliRunContext& c) {
    compressProbe probe;
    probe.control = c.control;
    const opResult result = compressLibrary(*o.kind, o.paths[0], o.paths[1], o.remove, c.log, &probe);
    return result == opResult::done && probe.errors != 0 ? 1 : statusOf(result);
}

int runExpand(const cliOptions& o, cliRunContext& c) {
    return statusOf(expandLibrary(*o.kind, o.paths[0], c.log, c.control, o.outputDir));
}

int runBoth(const cliOptions& o, cliRunContext& c) { return statusOf(bothLibrary(*o.kind, o.paths[0], c.log, c.control)); }

int runAdd(const cliOptions& o, cliRunContext& c) {
    const std::vector<std::string> files(o.paths.begin() + 1, o.paths.end());
    return statusOf(addParts(*o.kind, o.paths[0], files, c.log, c.control));
}

int runDelete(const cliOptions& o, cliRunContext& c) {
    std::vector<std::string> names;
    return namesMeant(o, names, c.errors) ? statusOf(deleteParts(*o.kind, o.paths[0], names, c.log, c.control)) : 1;
}

int runVerify(const cliOptions& o, cliRunContext& c) { return verifyLibrary(*o.kind, o.paths[0], c.log); }

int runList(const cliOptions& o, cliRunContext& c) {
    if (o.names) {
        std::vector<std::string> names;
        const opResult result = partNames(*o.kind, o.paths[0], names, c.errors);
        for (const std::string& name : names) c.log.addLine(name);
        return statusOf(result);
    }
    return statusOf(o.json ? listLibraryJson(*o.kind, o.paths[0], c.log, c.errors)
                           : listLibrary(*o.kind, o.paths[0], c.log, c.errors));
}

int runDiff(const cliOptions& o, cliRunContext& c) {
    return statusOf(diffLibraries(*o.kind, o.paths[0], o.paths[1], c.log, c.errors, o.unified));
}

int runMerge(const cliOptions& o, cliRunContext& c) {
    mergeRequest request{o.paths[0], o.paths[1], o.paths[2], o.outputFile, o.shownPath, {o.markerSize, o.diff3}};
    int conflicts = 0;
    return statusOf(mergeLibraries(*o.kind, request, conflicts, c.log, c.control));
}

int runCat(const cliOptions& o, cliRunContext& c) {
    return statusOf(showLibraryText(*o.kind, o.paths[0], c.log, c.errors));
}

namespace {

// What expand and extract do with a part file there already.
existingFiles existingFor(const cliOptions& o) {
    return o.overwrite ? existingFiles::overwrite : o.keep ? existingFiles::writeBeside : existingFiles::refuse;
}

}  // namespace

int runRepair(const cliOptions& o, cliRunContext& c) {
    const repairRequest request{o.paths[0], o.outputFile, o.keepCut, o.dryRun};
    repairReport report;
    const opResult result = repairLibrary(*o.kind, request, report, c.log, c.control);
    return result == opResult::done && !report.wholeLibrary() ? 1 : statusOf(result);
}

int runRename(const cliOptions& o, cliRunContext& c) {
    return statusOf(renamePart(*o.kind, o.paths[0], o.paths[1], o.paths[2], o.ako, c.log, c.control));
}

int runGrep(const cliOptions& o, cliRunContext& c) {
    grepRequest request;
    request.pattern = o.paths[0];
    request.how = o.grepSyntax == 'E'   ? grepRequest::syntax::extended
                  : o.grepSyntax == 'F' ? grepRequest::syntax::fixed
                                        : grepRequest::syntax::basic;
    request.ignoreCase = o.ignoreCase;
    request.partsOnly = o.partsOnly;
    request.count = o.countOnly;
    const std::vector<std::string> libraries(o.paths.begin() + 1, o.paths.end());
    switch (grepLibraries(*o.kind, libraries, request, c.log, c.errors)) {
        case grepResult::matched: return 0;
        case grepResult::none: return 1;
        case grepResult::error: return 2;
    }
    return 2;
}

int runExtract(const cliOptions& o, cliRunContext& c) {
    std::vector<std::string> names;
    runControl control;
    control.existing = existingFor(o);
    return namesMeant(o, names, c.errors) ? statusOf(extractParts(*o.kind, o.paths[0], names, c.log, o.outputDir, &control))
                                          : 1;
}

int runPrint(const cliOptions& o, cliRunContext& c) {
    std::vector<std::string> names;
    if (!namesMeant(o, names, c.errors)) return 1;
    // Several names print in library order, as one pattern does; a name the
    // library lacks comes last, to be reported.
    if (names.size() > 1) {
        std::vector<std::string> all;
        if (partNames(*o.kind, o.paths[0], all, c.errors) != opResult::done) return 1;
        std::map<std::string, std::size_t> place;
        for (std::size_t i = 0; i < all.size(); ++i) place.emplace(all[i], i);
        const auto at = [&](const std::string& name) {
            auto it = place.find(name);
            return it == place.end() ? all.size() : it->second;
        };
        std::stable_sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) { return at(a) < at(b); });
    }
    int result = 0;
    for (const std::string& name : names) {
        std::string text;
        if (printPart(*o.kind, o.paths[0], name, text, c.errors) != opResult::done) result = 1;
        if (!text.empty() && !o.quiet && c.writeError == 0) c.writeError = platform::writeText(c.out, text);
    }
    return result;
}

namespace {

// A writing command runs with the tool's guards and threads, and shows its
// progress while it runs.
int runWriting(const cliOptions& o, cliRunContext& c, streamLog& log, std::FILE* err) {
    cliProgress shown(err, o.progress && platform::isTerminal(err), o.command->word);
    const progressShown linked(log, shown);
    runControl& control = shown.control();
    control.readAhead = true;
    control.writeBehind = true;
    control.readOnlyInputs = true;
    control.refuseLongLines = true;
    control.refuseOutputAsInput = true;
    control.refuseDamage = !o.force;
    control.refuseAmbiguousParts = !o.force;
    control.existing = existingFor(o);
    control.cutParts = cutPartPolicy::leaveOut;
    control.findingsFail = true;
    control.dryRun = o.dryRun;
    control.lockWaitSeconds = o.waitSeconds;
    c.control = &control;
    return o.command->run(o, c);
}

// The files a command reads must be regular files. Empty when they are.
std::string irregularInput(const cliOptions& o) {
    for (std::size_t i = 0; i < o.command->readsFiles; ++i) {
        std::error_code ec;
        const fs::file_status st = fs::status(platform::fsPath(o.paths[i]), ec);
        if (!ec && fs::exists(st) && !fs::is_regular_file(st) && !fs::is_directory(st)) return o.paths[i];
    }
    return "";
}

// The command's status, unless it was stopped by a signal: a failed write
// to standard output is 1 (after a message), a closed pipe quietly the
// status it gives, and a problem reported makes a success a failure.
int exitStatus(const cliCommand& command, int status, int problems, int writeError, std::FILE* err) {
    if (status > 128) return status;
    if (writeError == EPIPE) return 141;
    if (writeError != 0) {
        std::fprintf(err, "vek: write error: %s\n", std::strerror(writeError));
        return 1;
    }
    if (command.resultIsStatus) return status;
    return status == 0 && problems == 0 ? 0 : 1;
}

int runAction(const cliOptions& o, const pipedInput& piped, std::FILE* out, std::FILE* err) {
    const cliCommand& command = *o.command;
    const std::string irregular = irregularInput(o);
    if (!irregular.empty()) {
        std::fprintf(err, "vek: %s: not a regular file\n", irregular.c_str());
        return command.resultIsStatus ? 2 : 1;
    }
    streamLog log(out, false, err, o.quiet);
    log.piped = &piped;
    problemsOnly errors(log);
    cliRunContext context{log, errors, out};
    const int status = command.writes ? runWriting(o, context, log, err) : command.run(o, context);
    log.flush();
    int writeError = context.writeError;
    if (o.what == A::expand && status == 0 && !o.quiet) {
        platform::writeText(err, "vek: list file written: " + expandListPath(o.paths[0], o.outputDir) + "\n");
    }
    if (writeError == 0) writeError = log.writeError;
    if (writeError == 0 && std::fflush(out) != 0) writeError = errno != 0 ? errno : EIO;
    return exitStatus(command, status, log.problems, writeError, err);
}

}  // namespace

int cliRun(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    std::string error, command;
    if (args.empty()) {
        std::fputs(shortUsage().c_str(), err);
        return 2;
    }
    pipedInput piped;
    std::optional<cliOptions> o = parseCommandLine(args, error, &command, &piped);
    if (!o && piped.failedReading()) {
        std::fprintf(err, "vek: %s\n", error.c_str());
        const cliCommand* row = commandFor(command);
        return row && row->resultIsStatus ? 2 : 1;
    }
    if (!o) return usageError(err, piped.shown(error), command);
    if (o->what == cliOptions::action::help) {
        std::fputs(helpText(o->helpFor).c_str(), out);
        return 0;
    }
    if (o->what == cliOptions::action::version) {
        std::fputs("vek " VEK_VERSION " (library release 6.3)\n", out);
        return 0;
    }
    std::error_code ec;
    std::string failed;
    if (!o->directory.empty() && (fs::current_path(platform::fsPath(o->directory), ec), ec)) failed = o->directory;
    if (!ec && !o->outputDir.empty() && (fs::create_directories(platform::fsPath(o->outputDir), ec), ec)) failed = o->outputDir;
    if (ec) {
        std::fprintf(err, "vek: %s: %s\n", failed.c_str(), ec.message().c_str());
        return 1;
    }
    return runAction(*o, piped, out, err);
}
