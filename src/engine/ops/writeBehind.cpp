#include "engine/ops/writeBehind.h"

#include <utility>

namespace {
constexpr std::size_t partsAhead = 32;
constexpr std::size_t handOverSize = 8;
}

writeBehind::writeBehind(componentWriter& w, logSink& sink, const runControl& c, long long all)
    : writer(w), log(sink), control(c), total(all), thread([this] { work(); }) {}

writeBehind::~writeBehind() {
    finish();
    thread.join();
}

bool writeBehind::push(expandedPart part) {
    pending.push_back(std::move(part));
    return pending.size() < handOverSize || handOver();
}

// Moves the pending parts to the writer once it has room; false once the
// writing has ended.
bool writeBehind::handOver() {
    std::unique_lock<std::mutex> hold(lock);
    readerWaits = true;
    changed.wait(hold, [this] { return ended || queue.size() < partsAhead; });
    readerWaits = false;
    if (ended) return false;
    for (expandedPart& part : pending) queue.push_back(std::move(part));
    pending.clear();
    if (writerWaits) changed.notify_all();
    return true;
}

bool writeBehind::finish() {
    if (!pending.empty()) handOver();
    std::unique_lock<std::mutex> hold(lock);
    closing = true;
    if (writerWaits) changed.notify_all();
    readerWaits = true;
    changed.wait(hold, [this] { return queue.empty() && idle; });
    readerWaits = false;
    return !failed;
}

void writeBehind::work() {
    std::deque<expandedPart> parts;
    std::unique_lock<std::mutex> hold(lock);
    for (;;) {
        writerWaits = true;
        changed.wait(hold, [this] { return closing || !queue.empty(); });
        writerWaits = false;
        if (queue.empty()) return;
        parts.swap(queue);
        const bool drop = ended;
        idle = false;
        if (readerWaits) changed.notify_all();
        hold.unlock();
        const bool ok = drop || writeParts(parts);
        parts.clear();
        hold.lock();
        idle = true;
        if (!ok) ended = failed = true;
        if (readerWaits) changed.notify_all();
    }
}

// A stop asked for is seen before the next part, as on one thread; the
// parts after it are dropped.
bool writeBehind::writeParts(std::deque<expandedPart>& parts) {
    for (const expandedPart& part : parts) {
        if (control.stopping()) {
            std::lock_guard<std::mutex> hold(lock);
            ended = true;
            return true;
        }
        if (!writePart(part)) return false;
    }
    return true;
}

bool writeBehind::writePart(const expandedPart& part) {
    if (!part.skipped) {
        if (!writer.begin(part.name, part.header)) return false;
    }
    for (const std::string& line : part.readerLines) log.report(lineKind::warning, line);
    if (!part.skipped) {
        writer.write(part.body);
        if (!writer.end()) return false;
    }
    if (!part.cutLine.empty()) logProblem(log, part.cutLine, part.cutProblem.first, part.cutProblem.second);
    for (const std::string& line : part.checkLines) log.report(lineKind::finding, line);
    control.report(++done, total);
    return true;
}
