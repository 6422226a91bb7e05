#include <cstdio>
#include <string>

#include "engine/ops/inspect.h"
#include "engine/ops/libraryInput.h"
#include "support/fileOps.h"
#include "support/textDiff.h"

// Every part as the library holds it, header line first. A diff of two such
// texts must never fail, so damage is shown, not refused: a part cut short
// is followed by a line saying so, and verify's findings close the text.
opResult showLibraryText(const libKind& kind, const std::string& libraryPath, logSink& out, logSink& log) {
    std::FILE* probe = fileOps::open(libraryPath, "rb");
    if (!probe) {
        logProblem(log, "Cat: fatal error: can't open library: " + libraryPath, libraryPath, fileOps::lastReason());
        return opResult::failed;
    }
    std::fclose(probe);
    libraryInput in;
    memoryLog told;  // what the reading met is in verify's findings below
    libraryPart part;
    if (in.open(kind, libraryPath, "Cat", told, partReader::mode::byScan)) {
        while (in.next(part)) {
            for (const std::string& line : splitLines(part.read + part.body)) out.addLine(line);
            if (!part.whole()) out.addLine("vek: damaged: " + part.name + " is cut short: " + notWholeReason(part, 0));
        }
    }
    memoryLog findings;
    if (verifyFindings(kind, libraryPath, findings) == 0) return opResult::done;
    for (const std::string& line : findings.lines) out.addLine("vek: damaged: " + line);
    return opResult::done;
}
