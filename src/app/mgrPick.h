// The file-open dialog in its "Add Parts" form (DLGADD): component files to
// put into a library. Several can be taken at once from the file list; a
// typed name gives one; a pattern, a drive or a folder typed into the name
// field lists that place instead of closing the dialog.
#pragma once

#include <string>
#include <vector>

#include "framework/mgrOpen.h"

class mgrPick : public mgrOpen {
public:
    // ext: the component files' extension (".sym"), listed and appended.
    explicit mgrPick(const char* ext);

    int doAction(int id) override;

    // The chosen files, as full paths, once the dialog ended with OK.
    std::vector<std::string> files;

private:
    int accept(bool fromDirectoryList);
    void refresh();
    std::string componentExt;
};
