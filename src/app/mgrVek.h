// The command dialog of Expand, Compress and Both: the library type, the
// input name (a library, or a list file for Compress) and, for Compress, the
// output library, each picked from directory and file lists.
#pragma once

#include <cstdint>
#include <string>

#include "framework/mgrOpen.h"

enum vekMode { compressLib = 0, expandLib = 1, bothLib = 2, browseLib = 3 };

// The radio id accepted last (DLG_BUTTON1, symbol, at start).
extern std::int32_t lastLibType;

// ".slb", ".plb" or ".flb" for a radio id (anything else counts as symbol).
const char* libraryExtension(int radioId);

// What the user asked for when the dialog ended with OK.
struct vekRequest {
    int kind = 0;          // DLG_BUTTON1 to DLG_BUTTON3
    std::string input;     // the library, or for Compress the list file
    std::string output;    // Compress: the output library
    bool remove = false;   // Compress: delete the component files afterwards
    std::string name;      // the name chosen, as the next dialog offers it
};

class mgrVek : public mgrOpen {
public:
    mgrVek(int mode, const char* defaultExt, const openSpec* spec, const char* title);
    ~mgrVek() override;

    INT_PTR onInitDialog() override;
    LRESULT onCommand(int id, WPARAM code, LPARAM control) override;
    int doAction(int id) override;

    vekRequest request() const;
    int getResults(openSpec* pData, char* buf1, int size1, char* buf3, int size3, std::int32_t* removeFlag);
    void fillLists(int list1, int edit1, char* name1, const char* ext1, int list3, int edit3, char* name3,
                   const char* ext3);

    char* inName = nullptr;
    char* outName = nullptr;
    std::int32_t compress;
    std::int32_t libType;
    std::int32_t removeFiles = 1;
    char inExt[100] = {};
    char outExt[100] = {};

private:
    int onRadio(int id);
    void onListSelection(int list, int edit, char* ext);
    int accept();
    int placeBranch(char* name1, char* name3);
    int finish(const char* name1, const char* name3);
    void refresh(char* name1, char* name3);
    bool isCompress() const { return compress == compressLib; }
};
