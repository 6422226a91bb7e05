#include "engine/expand.h"

#include "engine/indexList.h"
#include "engine/libKind.h"
#include "engine/libraryScan.h"
#include "support/assertion.h"

int expandLibrary(int button, const char* infile, logSink& log) {
    vekRequire(button == DLG_BUTTON1 || button == DLG_BUTTON2 || button == DLG_BUTTON3);
    vekRequire(infile);
    theIndex.clear();
    const libKind& kind = *kindForButton(button);
    setCurrentKind(kind);
    libraryScan run(infile, kind, libraryScan::mode::expand, log);
    if (!run.openLibrary() || !run.findIndex() || !run.openListFile() || !run.readIndex() ||
        !run.scanComponents() || !run.finish()) {
        return 1;
    }
    log.addLine("Expand: Checking index....");
    theIndex.checkIndex(log);
    theIndex.clear();
    log.addLine("");
    log.addLine("Expand: --- DONE ---");
    log.addLine("");
    return 0;
}
