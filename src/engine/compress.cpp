#include "engine/compress.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "engine/componentFile.h"
#include "engine/compressHook.h"
#include "engine/indexList.h"
#include "engine/libKind.h"
#include "engine/pieceReader.h"
#include "support/fileOps.h"
#include "support/assertion.h"
#include "support/cfman.h"

namespace {

constexpr std::size_t copyBlock = 1 << 16;

// The files of one compress run. The library is first written to a staging
// file beside the output and put in its place only when it is complete, so a
// failed run leaves the output path exactly as it was.
class compressRun {
public:
    compressRun(const char* listfile, const char* outfile, logSink& sink)
        : listPath(listfile), outPath(outfile), log(sink) {}
    ~compressRun() { closeAll(); }

    bool openWorkfile();
    bool openOutputAndList();
    void processList(int& files, int& errors);
    bool writeLibrary();
    void removeComponents();
    void fatalWrite() { log.addLine("Compress: fatal error: can't write output file: " + outPath); }

    workFile work;

private:
    bool outputWritable();
    bool copyWorkfile(std::FILE* out);
    void closeAll();

    std::string listPath, outPath, stageName;
    logSink& log;
    std::FILE* stage = nullptr;
    std::FILE* list = nullptr;
    std::vector<char> listBlock;
    std::optional<pieceReader> listReader;
};

bool compressRun::openWorkfile() {
    work.stream = fileOps::createTemp(fileOps::dirOf(outPath), "vekwork", work.name);
    if (!work.stream) {
        const std::string tmpDir = fileOps::systemTempDir();
        if (!tmpDir.empty()) work.stream = fileOps::createTemp(tmpDir, "vekwork", work.name);
    }
    if (work.stream) return true;
    log.addLine("Compress: fatal error: can't open temporary workfile: " + work.name);
    return false;
}

// The output must be writable (or creatable) now, as opening it would show,
// but it is not touched: the library goes to a staging file beside it.
bool compressRun::outputWritable() {
    if (fileOps::exists(outPath)) {
        std::FILE* probe = fileOps::open(outPath, "r+b");
        if (!probe) return false;
        std::fclose(probe);
    } else if (!fileOps::canCreate(outPath)) {
        return false;
    }
    stage = fileOps::createTemp(fileOps::dirOf(outPath), "veklib", stageName);
    return stage != nullptr;
}

bool compressRun::openOutputAndList() {
    const bool outOk = outputWritable();
    list = fileOps::open(listPath, "r+");
    if (list) listReader.emplace(list, 256, listBlock);
    if (outOk && list) return true;
    if (!outOk) log.addLine("Compress: fatal error: can't open output file: " + outPath);
    if (!list) log.addLine("Compress: fatal error: can't open list file: " + listPath);
    return false;
}

void compressRun::processList(int& files, int& errors) {
    std::string piece;
    while (listReader->next(piece)) {
        ++files;
        if (compressComponent(listEntryPath(piece), work, curKeyword, log) != 0) ++errors;
        compressReached("component");
    }
}

bool compressRun::copyWorkfile(std::FILE* out) {
    if (!work.flush() || std::fseek(work.stream, 0, SEEK_SET) != 0) return false;
    std::vector<char> block(copyBlock);
    std::size_t n;
    while ((n = std::fread(block.data(), 1, block.size(), work.stream)) > 0) {
        if (std::fwrite(block.data(), 1, n, out) != n) return false;
    }
    return !std::ferror(work.stream);
}

bool compressRun::writeLibrary() {
    const std::string head =
        std::string("*version ") + releaseString + " " + std::to_string(work.checksum) + "\n@index\n";
    bool ok = std::fwrite(head.data(), 1, head.size(), stage) == head.size() &&
              theIndex.writeIndex(stage) && copyWorkfile(stage);
    ok = (std::fflush(stage) == 0) && ok && !std::ferror(stage);
    ok = (std::fclose(stage) == 0) && ok;
    stage = nullptr;
    if (ok) compressReached("staged");
    if (ok) ok = fileOps::replace(stageName, outPath);
    if (ok) {
        stageName.clear();
        compressReached("replaced");
    }
    return ok;
}

void compressRun::removeComponents() {
    listReader->rewind();
    std::string piece;
    while (listReader->next(piece)) fileOps::removeFile(listEntryPath(piece));
    compressReached("removed");
}

void compressRun::closeAll() {
    if (work.stream) {
        std::fclose(work.stream);
        fileOps::removeFile(work.name);
    }
    work.stream = nullptr;
    if (stage) std::fclose(stage);
    stage = nullptr;
    if (!stageName.empty()) fileOps::removeFile(stageName);
    stageName.clear();
    if (list) std::fclose(list);
    list = nullptr;
}

compressHook currentHook = nullptr;

// The engine's own library-path setting (read by no one yet).
cfString engineLibPath("LIBPATH", "", "KELVARIS", 0);

}  // namespace

void setCompressHook(compressHook hook) { currentHook = hook; }

void compressReached(const char* point) {
    if (currentHook) currentHook(point);
}

int compressLibrary(int button, const char* listfile, const char* outfile, int removeFlag,
                    logSink& log, int* errorCount) {
    vekRequire(button == DLG_BUTTON1 || button == DLG_BUTTON2 || button == DLG_BUTTON3);
    vekRequire(listfile);
    vekRequire(outfile);
    const libKind& kind = *kindForButton(button);
    if (errorCount) *errorCount = 0;
    theIndex.clear();
    compressRun run(listfile, outfile, log);
    if (!run.openWorkfile()) return 1;
    setCurrentKind(kind);
    if (!run.openOutputAndList()) return 1;

    int files = 0;
    int errors = 0;
    run.processList(files, errors);
    if (errorCount) *errorCount = errors;
    if (!run.work.flush()) {
        run.fatalWrite();
        return 1;
    }
    log.addLine("Compress: " + std::to_string(files) + " files processed");
    if (errors != 0) {
        log.addLine("Compress: " + std::to_string(errors) + " error(s)");
    } else if (!run.writeLibrary()) {
        run.fatalWrite();
        return 1;
    } else if (removeFlag) {
        run.removeComponents();
    }
    log.addLine("");
    log.addLine("Compress: --- DONE ---");
    log.addLine("");
    theIndex.clear();
    return 0;
}
