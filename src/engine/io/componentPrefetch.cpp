#include "engine/io/componentPrefetch.h"

#include <utility>

#include "engine/io/componentReader.h"
#include "engine/io/workFile.h"
#include "engine/logSink.h"

namespace {

constexpr std::size_t handOver = 8;  // parts a hand-over holds at most

// Keeps what one file's reading reported, for the taking thread to pass on.
class partLog : public logSink {
public:
    explicit partLog(componentPrefetch::component& c) : part(c) {}
    void addLine(const std::string& line) override { report(lineKind::step, line); }
    void report(lineKind kind, const std::string& line) override { part.lines.emplace_back(kind, line); }
    void problem(const std::string& file, const std::string& reason) override {
        part.problems.emplace_back(file, reason);
    }

private:
    componentPrefetch::component& part;
};

}  // namespace

componentPrefetch::componentPrefetch(const libKind& k, bool refuseLongLines)
    : kind(k), refuseLong(refuseLongLines), reader([this] { work(); }) {}

componentPrefetch::~componentPrefetch() {
    {
        std::lock_guard<std::mutex> hold(lock);
        stopping = true;
    }
    changed.notify_all();
    reader.join();
}

void componentPrefetch::push(std::string path) {
    std::lock_guard<std::mutex> hold(lock);
    todo.push_back(std::move(path));
    if (readerWaits) changed.notify_all();
}

componentPrefetch::component componentPrefetch::take() {
    std::unique_lock<std::mutex> hold(lock);
    takerWaits = true;
    changed.wait(hold, [this] { return !done.empty(); });
    takerWaits = false;
    component c = std::move(done.front());
    done.pop_front();
    return c;
}

// Hands the parts read so far over; the lock is held.
void componentPrefetch::publish(std::vector<component>& ready) {
    for (component& c : ready) done.push_back(std::move(c));
    ready.clear();
    if (takerWaits && !done.empty()) changed.notify_all();
}

void componentPrefetch::work() {
    workFile text;  // memory only: its read block is reused for every file
    std::deque<std::string> paths;
    std::vector<component> ready;
    for (;;) {
        {
            std::unique_lock<std::mutex> hold(lock);
            publish(ready);
            readerWaits = true;
            changed.wait(hold, [this] { return stopping || !todo.empty(); });
            readerWaits = false;
            if (stopping) return;
            paths.swap(todo);
        }
        while (!paths.empty()) {
            ready.push_back(read(std::move(paths.front()), text));
            paths.pop_front();
            if (ready.size() == handOver) {
                std::lock_guard<std::mutex> hold(lock);
                publish(ready);
            }
        }
    }
}

componentPrefetch::component componentPrefetch::read(std::string path, workFile& text) {
    component c;
    c.path = std::move(path);
    partLog log(c);
    text.size = 0;
    c.result = readComponentFile(c.path, kind, text, log, c.fields, refuseLong);
    text.flush();
    c.bytes = std::move(text.memory);
    text.memory.clear();
    return c;
}
