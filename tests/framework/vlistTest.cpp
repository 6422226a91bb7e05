// The VList control under Wine, with an owner window whose model answers in
// index mode, refuses the count (data mode), or fails a request.
#include <gtest/gtest.h>

#include "common/winTest.h"

#include <windows.h>

#include <cctype>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/vlist.h"
#include "selectionText.h"
#include "support/assertion.h"

namespace {

struct ownerModel {
    std::vector<std::string> items;
    bool refuseCount = false;
    std::map<UINT, int> requests;
    int itemsGone = 0;
    bool goneRowStillShown = false;  // a VLBN_ITEMGONE arrived while its row was still in the list box
    std::map<int, bool> drawnSelected;  // by row, as the last WM_DRAWITEM of each said
    std::string lastSearch;
    std::int32_t lastSearchStart = -99;

    // Data mode uses data values 1000 + index.
    std::int32_t dataOf(int i) const { return refuseCount ? 1000 + i : i; }
    int indexOf(const VLBStruct& r) const { return refuseCount ? r.data - 1000 : r.index; }
    int size() const { return static_cast<int>(items.size()); }

    bool give(VLBStruct& r, int i) {
        if (i < 0 || i >= size()) return false;
        r.index = i;
        r.data = dataOf(i);
        r.lpTextPointer = const_cast<char*>(items[static_cast<std::size_t>(i)].c_str());
        return true;
    }

    bool search(VLBStruct& r) {
        lastSearch = r.lpSearchText ? r.lpSearchText : "";
        lastSearchStart = r.index;
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = pass == 0 ? r.index : 0; i < (pass == 0 ? size() : r.index); ++i) {
                if (i >= 0 && _strnicmp(items[static_cast<std::size_t>(i)].c_str(), lastSearch.c_str(), lastSearch.size()) == 0) {
                    return give(r, i);
                }
            }
        }
        return false;
    }

    bool answer(UINT code, VLBStruct& r) {
        ++requests[code];
        switch (code) {
            case VLBR_GETCOUNT:
                if (refuseCount) return false;
                r.index = size();
                return true;
            case VLBR_FIRST: return give(r, 0);
            case VLBR_LAST: return give(r, size() - 1);
            case VLBR_NEXT: return give(r, indexOf(r) + 1);
            case VLBR_PREV: return give(r, indexOf(r) - 1);
            case VLBR_FINDPOS: return give(r, indexOf(r));
            case VLBR_FINDPERCENT: return give(r, r.data * (size() - 1) / 100);
            case VLBR_GETTEXT: case VLBR_GETITEMDATA: return give(r, indexOf(r));
            case VLBR_FINDSTRING: case VLBR_SELECTSTRING: return search(r);
            default: return false;
        }
    }
};

ownerModel* model = nullptr;

LRESULT CALLBACK ownerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (model && message >= VLBR_FINDSTRING && message <= VLBR_FINDPERCENT) {
        auto* r = reinterpret_cast<VLBStruct*>(lParam);
        r->status = model->answer(message, *r) ? 0 : -1;
        return 0;
    }
    if (model && message == VLBN_ITEMGONE) {
        ++model->itemsGone;
        HWND list = vlistState(GetDlgItem(hWnd, static_cast<int>(wParam)))->hWndList;
        const auto rows = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int r = 0; r < rows; ++r) {
            if (SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(r), 0) == lParam) model->goneRowStillShown = true;
        }
    }
    if (model && message == WM_DRAWITEM) {
        const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        model->drawnSelected[static_cast<int>(d->itemID)] = (d->itemState & ODS_SELECTED) != 0;
        return TRUE;
    }
    if (message == WM_MEASUREITEM) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 7;
        return TRUE;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

class vlistTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        useTestApp();
        WNDCLASSA wc{};
        wc.lpfnWndProc = ownerProc;
        wc.hInstance = theAppEnv->hInstance;
        wc.lpszClassName = "vlistOwner";
        RegisterClassA(&wc);
        vlistRegister(theAppEnv->hInstance);
    }
    void SetUp() override {
        model = &m;
        owner = CreateWindowExA(0, "vlistOwner", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 400, 600,
                                nullptr, nullptr, theAppEnv->hInstance, nullptr);
    }
    void TearDown() override {
        DestroyWindow(owner);
        model = nullptr;
    }
    // A control of exactly `lines` visible lines, initialised.
    void make(int count, int lines = 20, DWORD style = 0) {
        for (int i = 0; i < count; ++i) m.items.push_back("item " + std::to_string(i));
        control = CreateWindowExA(0, "VList", "", WS_CHILD | WS_VISIBLE | style, 0, 0, 200, 100, owner,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(300)), theAppEnv->hInstance, nullptr);
        ASSERT_NE(control, nullptr);
        box = vlistState(control);
        ASSERT_NE(box, nullptr);
        SetWindowPos(control, nullptr, 0, 0, 200, lines * box->lineHeight, SWP_NOMOVE | SWP_NOZORDER);
        ASSERT_EQ(box->nVisible, lines);
        send(VLB_INITIALIZE);
        m.requests.clear();
        m.itemsGone = 0;
    }
    LRESULT send(UINT message, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(control, message, w, l); }
    std::int32_t rowItem(int row) {
        return static_cast<std::int32_t>(SendMessageA(box->hWndList, LB_GETITEMDATA, static_cast<WPARAM>(row), 0));
    }
    int totalRequests() {
        int n = 0;
        for (auto& r : m.requests) n += r.second;
        return n;
    }

    ownerModel m;
    HWND owner = nullptr;
    HWND control = nullptr;
    VLBox* box = nullptr;
};

TEST_F(vlistTest, ThumbReleasedAt37FillsFromItem362AndTop490ShowsAt49) {
    make(1000);
    send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 37), 0);
    EXPECT_EQ(rowItem(0), 362);
    EXPECT_EQ(send(VLB_GETTOPINDEX), 362);
    EXPECT_EQ(m.requests[VLBR_FINDPOS], 1);
    EXPECT_EQ(send(VLB_SETTOPINDEX, 0, 490), 0);
    EXPECT_EQ(box->topIndex, 490);
    EXPECT_EQ(GetScrollPos(box->hWndList, SB_VERT), 49);
}

