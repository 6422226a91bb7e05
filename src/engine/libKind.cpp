#include "engine/libKind.h"

#include "support/miscfuns.h"

const char* const releaseString = "6.3";

std::string curKeyword;
std::string curKindName;

namespace {

const libKind kinds[] = {
    {1, DLG_BUTTON1, "symbol", "*symbol", ".sym", ".slb"},
    {2, DLG_BUTTON2, "package", "*package", ".pkg", ".plb"},
    {3, DLG_BUTTON3, "footprint", "*footprint", ".fpd", ".flb"},
};

}  // namespace

const libKind* kindForButton(int buttonId) {
    for (const libKind& k : kinds) {
        if (k.buttonId == buttonId) return &k;
    }
    return nullptr;
}

const libKind* kindForLibraryPath(const std::string& path) {
    for (const libKind& k : kinds) {
        const std::string ext = k.libraryExt;
        if (path.size() > ext.size() &&
            strCmpNoCase(path.c_str() + path.size() - ext.size(), ext.c_str()) == 0) {
            return &k;
        }
    }
    return nullptr;
}

const libKind* kindForName(const std::string& name) {
    for (const libKind& k : kinds) {
        if (name == k.kindName) return &k;
    }
    return nullptr;
}

void setCurrentKind(const libKind& kind) {
    curKeyword = kind.keyword;
    curKindName = kind.kindName;
}
