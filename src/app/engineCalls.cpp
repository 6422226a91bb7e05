#include "app/engineCalls.h"

#include "app/resource.h"
#include "engine/ops/both.h"
#include "engine/ops/compress.h"
#include "engine/ops/expand.h"
#include "support/assertion.h"
#include "support/cfman.h"

namespace {

const char* const engineModule = "LIBUTILS\\SRC\\VEKMAIN";

// The engine module's own library-path setting: a second item with the
// configuration manager's key, loaded and saved with the profile although
// nothing reads it.
cfString engineLibPath("LIBPATH", "", "KELVARIS", 0);

}  // namespace

const libKind* kindForButton(int button) {
    switch (button) {
        case DLG_BUTTON1: return &symbolKind;
        case DLG_BUTTON2: return &packageKind;
        case DLG_BUTTON3: return &footprintKind;
        default: return nullptr;
    }
}

int expandLibrary(int button, const char* infile, logSink& log, const runControl* control) {
    vekRequire(button == DLG_BUTTON1 || button == DLG_BUTTON2 || button == DLG_BUTTON3, engineModule);
    vekRequire(infile, engineModule);
    return resultCode(expandLibrary(*kindForButton(button), std::string(infile), log, control));
}

int compressLibrary(int button, const char* listfile, const char* outfile, int removeFlag, logSink& log,
                    const runControl* control) {
    vekRequire(button == DLG_BUTTON1 || button == DLG_BUTTON2 || button == DLG_BUTTON3, engineModule);
    vekRequire(listfile, engineModule);
    vekRequire(outfile, engineModule);
    compressProbe probe;
    probe.control = control;
    return resultCode(compressLibrary(*kindForButton(button), std::string(listfile), std::string(outfile),
                                      removeFlag != 0, log, &probe));
}

int bothLibrary(int button, const char* library, logSink& log, const runControl* control) {
    vekRequire(button == DLG_BUTTON1 || button == DLG_BUTTON2 || button == DLG_BUTTON3, engineModule);
    vekRequire(library, engineModule);
    return resultCode(bothLibrary(*kindForButton(button), std::string(library), log, control));
}
