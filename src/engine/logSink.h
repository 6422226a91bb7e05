// The engine's one report channel: a line per call, kept in order. An empty
// line is a separator. The engine never prints; each front end decides where
// its lines go.
#pragma once

#include <string>
#include <vector>

// What a line reports: a step of the work, a finding about the library, a
// warning (something left out), or an error. Front ends may route them by
// kind; the text stays the same either way.
enum class lineKind { step, finding, warning, error };

class logSink {
public:
    virtual ~logSink() = default;
    // A step of the work.
    virtual void addLine(const std::string& line) = 0;
    // A line of another kind; a log that shows only text takes it as a line.
    virtual void report(lineKind kind, const std::string& line) {
        static_cast<void>(kind);
        addLine(line);
    }
    // A failure for the user beside the log: the file it concerns and why,
    // in the system's words where the system gave them. It follows the log
    // line that tells of it; a front end that shows only the log ignores it.
    virtual void problem(const std::string& file, const std::string& reason) {
        static_cast<void>(file);
        static_cast<void>(reason);
    }
    // The same for something the user should know that is no failure.
    virtual void notice(const std::string& file, const std::string& reason) {
        static_cast<void>(file);
        static_cast<void>(reason);
    }
};

// Logs line, then reports the problem it tells of.
inline void logProblem(logSink& log, const std::string& line, const std::string& file, const std::string& reason) {
    log.report(lineKind::error, line);
    log.problem(file, reason);
}

// The closing lines of an operation: an empty line, "PREFIX: --- WORD ---"
// and an empty line. A stop ("CANCELLED") is no step of the work but a
// warning: what was asked for was not done.
inline void logClosing(logSink& log, const std::string& prefix, const std::string& word) {
    const lineKind kind = word == "DONE" ? lineKind::step : lineKind::warning;
    log.report(kind, "");
    log.report(kind, prefix + ": --- " + word + " ---");
    log.report(kind, "");
}

// Keeps every line; used by tests and by callers that show the log later.
class memoryLog : public logSink {
public:
    void addLine(const std::string& line) override { lines.push_back(line); }
    void problem(const std::string& file, const std::string& reason) override {
        problems.push_back(file + ": " + reason);
    }
    std::vector<std::string> lines;
    std::vector<std::string> problems;  // "FILE: REASON"

};
