#include "app/handOverLog.h"

#include <utility>

void handOverLog::keep(entry e) {
    const std::lock_guard<std::mutex> hold(guard);
    pending.push_back(std::move(e));
}

void handOverLog::drainTo(logSink& to) {
    std::vector<entry> taken;
    {
        const std::lock_guard<std::mutex> hold(guard);
        taken.swap(pending);
    }
    for (const entry& e : taken) {
        switch (e.how) {
            case said::line: to.addLine(e.first); break;
            case said::report: to.report(e.kind, e.first); break;
            case said::problem: to.problem(e.first, e.second); break;
            case said::notice: to.notice(e.first, e.second); break;
        }
    }
}
