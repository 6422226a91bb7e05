#include "engine/ops/expand.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "engine/format/componentFile.h"
#include "engine/format/header.h"
#include "engine/io/componentWriter.h"
#include "engine/io/libraryReader.h"
#include "engine/ops/componentCheck.h"
#include "engine/ops/engineOperation.h"
#include "engine/ops/writeBehind.h"
#include "support/fileOps.h"
#include "support/platform/platform.h"

namespace {

// Where the reader's lines go: to the log, or with the part being read.
class readerLog : public logSink {
public:
    explicit readerLog(logSink& to) : log(to) {}
    void addLine(const std::string& line) override { report(lineKind::step, line); }
    void report(lineKind kind, const std::string& line) override {
        if (into) {
            into->push_back(line);
        } else {
            log.report(kind, line);
        }
    }
    void problem(const std::string& file, const std::string& reason) override { log.problem(file, reason); }
    std::vector<std::string>* into = nullptr;

private:
    logSink& log;
};

// Reader and component writer: each component goes to its file, then is
// compared with its index entry.
class expandOperation : engineOperation {
public:
    expandOperation(const libKind& k, logSink& sink, const runControl& c, std::string name, const std::string& folder)
        : engineOperation(k, sink), control(c), writer(k, sink, "Expand: ", folder), libraryName(std::move(name)) {}

    int run(byteSource& library, const std::string& listPath) {
        if (control.stopping()) return closing("CANCELLED", cancelledResult);
        readerLog readerLines(log);
        libraryReader reader(library, curKeyword, readerLines);
        if (!reader.findIndex()) return reader.readFailed() ? readError(reader) : fatal("Expand: fatal error: no index", "no index");
        if (!writer.openList(listPath)) return 1;
        if (!reader.readIndex(index)) {
            if (reader.readFailed()) return readError(reader);
            return fatal("Expand: fatal error: no " + curKindName + "s found in library", "no " + curKindName + "s found in library");
        }
        long long total = 0;
        for (const indexEntry* e = index.first; e; e = e->next) ++total;
        const bool written = control.secondThread ? expandBehind(reader, readerLines, total) : expandHere(reader, total);
        if (!written || !writer.finish()) return 1;
        if (reader.readFailed()) return readError(reader);
        if (reader.ending() == lineReader::ending::tooLong) {
            log.problem(libraryName, "a line is longer than 1022 characters; the rest of the library was not read");
        }
        if (control.stopping()) return closing("CANCELLED", cancelledResult);
        log.addLine("Expand: Checking index....");
        index.checkIndex(log, curKindName);
        index.clear();
        return closing("DONE", 0);
    }

private:
    int closing(const char* word, int result) {
        logClosing(log, "Expand", word);
        return result;
    }

    int fatal(const std::string& message, const std::string& reason) {
        logProblem(log, message, libraryName, reason);
        return 1;
    }

    int readError(const libraryReader& reader) {
        const std::string why = fileOps::systemReason(reader.failure());
        return fatal("Expand: fatal error: can't read library: " + libraryName + ": " + why, why);
    }

    bool expandHere(libraryReader& reader, long long total) {
        long long done = 0;
        for (; reader.hasComponent() && !control.stopping(); reader.nextComponent()) {
            if (!expandComponent(reader)) return false;
            control.report(++done, total);
        }
        return true;
    }

    // The same steps with the files written on the second thread; a stop
    // asked for ends the writing there, which ends the reading here.
    bool expandBehind(libraryReader& reader, readerLog& readerLines, long long total) {
        writeBehind behind(writer, log, control, total);
        for (; reader.hasComponent(); reader.nextComponent()) {
            expandedPart part;
            part.name = componentNameOf(reader.header(), curKeyword);
            const indexEntry* entry = index.find(part.name);
            part.header = entry ? formatHeader(*entry, curKeyword) : reader.header();
            readerLines.into = &part.readerLines;
            // Room for what the index says, within reason: a damaged index may say anything.
            if (entry) part.body.reserve(static_cast<std::size_t>(std::clamp(entry->length, 0, 1 << 24)));
            reader.appendLines(part.body);
            readerLines.into = nullptr;
            memoryLog check;
            checkComponent(index, part.name, reader.position(), reader.length(), check);
            part.checkLines = std::move(check.lines);
            if (!behind.push(std::move(part))) break;
        }
        return behind.finish();
    }

    bool expandComponent(libraryReader& reader) {
        const std::string name = componentNameOf(reader.header(), curKeyword);
        const indexEntry* entry = index.find(name);
        if (!writer.begin(name, entry ? formatHeader(*entry, curKeyword) : reader.header())) return false;
        std::string line;
        while (reader.nextLine(line)) writer.write(line);
        if (!writer.end()) return false;
        checkComponent(index, name, reader.position(), reader.length(), log);
        return true;
    }

    const runControl& control;
    componentWriter writer;
    std::string libraryName;
};

}  // namespace

int expandLibrary(const libKind& kind, byteSource& library, const std::string& listPath, logSink& log,
                  const runControl* control, const std::string& libraryName, const std::string& folder) {
    const runControl none;
    return expandOperation(kind, log, control ? *control : none, libraryName, folder).run(library, listPath);
}

std::string expandListPath(const std::string& libraryPath, const std::string& folder) {
    if (folder.empty()) return listPathFor(libraryPath);
    return inFolder(folder, listPathFor(platform::fsName(platform::fsPath(libraryPath).filename())));
}

int expandLibrary(const libKind& kind, const std::string& libraryPath, logSink& log, const runControl* control,
                  const std::string& folder) {
    // The tool reads a library it may not change; the program opens it for
    // update, and a read-only library counts there as not opened.
    std::FILE* f = fileOps::open(libraryPath, control && control->strictInput ? "rb" : "r+b");
    if (!f) {
        logProblem(log, "Expand: fatal error: can't open library: " + libraryPath, libraryPath, fileOps::lastReason());
        return 1;
    }
    fileSource source(f);
    const int result =
        expandLibrary(kind, source, expandListPath(libraryPath, folder), log, control, libraryPath, folder);
    std::fclose(f);
    return result;
}
