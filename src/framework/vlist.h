// "VList": a list control whose items live with its owner. The control
// keeps only the visible rows, in an inner standard list box, and asks its
// owner for items one at a time through owner requests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/vlistSelection.h"

enum vlbMessage : UINT {
    VLB_RESETCONTENT = 1524, VLB_SETCURSEL, VLB_GETCURSEL, VLB_GETTEXT, VLB_GETTEXTLEN, VLB_GETCOUNT,
    VLB_SELECTSTRING, VLB_FINDSTRING, VLB_GETITEMRECT, VLB_GETITEMDATA, VLB_SETITEMDATA,
    VLB_SETITEMHEIGHT, VLB_GETITEMHEIGHT, VLB_LOCATESTRING, VLB_INITIALIZE, VLB_SETTABSTOPS,
    VLB_GETTOPINDEX, VLB_SETTOPINDEX, VLB_GETHORIZONTALEXTENT, VLB_SETHORIZONTALEXTENT,
    VLB_UPDATEPAGE, VLB_GETLINES, VLB_PAGEDOWN, VLB_PAGEUP
};

enum vlbRequest : UINT {
    VLBR_FINDSTRING = 1624, VLBR_SELECTSTRING, VLBR_FINDSTRING2, VLBR_GETITEMDATA, VLBR_GETTEXT,
    VLBR_GETTEXTLEN, VLBR_FIRST, VLBR_PREV, VLBR_NEXT, VLBR_LAST, VLBR_FINDPOS, VLBR_GETCOUNT,
    VLBR_FINDPERCENT
};

// Extended selection (Ctrl and Shift clicks and moves, Ctrl+A): off until
// VLB_SETEXTENDEDSEL (TRUE). The selection is item numbers in ranges
// (vlistSelection); VLB_GETSELECTION answers a pointer to it (0 when off),
// VLB_SETSELECTION takes one to copy. VLB_SETCURSEL selects the one item.
// Rows are drawn selected by it: the control must be owner-drawn.
enum vlbPickMessage : UINT { VLB_SETEXTENDEDSEL = 1560, VLB_GETSELECTION, VLB_SETSELECTION };

constexpr UINT VLBN_ITEMGONE = 1724;
constexpr UINT VLBN_CLEARED = 1725;

// The request structure. The two text pointers are pointer-sized; the other
// fields are 32-bit.
struct VLBStruct {
    std::int32_t ctlId;
    std::int32_t status;
    std::int32_t data;
    std::int32_t index;
    char* lpTextPointer;
    const char* lpSearchText;
    std::int32_t reserved;
};

struct VLBox {
    char** strings;
    std::int32_t nStrings;
    HINSTANCE hInstance;
    std::int32_t lineHeight;
    std::int32_t redrawCount;
    std::uint16_t flags;
    HFONT hFont;
    HWND hWnd;
    std::int32_t ctlId;
    HWND hWndOwner;
    HWND hWndList;
    WNDPROC oldListProc;
    std::int32_t nVisible;
    std::uint32_t style;
    std::int32_t topIndex;
    std::int32_t nRows;
    std::int32_t nItems;
    VLBStruct request;
    std::int32_t selItem;
    std::int32_t hScrollOn;
    std::unique_ptr<vlistSelection> picked;  // with extended selection on
};

constexpr std::uint16_t vlbHasText = 1;
constexpr std::uint16_t vlbDataMode = 2;
constexpr std::uint16_t vlbSelOutside = 8;
constexpr std::uint16_t vlbFocus = 16;

// Reference-counted registration of the "VList" class.
bool vlistRegister(HINSTANCE hInstance);
void vlistUnregister(HINSTANCE hInstance);

// The control state of a VList window (null for any other window).
VLBox* vlistState(HWND hWnd);

// The built-in item source: answers an owner request from strings/nStrings.
// Returns 1 for the codes 1527 to 1636, 0 for others.
int vlistBuiltInSource(VLBox* box, UINT code, VLBStruct* request);

LRESULT CALLBACK vlistWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
