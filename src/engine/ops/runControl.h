// What a front end may do while an operation runs: see how far it has come,
// and ask it to stop before its next component; and the tool's guards and
// threads, each a policy of its own.
//
// Thread rules: stop is the only member another thread (or a signal
// handler) touches while an operation runs. progress and waiting are called
// on the thread that logs (see readAhead and writeBehind below); an
// operation is handed its control as const and never changes it.
#pragma once

#include <atomic>
#include <csignal>
#include <string>

#include "engine/logSink.h"
#include "engine/ops/opResult.h"
#include "support/platform/writerLock.h"


// See runControl::existing.
enum class existingFiles { writeBeside, refuse, overwrite };
// See runControl::cutParts.
enum class cutPartPolicy { writeSilently, writeNamed, leaveOut };

struct runControl {
    // Nonzero asks the operation to stop before its next component; a signal
    // handler may set it (a lock-free atomic, so that the threads of an
    // operation read it safely too).
    std::atomic<int>* stop = nullptr;
    // Called after each component with how many are done and how many there
    // are (0 when the total is not known). Compress counts its list first
    // when this is set.
    void (*progress)(void* context, long long done, long long total) = nullptr;
    void* context = nullptr;

    // The tool's guards. The program's Expand, Compress and Both keep their
    // historical behaviour and leave them off.
    // Add, delete and both check the library as verify does first, and
    // change nothing when it has any finding.
    bool refuseDamage = false;
    // Libraries and list files are opened for reading only, never for
    // update (the program opens them for update, so a read-only one counts
    // as not opened there).
    bool readOnlyInputs = false;
    // Compress and add refuse a part file with a line that a library reader
    // could not read back (more than 1022 characters as stored).
    bool refuseLongLines = false;
    // Compress refuses an output that is the list file or one of the part
    // files it names.
    bool refuseOutputAsInput = false;
    // Compress and add refuse a part whose header line names nothing, and
    // compress two parts of one name: verify would find the library damaged.
    bool refuseAmbiguousParts = false;

    // What expand and extract do when a part's file is there already: write
    // beside it by the renaming rule (the program's way), refuse before
    // writing anything, naming the files in the way, or write over it. Two
    // parts of one name in one library follow the renaming rule either way.
    existingFiles existing = existingFiles::writeBeside;
    // What expand does with a part it cannot read whole (the library's end
    // or a line too long inside it): writes it as far as it goes, as the
    // program does; the same, naming it as a problem; or leaves it out,
    // naming it.
    cutPartPolicy cutParts = cutPartPolicy::writeSilently;
    // Expand ends damaged, once every part it could is written, when the
    // reading or the index check found anything.
    bool findingsFail = false;
    // Add, delete and merge say what they would change and write nothing
    // (the lock and the damage guard as ever).
    bool dryRun = false;
    // How long a writer waits for another writer of the same library to
    // finish; waiting is called once when it starts to wait.
    double lockWaitSeconds = 30;
    void (*waiting)(void* context, const std::string& library) = nullptr;

    // Threads. Off unless asked for; the bytes and the log are the same
    // either way.
    // readAhead: compress reads, parses and normalises the part files on a
    // pool of threads (componentPrefetch.h). The pool allocates but never
    // logs and never calls progress: every log line, problem and progress
    // report still comes from the calling thread.
    bool readAhead = false;
    // writeBehind: expand creates and writes the part files on a second
    // thread (writeBehind.h), which from then on makes every log line,
    // problem and progress report of the parts and the end of the writing;
    // the calling thread only reads, and logs again once that thread has
    // finished. A front end whose log or progress must stay on one thread
    // (the program's window) leaves it off.
    bool writeBehind = false;

    bool stopping() const { return stop && *stop; }
    void report(long long done, long long total) const {
        if (progress) progress(context, done, total);
    }
};


// Takes the writers' lock on the library at path, waiting as control says.
// False, with "PREFIX: fatal error: library is locked by another writer:
// PATH" logged, when the wait ran out. Without a lock from the system (the
// library cannot be opened) it goes on: the writer then fails on its own.
bool lockLibrary(platform::writerLock& lock, const std::string& path, const runControl& control,
                 const std::string& prefix, logSink& log);
