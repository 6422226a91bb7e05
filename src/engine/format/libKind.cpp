#include "engine/format/libKind.h"

#include <cstring>

#include "support/miscfuns.h"

const libKind* kindForLibraryPath(const std::string& path) {
    for (const libKind* k : allKinds) {
        const std::size_t extSize = std::strlen(k->libraryExt);
        if (path.size() > extSize && strCmpNoCase(path.c_str() + path.size() - extSize, k->libraryExt) == 0) {
            return k;
        }
    }
    return nullptr;
}

const libKind* kindForName(const std::string& name) {
    for (const libKind* k : allKinds) {
        if (name == k->kindName) return k;
    }
    return nullptr;
}
