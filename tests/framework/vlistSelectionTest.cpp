// The VList's selection as the user makes it: clicks, Ctrl and Shift clicks
// and moves, Ctrl+A, as ranges of item numbers.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "framework/vlistSelection.h"
#include "selectionText.h"

namespace {

struct selectionCase {
    const char* steps;  // o N: only; t N: toggle; s N: extend; S N: extend keeping others; a N: all of N
    const char* ranges;
    long long count;
    int anchor, caret;
};

class vlistSelectionTest : public ::testing::TestWithParam<selectionCase> {};

TEST_P(vlistSelectionTest, StepsGiveRanges) {
    const selectionCase& c = GetParam();
    vlistSelection s;
    std::istringstream steps(c.steps);
    char op;
    int item;
    while (steps >> op >> item) {
        if (op == 'o') s.only(item);
        if (op == 't') s.toggle(item);
        if (op == 's') s.extendTo(item);
        if (op == 'S') s.extendTo(item, true);
        if (op == 'a') s.all(item);
    }
    EXPECT_EQ(selectionText(s), c.ranges) << c.steps;
    EXPECT_EQ(s.count(), c.count) << c.steps;
    EXPECT_EQ(s.anchor(), c.anchor) << c.steps;
    EXPECT_EQ(s.caret(), c.caret) << c.steps;
    for (const auto& r : s.ranges()) {
        EXPECT_TRUE(s.contains(r.first) && s.contains(r.second)) << c.steps;
        EXPECT_FALSE(s.contains(r.first - 1) || s.contains(r.second + 1)) << c.steps;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, vlistSelectionTest, ::testing::Values(
    selectionCase{"", "", 0, -1, -1},
    selectionCase{"o 5", "5-5", 1, 5, 5},
    selectionCase{"o 5 o 9", "9-9", 1, 9, 9},
    selectionCase{"o 5 t 7 t 6", "5-7", 3, 6, 6},
    selectionCase{"o 5 s 9", "5-9", 5, 5, 9},
    selectionCase{"o 5 s 9 s 2", "2-5", 4, 5, 2},
    selectionCase{"o 5 s 7 t 12 S 14", "5-7,12-14", 6, 12, 14},
    selectionCase{"o 5 s 7 t 12 s 14", "12-14", 3, 12, 14},
    selectionCase{"o 5 s 9 t 7", "5-6,8-9", 4, 7, 7},
    selectionCase{"o 5 t 5", "", 0, 5, 5},
    selectionCase{"o 3 t 9 t 6 S 8", "3-3,6-9", 5, 6, 8},
    selectionCase{"t 1 t 3 t 5 t 2 t 4", "1-5", 5, 4, 4},
    selectionCase{"o 10 a 200000", "0-199999", 200000, 10, 10},
    selectionCase{"a 200000 t 100000", "0-99999,100001-199999", 199999, 100000, 100000},
    selectionCase{"a 200000 t 0 t 199999", "1-199998", 199998, 199999, 199999},
    selectionCase{"o 300 a 20", "0-19", 20, 0, 0},
    selectionCase{"a 0", "", 0, -1, -1}));

}  // namespace
