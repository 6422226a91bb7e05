// The configuration manager: the one place that knows the profile file.
// Modules declare static profile items; each registers itself with theCfman
// while static objects are constructed (in no particular order, some before
// theCfman itself), load fills them at start-up and save writes the changed
// ones back at shutdown. readRaw and writeRaw reach single keys directly.
#pragma once

#include <cstdint>

class cfItem;

constexpr int nConfigSlots = 250;

class cfman {
public:
    // Constant-initialised: the object is complete before any static
    // constructor runs, so registrations made before its turn survive.
    constexpr cfman() : appTitle{}, iniFile{}, nSlots(0), slots{} {}

    void addItem(cfItem* item);
    void load(const char* profileName, const char* title);
    void save();
    char* readRaw(const char* section, const char* key, char* buffer, int size, int qualify);
    void writeRaw(const char* section, const char* key, const char* value, int length, int qualify);

    char appTitle[100];
    char iniFile[100];
    std::int32_t nSlots;
    cfItem* slots[nConfigSlots];
};

extern cfman theCfman;

// The profile file names for reading and for writing: "kelv.ini" until load.
extern const char* profileReadName;
extern const char* profileWriteName;

class cfItem {
public:
    cfItem(const char* key, const char* section, int qualify);
    virtual ~cfItem() = default;
    cfItem(const cfItem&) = delete;
    cfItem& operator=(const cfItem&) = delete;

    virtual int fromString(const char* text) = 0;
    virtual int toString(char* buffer, int size) = 0;

    // The effective section: prefix when section is null; section when
    // qualify is 0; else prefix, a blank and section, built in buffer (100
    // bytes; a longer name is cut to 99 characters).
    const char* sectionName(const char* prefix, char* buffer) const;

    std::int32_t dirty;
    const char* key;
    const char* section;
    std::int32_t qualify;
};

class cfString : public cfItem {
public:
    cfString(const char* key, const char* defaultValue, const char* section, int qualify);

    int fromString(const char* text) override;
    int toString(char* buffer, int size) override;

    char value[256];
};

// The system's own items.
extern cfString kelvIdItem;      // "KELVID", shown by the about box
extern cfString libPathItem;     // "LIBPATH"
extern cfString resourcePathItem;
extern cfString textEditCmdItem;
extern cfString backupItem;      // "BACKUP", the file-open dialog's path setting
