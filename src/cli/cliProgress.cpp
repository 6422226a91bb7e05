#include "cli/cliProgress.h"

#include <atomic>
#include <algorithm>
#include <csignal>
#include <utility>

#include "support/platform/platform.h"
#include "support/platform/stopSignals.h"

namespace {

// Set by the signal handlers to the signal's number; the engine reads it
// before each part.
std::atomic<int> stopRequested = 0;

constexpr auto redrawEvery = std::chrono::milliseconds(100);

}  // namespace

cliProgress::cliProgress(std::FILE* s, bool shown, std::string w) : stream(s), what(std::move(w)) {
    stopRequested = 0;
    platform::catchStopSignals(&stopRequested);
    runs.stop = &stopRequested;
    runs.context = this;
    if (shown) runs.progress = update;
    if (platform::isTerminal(s)) runs.waiting = waitingFor;
}

cliProgress::~cliProgress() {
    clear();
    platform::restoreStopSignals();
}

int cliProgress::stopSignal() { return stopRequested; }

void cliProgress::update(void* self, long long done, long long total) {
    auto* p = static_cast<cliProgress*>(self);
    const auto now = std::chrono::steady_clock::now();
    if (now - p->lastShown < redrawEvery && done != total) return;
    p->lastShown = now;
    std::string line = p->what + ": " + std::to_string(done);
    if (total > 0) line += "/" + std::to_string(total) + " parts (" + std::to_string(done * 100 / total) + "%)";
    else line += " parts";
    p->width = std::max(p->width, line.size());
    p->shownLine = line;
    platform::writeText(p->stream, "\r" + line);
}

void cliProgress::resume() {
    if (shownLine.empty() || width != 0) return;
    width = shownLine.size();
    platform::writeText(stream, "\r" + shownLine);
}

void cliProgress::waitingFor(void* self, const std::string& library) {
    auto* p = static_cast<cliProgress*>(self);
    p->clear();
    platform::writeText(p->stream, "vek: " + library + ": waiting for another writer to finish...\n");
    p->resume();
}

void cliProgress::clear() {
    if (width == 0) return;
    platform::writeText(stream, "\r" + std::string(width, ' ') + "\r");
    width = 0;
}
