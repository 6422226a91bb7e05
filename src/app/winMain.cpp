// The program's entry and exit.
#include <windows.h>

#include <cstring>
#include <new>

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

int runProgram(HINSTANCE hInstance, HINSTANCE hPrevInstance, int nCmdShow) {
    errorBuffer = new (std::nothrow) char[errorBufferSize]();
    theApp = new (std::nothrow) app(hInstance, hPrevInstance, nCmdShow);
    theAppEnv = theApp ? &theApp->env : nullptr;
    theMsgLoop = new (std::nothrow) msgLoop;
    theVekWnd = new (std::nothrow) vekWnd(programTitle);
    if (theMsgLoop) theMsgLoop->run(theVekWnd, 1);
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

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR commandLine, int nCmdShow) {
    if (FindWindowA("VEKWnd", nullptr)) {
        MessageBoxA(nullptr, "Can only run one VK at a time.", nullptr, 0x2010);
        return 1;
    }
    int argc = 0;
    char** argv = nullptr;
    splitCommandLine(hInstance, commandLine, &argc, &argv);
    if (!thunkInit(hInstance)) return 1;
    readOptions(argc, argv);
    theCfman.load(profileName, programTitle);
    const int code = runProgram(hInstance, hPrevInstance, nCmdShow);
    // Everything that holds blocks of the small-block heap is given back
    // before it closes: nothing may release a page block afterwards.
    freeCommandLine(argc, argv);
    wheapClose();
    thunkExit();
    return code;
}
