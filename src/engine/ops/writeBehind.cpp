#include "engine/ops/writeBehind.h"

#include <utility>

namespace {
constexpr std::size_t partsAhead = 32;
}

writeBehind::writeBehind(componentWriter& w, logSink& sink, const runControl& c, long long all)
    : writer(w), log(sink), control(c), total(all), thread([this] { work(); }) {}

writeBehind::~writeBehind() {
    finish();
    thread.join();
}

bool writeBehind::push(expandedPart part) {
    std::unique_lock<std::mutex> hold(lock);
    changed.wait(hold, [this] { return ended || queue.size() < partsAhead; });
    if (ended) return false;
    queue.push_back(std::move(part));
    changed.notify_all();
    return true;
}

bool writeBehind::finish() {
    std::unique_lock<std::mutex> hold(lock);
    closing = true;
    changed.notify_all();
    changed.wait(hold, [this] { return queue.empty() && idle; });
    return !failed;
}

void writeBehind::work() {
    std::unique_lock<std::mutex> hold(lock);
    for (;;) {
        changed.wait(hold, [this] { return closing || !queue.empty(); });
        if (queue.empty()) return;
        expandedPart part = std::move(queue.front());
        queue.pop_front();
        const bool drop = ended;
        idle = false;
        hold.unlock();
        // A stop asked for is seen before the next part, as on one thread.
        const bool stop = !drop && control.stopping();
        const bool ok = drop || stop || writePart(part);
        hold.lock();
        idle = true;
        if (stop || !ok) ended = true;
        if (!ok) failed = true;
        changed.notify_all();
    }
}

bool writeBehind::writePart(const expandedPart& part) {
    if (!writer.begin(part.name, part.header)) return false;
    for (const std::string& line : part.readerLines) log.addLine(line);
    writer.write(part.body);
    if (!writer.end()) return false;
    for (const std::string& line : part.checkLines) log.addLine(line);
    control.report(++done, total);
    return true;
}
