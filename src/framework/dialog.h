// The base of every dialog. One dialog procedure, dialogProc, finds the
// object of each dialog window in a small fixed table and turns messages
// into calls of the virtual operations below (kept in the framework's slot
// order). The control helpers are thin wrappers, one message each.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

class wnd;

// The size of the buffer the list helpers build their patterns in.
constexpr std::size_t fileListBufferSize = MAX_PATH * 2;

class dialog {
public:
    explicit dialog(std::int32_t modeless);
    virtual ~dialog();                                                    // 0
    dialog(const dialog&) = delete;
    dialog& operator=(const dialog&) = delete;

    virtual void run(HWND owner);                                         // 1
    virtual INT_PTR onInitDialog();                                       // 2
    virtual void reserved3();                                             // 3
    virtual int reserved4();                                              // 4
    virtual LRESULT onVListRequest(UINT message, WPARAM wParam, LPARAM lParam);  // 5
    virtual int doAction(int id);                                         // 6
    virtual LRESULT onVKeyToItem(int key, WPARAM wParam);                 // 7
    virtual LRESULT onDrawItem(WPARAM wParam, LPARAM lParam);             // 8
    virtual LRESULT onActivate();                                         // 9
    virtual LRESULT onMeasureItem(WPARAM wParam, LPARAM lParam);          // 10
    virtual LRESULT preCommand(int id, WPARAM wParam);                    // 11
    virtual LRESULT onCommand(int id, WPARAM code, LPARAM control);       // 12
    virtual std::int32_t* getPosition();                                  // 13
    virtual void onDestroy();                                             // 14
    virtual void setTemplate(const char* name);                           // 15
    // Any message the procedure does not turn into one of the above
    // (WM_SIZE, WM_TIMER, ...); the dialog procedure's result.
    virtual INT_PTR onOtherMessage(UINT message, WPARAM wParam, LPARAM lParam);  // 16

    int doModal(wnd* owner);
    int doModal(HWND owner);
    void endDialog();

    void setItemFocus(int id);
    void disableItem(int id);
    char* getItemText(int id, char* buffer, int size);
    void setItemText(int id, const char* text);
    void setCaption(const char* text);
    void checkItem(int id);
    int isItemChecked(int id);
    void selectAllText(int id);
    int getListSelText(int id, char* buffer);
    int selectListString(int id, const char* text);
    void setItemIcon(int id, HICON icon);
    // buffer holds fileListBufferSize bytes; 0 when the list cannot be filled.
    int fillFileList(char* buffer, char* dir, char* name, const char* ext, int listId, int textId);
    int fillDirList(char* buffer, char* dir, char* name, const char* ext, int listId, int pathId);
    void getOrigin(std::int32_t* left, std::int32_t* top);
    void moveTo(std::int32_t* left, std::int32_t* top);

    std::int32_t result = 0;
    const char* templateName = nullptr;
    std::int32_t modeless = 0;
    HWND hWnd = nullptr;
};

// The common base of the dialog manager's dialogs.
class dlgMgr : public dialog {
public:
    using dialog::dialog;
    ~dlgMgr() override;
};

struct dialogPair {
    dialog* object;
    HWND hWnd;
};

constexpr int dialogTableSize = 8;
extern dialogPair dialogTable[dialogTableSize];

INT_PTR CALLBACK dialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// Makes drive 1 (A), 2 (B), ... current; the result of SetCurrentDirectoryA.
BOOL changeDrive(int drive);
