#include "engine/ops/repair.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <unordered_set>

#include "engine/format/componentFile.h"
#include "engine/format/header.h"
#include "engine/format/indexLine.h"
#include "engine/io/partReader.h"
#include "engine/io/stagedLibrary.h"
#include "engine/ops/engineOperation.h"
#include "engine/ops/libraryInput.h"
#include "support/fileOps.h"
#include "support/platform/platform.h"
#include "support/platform/writerLock.h"

std::string repairBackupPath(const std::string& library) { return library + ".bak"; }

namespace {

std::string bytes(long long n) { return std::to_string(n) + (n == 1 ? " byte" : " bytes"); }

class repairOperation {
public:
    repairOperation(const libKind& k, const repairRequest& r, repairReport& rep, logSink& l, const runControl& c)
        : kind(k), request(r), report(rep), log(l), control(c),
          writing(r.output.empty() ? r.library : r.output) {}

    opResult run() {
        if (!lockLibrary(lock, request.library, control, "Repair", log)) return opResult::failed;
        if (!request.output.empty() && fileOps::sameFile(request.output, request.library)) {
            return fatal("the output is the library itself: " + request.output, "the output is the library; "
                         "repair it in place with --in-place (its backup is kept), or name another output");
        }
        const std::string backup = repairBackupPath(request.library);
        if (request.output.empty() && !request.dryRun && fileOps::exists(backup)) {
            return fatal("the backup exists already: " + backup,
                         "the backup " + backup + " exists already; move it away, or write the repair elsewhere with -o");
        }
        std::FILE* file = fileOps::open(request.library, "rb");
        if (!file) return fatal("can't open library: " + request.library, fileOps::lastReason());
        fileSource source(file);
        const opResult scanned = scan(source);
        std::fclose(file);
        if (scanned != opResult::done) return scanned;
        log.addLine("Repair: " + std::to_string(report.kept) + " part(s) kept (" + bytes(report.keptBytes) + "), " +
                    std::to_string(report.cut) + " cut short, " + std::to_string(report.lost) + " lost (" +
                    bytes(report.lostBytes) + ")");
        if (report.kept == 0) {
            return fatal(std::string("no ") + kind.kindName + "s to save in library: " + request.library,
                         std::string("no ") + kind.kindName + " can be saved: nothing written");
        }
        if (request.dryRun) {
            log.addLine("Repair: nothing written (a dry run)");
            return opResult::done;
        }
        return write(backup);
    }

private:
    opResult fatal(const std::string& what, const std::string& reason) {
        logProblem(log, "Repair: fatal error: " + what, request.library, reason);
        return opResult::failed;
    }

    void lose(const std::string& line, long long size) {
        ++report.lost;
        report.lostBytes += size;
        log.report(lineKind::finding, "Repair: lost " + line);
        log.problem(request.library, "lost " + line);
    }

    void take(const libraryPart& part, long long size) {
        if (output) {
            if (std::optional<entryFields> fields = storeAsCompressed(part.read + part.body, kind.keyword, output->data())) {
                index.append(*fields);
            }
        }
        ++report.kept;
        report.keptBytes += size;
    }

    opResult scan(byteSource& source) {
        if (!request.dryRun) {
            output.emplace(writing);
            if (!output->openWorkfile()) return fatal("can't open temporary workfile: " + output->workName(), fileOps::lastReason());
            if (!output->prepareOutput()) return fatal("can't write library: " + writing, fileOps::lastReason());
        }
        partReader reader(source, kind.keyword, partReader::mode::byScan);
        const partReader::opening opened = reader.open();
        if (opened == partReader::opening::readError) return readError(reader);
        std::unordered_set<std::string> names;
        libraryPart part;
        long long done = 0;
        while (opened == partReader::opening::ready && reader.next(part)) {
            if (control.stopping()) {
                logClosing(log, "Repair", "CANCELLED");
                return opResult::cancelled;
            }
            scanned(reader, part, names);
            control.report(++done, 0);
        }
        if (reader.readFailed()) return readError(reader);
        for (const indexEntry* e = reader.index().first; e; e = e->next) {
            const std::string name(e->name());
            if (names.insert(name).second) {
                lose(name + ": an index entry without a part (" + bytes(e->length) + " by the index)", e->length);
            }
        }
        return opResult::done;
    }

