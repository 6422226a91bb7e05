#include "engine/ops/compress.h"

#include <cstdio>
#include <optional>
#include <thread>
#include <unordered_map>
#include <vector>

#include "engine/format/componentFile.h"
#include "engine/io/byteSource.h"
#include "engine/io/componentPrefetch.h"
#include "engine/io/componentReader.h"
#include "engine/io/lineReader.h"
#include "engine/io/stagedLibrary.h"
#include "engine/ops/componentReport.h"
#include "engine/ops/engineOperation.h"
#include "support/fileOps.h"
#include "support/platform/durableFile.h"

namespace {

// Files read ahead at most, and bytes: enough to keep every reader busy
// while the checksum runs, little enough for any machine.
constexpr std::size_t filesAhead = 256;
constexpr std::size_t bytesAhead = 8 << 20;

// The list file and the staged library of one compress run.
class compressOperation : engineOperation {
public:
    compressOperation(const libKind& k, const std::string& listfile, const std::string& outfile,
                      logSink& sink, compressProbe& p)
        : engineOperation(k, sink), listPath(listfile), outPath(outfile), output(outfile), probe(p),
          control(p.control ? *p.control : noControl), seams(p.seams ? *p.seams : noSeams) {}
    ~compressOperation() {
        if (list) std::fclose(list);
    }

    opResult run(bool remove);

private:
    bool outputIsInput();
    bool openFiles();
    void processList(int& files);
    void processAhead(int& files);
    // missing: the part file could not be opened.
    void take(bool good, const entryFields& fields, int files, const std::string& path, bool missing = false);
    void tellWhereNamesAreLooked();
    bool unambiguous(const entryFields& fields, const std::string& path);
    void removeComponents();
    opResult fatalWrite();
    opResult closing(const char* word, opResult result);
    void reached(const char* point) {
        if (seams.reached) seams.reached(point);
    }

