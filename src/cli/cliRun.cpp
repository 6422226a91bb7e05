#include "cli/cliRun.h"

#include <filesystem>
#include <system_error>

#include "cli/cliOptions.h"
#include "engine/ops/both.h"
#include "engine/ops/compress.h"
#include "engine/ops/expand.h"
#include "engine/ops/inspect.h"

namespace {

// Prints each log line as the engine gives it, one per output line.
class streamLog : public logSink {
public:
    explicit streamLog(std::FILE* s) : stream(s) {}
    void addLine(const std::string& line) override {
        std::fwrite(line.data(), 1, line.size(), stream);
        std::fputc('\n', stream);
    }

private:
    std::FILE* stream;
};

int usageError(std::FILE* err, const std::string& message) {
    std::fprintf(err, "vek: %s\n%s", message.c_str(), usageText);
    return 2;
}

int runAction(const cliOptions& o, std::FILE* out, std::FILE* err) {
    streamLog log(out);
    const libKind& kind = *o.kind;
    const std::string& first = o.paths[0];
    int result = 1;
    switch (o.what) {
        case cliOptions::action::expand:
            result = expandLibrary(kind, first, log);
            break;
        case cliOptions::action::both:
            result = bothLibrary(kind, first, log);
            break;
        case cliOptions::action::verify:
            result = verifyLibrary(kind, first, log);
            break;
        case cliOptions::action::list: {
            streamLog errors(err);
            result = listLibrary(kind, first, log, errors);
            break;
        }
        default: {
            compressProbe probe;
            result = compressLibrary(kind, first, o.paths[1], o.remove, log, &probe);
            if (result == 0 && probe.errors != 0) result = 1;
        }
    }
    std::fflush(out);
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
        std::fputs("vek 1.0.0 (library release 6.3)\n", out);
        return 0;
    }
    if (!o->directory.empty()) {
        std::error_code ec;
        std::filesystem::current_path(o->directory, ec);
        if (ec) return usageError(err, "can't change to " + o->directory + ": " + ec.message());
    }
    return runAction(*o, out, err);
}
