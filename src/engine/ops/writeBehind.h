// Expand's second thread: the part files are created and written there, in
// library order, while the calling thread reads the next parts. Every log
// line of the parts and every progress report then come from this thread,
// in the order expand gives them on one: the writer's lines, the reader's,
// the index check's.
//
// Thread rules: between construction and finish() the calling thread must
// not log (its lines would cut into the parts'); it only reads, checks into
// the part's own lines and pushes. pending is the calling thread's alone.
// lock guards queue, readerWaits, writerWaits, closing, ended, failed and
// idle; writer, log, done and the progress calls belong to the second
// thread until finish() has returned.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "engine/io/componentWriter.h"
#include "engine/logSink.h"
#include "engine/ops/runControl.h"

struct expandedPart {
    std::string name;
    std::string header;                    // as the file's first line
    std::string body;                      // the other lines
    std::vector<std::string> readerLines;  // the reader's warnings while it was read
    std::vector<std::string> checkLines;   // the index check's findings
    // A part not read whole: whether it gets no file, and the line and the
    // problem (file, reason) that name it ("": none).
    bool skipped = false;
    std::string cutLine;
    std::pair<std::string, std::string> cutProblem;
};

class writeBehind {
public:
    // total: the parts the index names, for the progress reports.
    writeBehind(componentWriter& writer, logSink& log, const runControl& control, long long total);
    ~writeBehind();
    writeBehind(const writeBehind&) = delete;
    writeBehind& operator=(const writeBehind&) = delete;

    // Queues a part; waits while enough are waiting. False once the writing
    // has ended: after a fatal error, or when a stop was asked for.
    bool push(expandedPart part);
    // Waits until every queued part is written (or dropped after the end).
    // False after a fatal error.
    bool finish();

private:
    bool handOver();
    void work();
    bool writeParts(std::deque<expandedPart>& parts);
    bool writePart(const expandedPart& part);

    componentWriter& writer;
    logSink& log;
    const runControl& control;
    long long total;
    long long done = 0;
    std::mutex lock;
    std::condition_variable changed;
    std::deque<expandedPart> pending;  // read, not yet handed over
    std::deque<expandedPart> queue;
    // Parts go over a few at a time, and each side wakes the other only
    // when it waits for it: a wake-up a part costs more than a small part.
    bool readerWaits = false;
    bool writerWaits = false;
    bool closing = false;  // no more parts will come
    bool ended = false;    // the writing has ended early
    bool failed = false;
    bool idle = true;
    std::thread thread;  // last: starts once the rest is in place
};
