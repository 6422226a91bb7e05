#include "engine/expand.h"

#include <cstdio>
#include <optional>
#include <string>

#include "engine/componentFile.h"
#include "engine/header.h"
#include "engine/indexLine.h"
#include "engine/indexList.h"
#include "engine/libKind.h"
#include "engine/libReader.h"
#include "support/fileOps.h"
#include "support/require.h"

namespace {

bool beginsWith(const std::string& line, const std::string& prefix) {
    return line.compare(0, prefix.size(), prefix) == 0;
}

bool writeAll(std::FILE* f, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), f) == text.size();
}

void appendIndexLine(const std::string& line) {
    std::optional<indexLineFields> f = parseIndexLine(line);
    if (!f) return;
    entryFields e;
    e.name = f->word.name;
    e.commaPart = f->word.commaPart ? &*f->word.commaPart : nullptr;
    e.semicolonPart = f->word.semicolonPart ? &*f->word.semicolonPart : nullptr;
    e.hasAko = f->word.akoName.has_value();
    e.akoName = f->word.akoName.value_or(std::string());
    e.position = f->position;
    e.length = f->length;
    e.extraText = f->extraText;
    theIndex.append(makeEntry(e));
}

// One expansion: the library and list file it holds open, and where the
// data section and the current component begin.
class expandRun {
public:
    expandRun(const char* infile, const libKind& k, logSink& sink)
        : libPath(infile), kind(k), log(sink) {}
    ~expandRun();

    bool openLibrary();
    bool findIndex();
    bool openListFile();
    bool readIndex();
    bool expandComponents();
    bool finish();

private:
    bool expandOne(bool& atEnd);
    bool startComponentFile(const std::string& name, std::string header, std::FILE*& out,
                            std::string& fileName);
    long long copyBody(std::FILE* out, bool& writeOk, bool& atEnd);
    void checkAgainstIndex(const std::string& name, long long end);
    bool fail(const std::string& message);

    std::string libPath;
    const libKind& kind;
    logSink& log;
    std::FILE* lib = nullptr;
    std::FILE* list = nullptr;
    std::optional<libReader> reader;
    std::string line;
    long long dataStart = 0;
    long long componentStart = 0;
};

expandRun::~expandRun() {
    if (list) std::fclose(list);
    if (lib) std::fclose(lib);
}

bool expandRun::fail(const std::string& message) {
    log.addLine(message);
    return false;
}

bool expandRun::openLibrary() {
    lib = fileOps::open(libPath, "r+b");
    if (!lib) return fail("Expand: fatal error: can't open library: " + libPath);
    reader.emplace(lib);
    return true;
}

bool expandRun::findIndex() {
    while (reader->readLibLine(line, log)) {
        if (beginsWith(line, "@index")) return true;
    }
    return fail("Expand: fatal error: no index");
}

bool expandRun::openListFile() {
    const std::string listPath = listPathFor(libPath);
    list = fileOps::open(listPath, "w");
    if (!list) return fail("Expand: fatal error: can't open list file: " + listPath);
    return true;
}

bool expandRun::readIndex() {
    for (;;) {
        const long long start = reader->offset();
        if (!reader->readLibLine(line, log)) {
            return fail("Expand: fatal error: no " + curKindName + "s found in library");
        }
        if (beginsWith(line, curKeyword)) {
            dataStart = componentStart = start;
            return true;
        }
        if (beginsWith(line, "symloc")) appendIndexLine(line);
    }
}

bool expandRun::expandComponents() {
    bool atEnd = false;
    while (!atEnd) {
        if (!expandOne(atEnd)) return false;
    }
    return true;
}

// Opens the component's file and writes its list line and header line.
// False after a fatal error; true with out null when no file is written.
bool expandRun::startComponentFile(const std::string& name, std::string header, std::FILE*& out,
                                   std::string& fileName) {
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
long long expandRun::copyBody(std::FILE* out, bool& writeOk, bool& atEnd) {
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

void expandRun::checkAgainstIndex(const std::string& name, long long end) {
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

bool expandRun::expandOne(bool& atEnd) {
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

bool expandRun::finish() {
    const bool listOk = std::fflush(list) == 0 && !std::ferror(list);
    const bool closed = std::fclose(list) == 0;
    list = nullptr;
    std::fclose(lib);
    lib = nullptr;
    if (!listOk || !closed) return fail("Expand: fatal error: can't write: " + listPathFor(libPath));
    return true;
}

}  // namespace

int expandLibrary(int button, const char* infile, logSink& log) {
    vekRequire(button == DLG_BUTTON1 || button == DLG_BUTTON2 || button == DLG_BUTTON3);
    vekRequire(infile);
    theIndex.clear();
    const libKind& kind = *kindForButton(button);
    setCurrentKind(kind);
    expandRun run(infile, kind, log);
    if (!run.openLibrary() || !run.findIndex() || !run.openListFile() || !run.readIndex() ||
        !run.expandComponents() || !run.finish()) {
        return 1;
    }
    log.addLine("Expand: Checking index....");
    theIndex.checkIndex(log);
    theIndex.clear();
    log.addLine("");
    log.addLine("Expand: --- DONE ---");
    log.addLine("");
    return 0;
}
