// The three kinds of library and the strings each kind fixes.
#pragma once

#include <string>

constexpr int DLG_BUTTON1 = 101;
constexpr int DLG_BUTTON2 = 102;
constexpr int DLG_BUTTON3 = 103;

// The version field of every library written.
extern const char* const releaseString;

struct libKind {
    int kind;                  // 1 symbol, 2 package, 3 footprint
    int buttonId;              // DLG_BUTTON1 to DLG_BUTTON3
    const char* kindName;      // "symbol"
    const char* keyword;       // "*symbol"
    const char* componentExt;  // ".sym"
    const char* libraryExt;    // ".slb"
};

// The kind for a radio-button id, or null for any other id.
const libKind* kindForButton(int buttonId);

// The kind whose library extension ends path (any letter case), or null.
const libKind* kindForLibraryPath(const std::string& path);

// The kind named "symbol", "package" or "footprint", or null.
const libKind* kindForName(const std::string& name);

// The kind of the operation running now. Set at the start of each operation
// and kept until the next one, as the header formatter and the index check
// read them.
extern std::string curKeyword;
extern std::string curKindName;

void setCurrentKind(const libKind& kind);
