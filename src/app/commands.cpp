#include "app/commands.h"

#include <cstring>
#include <string>

#include "app/mgrVek.h"
#include "app/vekMenu.h"
#include "app/vekWnd.h"
#include "engine/componentFile.h"
#include "engine/compress.h"
#include "engine/expand.h"
#include "framework/mgrAbns.h"
#include "support/miscfuns.h"

namespace {

constexpr int bufferSize = 300;

HWND ownerWindow() { return theVekWnd ? theVekWnd->hWndGet() : nullptr; }

// Expand, Compress and Both: clear the log, ask in the dialog, run the engine.
void runFrame(vekMenu& menu, int mode) {
    if (theVekWnd) theVekWnd->clearLog();
    openSpec request{};
    const char* ext = mode == compressLib ? ".lst" : libraryExtension(lastLibType);
    std::strcpy(request.ext, ext);
    std::strcpy(request.ext2, ext);
    strCopyCut(request.name, menu.lastName, sizeof request.name);
    const char* defaultExt = mode == bothLib ? libraryExtension(lastLibType) : ".lst";
    auto* dialogBox = new mgrVek(mode, defaultExt, &request, nullptr);
    if (dialogBox->doModal(ownerWindow()) == 1) {
        openSpec answer{};
        char buf1[bufferSize] = "", buf3[bufferSize] = "";
        std::int32_t remove = 0;
        const int kind =
            dialogBox->getResults(&answer, buf1, bufferSize, buf3, bufferSize, mode == compressLib ? &remove : nullptr);
        strCopyCut(menu.lastName, answer.name, sizeof menu.lastName);
        if (char* dot = std::strchr(menu.lastName, '.')) *dot = '\0';
        vekLog log;
        if (mode == expandLib) {
            expandLibrary(kind, buf1, log);
        } else if (mode == compressLib) {
            compressLibrary(kind, buf1, buf3, remove, log);
        } else {
            const std::string list = listPathFor(buf1);
            if (expandLibrary(kind, buf1, log) == 0) compressLibrary(kind, list.c_str(), buf1, 1, log);
        }
    }
    delete dialogBox;
}

void expandCommand(vekMenu& menu) { runFrame(menu, expandLib); }
void compressCommand(vekMenu& menu) { runFrame(menu, compressLib); }
void bothCommand(vekMenu& menu) { runFrame(menu, bothLib); }

void aboutCommand(vekMenu&) {
    mgrAbns box("Library Expansion/Compression Utility", "About VEKWIN", "vekicon");
    box.doModal(ownerWindow());
}

}  // namespace

void installCommands() {
    vekCommands.expand = expandCommand;
    vekCommands.compress = compressCommand;
    vekCommands.both = bothCommand;
    vekCommands.about = aboutCommand;
}
