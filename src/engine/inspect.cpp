#include "engine/inspect.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/checksum.h"
#include "engine/indexLine.h"
#include "engine/indexList.h"
#include "engine/libKind.h"
#include "engine/libReader.h"
#include "engine/libraryScan.h"
#include "support/fileOps.h"
#include "support/assertion.h"

namespace {

// Passes lines on and counts them: in verify mode every line is a finding.
class countingLog : public logSink {
public:
    explicit countingLog(logSink& to) : target(to) {}
    void addLine(const std::string& line) override {
        ++count;
        target.addLine(line);
    }
    int count = 0;

private:
    logSink& target;
};

std::uint32_t checksumFrom(std::FILE* f, long long start) {
    std::uint32_t sum = checksumStart;
    if (std::fseek(f, static_cast<long>(start), SEEK_SET) != 0) return sum;
    std::vector<unsigned char> block(1 << 16);
    std::size_t n;
    while ((n = std::fread(block.data(), 1, block.size(), f)) > 0) sum = checksumUpdate(sum, block.data(), n);
    return sum;
}

// Compares the checksum of the version line with the data section's.
void checkVersionLine(std::FILE* f, long long dataStart, logSink& log) {
    std::rewind(f);
    libReader reader(f);
    std::string first;
    reader.readLibLine(first, log);
    char version[128] = "";
    unsigned long stated = 0;
    char more = 0;
    if (std::sscanf(first.c_str(), "*version %127s %lu%c", version, &stated, &more) < 2 ||
        (more != 0 && more != '\n')) {
        log.addLine("Verify: no version line with a checksum");
        return;
    }
    const std::uint32_t actual = checksumFrom(f, dataStart);
    if (stated != actual) {
        log.addLine("Verify: checksum " + std::to_string(stated) + " in the version line, " +
                    std::to_string(actual) + " for the data section");
    }
}

}  // namespace

int verifyLibrary(int button, const char* library, logSink& log) {
    vekRequire(button == DLG_BUTTON1 || button == DLG_BUTTON2 || button == DLG_BUTTON3);
    vekRequire(library);
    theIndex.clear();
    const libKind& kind = *kindForButton(button);
    setCurrentKind(kind);
    countingLog findings(log);
    libraryScan scan(library, kind, libraryScan::mode::verify, findings);
    if (scan.openLibrary() && scan.findIndex()) {
        if (scan.readIndex()) scan.scanComponents();
        theIndex.checkIndex(findings);
        std::fseek(scan.library(), 0, SEEK_END);
        const long long end = std::ftell(scan.library());
        checkVersionLine(scan.library(), scan.hasComponents() ? scan.dataSectionStart() : end, findings);
    }
    theIndex.clear();
    const int count = findings.count;
    log.addLine(count == 0 ? "Verify: library is clean"
                           : "Verify: " + std::to_string(count) + " finding(s)");
    return count == 0 ? 0 : 1;
}

int listLibrary(int button, const char* library, logSink& entries, logSink& log) {
    vekRequire(button == DLG_BUTTON1 || button == DLG_BUTTON2 || button == DLG_BUTTON3);
    vekRequire(library);
    setCurrentKind(*kindForButton(button));
    std::FILE* f = fileOps::open(library, "rb");
    if (!f) {
        log.addLine("List: fatal error: can't open library: " + std::string(library));
        return 1;
    }
    libReader reader(f);
    std::string line;
    bool indexFound = false;
    while (!indexFound && reader.readLibLine(line, log)) indexFound = beginsWith(line, "@index");
    while (indexFound && reader.readLibLine(line, log) && !beginsWith(line, curKeyword)) {
        if (!beginsWith(line, "symloc")) continue;
        std::unique_ptr<indexEntry> entry(entryFromIndexLine(line));
        if (!entry) continue;
        const std::string text = formatIndexLine(*entry);
        entries.addLine(text.substr(7, text.size() - 8));
    }
    std::fclose(f);
    if (!indexFound) log.addLine("List: fatal error: no index");
    return indexFound ? 0 : 1;
}
