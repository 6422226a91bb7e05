#include "engine/ops/componentReport.h"

bool tellComponent(const std::string& path, const componentOutcome& outcome, const entryFields& fields,
                   const libKind& kind, logSink& log, bool withGot) {
    using result = componentOutcome::result;
    const std::string fatal = "Compress: fatal error: ";
    if (outcome.headerRead && withGot) log.addLine("Compress: got " + std::string(kind.kindName) + " \"" + fields.name + "\"");
    switch (outcome.what) {
        case result::ok: return true;
        case result::cantOpen: logProblem(log, fatal + "can't open: " + path, path, outcome.reason); break;
        case result::empty: logProblem(log, fatal + "file is empty: " + path, path, "file is empty"); break;
        case result::badFirstLine:
            logProblem(log, fatal + "file " + path + " has bad first line: " + outcome.firstLine, path,
                       "bad first line: " + outcome.firstLine.substr(0, outcome.firstLine.find('\n')));
            break;
        case result::cantRead:
            logProblem(log, fatal + "can't read: " + path + ": " + outcome.reason, path, outcome.reason);
            break;
        case result::lineTooLong: {
            const std::string what = "line " + std::to_string(outcome.line) + " is longer than 1022 characters";
            logProblem(log, fatal + "file " + path + ": " + what, path, what);
            break;
        }
    }
    return false;
}