    std::string listPath, outPath;
    bool hinted = false;  // tellWhereNamesAreLooked said it
    stagedLibrary output;
    compressProbe& probe;
    static inline const runControl noControl{};
    static inline const compressSeams noSeams{};
    const runControl& control;
    const compressSeams& seams;
    std::FILE* list = nullptr;
    std::optional<fileSource> listSource;
    std::vector<char> listBlock;
    std::optional<lineReader> listReader;
    long long listTotal = 0;  // the list's lines, counted only for a progress report
    std::unordered_map<std::string, std::string> namesSeen;  // part name: the file that held it
};

bool compressOperation::openFiles() {
    if (!output.openWorkfile()) {
        logProblem(log, "Compress: fatal error: can't open temporary workfile: " + output.workName(), output.workName(),
                   fileOps::lastReason());
        return false;
    }
    const bool outOk = output.prepareOutput();
    const std::string outWhy = fileOps::lastReason();
    list = fileOps::open(listPath, control.readOnlyInputs ? "r" : "r+");
    const std::string listWhy = fileOps::lastReason();
    if (list) {
        listSource.emplace(list);
        listReader.emplace(*listSource, listBlock);
    }
    if (outOk && list) return true;
    if (!outOk) logProblem(log, "Compress: fatal error: can't open output file: " + outPath, outPath, outWhy);
    if (!list) logProblem(log, "Compress: fatal error: can't open list file: " + listPath, listPath, listWhy);
    return false;
}

void compressOperation::processList(int& files) {
    if (control.readAhead) return processAhead(files);
    std::string piece;
    entryFields fields;
    while (!control.stopping() && listReader->readPiece(piece, lineReader::listPieceBuffer)) {
        ++files;
        const std::string path = listEntryPath(piece);
        const componentOutcome read = readComponentFile(path, kind, output.data(), fields, control.refuseLongLines);
        take(tellComponent(path, read, fields, kind, log), fields, files, path,
             read.what == componentOutcome::result::cantOpen);
    }
}

// The same steps in the same order, with the files read, parsed and
// normalised a few ahead on the second thread; only taking them in counts.
void compressOperation::processAhead(int& files) {
    componentPrefetch ahead(kind, control.refuseLongLines,
                            componentPrefetch::poolFor(std::thread::hardware_concurrency()));
    std::string piece;
    bool listEnded = false;
    while (!control.stopping()) {
        while (!listEnded && ahead.queued() < filesAhead && ahead.heldBytes() < bytesAhead) {
            listEnded = !listReader->readPiece(piece, lineReader::listPieceBuffer);
            if (!listEnded) ahead.push(listEntryPath(piece));
        }
        if (ahead.queued() == 0) return;
        componentPrefetch::component c = ahead.take();
        ++files;
        const bool good = tellComponent(c.path, c.outcome, c.fields, kind, log);
        if (good) {
            c.fields.position = static_cast<std::int32_t>(output.data().size);
            output.data().append(c.bytes.data(), c.bytes.size());
        }
        ahead.recycle(std::move(c.bytes));
        take(good, c.fields, files, c.path, c.outcome.what == componentOutcome::result::cantOpen);
    }
}

// A part that expand could not give a file of its own (no name), or whose
// name an earlier part took: verify would call the library damaged.
bool compressOperation::unambiguous(const entryFields& fields, const std::string& path) {
    const std::string name = fields.name.substr(0, fields.name.find(':'));
    if (name.empty()) {
        logProblem(log, "Compress: fatal error: file " + path + " has a header line without a name", path,
                   "header line without a name (--force takes it)");
        return false;
    }
    const auto [first, isNew] = namesSeen.emplace(name, path);
    if (isNew) return true;
    logProblem(log, "Compress: fatal error: " + path + " holds part " + name + ", as " + first->second + " does", path,
               "holds part " + name + ", as " + first->second + " does (--force takes both)");
    return false;
}

void compressOperation::take(bool good, const entryFields& fields, int files, const std::string& path, bool missing) {
    if (good && control.refuseAmbiguousParts) good = unambiguous(fields, path);
    if (missing) tellWhereNamesAreLooked();
    if (good) {
        index.append(fields);
    } else {
        ++probe.errors;
    }
    reached("component");
    control.report(files, listTotal);
}

// Once, after the first part file that can't be opened, when the list file
// is in another folder: its names are taken from the current folder.
void compressOperation::tellWhereNamesAreLooked() {
    const std::string folder = fileOps::dirOf(listPath);
    if (hinted || folder.empty() || folder == ".") return;
    hinted = true;
    log.notice(listPath, "the files it names are looked for from the current folder, not from " + folder +
                             " (vek compress -C " + folder + " ... reads them from there)");
}

void compressOperation::removeComponents() {
    listReader->rewind();
    std::string piece;
    while (listReader->readPiece(piece, lineReader::listPieceBuffer)) fileOps::removeFile(listEntryPath(piece));
    if (listReader->readFailed()) {
        const std::string why = fileOps::systemReason(listReader->sourceFailure());
        logProblem(log, "Compress: can't read list file: " + listPath + ": " + why + "; not every file it names was removed",
                   listPath, why + "; not every file it names was removed");
    }
    reached("removed");
}

opResult compressOperation::fatalWrite() {
    logProblem(log, "Compress: fatal error: can't write output file: " + outPath, outPath, fileOps::lastReason());
    return opResult::failed;
}

// True, logged, when the output is the list file or one of the files it
// names, by identity rather than by spelling: writing it would lose them.
// An output that does not exist yet is none of them; otherwise each input
// costs one look-up.
bool compressOperation::outputIsInput() {
    const std::optional<platform::fileId> out = platform::identifyFile(outPath);
    if (!out) return false;
    std::FILE* f = fileOps::open(listPath, "r");
    if (!f) return false;
    fileSource source(f);
    std::vector<char> block;
    lineReader reader(source, block);
    std::string found = platform::identifyFile(listPath) == out ? listPath : "";
    std::string piece;
    while (found.empty() && reader.readPiece(piece, lineReader::listPieceBuffer)) {
        const std::string path = listEntryPath(piece);
        if (platform::identifyFile(path) == out) found = path;
    }
    std::fclose(f);
    if (found.empty()) return false;
    logProblem(log, "Compress: fatal error: output file is an input: " + outPath, outPath,
               "output file is also an input (" + found + "); nothing written");
    return true;
}

opResult compressOperation::run(bool remove) {
    platform::writerLock lock;
    if (!lockLibrary(lock, outPath, control, "Compress", log)) return opResult::failed;
    if (control.refuseOutputAsInput && outputIsInput()) return opResult::failed;
    output.dataLimit = seams.dataLimit;
    if (!openFiles()) return opResult::failed;
    if (probe.known) output.data().compareWith(*probe.known);
    if (control.progress) {
        std::string piece;
        while (listReader->readPiece(piece, lineReader::listPieceBuffer)) ++listTotal;
        listReader->rewind();
    }
    int files = 0;
    processList(files);
    if (listReader->readFailed()) {
        const std::string why = fileOps::systemReason(listReader->sourceFailure());
        logProblem(log, "Compress: fatal error: can't read list file: " + listPath + ": " + why, listPath, why);
        return opResult::failed;
    }
    if (control.stopping()) return closing("CANCELLED", opResult::cancelled);
    if (!output.data().flush()) return fatalWrite();
    log.addLine("Compress: " + std::to_string(files) + " files processed");
    if (probe.errors != 0) {
        logProblem(log, "Compress: " + std::to_string(probe.errors) + " error(s)", outPath,
                   "not written: " + std::to_string(probe.errors) + " error(s)");
    } else if (!output.commit(index, seams.reached)) {
        return fatalWrite();
    } else if (remove) {
        removeComponents();
    }
    index.clear();
    return closing("DONE", opResult::done);
}

opResult compressOperation::closing(const char* word, opResult result) {
    logClosing(log, "Compress", word);
    return result;
}

}  // namespace

opResult compressLibrary(const libKind& kind, const std::string& listPath, const std::string& outPath,
                    bool remove, logSink& log, compressProbe* probe) {
    compressProbe unused;
    compressProbe& p = probe ? *probe : unused;
    p.errors = 0;
    return compressOperation(kind, listPath, outPath, log, p).run(remove);
}
