// Writes what expand unpacks: one component file per component, in the
// current folder, and the list file that names them, so that the list can be
// compressed again.
#pragma once

#include <cstdio>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "engine/format/libKind.h"
#include "engine/logSink.h"

class componentWriter {
public:
    // prefix begins every log line ("Expand: "); the files go into folder
    // ("": the current one), and the list file names them there.
    componentWriter(const libKind& k, logSink& sink, std::string linePrefix = "Expand: ", std::string into = "")
        : kind(k), log(sink), prefix(std::move(linePrefix)), folder(std::move(into)) {}
    ~componentWriter();
    componentWriter(const componentWriter&) = delete;
    componentWriter& operator=(const componentWriter&) = delete;

    // Creates (or empties) the list file. False, logged, when it can't.
    bool openList(const std::string& path);

    // Starts the file of the component called name with its header line.
    // Without a free file name it logs so and writes nothing for this
    // component. False, logged, after a fatal error.
    bool begin(const std::string& name, const std::string& header);

    // One more line of the current component, if it has a file. Without an
    // open list file, begin writes no list line.
    void write(const std::string& line);

    // Closes the current component's file. False, logged, when a write failed.
    bool end();

    // Closes the list file. False, logged, when a write failed.
    bool finish();

    // A part's file that is there already is written over (not through a
    // link), once a run: a second part of the name follows the renaming rule.
    void overwriteExisting() { overwrite = true; }

private:
    // Logs "PREFIX fatal error: WHAT FILE" with the system's reason.
    bool fail(const char* what, const std::string& file);

    const libKind& kind;
    logSink& log;
    std::string prefix;
    std::string folder;
    std::string listPath;
    std::string fileName;
    std::FILE* list = nullptr;
    std::FILE* out = nullptr;
    bool writeOk = true;
    bool overwrite = false;
    std::unordered_set<std::string> written;  // file names begun, when overwriting
    std::vector<char> outBuffer = std::vector<char>(1 << 16);  // most parts go out in one write
};
