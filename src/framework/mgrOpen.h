// The file-open dialog: an edit field for a typed file name or pattern (301),
// the matching files (401), the subdirectories and drives (402) and the
// current directory (601). It interprets what the user typed against its
// openSpec record, each failure a numbered error.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <cstdint>

#include "framework/dialog.h"

struct openSpec {
    std::uint32_t flags;
    std::uint32_t reserved;
    char ext[16];
    char ext2[16];
    char name[100];
    char dir[300];
};

class mgrOpen : public dlgMgr {
public:
    mgrOpen(const char* defaultExt, const openSpec* spec, const char* title, int filterId, int filterIndex);
    ~mgrOpen() override;

    INT_PTR onInitDialog() override;
    LRESULT onCommand(int id, WPARAM code, LPARAM control) override;
    int resolveEntry(const char* text);

    OPENFILENAMEA ofn;
    char* szFilterSpec = nullptr;
    const char* caption = nullptr;
    openSpec spec;
    char file[300];

private:
    void buildFilter(int filterId);
    void onDirListSelection();
};

// The full path and file part of path (new strings from strDup, also after a
// failure; either out pointer may be null). 0, or 821 when the directory part
// cannot be entered. The current drive and directory are left as they were.
int resolvePath(const char* path, char** fileNameOut, char** fullPathOut);

// 0, or 815 to 819 or 821 for a name that breaks the 8.3 rules.
int checkFileName(const char* path);
