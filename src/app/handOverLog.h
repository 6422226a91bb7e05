// A log that any thread may write to, whose lines reach another log on the
// one thread that drains it, in the order they were made: an operation's
// threads log through it while the window's thread, the only one that
// touches windows, shows what they said.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "engine/logSink.h"

class handOverLog : public logSink {
public:
    void addLine(const std::string& line) override { keep({said::line, lineKind::step, line, ""}); }
    void report(lineKind kind, const std::string& line) override { keep({said::report, kind, line, ""}); }
    void problem(const std::string& file, const std::string& reason) override {
        keep({said::problem, lineKind::error, file, reason});
    }
    void notice(const std::string& file, const std::string& reason) override {
        keep({said::notice, lineKind::warning, file, reason});
    }

    // Hands everything said so far to to, on the calling thread.
    void drainTo(logSink& to);

private:
    enum class said { line, report, problem, notice };
    struct entry {
        said how;
        lineKind kind;
        std::string first, second;
    };
    void keep(entry e);

    std::mutex guard;
    std::vector<entry> pending;
};
