// The program's entry and exit.
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <new>
#include <string>

#include "app/libraryOpener.h"
#include "app/vekWnd.h"
#include "engine/ops/runControl.h"
#include "framework/app.h"
#include "framework/msgLoop.h"
#include "framework/thunk.h"
#include "support/cfman.h"
#include "support/options.h"
#include "support/wmalloc.h"

namespace {

const char* const programTitle = "Library Expander/Compressor";

optionEntry optionTable[] = {
    {"i", 1, nullptr, 0},
    {"ps", 1, nullptr, 0},
};

const char* profileName = "kelv.ini";

void showOptionMessage(const char* caption, const char* text) { infoBox(caption, text, nullptr); }

// The parser removes the words it takes from the array it is given, so it
// works on a copy of the pointers: the words themselves are freed at the end
// from the original array, each once.
void readOptions(int argc, char** argv) {
    setOptMessageBox(showOptionMessage);
    char** words = new char*[static_cast<std::size_t>(argc)];
    std::memcpy(words, argv, sizeof(char*) * static_cast<std::size_t>(argc));
    parseOptions(&argc, words, 2, optionTable);
    delete[] words;
    for (const optionEntry& row : optionTable) {
        if (row.name[0] == 'i' && row.seen && row.values && row.values[0]) profileName = row.values[0];
    }
}

int runProgram(HINSTANCE hInstance, HINSTANCE hPrevInstance, int nCmdShow, const std::string& library) {
    // The version 6 controls the manifest asks for, and the header control of
    // the Library window's list.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    errorBuffer = new (std::nothrow) char[errorBufferSize]();
    theApp = new (std::nothrow) app(hInstance, hPrevInstance, nCmdShow);
    theAppEnv = theApp ? &theApp->env : nullptr;
    theMsgLoop = new (std::nothrow) msgLoop;
    theVekWnd = new (std::nothrow) vekWnd(programTitle);
    if (theVekWnd && !library.empty()) openLibraryLater(library);
    if (theMsgLoop) theMsgLoop->run(theVekWnd, 1);
    dropQueuedLibraries();
    const int code = theMsgLoop ? static_cast<int>(theMsgLoop->exitCode()) : 0;
    theCfman.save();
    delete theVekWnd;
    theVekWnd = nullptr;
    theMainWnd = nullptr;
    delete theMsgLoop;
    theMsgLoop = nullptr;
    delete theApp;
    theApp = nullptr;
    theAppEnv = nullptr;
    delete[] errorBuffer;
    errorBuffer = nullptr;
    return code;
}

// Start-up up to the end of the message loop; false when the
// program is not to run. The library named on the command line opens once
// the main window exists.
bool startAndRun(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR commandLine, int nCmdShow, int* code) {
    const std::string library = libraryArgument(commandLine);
    if (HWND running = FindWindowA("VEKWnd", nullptr)) {
        // A library to open goes to the copy that runs; without one, the
        // second copy is refused.
        *code = !library.empty() && handOverLibrary(running, library) ? 0 : 1;
        if (*code) MessageBoxA(nullptr, "Can only run one VK at a time.", nullptr, 0x2010);
        return false;
    }
    int argc = 0;
    char** argv = nullptr;
    splitCommandLine(hInstance, commandLine, &argc, &argv);
    if (!thunkInit(hInstance)) {
        *code = 1;
        return false;
    }
    readOptions(argc, argv);
    theCfman.load(profileName, programTitle);
    *code = runProgram(hInstance, hPrevInstance, nCmdShow, library);
    freeCommandLine(argc, argv);
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR commandLine, int nCmdShow) {
    int code = 0;
    if (!startAndRun(hInstance, hPrevInstance, commandLine, nCmdShow, &code)) return code;
    // Everything that holds blocks of the small-block heap is given back
    // before it closes: nothing may release a page block afterwards.
    wheapClose();
    thunkExit();
    return code;
}
