#include "engine/io/stagedLibrary.h"

#include <cerrno>

#include "engine/io/libraryWriter.h"
#include "support/fileOps.h"

stagedLibrary::~stagedLibrary() {
    if (work.stream) {
        std::fclose(work.stream);
        fileOps::removeFile(work.name);
    }
    if (stage) std::fclose(stage);
    if (!stageName.empty()) fileOps::removeFile(stageName);
}

bool stagedLibrary::openWorkfile() {
    work.stream = fileOps::createTemp(fileOps::dirOf(outPath), "vekwork", work.name);
    if (!work.stream) {
        const std::string tmpDir = fileOps::systemTempDir();
        if (!tmpDir.empty()) work.stream = fileOps::createTemp(tmpDir, "vekwork", work.name);
    }
    return work.stream != nullptr;
}

bool stagedLibrary::prepareOutput() {
    const bool link = fileOps::isLink(outPath);  // replaced itself, as mv would: nothing to probe
    if (!link && fileOps::exists(outPath)) {
        std::FILE* probe = fileOps::open(outPath, "r+b");
        if (!probe) return false;
        std::fclose(probe);
    } else if (!link && !fileOps::canCreate(outPath)) {
        return false;
    }
    stage = fileOps::createTemp(fileOps::dirOf(outPath), "veklib", stageName);
    return stage != nullptr;
}

bool stagedLibrary::commit(const indexList& index, stopPoint reached) {
    // The version line states the checksum, which is settled only once
    // every pending byte has been through it.
    if (!work.flush()) return false;
    if (work.size > dataLimit) {
        errno = EFBIG;
        return false;
    }
    bool ok = writeLibrary(stage, index, work);
    ok = fileOps::syncToDisk(stage, stageName) && ok && !std::ferror(stage);
    ok = (std::fclose(stage) == 0) && ok;
    stage = nullptr;
    if (ok && reached) reached("staged");
    if (ok) ok = fileOps::replace(stageName, outPath);
    if (ok) {
        stageName.clear();
        if (reached) reached("replaced");
    }
    return ok;
}
