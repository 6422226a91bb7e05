// The VList control under Wine, with an owner window whose model answers in
// index mode, refuses the count (data mode), or fails a request.
#include <gtest/gtest.h>

#include "common/winTest.h"

#include <windows.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/vlist.h"
#include "support/assertion.h"

namespace {

struct ownerModel {
    std::vector<std::string> items;
    bool refuseCount = false;
    std::map<UINT, int> requests;
    int itemsGone = 0;
    bool goneRowStillShown = false;  // a VLBN_ITEMGONE arrived while its row was still in the list box
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
    void make(int count, int lines = 20) {
        for (int i = 0; i < count; ++i) m.items.push_back("item " + std::to_string(i));
        control = CreateWindowExA(0, "VList", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, owner,
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
