// The Library window: every part of one library in a VList (the rows come
// from the index, read once; the list box holds only the visible ones), a
// find field, the selected part's text as print shows it, a status line with
// the part count and the checksum, and Extract, Add, Delete and Verify. Every
// change goes through the engine's staged write; the log lines go to the
// main window's log.
#pragma once

#include <set>
#include <string>

#include "app/columnHeader.h"
#include "app/partEditor.h"
#include "app/pickedParts.h"
#include "app/textSearch.h"
#include "engine/format/libKind.h"
#include "engine/logSink.h"
#include "engine/ops/libraryBrowser.h"
#include "framework/dialog.h"
#include "framework/vlist.h"

class libraryDlg : public dlgMgr {
public:
    libraryDlg(const libKind& kind, std::string path, logSink& log);

    // Reads the library's index; false (logged) when it cannot be read.
    bool load();

    INT_PTR onInitDialog() override;
    LRESULT onVListRequest(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT onVKeyToItem(int key, WPARAM wParam) override;
    LRESULT onCommand(int id, WPARAM code, LPARAM control) override;
    LRESULT onDrawItem(WPARAM wParam, LPARAM lParam) override;
    INT_PTR onOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT answer(UINT message, VLBStruct& request);
    int selected() const;
    void select(int item);
    void showSelected();
    void showStatus();
    void find(bool next);
    void layout(int width, int height);
    void place(int id, int x, int y, int width, int height) const;
    template <typename Change>
    void change(const char* what, Change run);
    void reload(int item, const pickedParts* keep = nullptr);
    void showRowsAgain();
    bool stale();
    void reloadChanged();
    void watch();
    void stopWatching();
    bool folderChanged();
    void extract();
    void add();
    void remove();
    void verify();
    void repair();
    void startRename();
    void endRename(bool take);
    void startEdit();
    void askToPutIn(partEditor::edit& changed);
    void findInText();
    void foundInText();
    void nextFound();

    const libKind& kind;
    std::string path;
    logSink& log;
    libraryBrowser view;
    columnHeader columns;
    std::string rowText;  // the row last handed to the list; it copies it at once
    std::string note;     // about the part shown, when its index was wrong
    libraryBrowser::checksumState checksum = libraryBrowser::checksumState::pending;
    bool busy = false;  // a change runs: the window answers, its commands wait
    bool reloading = false;  // rows being shown anew after a change outside
    bool renaming = false;   // a name is being edited over its row
    textSearch search;
    partEditor editor;
    bool asking = false;  // whether to put an edited part in
    std::string searchedFor;
    std::set<std::string> found;  // the parts whose text holds searchedFor
    std::string renamed;     // the name it had
    HANDLE watched = nullptr;  // the change notification on the library's folder
};
