#include "engine/ops/compress.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "engine/format/componentFile.h"
#include "engine/format/header.h"
#include "engine/io/byteSource.h"
#include "engine/io/libraryWriter.h"
#include "engine/io/lineReader.h"
#include "engine/io/workFile.h"
#include "engine/ops/engineOperation.h"
#include "support/fileOps.h"

namespace {

// The files of one compress run. The library is first written to a staging
// file beside the output and put in its place only when it is complete, so a
// failed run leaves the output path exactly as it was.
class compressOperation : engineOperation {
public:
    compressOperation(const libKind& k, const std::string& listfile, const std::string& outfile,
                      logSink& sink, compressProbe& p)
        : engineOperation(k, sink), listPath(listfile), outPath(outfile), probe(p) {}
    ~compressOperation() { closeAll(); }

    int run(bool remove);

private:
    bool openWorkfile();
    bool outputWritable();
    bool openOutputAndList();
    void processList(int& files);
    int compressComponent(const std::string& path);
    bool stageLibrary();
    void removeComponents();
    int fatalWrite();
    void reached(const char* point) {
        if (probe.reached) probe.reached(point);
    }
    void closeAll();

    std::string listPath, outPath, stageName;
    compressProbe& probe;
    workFile work;
    std::FILE* stage = nullptr;
    std::FILE* list = nullptr;
    std::optional<fileSource> listSource;
    std::vector<char> listBlock;
    std::optional<lineReader> listReader;
};

bool compressOperation::openWorkfile() {
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
bool compressOperation::outputWritable() {
    if (fileOps::exists(outPath)) {
        std::FILE* probeFile = fileOps::open(outPath, "r+b");
        if (!probeFile) return false;
        std::fclose(probeFile);
    } else if (!fileOps::canCreate(outPath)) {
        return false;
    }
    stage = fileOps::createTemp(fileOps::dirOf(outPath), "veklib", stageName);
    return stage != nullptr;
}

bool compressOperation::openOutputAndList() {
    const bool outOk = outputWritable();
    list = fileOps::open(listPath, "r+");
    if (list) {
        listSource.emplace(list);
        listReader.emplace(*listSource, listBlock);
    }
    if (outOk && list) return true;
    if (!outOk) log.addLine("Compress: fatal error: can't open output file: " + outPath);
    if (!list) log.addLine("Compress: fatal error: can't open list file: " + listPath);
    return false;
}

void compressOperation::processList(int& files) {
    std::string piece;
    while (listReader->readPiece(piece, lineReader::listPieceBuffer)) {
        ++files;
        if (compressComponent(listEntryPath(piece)) != 0) ++probe.errors;
        reached("component");
    }
}

// 0 on success, 2 when the file cannot be opened, 3 when it is empty, 4 for
// a bad first line. Only a component read to its end adds to the workfile
// and the index.
int compressOperation::compressComponent(const std::string& path) {
    std::FILE* f = fileOps::open(path, "r");
    if (!f) {
        log.addLine("Compress: fatal error: can't open: " + path);
        return 2;
    }
    fileSource source(f);
    lineReader reader(source, work.readBlock);
    std::string piece;
    if (!reader.readPiece(piece, lineReader::componentPieceBuffer)) {
        std::fclose(f);
        log.addLine("Compress: fatal error: file is empty: " + path);
        return 3;
    }
    std::optional<entryFields> header = parseHeader(piece, curKeyword);
    if (!header) {
        std::fclose(f);
        log.addLine("Compress: fatal error: file " + path + " has bad first line: " + piece);
        return 4;
    }
    log.addLine("Compress: got " + curKindName + " \"" + header->name + "\"");
    const long long position = work.size;
    do {
        writeDataLine(piece, work);
    } while (reader.readPiece(piece, lineReader::componentPieceBuffer));
    std::fclose(f);
    header->position = static_cast<std::int32_t>(position);
    header->length = static_cast<std::int32_t>(work.size - position);
    index.append(*header);
    return 0;
}

bool compressOperation::stageLibrary() {
    bool ok = writeLibrary(stage, index, work);
    ok = (std::fflush(stage) == 0) && ok && !std::ferror(stage);
    ok = (std::fclose(stage) == 0) && ok;
    stage = nullptr;
    if (ok) reached("staged");
    if (ok) ok = fileOps::replace(stageName, outPath);
    if (ok) {
        stageName.clear();
        reached("replaced");
    }
    return ok;
}

void compressOperation::removeComponents() {
    listReader->rewind();
    std::string piece;
    while (listReader->readPiece(piece, lineReader::listPieceBuffer)) fileOps::removeFile(listEntryPath(piece));
    reached("removed");
}

int compressOperation::fatalWrite() {
    log.addLine("Compress: fatal error: can't write output file: " + outPath);
    return 1;
}

void compressOperation::closeAll() {
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

int compressOperation::run(bool remove) {
    if (!openWorkfile() || !openOutputAndList()) return 1;
    int files = 0;
    processList(files);
    if (!work.flush()) return fatalWrite();
    log.addLine("Compress: " + std::to_string(files) + " files processed");
    if (probe.errors != 0) {
        log.addLine("Compress: " + std::to_string(probe.errors) + " error(s)");
    } else if (!stageLibrary()) {
        return fatalWrite();
    } else if (remove) {
        removeComponents();
    }
    log.addLine("");
    log.addLine("Compress: --- DONE ---");
    log.addLine("");
    index.clear();
    return 0;
}

}  // namespace

int compressLibrary(const libKind& kind, const std::string& listPath, const std::string& outPath,
                    bool remove, logSink& log, compressProbe* probe) {
    compressProbe unused;
    compressProbe& p = probe ? *probe : unused;
    p.errors = 0;
    return compressOperation(kind, listPath, outPath, log, p).run(remove);
}
