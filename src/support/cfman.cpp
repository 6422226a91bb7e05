#include "support/cfman.h"

#include <cstring>

#include "support/assertion.h"
#include "support/miscfuns.h"
#include "support/platform/profile.h"

cfman theCfman;

const char* profileReadName = "kelv.ini";
const char* profileWriteName = "kelv.ini";

namespace {

constexpr int sectionSize = 100;
constexpr int itemBufferSize = 200;

// Copies at most size - 1 characters and terminates: over-long titles, file
// names and section names are cut, never overrun.
void copyCut(char* to, const char* from, std::size_t size) { strCopyCut(to, from, size); }

// "first second" in a buffer of size bytes, cut to fit.
void joinCut(char* to, std::size_t size, const char* first, const char* second) {
    copyCut(to, first, size);
    const std::size_t n = std::strlen(to);
    if (n + 1 >= size) return;
    to[n] = ' ';
    copyCut(to + n + 1, second, size - n - 1);
}

}  // namespace

// A full table is reported as line 373 of the configuration module: the
// number is part of the message the user sees, so it stays fixed.
void cfman::addItem(cfItem* item) {
    if (nSlots >= nConfigSlots) {
        assertFail("!\"Please increase cfman::nConfigSlots!!!\"", "GUI\\SRC\\CFMAN", 373);
        return;
    }
    slots[nSlots++] = item;
}

void cfman::load(const char* profileName, const char* title) {
    copyCut(appTitle, title, sizeof appTitle);
    copyCut(iniFile, profileName, sizeof iniFile);
    profileReadName = profileWriteName = iniFile;
    for (int i = 0; i < nSlots; ++i) {
        char section[sectionSize];
        char buffer[itemBufferSize];
        cfItem* item = slots[i];
        const char* name = item->sectionName(appTitle, section);
        if (platform::profileGetString(name, item->key, "", buffer, itemBufferSize, profileReadName) != 0) {
            item->fromString(buffer);
        }
    }
}

void cfman::save() {
    for (int i = 0; i < nSlots; ++i) {
        cfItem* item = slots[i];
        if (!item->dirty) continue;
        char buffer[itemBufferSize];
        char section[sectionSize];
        item->toString(buffer, itemBufferSize);
        const char* name = item->sectionName(appTitle, section);
        platform::profileWriteString(name, item->key, buffer, profileWriteName);
    }
}

char* cfman::readRaw(const char* section, const char* key, char* buffer, int size, int qualify) {
    char name[sectionSize] = {};
    if (qualify) {
        joinCut(name, sizeof name, appTitle, section);
    } else {
        copyCut(name, section, sizeof name);
    }
    return platform::profileGetString(name, key, "", buffer, size, profileReadName) != 0 ? buffer : nullptr;
}

void cfman::writeRaw(const char* section, const char* key, const char* value, int, int qualify) {
    char name[sectionSize] = {};
    if (qualify) {
        joinCut(name, sizeof name, appTitle, section);
    } else {
        copyCut(name, section, sizeof name);
    }
    platform::profileWriteString(name, key, value, profileWriteName);
}

cfItem::cfItem(const char* k, const char* s, int q) : dirty(0), key(k), section(s), qualify(q) {
    theCfman.addItem(this);
}

const char* cfItem::sectionName(const char* prefix, char* buffer) const {
    if (!section) return prefix;
    if (!qualify) return section;
    joinCut(buffer, sectionSize, prefix, section);
    return buffer;
}

cfString::cfString(const char* k, const char* defaultValue, const char* s, int q) : cfItem(k, s, q), value{} {
    copyCut(value, defaultValue, sizeof value);
}

int cfString::fromString(const char* text) {
    copyCut(value, text, sizeof value);
    return 0;
}

int cfString::toString(char* buffer, int size) {
    if (size > 0) copyCut(buffer, value, static_cast<std::size_t>(size));
    dirty = 0;
    return 0;
}

cfString kelvIdItem("KELVID", "", "KELVARIS", 0);
cfString libPathItem("LIBPATH", "", "KELVARIS", 0);
cfString resourcePathItem("RESOURCEPATH", "", "KELVARIS", 0);
cfString textEditCmdItem("TEXTEDITCMD", "", "KELVARIS", 0);
cfString backupItem("BACKUP", "", "KELVARIS", 0);
