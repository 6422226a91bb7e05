// The engine's one report channel: a line per call, kept in order. An empty
// line is a separator. The engine never prints; each front end decides where
// its lines go.
#pragma once

#include <string>
#include <vector>

class logSink {
public:
    virtual ~logSink() = default;
    virtual void addLine(const std::string& line) = 0;
    // A failure for the user beside the log: the file it concerns and why,
    // in the system's words where the system gave them. It follows the log
    // line that tells of it; a front end that shows only the log ignores it.
    virtual void problem(const std::string& file, const std::string& reason) {
        static_cast<void>(file);
        static_cast<void>(reason);
    }
};

// Logs line, then reports the problem it tells of.
inline void logProblem(logSink& log, const std::string& line, const std::string& file, const std::string& reason) {
    log.addLine(line);
    log.problem(file, reason);
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
