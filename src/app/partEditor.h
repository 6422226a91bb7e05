// Edit in place for the Library window: a part's text goes to a file of its
// own in a folder for the purpose ("vek-edit" in the system's temporary
// folder), which opens in the user's editor: the program named by the
// profile's LIBRARY editor key, else the one registered for the file's
// extension, else Notepad. The window looks now and then for a file saved
// since, and asks whether to put the change into the library.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "engine/format/libKind.h"
#include "engine/io/sectionMatch.h"

class partEditor {
public:
    struct edit {
        std::string name;  // of the part, as the library had it
        std::string file;
        fileStamp seen;     // the file as last looked at
        fileStamp library;  // the library when the part was opened
        bool kept = false;  // a change not put in: the file stays
    };

    partEditor() = default;
    // Removes each file whose change was put in, or never made.
    ~partEditor();
    partEditor(const partEditor&) = delete;
    partEditor& operator=(const partEditor&) = delete;

    // Writes text to NAME's file (as expand names it) and opens it in the
    // editor. False when the file can't be written or no editor starts.
    bool open(const std::string& name, const libKind& kind, const std::string& text, const std::string& library,
              HWND owner);

    // An edit whose file was saved since the last look, or null.
    edit* nextSaved();

    static std::string folder();

private:
    std::vector<edit> edits;
};
