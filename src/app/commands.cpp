#include "app/commands.h"

#include <cstring>
#include <memory>

#include "app/busyRun.h"
#include "app/engineCalls.h"
#include "app/libraryDlg.h"
#include "app/mgrVek.h"
#include "app/resource.h"
#include "app/vekMenu.h"
#include "app/vekWnd.h"
#include "framework/app.h"
#include "framework/mgrAbns.h"
#include "support/miscfuns.h"

namespace {

HWND ownerWindow() { return theVekWnd ? theVekWnd->hWndGet() : nullptr; }

void runEngine(int mode, const vekRequest& r) {
    vekLog log;
    const char* input = r.input.c_str();
    busyRun run(mode == expandLib ? "Expand" : mode == compressLib ? "Compress" : "Both");
    if (mode == expandLib) {
        // Expand reads on one thread and writes on another, as the tool
        // does; both log through the hand-over, and this thread shows it.
        run.runElsewhere([&](logSink& said, const runControl& control) {
            runControl behind = control;
            behind.writeBehind = true;
            expandLibrary(r.kind, input, said, &behind);
        }, log);
    } else if (mode == compressLib) {
        // The parts are read ahead on threads that neither log nor touch a
        // window: compress logs from this thread.
        runControl ahead = run.control();
        ahead.readAhead = true;
        compressLibrary(r.kind, input, r.output.c_str(), r.remove ? 1 : 0, log, &ahead);
    } else {
        bothLibrary(r.kind, input, log, &run.control());
    }
}

// The Library window on a library, or an error box naming it.
void browseLibrary(const libKind& kind, const std::string& path) {
    vekLog log;
    libraryDlg window(kind, path, log);
    if (!window.load()) {
        errorBox(IDS_LIB_UNREADABLE, 0, path.c_str());
        return;
    }
    window.doModal(ownerWindow());
}

// Expand, Compress, Both and Browse: clear the log, ask in the dialog, run
// the engine (or open the Library window).
void runFrame(vekMenu& menu, int mode) {
    if (theVekWnd) theVekWnd->clearLog();
    openSpec given{};
    const char* ext = mode == compressLib ? ".lst" : libraryExtension(lastLibType);
    std::strcpy(given.ext, ext);
    std::strcpy(given.ext2, ext);
    strCopyCut(given.name, menu.lastName, sizeof given.name);
    const char* defaultExt = mode == bothLib ? libraryExtension(lastLibType) : ".lst";
    auto dialogBox = std::make_unique<mgrVek>(mode, defaultExt, &given, nullptr);
    if (dialogBox->doModal(ownerWindow()) != 1) return;
    const vekRequest request = dialogBox->request();
    strCopyCut(menu.lastName, request.name.c_str(), sizeof menu.lastName);
    if (char* dot = std::strchr(menu.lastName, '.')) *dot = '\0';
    if (mode == browseLib) {
        browseLibrary(*kindForButton(request.kind), request.input);
    } else {
        runEngine(mode, request);
    }
}

}  // namespace

void expandCommand(vekMenu& menu) { runFrame(menu, expandLib); }
void compressCommand(vekMenu& menu) { runFrame(menu, compressLib); }
void bothCommand(vekMenu& menu) { runFrame(menu, bothLib); }
void browseCommand(vekMenu& menu) { runFrame(menu, browseLib); }

void openLibraryWindow(const std::string& path) {
    if (const libKind* kind = kindForLibraryPath(path)) {
        browseLibrary(*kind, path);
    } else {
        errorBox(IDS_NOT_A_LIBRARY, 0, path.c_str());
    }
}

void aboutCommand(vekMenu&) {
    mgrAbns box("Library Expansion/Compression Utility", "About VEKWIN", "vekicon");
    box.doModal(ownerWindow());
}
