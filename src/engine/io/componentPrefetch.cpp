#include "engine/io/componentPrefetch.h"

#include <utility>

#include "engine/io/componentReader.h"
#include "engine/io/workFile.h"
#include "engine/logSink.h"

componentPrefetch::componentPrefetch(const libKind& k) : kind(k), reader([this] { work(); }) {}

componentPrefetch::~componentPrefetch() {
    {
        std::lock_guard<std::mutex> hold(lock);
        stopping = true;
    }
    changed.notify_all();
    reader.join();
}

void componentPrefetch::push(std::string path) {
    {
        std::lock_guard<std::mutex> hold(lock);
        todo.push_back(std::move(path));
    }
    changed.notify_all();
}

componentPrefetch::component componentPrefetch::take() {
    std::unique_lock<std::mutex> hold(lock);
    changed.wait(hold, [this] { return !done.empty(); });
    component c = std::move(done.front());
    done.pop_front();
    return c;
}

void componentPrefetch::work() {
    workFile text;  // memory only: its read block is reused for every file
    for (;;) {
        component c;
        {
            std::unique_lock<std::mutex> hold(lock);
            changed.wait(hold, [this] { return stopping || !todo.empty(); });
            if (stopping) return;
            c.path = std::move(todo.front());
            todo.pop_front();
        }
        memoryLog log;
        text.size = 0;
        c.result = readComponentFile(c.path, kind, text, log, c.fields);
        text.flush();
        c.bytes = std::move(text.memory);
        text.memory.clear();
        c.lines = std::move(log.lines);
        {
            std::lock_guard<std::mutex> hold(lock);
            done.push_back(std::move(c));
        }
        changed.notify_all();
    }
}
