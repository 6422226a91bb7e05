#include "engine/io/componentWriter.h"

#include <optional>

#include "engine/format/componentFile.h"
#include "support/fileOps.h"

namespace {

bool writeAll(std::FILE* f, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), f) == text.size();
}

}  // namespace

componentWriter::~componentWriter() {
    if (out) std::fclose(out);
    if (list) std::fclose(list);
}

bool componentWriter::fail(const char* what, const std::string& file) {
    const std::string why = fileOps::lastReason();
    logProblem(log, prefix + "fatal error: " + what + file, file, why);
    return false;
}

bool componentWriter::openList(const std::string& path) {
    listPath = path;
    list = fileOps::open(path, "w");
    if (!list) return fail("can't open list file: ", path);
    return true;
}

bool componentWriter::begin(const std::string& name, const std::string& header) {
    writeOk = true;
    // The first name the rule tries is free when nothing has it: creating it
    // at once is that test and the create in one call.
    const std::string first = name.empty() ? std::string() : componentBaseName(name, kind);
    const bool usable = !first.empty() && !isDeviceName(first);
    if (usable && (out = fileOps::createNew(inFolder(folder, first), "w")) != nullptr) {
        fileName = first;
    } else if (usable && overwrite && !written.count(first) && !fileOps::isLink(inFolder(folder, first))) {
        fileName = first;
        out = fileOps::open(inFolder(folder, fileName), "w");
        if (!out) return fail("can't open: ", inFolder(folder, fileName));
    } else {
        std::optional<std::string> free;
        if (!name.empty()) free = componentFileName(name, kind, folder);
        if (!free) {
            log.report(lineKind::warning, prefix + "***** Not writing file for " + name + " *****");
            log.problem(name, "not written: no free file name");
            return true;
        }
        fileName = *free;
        out = fileOps::open(inFolder(folder, fileName), "w");
        if (!out) return fail("can't open: ", inFolder(folder, fileName));
    }
    if (overwrite) written.insert(fileName);
    std::setvbuf(out, outBuffer.data(), _IOFBF, outBuffer.size());
    log.addLine(prefix + "Writing " + name + "    to    " + fileName);
    if ((list && !writeAll(list, fileName + " \t" + name + "\n")) || !writeAll(out, header)) {
        std::fclose(out);
        out = nullptr;
        return fail("can't write: ", fileName);
    }
    return true;
}

void componentWriter::write(const std::string& line) {
    if (out && !writeAll(out, line)) writeOk = false;
}

bool componentWriter::end() {
    if (!out) return true;
    if (std::fclose(out) != 0) writeOk = false;
    out = nullptr;
    if (!writeOk) return fail("can't write: ", fileName);
    return true;
}

bool componentWriter::finish() {
    if (!list) return true;
    const bool listOk = fileOps::syncToDisk(list, listPath) && !std::ferror(list);
    const bool closed = std::fclose(list) == 0;
    list = nullptr;
    if (!listOk || !closed) return fail("can't write: ", listPath);
    return true;
}
