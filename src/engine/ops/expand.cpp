#include "engine/ops/expand.h"

#include <cstdio>
#include <filesystem>

#include "engine/format/componentFile.h"
#include "engine/io/componentWriter.h"
#include "engine/io/partReader.h"
#include "engine/ops/componentCheck.h"
#include "engine/ops/engineOperation.h"
#include "engine/ops/filesInTheWay.h"
#include "engine/ops/libraryInput.h"
#include "engine/ops/writeBehind.h"
#include "support/fileOps.h"
#include "support/platform/platform.h"

namespace {

// Reader and component writer: each component goes to its file, then is
// compared with its index entry.
class expandOperation : engineOperation {
public:
    expandOperation(const libKind& k, logSink& sink, const runControl& c, std::string name, const std::string& into)
        : engineOperation(k, sink), control(c), writer(k, sink, "Expand: ", into), libraryName(std::move(name)),
          folder(into) {
        if (control.existing == existingFiles::overwrite) writer.overwriteExisting();
    }

    opResult run(byteSource& library, const std::string& listPath) {
        if (control.stopping()) return closing("CANCELLED", opResult::cancelled);
        if (control.existing == existingFiles::refuse &&
            refuseFilesInTheWay(libraryFilesInTheWay(library, kind, folder), folder, "Expand", log)) {
            return opResult::failed;
        }
        partReader reader(library, curKeyword);
        const partReader::opening opened = reader.open();
        tellTooLong(reader.ending(), log);
        if (opened == partReader::opening::readError) return readError(reader);
        if (opened == partReader::opening::noIndex) return fatal("Expand: fatal error: no index", "no index");
        if (!writer.openList(listPath)) return opResult::failed;
        if (opened == partReader::opening::noParts) {
            return fatal("Expand: fatal error: no " + curKindName + "s found in library", "no " + curKindName + "s found in library");
        }
        long long total = 0;
        for (const indexEntry* e = reader.index().first; e; e = e->next) ++total;
        const bool written = control.writeBehind ? expandBehind(reader, total) : expandHere(reader, total);
        if (!written || !writer.finish()) return opResult::failed;
        if (reader.readFailed()) return readError(reader);
        if (reader.ending() == lineReader::ending::tooLong) {
            log.problem(libraryName, "a line is longer than 1022 characters; the rest of the library was not read");
        }
        if (control.stopping()) return closing("CANCELLED", opResult::cancelled);
        log.addLine("Expand: Checking index....");
        found += reader.index().checkIndex(log, curKindName);
        reader.index().clear();
        closing("DONE", opResult::done);
        if (!control.findingsFail || (found == 0 && reader.ending() != lineReader::ending::tooLong)) return opResult::done;
        log.problem(libraryName, "damaged: every part read whole was written; vek verify " + libraryName +
                                     " names the damage, vek repair saves what can be saved");
        return opResult::damaged;
    }

private:
    opResult closing(const char* word, opResult result) {
        logClosing(log, "Expand", word);
        return result;
    }

    opResult fatal(const std::string& message, const std::string& reason) {
        logProblem(log, message, libraryName, reason);
        return opResult::failed;
    }

    opResult readError(const partReader& reader) {
        const std::string why = fileOps::systemReason(reader.failure());
        return fatal("Expand: fatal error: can't read library: " + libraryName + ": " + why, why);
    }

    bool expandHere(partReader& reader, long long total) {
        long long done = 0;
        libraryPart part;
        while (!control.stopping() && reader.next(part)) {
            const bool written = sound(reader, part);
            const std::string reason = cutReason(part);
            if (written) {
                if (!writer.begin(part.name, part.header)) return false;
                writer.write(part.body);
            }
            tellTooLong(part.ending, log);
            if (written && !writer.end()) return false;
            if (!reason.empty()) logProblem(log, "Expand: " + reason, libraryName, reason);
            const bool indexed = checkComponent(reader.index(), part.name, part.position, part.length, log);
            if (written && !indexed) ++found;
            control.report(++done, total);
        }
        return true;
    }

    // The same steps with the files written on the second thread; a stop
    // asked for ends the writing there, which ends the reading here.
    bool expandBehind(partReader& reader, long long total) {
        writeBehind behind(writer, log, control, total);
        libraryPart read;
        while (reader.next(read)) {
            expandedPart part;
            part.skipped = !sound(reader, read);
            if (const std::string reason = cutReason(read); !reason.empty()) {
                part.cutLine = "Expand: " + reason;
                part.cutProblem = {libraryName, reason};
            }
            part.name = std::move(read.name);
            part.header = std::move(read.header);
            part.body = std::move(read.body);
            memoryLog reading, check;
            tellTooLong(read.ending, reading);
            if (!checkComponent(reader.index(), part.name, read.position, read.length, check) && !part.skipped) ++found;
            part.readerLines = std::move(reading.lines);
            part.checkLines = std::move(check.lines);
            if (!behind.push(std::move(part))) break;
        }
        return behind.finish();
    }

    // Whether the part is written: the program writes every part as far as
    // it was read; the tool leaves a part cut short out, or (its both) writes
    // it and names it. A part cut short counts as a finding.
    bool sound(partReader& reader, const libraryPart& part) {
        cut = cutShort(reader.index(), part);
        if (!cut || control.cutParts == cutPartPolicy::writeSilently) return true;
        ++found;
        return control.cutParts == cutPartPolicy::writeNamed;
    }
    // Said of the part sound() last looked at, when it was cut short: the
    // reason of its problem, or none.
    std::string cutReason(const libraryPart& part) const {
        if (!cut || control.cutParts == cutPartPolicy::writeSilently) return "";
        return part.name + " is cut short by " +
               (part.ending == lineReader::ending::tooLong ? "a line longer than 1022 characters"
                                                            : "the library's end") +
               (control.cutParts == cutPartPolicy::leaveOut ? ": not written" : ": written as far as it goes");
    }

    const runControl& control;
    componentWriter writer;
    std::string libraryName;
    std::string folder;
    int found = 0;  // findings of the reading and the index check
    bool cut = false;
};

}  // namespace

opResult expandLibrary(const libKind& kind, byteSource& library, const std::string& listPath, logSink& log,
                  const runControl* control, const std::string& libraryName, const std::string& folder) {
    const runControl none;
    return expandOperation(kind, log, control ? *control : none, libraryName, folder).run(library, listPath);
}

std::string expandListPath(const std::string& libraryPath, const std::string& folder) {
    if (folder.empty()) return listPathFor(libraryPath);
    return inFolder(folder, listPathFor(platform::fsName(platform::fsPath(libraryPath).filename())));
}

opResult expandLibrary(const libKind& kind, const std::string& libraryPath, logSink& log, const runControl* control,
                  const std::string& folder) {
    // The tool reads a library it may not change; the program opens it for
    // update, and a read-only library counts there as not opened.
    std::FILE* f = fileOps::open(libraryPath, control && control->readOnlyInputs ? "rb" : "r+b");
    if (!f) {
        logProblem(log, "Expand: fatal error: can't open library: " + libraryPath, libraryPath, fileOps::lastReason());
        return opResult::failed;
    }
    fileSource source(f);
    const opResult result =
        expandLibrary(kind, source, expandListPath(libraryPath, folder), log, control, libraryPath, folder);
    std::fclose(f);
    return result;
}
