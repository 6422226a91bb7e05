#include "engine/io/componentPrefetch.h"

#include <algorithm>
#include <utility>

#include "engine/io/workFile.h"

namespace {

constexpr std::size_t spareBuffers = 16;

}  // namespace

componentPrefetch::componentPrefetch(const libKind& k, bool refuseLongLines, int readers)
    : kind(k), refuseLong(refuseLongLines) {
    for (int i = 0; i < std::max(readers, 1); ++i) pool.emplace_back([this] { work(); });
}

componentPrefetch::~componentPrefetch() {
    {
        std::lock_guard<std::mutex> hold(lock);
        stopping = true;
    }
    jobsCame.notify_all();
    for (std::thread& t : pool) t.join();
}

int componentPrefetch::poolFor(unsigned cores) {
    return static_cast<int>(std::clamp(cores, 2u, 4u)) - 1;
}

void componentPrefetch::push(std::string path) {
    std::lock_guard<std::mutex> hold(lock);
    todo.push_back(job{firstSerial + slots.size(), std::move(path)});
    slots.emplace_back();
    if (idleReaders > 0) jobsCame.notify_one();
}

std::size_t componentPrefetch::queued() const {
    std::lock_guard<std::mutex> hold(lock);
    return slots.size();
}

std::size_t componentPrefetch::heldBytes() const {
    std::lock_guard<std::mutex> hold(lock);
    return readBytes;
}

componentPrefetch::component componentPrefetch::take() {
    std::unique_lock<std::mutex> hold(lock);
    while (!slots.front().ready) {
        if (readOne(hold, callerText)) continue;
        callerWaits = true;
        partCame.wait(hold);
        callerWaits = false;
    }
    component c = std::move(slots.front().part);
    slots.pop_front();
    ++firstSerial;
    readBytes -= c.bytes.size();
    return c;
}

// Reads the oldest queued file with the lock let go meanwhile; false when
// none is queued.
bool componentPrefetch::readOne(std::unique_lock<std::mutex>& hold, workFile& text) {
    if (todo.empty()) return false;
    job next = std::move(todo.front());
    todo.pop_front();
    std::string buffer;
    if (!spare.empty()) {
        buffer = std::move(spare.back());
        spare.pop_back();
    }
    hold.unlock();
    component c = read(std::move(next.path), std::move(buffer), text);
    hold.lock();
    slot& s = slots[next.serial - firstSerial];
    readBytes += c.bytes.size();
    s.part = std::move(c);
    s.ready = true;
    if (callerWaits && next.serial == firstSerial) partCame.notify_one();
    return true;
}

void componentPrefetch::work() {
    workFile text;  // memory only: its buffers are reused for every file
    std::unique_lock<std::mutex> hold(lock);
    while (!stopping) {
        if (readOne(hold, text)) continue;
        ++idleReaders;
        jobsCame.wait(hold);
        --idleReaders;
    }
}

void componentPrefetch::recycle(std::string bytes) {
    bytes.clear();
    std::lock_guard<std::mutex> hold(lock);
    if (spare.size() < spareBuffers) spare.push_back(std::move(bytes));
}

componentPrefetch::component componentPrefetch::read(std::string path, std::string buffer, workFile& text) {
    component c;
    c.path = std::move(path);
    text.size = 0;
    text.memory = std::move(buffer);
    c.outcome = readComponentFile(c.path, kind, text, c.fields, refuseLong);
    text.flush();
    c.bytes = std::move(text.memory);
    text.memory.clear();
    return c;
}
