#include "engine/libraryScan.h"

#include <optional>
#include <string>

#include "engine/componentFile.h"
#include "engine/header.h"
#include "engine/indexLine.h"
#include "engine/indexList.h"
#include "support/fileOps.h"

namespace {

bool writeAll(std::FILE* f, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), f) == text.size();
}

}  // namespace

libraryScan::libraryScan(const char* libraryPath, const libKind& k, mode m, logSink& sink)
    : libPath(libraryPath), kind(k), scanMode(m), log(sink) {}

libraryScan::~libraryScan() {
    if (list) std::fclose(list);
    if (lib) std::fclose(lib);
}

bool libraryScan::fail(const std::string& message) {
    log.addLine(message);
    return false;
}

bool libraryScan::openLibrary() {
    // Expand opens for update, so a library the user may not change counts
    // as not opened; verify only reads.
    lib = fileOps::open(libPath, writing() ? "r+b" : "rb");
    if (!lib) return fail("Expand: fatal error: can't open library: " + libPath);
    reader.emplace(lib);
    return true;
}

bool libraryScan::findIndex() {
    while (reader->readLibLine(line, log)) {
        if (beginsWith(line, "@index")) return true;
    }
    return fail("Expand: fatal error: no index");
}

bool libraryScan::openListFile() {
    if (!writing()) return true;
    const std::string listPath = listPathFor(libPath);
    list = fileOps::open(listPath, "w");
    if (!list) return fail("Expand: fatal error: can't open list file: " + listPath);
    return true;
}

bool libraryScan::readIndex() {
    for (;;) {
        const long long start = reader->offset();
        if (!reader->readLibLine(line, log)) {
            if (!writing()) return false;
            return fail("Expand: fatal error: no " + curKindName + "s found in library");
        }
        if (beginsWith(line, curKeyword)) {
            dataStart = componentStart = start;
            componentsFound = true;
            return true;
        }
        if (!beginsWith(line, "symloc")) continue;
        if (indexEntry* entry = entryFromIndexLine(line)) theIndex.append(entry);
    }
}

bool libraryScan::scanComponents() {
    bool atEnd = false;
    while (!atEnd) {
        if (!scanOne(atEnd)) return false;
    }
    return true;
}

// Opens the component's file and writes its list line and header line.
// False after a fatal error; true with out null when no file is written.
bool libraryScan::startComponentFile(const std::string& name, std::string header, std::FILE*& out,
                                   std::string& fileName) {
    if (!writing()) return true;
    std::optional<std::string> free;
    if (!name.empty()) free = componentFileName(name, kind);
    if (!free) {
        log.addLine("Expand: ***** Not writing file for " + name + " *****");
        return true;
    }
    fileName = *free;
    out = fileOps::open(fileName, "w");
    if (!out) return fail("Expand: fatal error: can't open: " + fileName);
    log.addLine("Expand: Writing " + name + "    to    " + fileName);
    const indexEntry* entry = theIndex.find(name);
    if (entry) header = formatHeader(*entry);
    if (!writeAll(list, fileName + " \t" + name + "\n") || !writeAll(out, header)) {
        std::fclose(out);
        out = nullptr;
        return fail("Expand: fatal error: can't write: " + fileName);
    }
    return true;
}

// Copies the lines up to the next header line or the end; returns the offset
// before the last read, which is where this component ends.
long long libraryScan::copyBody(std::FILE* out, bool& writeOk, bool& atEnd) {
    for (;;) {
        const long long before = reader->offset();
        if (!reader->readLibLine(line, log)) {
            atEnd = true;
            return before;
        }
        if (beginsWith(line, curKeyword)) return before;
        if (out && !writeAll(out, line)) writeOk = false;
    }
}

void libraryScan::checkAgainstIndex(const std::string& name, long long end) {
    const long long length = end - componentStart;
    const long long position = componentStart - dataStart;
    std::int32_t indexPosition = 0, indexLength = 0;
    std::string extra;
    if (!theIndex.lookup(name, indexPosition, indexLength, extra)) {
        log.addLine("Expand: symbol " + name + " not in index");
        return;
    }
    const bool badLength = length != indexLength;
    const bool badPosition = position != indexPosition;
    if (!badLength && !badPosition) return;
    const char* what = badLength && badPosition ? "(length + position)"
                       : badLength              ? "(length)"
                                                : "(position)";
    log.addLine("Expand: symbol " + name + " has bad index " + what);
}

bool libraryScan::scanOne(bool& atEnd) {
    const std::string header = line;
    const std::string name = componentNameOf(header, curKeyword);
    std::FILE* out = nullptr;
    std::string fileName;
    if (!startComponentFile(name, header, out, fileName)) return false;
    bool writeOk = true;
    const long long end = copyBody(out, writeOk, atEnd);
    if (out && std::fclose(out) != 0) writeOk = false;
    if (!writeOk) return fail("Expand: fatal error: can't write: " + fileName);
    checkAgainstIndex(name, end);
    componentStart = end;
    return true;
}

bool libraryScan::finish() {
    if (!list) return true;
    const bool listOk = std::fflush(list) == 0 && !std::ferror(list);
    const bool closed = std::fclose(list) == 0;
    list = nullptr;
    if (!listOk || !closed) return fail("Expand: fatal error: can't write: " + listPathFor(libPath));
    return true;
}