// A line costs one owner request and one row; a page one of each per line.
// The owner hears of each item once its row has left the view.
TEST_F(vlistTest, EachLineMovedCostsOneRequestAndOneItemGone) {
    make(1000);
    const struct { UINT message; WPARAM code; int lines; std::int32_t top; } moves[] = {
        {WM_VSCROLL, SB_LINEDOWN, 1, 1}, {WM_VSCROLL, SB_LINEUP, 1, 0}, {WM_VSCROLL, SB_PAGEDOWN, 20, 20},
        {WM_VSCROLL, SB_PAGEUP, 20, 0}, {VLB_PAGEDOWN, 3, 23, 23},
    };
    for (const auto& k : moves) {
        m.itemsGone = 0;
        m.requests.clear();
        send(k.message, k.code, 0);
        EXPECT_EQ(m.itemsGone, k.lines) << k.message << " " << k.code;
        EXPECT_EQ(totalRequests(), k.lines) << k.message << " " << k.code;
        EXPECT_EQ(rowItem(0), k.top);
        EXPECT_EQ(rowItem(19), k.top + 19);
    }
    m.itemsGone = 0;
    SetWindowPos(control, nullptr, 0, 0, 200, 15 * box->lineHeight, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(m.itemsGone, 5);
    EXPECT_FALSE(m.goneRowStillShown);
}

TEST_F(vlistTest, SetTopIndexOfTheFirstRowStillFillsAPage) {
    make(100);
    send(VLB_SETTOPINDEX, 0, 0);
    EXPECT_EQ(m.requests[VLBR_FINDPOS], 1);
    EXPECT_EQ(rowItem(0), 0);
    EXPECT_EQ(rowItem(19), 19);
}

TEST_F(vlistTest, DataModeSelectsAnItemOfAListShorterThanAPage) {
    m.refuseCount = true;
    make(5);
    EXPECT_EQ(send(VLB_SETCURSEL, VLBR_FINDPOS, 1003), 0);
    EXPECT_EQ(send(VLB_GETCURSEL), 1003);
    EXPECT_EQ(SendMessageA(box->hWndList, LB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(SendMessageA(box->hWndList, LB_GETCOUNT, 0, 0), 5);
}

// A control 0 pixels wide: its WM_SIZE lays nothing out, so only the
// measuring while the list is created can give the lines.
TEST_F(vlistTest, OwnerDrawnLinesAreMeasuredWhileTheListIsCreated) {
    control = CreateWindowExA(0, "VList", "", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED, 0, 0, 0, 70, owner,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(300)), theAppEnv->hInstance, nullptr);
    box = vlistState(control);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->lineHeight, 7);
    EXPECT_EQ(box->nVisible, 10);
}

// Only registrations that took place count: after one refused because the
// name was taken, the next one registers and one unregistration removes it.
TEST_F(vlistTest, RefusedRegistrationIsNotCounted) {
    HINSTANCE h = theAppEnv->hInstance;
    for (int i = 0; i < 8; ++i) vlistUnregister(h);
    WNDCLASSA taken{};
    taken.style = CS_GLOBALCLASS;
    taken.lpfnWndProc = DefWindowProcA;
    taken.hInstance = h;
    taken.lpszClassName = "VList";
    ASSERT_NE(RegisterClassA(&taken), 0);
    EXPECT_FALSE(vlistRegister(h));
    UnregisterClassA("VList", h);
    EXPECT_TRUE(vlistRegister(h));
    WNDCLASSA found{};
    EXPECT_TRUE(GetClassInfoA(h, "VList", &found) && found.lpfnWndProc == vlistWndProc);
    vlistUnregister(h);
    EXPECT_FALSE(GetClassInfoA(h, "VList", &found));
    vlistRegister(h);
}

TEST_F(vlistTest, TypeAheadSearchesFromTheNextItemAndWraps) {
    make(30);
    m.items[2] = "Delta";
    send(VLB_SETCURSEL, VLBR_FINDPOS, 5);
    send(WM_VKEYTOITEM, 'D', 0);
    EXPECT_EQ(m.lastSearch, "D");
    EXPECT_EQ(m.lastSearchStart, 6);
    EXPECT_EQ(send(VLB_GETCURSEL), 2);
}

TEST_F(vlistTest, RefusedCountMeansDataMode) {
    m.refuseCount = true;
    make(100);
    EXPECT_EQ(send(VLB_GETCOUNT), -1);
    EXPECT_EQ(GetScrollPos(box->hWndList, SB_VERT), 50);
    EXPECT_EQ(send(VLB_GETTOPINDEX), 1000);
    send(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(send(VLB_GETTOPINDEX), 1001);
    EXPECT_EQ(send(VLB_SETCURSEL, VLBR_FINDPOS, 1050), 0);
    EXPECT_EQ(send(VLB_GETCURSEL), 1050);
}

TEST(vlistBuiltIn, PrefixSearchWithItsTwoPassesAndMoves) {
    char a[] = "Abc", b[] = "abd", c[] = "b", d[] = "c";
    char* strings[] = {a, b, c, d};
    VLBox box{};
    box.strings = strings;
    box.nStrings = 4;
    const struct {
        UINT request;
        std::int32_t from;
        const char* search;
        LRESULT handled;
        std::int32_t status, index;
        const char* text;
    } cases[] = {
        {VLBR_SELECTSTRING, 3, "ab", 1, 0, 0, "Abc"}, {VLBR_FINDSTRING, 1, "c", 1, 0, 3, "c"},
        {VLBR_FINDSTRING2, 0, "zz", 1, -1, 0, nullptr}, {VLBR_PREV, 0, nullptr, 1, -1, 0, nullptr},
        {VLBR_NEXT, 2, nullptr, 1, 0, 3, "c"}, {VLBR_GETCOUNT, 0, nullptr, 1, 0, 4, nullptr},
        {VLBR_FINDPERCENT, 50, nullptr, 1, 0, 2, "b"}, {1500, 0, nullptr, 0, 0, 0, nullptr},
    };
    for (const auto& k : cases) {
        VLBStruct r{};
        r.index = r.data = k.from;
        r.lpSearchText = k.search;
        EXPECT_EQ(vlistBuiltInSource(&box, k.request, &r), k.handled) << k.request;
        if (!k.handled) continue;
        EXPECT_EQ(r.status, k.status) << k.request;
        if (k.status == 0) {
            EXPECT_EQ(r.index, k.index) << k.request;
        }
        if (k.text) {
            EXPECT_STREQ(r.lpTextPointer, k.text) << k.request;
        }
    }
}

}  // namespace

// Extended selection as a user makes it, on an owner-drawn list of 20 lines:
// cN click on row N, CN Ctrl+click, sN Shift+click, xN Ctrl+Shift+click,
// dN a press on row N dragged down three rows;
// keys by name with C (Ctrl) or S (Shift) before them, sent as key presses;
// pN the program selects item N; "reset" empties the list.
struct pickCase {
    const char* steps;
    int count;
    const char* ranges;  // as vlistSelection keeps them
    int caret;
};


bool inRanges(const std::string& ranges, int item) {
    std::istringstream in(ranges);
    int first, last;
    char dash, comma;
    while (in >> first >> dash >> last) {
        if (item >= first && item <= last) return true;
        in >> comma;
    }
    return false;
}

class vlistPickTest : public vlistTest, public ::testing::WithParamInterface<pickCase> {
protected:
    void press(const std::string& key) {
        BYTE keys[256] = {};
        std::size_t at = 0;
        while (at + 1 < key.size() && (key[at] == 'C' || key[at] == 'S')) {
            keys[key[at] == 'C' ? VK_CONTROL : VK_SHIFT] = 0x80;
            ++at;
        }
        SetKeyboardState(keys);
        const std::string name = key.substr(at);
        const int vk = name == "down" ? VK_DOWN : name == "up" ? VK_UP : name == "end" ? VK_END : name == "space" ? VK_SPACE : 'A';
        SendMessageA(box->hWndList, WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
        BYTE none[256] = {};
        SetKeyboardState(none);
    }
    void click(char how, int row) {
        const WPARAM keys = MK_LBUTTON | (how == 'C' || how == 'x' ? MK_CONTROL : 0) | (how == 's' || how == 'x' ? MK_SHIFT : 0);
        const int drag = how == 'd' ? 3 : 0;
        SendMessageA(box->hWndList, WM_LBUTTONDOWN, keys, at(row));
        for (int r = row + 1; r <= row + drag; ++r) SendMessageA(box->hWndList, WM_MOUSEMOVE, keys, at(r));
        SendMessageA(box->hWndList, WM_LBUTTONUP, keys & ~static_cast<WPARAM>(MK_LBUTTON), at(row + drag));
    }
    LPARAM at(int row) const { return MAKELPARAM(5, row * box->lineHeight + 2); }
};

TEST_P(vlistPickTest, StepsSelectAndRowsShowIt) {
    const pickCase& c = GetParam();
    make(c.count, 20, LBS_OWNERDRAWFIXED);
    ShowWindow(owner, SW_SHOWNA);
    EXPECT_EQ(send(VLB_GETSELECTION), 0);
    send(VLB_SETEXTENDEDSEL, TRUE);
    std::istringstream steps(c.steps);
    std::string step;
    while (steps >> step) {
        if (step == "reset") send(VLB_RESETCONTENT);
        else if (step[0] == 'p') send(VLB_SETCURSEL, VLBR_FINDPOS, std::stoi(step.substr(1)));
        else if (std::strchr("cCsxd", step[0]) && std::isdigit(static_cast<unsigned char>(step[1]))) click(step[0], std::stoi(step.substr(1)));
        else press(step);
    }
    const auto* picked = reinterpret_cast<const vlistSelection*>(send(VLB_GETSELECTION));
    ASSERT_NE(picked, nullptr);
    EXPECT_EQ(selectionText(*picked), c.ranges) << c.steps;
    EXPECT_EQ(picked->caret(), c.caret) << c.steps;
    EXPECT_EQ(send(VLB_GETCURSEL), c.caret < 0 ? -1 : c.caret) << c.steps;
    m.drawnSelected.clear();
    RedrawWindow(box->hWndList, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_EQ(static_cast<int>(m.drawnSelected.size()), std::min(c.count, 20)) << c.steps;
    for (const auto& row : m.drawnSelected) {
        EXPECT_EQ(row.second, inRanges(c.ranges, box->topIndex + row.first)) << c.steps << ", row " << row.first;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, vlistPickTest, ::testing::Values(
    pickCase{"c3", 50, "3-3", 3},
    pickCase{"c3 C5 C7", 50, "3-3,5-5,7-7", 7},
    pickCase{"c5 C5", 50, "", 5},
    pickCase{"c3 s6 s1", 50, "1-3", 1},
    pickCase{"c3 C8 x10", 50, "3-3,8-10", 10},
    pickCase{"c3 Sdown Sdown Sup", 50, "3-4", 4},
    pickCase{"c3 Cdown Cdown Cspace", 50, "3-3,5-5", 5},
    pickCase{"c2 down", 50, "3-3", 3},
    pickCase{"c9 d2", 50, "2-5", 5},
    pickCase{"c18 Sdown Sdown Sdown", 50, "18-21", 21},
    pickCase{"c2 Send", 50, "2-49", 49},
    pickCase{"c2 CA", 200000, "0-199999", 2},
    pickCase{"c2 s4 p9", 50, "9-9", 9},
    pickCase{"c2 s4 reset", 50, "", -1}));
