// One rewrite of a library: what every command that changes a library's
// parts is written on. It owns the writers' lock (from the first read to the
// rename), the damage guard, the data section verify found clean (taken
// over while the new one repeats it, re-checked against the file), the
// staged output, stops and progress. The caller walks the old parts with
// next() and decides for each: keep() it, put() something in its place, or
// neither (dropped); put() also appends new parts. commit() writes the
// library and puts it in place of the old one. The result is the library
// compress makes of what expand would write, with the caller's changes.
#pragma once

#include <optional>
#include <string>

#include "engine/format/indexList.h"
#include "engine/format/libKind.h"
#include "engine/io/sectionMatch.h"
#include "engine/io/stagedLibrary.h"
#include "engine/logSink.h"
#include "engine/ops/libraryInput.h"
#include "engine/ops/runControl.h"
#include "support/platform/writerLock.h"

class libraryRewrite {
public:
    // prefix begins the log lines ("Add", "Delete").
    libraryRewrite(const libKind& kind, std::string libraryPath, std::string prefix, logSink& log,
                   const runControl& control);

    // Takes the lock and, when the control asks for it, refuses a library
    // that verify finds damaged; the verified data section is kept. Both
    // rebuilds its library this way, without a staged output of its own.
    // False, logged, when the lock or the guard said no.
    bool hold();
    const std::optional<knownSection>& verified() const { return checked; }
    // The caller verified the library itself and found this section clean.
    void trust(const knownSection& section) { checked = section; }
    // The new library goes to path instead of over the old one.
    void writeTo(std::string path) { outputPath = std::move(path); }

    // hold(), then the staged output and the old library opened for
    // reading. A missing library, or an empty file, reads as one without
    // parts when mayBeMissing. False, logged, when any of it failed.
    bool begin(bool mayBeMissing);

    // The next part of the old library that has a name, read whole or not,
    // after a look at the stop flag and a progress report. False at its end,
    // after a stop and after a read error: finish() tells which.
    bool next(libraryPart& part);

    // Puts the part into the new library as compress would store the text
    // expand writes for it.
    void keep(const libraryPart& part);
    // The same for the text of a part (its header line first).
    void keepText(const std::string& text);
    // The old library's index, once begin() has opened it.
    const indexList* oldIndex() { return input ? &input->index() : nullptr; }
    // Puts a part already in the stored form (as compress stores a part
    // file), with the fields of its header line; its place is where it goes.
    void put(entryFields fields, const std::string& stored);

    // done after next() said false at the library's end; otherwise failed,
    // or cancelled (logged) after a stop, or damaged when the guard refused
    // the library.
    opResult finish();

    // Flushes what is pending, writes the library and renames it over the
    // old one. False, logged, when that failed: the old library stays. On a
    // dry run nothing was staged, and it says that nothing was written.
    bool commit();

private:
    bool takeLock();
    bool fatal(const std::string& what, const std::string& reason);

    const libKind& kind;
    std::string libraryPath;
    std::string outputPath;
    std::string prefix;
    logSink& log;
    const runControl& control;
    platform::writerLock lock;
    bool locked = false;
    std::optional<knownSection> checked;
    std::optional<stagedLibrary> output;
    std::optional<libraryInput> input;
    indexList index;
    long long total = 0;
    long long done = 0;
    bool began = false;
    bool cancelled = false;
    bool damaged = false;
    bool failed = false;
};