    // One part of the scan, with the rest of a line too long that cut it,
    // and whatever follows that line up to the next header line.
    void scanned(partReader& reader, const libraryPart& part, std::unordered_set<std::string>& names) {
        const char* cut = cutBy(reader, part);
        long long size = part.length;  // what the library held of it
        if (part.ending == lineReader::ending::tooLong) size += reader.skipPastLongLine();
        if (cut && part.ending == lineReader::ending::cutShort) {
            size = reader.offset() - reader.dataSectionStart() - part.position;
        }
        judge(part, cut, size, names);
        // The start of a part, or of anything, cut short by the library's
        // end; its part (if any) is told as an index entry without a part.
        if (tail != 0) {
            log.report(lineKind::finding, "Repair: lost the library's last " + bytes(tail) + ": a line without its end");
            log.problem(request.library, "lost the library's last " + bytes(tail) + ": a line without its end");
        }
    }

    // Kept, kept cut short, or lost.
    void judge(const libraryPart& part, const char* cut, long long size, std::unordered_set<std::string>& names) {
        const std::string at = " at byte " + std::to_string(part.position) + " (" + bytes(size) + ")";
        if (part.name.empty()) return lose("a part" + at + ": its header line names nothing", size);
        if (!indexedAs(part)) {
            return lose(part.name + at + ": its header line names it otherwise for the index (" + indexName + ")", size);
        }
        if (!names.insert(part.name).second) return lose(part.name + at + ": a second part of that name", size);
        if (!cut) {
            log.addLine("Repair: kept " + part.name + " (" + bytes(size) + ")");
            return take(part, size);
        }
        ++report.cut;
        if (!request.keepCut) {
            return lose(part.name + at + ": cut short by " + cut + "; --keep-cut keeps its first " + bytes(part.length),
                        size);
        }
        report.lostBytes += size - part.length;
        const std::string kept = part.name + " cut short by " + cut + ": its first " + bytes(part.length);
        log.report(lineKind::finding, "Repair: kept " + kept);
        log.problem(request.library, "kept " + kept);
        return take(part, part.length);
    }

    // Whether the library written names the part as the damaged one does:
    // the index line compress makes of its header line, and the header line
    // as compress stores it (trailing blanks and Ctrl-Z taken off), each
    // give the name expand gives it now. indexName learns the index's
    // name. They part when no blank follows the keyword ("*symbolX"), or a
    // name ends in Ctrl-Z: verify would find the part missing from the index.
    bool indexedAs(const libraryPart& part) {
        const std::optional<entryFields> fields = parseHeader(part.read, kind.keyword);
        const std::optional<std::string> stored = storedForm(part.read.substr(0, part.read.find('\0')));
        if (!fields || !stored) return false;
        indexList probe;
        probe.append(*fields);
        const std::optional<entryFields> back = parseIndexLine(formatIndexLine(*probe.first));
        indexName = back ? back->name : std::string();
        return indexName == part.name && componentNameOf(*stored + "\n", kind.keyword) == part.name;
    }

    // What cut the part short, or null when it was read whole. A last line
    // without LF after a whole part is lost on its own (tail).
    const char* cutBy(partReader& reader, const libraryPart& part) {
        if (part.ending == lineReader::ending::tooLong) return "a line longer than 1022 characters";
        if (cutByLibraryEnd(reader.index(), part)) return "the library's end";
        if (part.ending == lineReader::ending::cutShort) {
            tail = reader.offset() - reader.dataSectionStart() - part.position - part.length;
        }
        return nullptr;
    }

    opResult readError(const partReader& reader) {
        return fatal("can't read library: " + request.library, fileOps::systemReason(reader.failure()));
    }

    opResult write(const std::string& backup) {
        if (request.output.empty()) {
            std::error_code ec;
            std::filesystem::copy_file(platform::fsPath(request.library), platform::fsPath(backup), ec);
            if (ec) return fatal("can't keep the old library as " + backup, ec.message());
        }
        if (!output->commit(index, nullptr)) return fatal("can't write library: " + writing, fileOps::lastReason());
        if (request.output.empty()) log.addLine("Repair: the old library is kept as " + backup);
        log.addLine("Repair: wrote " + writing);
        return opResult::done;
    }

    const libKind& kind;
    const repairRequest& request;
    repairReport& report;
    logSink& log;
    const runControl& control;
    std::string writing;
    platform::writerLock lock;
    std::optional<stagedLibrary> output;
    indexList index;
    std::string indexName;
    long long tail = 0;  // bytes of a last line without LF after a whole part
};

}  // namespace

opResult repairLibrary(const libKind& kind, const repairRequest& request, repairReport& report, logSink& log,
                       const runControl* control) {
    const runControl none;
    report = repairReport();
    return repairOperation(kind, request, report, log, control ? *control : none).run();
}
