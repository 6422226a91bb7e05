// The way every library is written: the data section collects in a workfile
// (beside the output, or in the system's temporary folder), the whole library
// is written to a staging file beside the output, made to reach the disk, and
// only then renamed over it (a link at the output is replaced, not followed). An interrupted or failed run leaves the output path as it
// was; the destructor removes whatever temporary file is left.
#pragma once

#include <cstdio>
#include <string>
#include <utility>

#include "engine/format/indexList.h"
#include "engine/io/workFile.h"

class stagedLibrary {
public:
    using stopPoint = void (*)(const char* point);

    explicit stagedLibrary(std::string path) : outPath(std::move(path)) {}
    ~stagedLibrary();
    stagedLibrary(const stagedLibrary&) = delete;
    stagedLibrary& operator=(const stagedLibrary&) = delete;

    // Creates the workfile; on failure workName() is the name last tried.
    bool openWorkfile();
    const std::string& workName() const { return work.name; }

    // The output must be writable (or creatable) now, as opening it would
    // show; it is not touched yet: the staging file beside it is made.
    bool prepareOutput();

    workFile& data() { return work; }

    // Flushes the workfile, writes the library behind index into the
    // staging file and puts it in the output's place, calling reached with
    // "staged" and "replaced".
    // False, with errno EFBIG, when the data section holds more than
    // dataLimit bytes: its index could not say where the parts stand.
    bool commit(const indexList& index, stopPoint reached);

    long long dataLimit = 2147483647;

private:
    std::string outPath;
    std::string stageName;
    workFile work;
    std::FILE* stage = nullptr;
};
