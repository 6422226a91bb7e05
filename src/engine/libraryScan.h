// Reads a library the way expand does: the index into the index table, then
// every component, compared with its index entry. In expand mode each
// component goes to a file of its own and a list file names them; in verify
// mode nothing is written and only findings are logged.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "engine/libKind.h"
#include "engine/libReader.h"
#include "engine/logSink.h"

class libraryScan {
public:
    enum class mode { expand, verify };

    libraryScan(const char* libraryPath, const libKind& kind, mode m, logSink& log);
    ~libraryScan();
    libraryScan(const libraryScan&) = delete;
    libraryScan& operator=(const libraryScan&) = delete;

    // Each step returns false after a fatal error, which it has logged.
    bool openLibrary();
    bool findIndex();
    bool openListFile();
    // False also when no component follows the index; hasComponents tells.
    bool readIndex();
    bool scanComponents();
    bool finish();

    bool hasComponents() const { return componentsFound; }
    long long dataSectionStart() const { return dataStart; }
    std::FILE* library() const { return lib; }

private:
    bool scanOne(bool& atEnd);
    bool startComponentFile(const std::string& name, std::string header, std::FILE*& out,
                            std::string& fileName);
    long long copyBody(std::FILE* out, bool& writeOk, bool& atEnd);
    void checkAgainstIndex(const std::string& name, long long end);
    bool fail(const std::string& message);
    bool writing() const { return scanMode == mode::expand; }

    std::string libPath;
    const libKind& kind;
    mode scanMode;
    logSink& log;
    std::FILE* lib = nullptr;
    std::FILE* list = nullptr;
    std::optional<libReader> reader;
    std::string line;
    long long dataStart = 0;
    long long componentStart = 0;
    bool componentsFound = false;
};
