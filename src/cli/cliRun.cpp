#include "cli/cliRun.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#include "cli/cliOptions.h"
#include "cli/cliProgress.h"
#include "engine/ops/both.h"
#include "engine/ops/compress.h"
#include "engine/ops/expand.h"
#include "engine/ops/inspect.h"
#include "engine/ops/parts.h"
#include "support/platform/platform.h"
#include "vekVersion.h"

namespace {

// Prints each log line as the engine gives it, one per output line. Lines
// collect and go out together, at least every 100 ms and at the end, so a
// console shows progress without a write per line; with immediate set (the
// error stream) every line goes out at once.
class streamLog : public logSink {
public:
    streamLog(std::FILE* s, bool immediate) : stream(s), atOnce(immediate) {}
    ~streamLog() override { flush(); }
    void addLine(const std::string& line) override {
        pending += line;
        pending += '\n';
        const auto now = std::chrono::steady_clock::now();
        if (atOnce || now - lastFlush >= std::chrono::milliseconds(100)) {
            flush();
            lastFlush = now;
        }
    }
    void flush() {
        if (pending.empty()) return;
        platform::writeText(stream, pending);
        pending.clear();
    }

private:
    std::FILE* stream;
    bool atOnce;
    std::string pending;
    std::chrono::steady_clock::time_point lastFlush = std::chrono::steady_clock::now();
};

int usageError(std::FILE* err, const std::string& message) {
    std::fprintf(err, "vek: %s\n%s", message.c_str(), usageText);
    return 2;
}

// Leaves out the per-part lines of -q; every other line passes.
class quietLog : public logSink {
public:
    explicit quietLog(logSink& to) : target(to) {}
    void addLine(const std::string& line) override {
        if (line.rfind("Expand: Writing ", 0) != 0 && line.rfind("Compress: got ", 0) != 0) target.addLine(line);
    }
    void problem(const std::string& file, const std::string& reason) override { target.problem(file, reason); }

private:
    logSink& target;
};

int runWhole(const cliOptions& o, logSink& log, std::FILE* err) {
    const libKind& kind = *o.kind;
    const std::string& first = o.paths[0];
    const char* name = o.what == cliOptions::action::expand ? "expand"
                       : o.what == cliOptions::action::both ? "both"
                                                            : "compress";
    cliProgress shown(err, o.progress && platform::isTerminal(err), name);
    switch (o.what) {
        case cliOptions::action::expand: return expandLibrary(kind, first, log, &shown.control());
        case cliOptions::action::both: return bothLibrary(kind, first, log, &shown.control());
        default: {
            compressProbe probe;
            probe.control = shown.control();
            const int result = compressLibrary(kind, first, o.paths[1], o.remove, log, &probe);
            return result == 0 && probe.errors != 0 ? 1 : result;
        }
    }
}

int runParts(const cliOptions& o, logSink& log, logSink& errors, std::FILE* out) {
    const libKind& kind = *o.kind;
    const std::string& first = o.paths[0];
    const std::vector<std::string> rest(o.paths.begin() + 1, o.paths.end());
    switch (o.what) {
        case cliOptions::action::verify: return verifyLibrary(kind, first, log);
        case cliOptions::action::list:
            return o.json ? listLibraryJson(kind, first, log, errors) : listLibrary(kind, first, log, errors);
        case cliOptions::action::extract: return extractParts(kind, first, rest, log);
        case cliOptions::action::add: return addParts(kind, first, rest, log);
        case cliOptions::action::remove: return deleteParts(kind, first, rest, log);
        case cliOptions::action::diff: return diffLibraries(kind, first, rest[0], log, errors);
        default: {
            std::string text;
            const int result = printPart(kind, first, rest[0], text, errors);
            std::fwrite(text.data(), 1, text.size(), out);
            return result;
        }
    }
}

int runAction(const cliOptions& o, std::FILE* out, std::FILE* err) {
    streamLog log(out, false);
    streamLog errors(err, true);
    quietLog quiet(log);
    logSink& wholeLog = o.quiet ? static_cast<logSink&>(quiet) : log;
    using A = cliOptions::action;
    const bool whole = o.what == A::compress || o.what == A::expand || o.what == A::both;
    const int result = whole ? runWhole(o, wholeLog, err) : runParts(o, log, errors, out);
    log.flush();
    std::fflush(out);
    if (whole && result == cancelledResult) return 130;
    if (o.what == A::diff) return result;
    return result == 0 ? 0 : 1;
}

}  // namespace

int cliRun(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    std::string error;
    std::optional<cliOptions> o = parseCommandLine(args, error);
    if (!o) return usageError(err, error);
    if (o->what == cliOptions::action::help) {
        std::fputs(usageText, out);
        return 0;
    }
    if (o->what == cliOptions::action::version) {
        std::fputs("vek " VEK_VERSION " (library release 6.3)\n", out);
        return 0;
    }
    if (!o->directory.empty()) {
        std::error_code ec;
        std::filesystem::current_path(o->directory, ec);
        if (ec) return usageError(err, "can't change to " + o->directory + ": " + ec.message());
    }
    return runAction(*o, out, err);
}
