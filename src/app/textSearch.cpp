#include "app/textSearch.h"

#include <utility>

#include "engine/logSink.h"
#include "engine/ops/grep.h"

namespace {

// Grep's "LIBRARY:PART" lines, each part's name kept.
class partNames : public logSink {
public:
    partNames(std::string library, std::mutex& g, std::set<std::string>& to)
        : prefix(std::move(library) + ":"), guard(g), names(to) {}
    void addLine(const std::string& line) override {
        if (line.compare(0, prefix.size(), prefix) != 0) return;
        const std::lock_guard<std::mutex> hold(guard);
        names.insert(line.substr(prefix.size()));
    }
    void report(lineKind, const std::string& line) override { addLine(line); }
    void problem(const std::string&, const std::string&) override {}

private:
    std::string prefix;
    std::mutex& guard;
    std::set<std::string>& names;
};

struct progressTarget {
    HWND window;
};

// Every ten thousandth part: often enough to be seen, seldom enough to cost
// nothing.
void postProgress(void* context, long long done, long long) {
    if (done % 10000 == 0) PostMessageA(static_cast<progressTarget*>(context)->window, textSearch::progressMessage,
                                       static_cast<WPARAM>(done), 0);
}

}  // namespace

void textSearch::start(HWND window, const libKind& kind, const std::string& library, const std::string& text) {
    stop();
    names.clear();
    readFailed = false;
    stopAsked = 0;
    worker = std::thread(&textSearch::run, this, window, std::cref(kind), library, text);
}

void textSearch::run(HWND window, const libKind& kind, std::string library, std::string text) {
    grepRequest request;
    request.pattern = std::move(text);
    request.how = grepRequest::syntax::fixed;
    request.ignoreCase = true;
    request.partsOnly = true;
    progressTarget target{window};
    runControl control;
    control.stop = &stopAsked;
    control.progress = postProgress;
    control.context = &target;
    partNames found(library, guard, names);
    memoryLog problems;
    readFailed = grepLibraries(kind, {library}, request, found, problems, &control) == grepResult::error;
    if (stopAsked == 0) PostMessageA(window, doneMessage, 0, 0);
}

void textSearch::stop() {
    stopAsked = 1;
    if (worker.joinable()) worker.join();
    const std::lock_guard<std::mutex> hold(guard);
    names.clear();
}

std::set<std::string> textSearch::finish() {
    if (worker.joinable()) worker.join();
    const std::lock_guard<std::mutex> hold(guard);
    return std::move(names);
}
