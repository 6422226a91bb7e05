// The three kinds of library and the four strings each kind fixes.
#pragma once

#include <string>

// The version field of every library written.
inline constexpr const char* releaseString = "6.3";

struct libKind {
    int number;                // 1 symbol, 2 package, 3 footprint
    const char* kindName;      // "symbol", as messages name the kind
    const char* keyword;       // "*symbol", which begins every header line
    const char* componentExt;  // ".sym"
    const char* libraryExt;    // ".slb"
};

inline constexpr libKind symbolKind{1, "symbol", "*symbol", ".sym", ".slb"};
inline constexpr libKind packageKind{2, "package", "*package", ".pkg", ".plb"};
inline constexpr libKind footprintKind{3, "footprint", "*footprint", ".fpd", ".flb"};
inline constexpr const libKind* allKinds[] = {&symbolKind, &packageKind, &footprintKind};

// The kind whose library extension ends path (any letter case), or null.
const libKind* kindForLibraryPath(const std::string& path);

// The kind named "symbol", "package" or "footprint", or null.
const libKind* kindForName(const std::string& name);
