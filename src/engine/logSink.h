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
};

// Keeps every line; used by tests and by callers that show the log later.
class memoryLog : public logSink {
public:
    void addLine(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};
