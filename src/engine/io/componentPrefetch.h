// Reads the component files of a compress ahead, on a second thread: each
// file is opened, read, parsed and normalised there exactly as
// readComponentFile does it, and handed back in list order with what it
// would have appended, logged and returned. The caller's thread is left to
// append, checksum and index, so that on two cores the file system's time
// and the checksum's overlap.
//
// The reading thread allocates: a front end whose allocator serves one
// thread only must not use it (see secondThread in runControl.h).
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "engine/format/entryFields.h"
#include "engine/format/libKind.h"
#include "engine/io/workFile.h"
#include "engine/logSink.h"

class componentPrefetch {
public:
    struct component {
        std::string path;
        int result = 0;                  // readComponentFile's result
        entryFields fields;              // position 0: where it starts in bytes
        std::string bytes;               // as compress stores them
        std::vector<std::pair<lineKind, std::string>> lines;  // what it logged
        std::vector<std::pair<std::string, std::string>> problems;  // and reported beside the log
    };

    // refuseLongLines: as readComponentFile's.
    componentPrefetch(const libKind& kind, bool refuseLongLines);
    ~componentPrefetch();
    componentPrefetch(const componentPrefetch&) = delete;
    componentPrefetch& operator=(const componentPrefetch&) = delete;

    // Queues a file to read.
    void push(std::string path);
    // The oldest queued file, once read; waits for it.
    component take();

private:
    void work();
    void publish(std::vector<component>& ready);
    component read(std::string path, workFile& text);

    const libKind& kind;
    const bool refuseLong;
    std::mutex lock;
    std::condition_variable changed;
    std::deque<std::string> todo;
    std::deque<component> done;
    bool stopping = false;
    // Each side wakes the other only when it waits for it, and the reading
    // side hands its parts over a few at a time: a wake-up per part costs
    // more than reading a small part.
    bool takerWaits = false;
    bool readerWaits = false;
    std::thread reader;  // last: starts once the rest is in place
};
