// Reads the component files of a compress ahead, on a small pool of
// threads: each file is opened, read, parsed and normalised there exactly as
// readComponentFile does it, and handed back in list order with what it
// would have appended and its outcome. The calling thread is left to take
// them in, tell what each outcome was, checksum and index; while the part
// it waits for is still being read, it reads a queued one itself. On two
// cores the file system's time, the normalising and the checksum then share
// both.
//
// Thread rules: the reading threads never log and never call back; they
// allocate, so a front end whose allocator serves one thread only must not
// use the pool (see readAhead in runControl.h). lock guards todo, slots,
// spare, firstSerial, readBytes, idleReaders, callerWaits and stopping; a
// slot's part belongs to the thread that reads it until it is marked ready,
// then to the caller that takes it. callerText is the caller's alone, and
// kind and refuseLong never change.
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
#include "engine/io/componentReader.h"
#include "engine/io/workFile.h"

class componentPrefetch {
public:
    struct component {
        std::string path;
        componentOutcome outcome;  // readComponentFile's
        entryFields fields;        // position 0: where it starts in bytes
        std::string bytes;         // as compress stores them
    };

    // refuseLongLines: as readComponentFile's. readers: the pool's threads
    // besides the caller (at least one).
    componentPrefetch(const libKind& kind, bool refuseLongLines, int readers);
    ~componentPrefetch();
    componentPrefetch(const componentPrefetch&) = delete;
    componentPrefetch& operator=(const componentPrefetch&) = delete;

    // Queues a file to read.
    void push(std::string path);
    // The oldest queued file, once read; reads others meanwhile.
    component take();
    // Gives a taken part's bytes back, for the next read to fill without
    // allocating anew.
    void recycle(std::string bytes);
    // Files queued and not yet taken, and the bytes of those already read:
    // the caller keeps both bounded.
    std::size_t queued() const;
    std::size_t heldBytes() const;

    // The pool a machine of this many cores gets.
    static int poolFor(unsigned cores);

private:
    struct slot {
        bool ready = false;
        component part;
    };
    struct job {
        std::size_t serial;
        std::string path;
    };

    void work();
    bool readOne(std::unique_lock<std::mutex>& hold, workFile& text);
    component read(std::string path, std::string buffer, workFile& text);

    const libKind& kind;
    const bool refuseLong;
    mutable std::mutex lock;
    std::condition_variable jobsCame;  // the pool waits here
    std::condition_variable partCame;  // the caller waits here
    std::deque<job> todo;
    std::deque<slot> slots;            // from the oldest not taken, in list order
    std::vector<std::string> spare;    // recycled byte buffers
    std::size_t firstSerial = 0;       // the serial of slots.front()
    std::size_t readBytes = 0;         // bytes of the ready slots
    std::size_t idleReaders = 0;
    bool callerWaits = false;
    bool stopping = false;
    workFile callerText;               // the caller's own read buffers
    std::vector<std::thread> pool;     // last: starts once the rest is in place
};
