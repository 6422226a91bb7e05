#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/boxRecorder.h"
#include "support/miscfuns.h"
#include "support/namePattern.h"
#include "support/textDiff.h"
#include "support/textMerge.h"
#include "support/assertion.h"

namespace {

struct cmpCase {
    const char* a;
    const char* b;
    int sign;  // -1, 0, 1
};

int signOf(int v) { return (v > 0) - (v < 0); }

class strCmpNoCaseTable : public ::testing::TestWithParam<cmpCase> {};

TEST_P(strCmpNoCaseTable, FoldsOnlyAtoZ) {
    const cmpCase& c = GetParam();
    EXPECT_EQ(signOf(strCmpNoCase(c.a, c.b)), c.sign) << c.a << " vs " << c.b;
}

INSTANTIATE_TEST_SUITE_P(Cases, strCmpNoCaseTable,
    ::testing::Values(cmpCase{"abc", "ABC", 0}, cmpCase{"", "", 0}, cmpCase{"a", "", 1},
                      cmpCase{"", "a", -1}, cmpCase{"Abc", "abd", -1},
                      cmpCase{"*SYMBOL", "*symbol", 0}, cmpCase{"[", "{", -1},
                      cmpCase{"\xC4", "\xE4", -1}, cmpCase{"a", "\xC4", 1}, cmpCase{"\xFF", "z", -1}));

// At most n characters, A to Z folded, higher characters compared as they are;
// the whole comparison gives the difference of the first folded pair.
TEST(strNCmpNoCase, ComparesAtMostNAndFoldsOnlyAtoZ) {
    const struct { const char* a; const char* b; int n; int sign; } cases[] = {
        {"*SYMBOLX", "*symbol", 7, 0}, {"*SYMBOX", "*symbol", 7, 1}, {"abc", "abd", 2, 0}, {"anything", "else", 0, 0},
        {"ab", "abc", 3, -1}, {"a", "\xC4", 1, 1}, {"\xC4", "\xE4", 1, -1}, {"\xC4x", "\xC4X", 2, 0}};
    for (const auto& c : cases) EXPECT_EQ(signOf(strNCmpNoCase(c.a, c.b, c.n)), c.sign) << c.a << " vs " << c.b;
    EXPECT_EQ(strCmpNoCase("abc", "ABE"), 'c' - 'e');
    EXPECT_EQ(strCmpNoCase("ab", "abZ"), 0 - 'z');
}

// A fixed field is filled up to its last byte, which ends the text; the
// byte after the field is never written.
TEST(strCopyCut, FillsTheFieldAndNoMore) {
    const struct { const char* from; const char* kept; } cases[] = {{"abcdef", "abc"}, {"ab", "ab"}, {"", ""}};
    for (const auto& c : cases) {
        char buffer[5] = {'x', 'x', 'x', 'x', '!'};
        strCopyCut(buffer, c.from, 4);
        EXPECT_STREQ(buffer, c.kept) << c.from;
        EXPECT_EQ(buffer[4], '!') << c.from;
    }
}

TEST(namePattern, ShellRulesCaseSensitive) {
    const struct { const char* pattern; const char* name; bool matches; } cases[] = {
        {"R*", "RES", true},       {"r*", "RES", false},      {"R?S", "RES", true},    {"R?S", "RS", false},
        {"[A-C]*", "B1", true},    {"[!A]*", "A1", false},    {"[^A]?", "B1", true},   {"*", "", true},
        {"a*b*c", "aXbYc", true},  {"a*b", "aXbc", false},    {"[]]x", "]x", true},    {"[x", "[x", true},
        {"*1[0-9]", "R110", true}, {"AND2", "AND2", true},    {"?", "", false},        {"**z", "abz", true},
        {"[A-C]", "C", true},      {"[A-C]", "A", true},      {"[A-C]", "D", false},   {"[!A-C]", "C", false},
    };
    for (const auto& c : cases) EXPECT_EQ(matchesPattern(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
    EXPECT_TRUE(isNamePattern("R*") && isNamePattern("a?") && isNamePattern("[x]") && !isNamePattern("AND2"));
}

// Hunks as "diff -u" gives them: changes closer than twice the context
// share a hunk, others get one each; an empty side counts from 0.
TEST(textDiff, UnifiedHunks) {
    const std::vector<std::string> a{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
    std::vector<std::string> b = a;
    b[1] = "two";
    b.erase(b.begin() + 10);
    EXPECT_EQ(unifiedHunks(a, b), (std::vector<std::string>{"@@ -1,5 +1,5 @@", " 1", "-2", "+two", " 3", " 4", " 5",
                                                            "@@ -8,5 +8,4 @@", " 8", " 9", " 10", "-11", " 12"}));
    // Exactly twice the context between two changes: one hunk, as GNU diff
    // gives it; one line more: two.
    std::vector<std::string> twice = a;
    twice[1] = "two";
    twice[8] = "nine";
    EXPECT_EQ(unifiedHunks(a, twice).front(), "@@ -1,12 +1,12 @@");
    twice[8] = "9";
    twice[9] = "ten";
    EXPECT_EQ(unifiedHunks(a, twice)[0], "@@ -1,5 +1,5 @@");
    EXPECT_EQ(unifiedHunks(a, twice)[7], "@@ -7,6 +7,6 @@");
    EXPECT_EQ(unifiedHunks({}, {"x"}), (std::vector<std::string>{"@@ -0,0 +1 @@", "+x"}));
    EXPECT_TRUE(unifiedHunks(a, a).empty());
    EXPECT_EQ(splitLines("a\n\nb"), (std::vector<std::string>{"a", "", "b"}));
}

// Each one-letter line a character; a merge shown as its merged lines with
// each conflict as [ours|base|theirs].
std::vector<std::string> letters(const std::string& text) {
    std::vector<std::string> lines;
    for (char c : text) lines.emplace_back(1, c);
    return lines;
}

std::string shown(const std::vector<mergeChunk>& chunks) {
    std::string text;
    const auto join = [](const std::vector<std::string>& lines) {
        std::string all;
        for (const std::string& l : lines) all += l;
        return all;
    };
    for (const mergeChunk& c : chunks) {
        text += c.conflict ? "[" + join(c.ours) + "|" + join(c.base) + "|" + join(c.theirs) + "]" : join(c.lines);
    }
    return text;
}

TEST(textMerge, TakesEachSidesChangesAndKeepsConflictsWhole) {
    const struct {
        const char *base, *ours, *theirs, *merged;
    } cases[] = {
        {"abcdefg", "aXcdefg", "abcdefY", "aXcdefY"},    // apart: both taken
        {"abcde", "abXde", "abXde", "abXde"},            // the same change once
        {"abcde", "abXde", "abYde", "ab[X|c|Y]de"},      // one line two ways
        {"abcde", "abcde", "aZe", "aZe"},                // theirs alone
        {"abcde", "ace", "abcde", "ace"},                // a removal taken
        {"abc", "abcX", "abcY", "abc[X||Y]"},            // both append
        {"", "X", "Y", "[X||Y]"},                        // added on both sides
        {"", "XY", "XY", "XY"},                          // the same added text
        {"abc", "", "abc", ""},                          // all removed on one side
        {"abc", "", "aXc", "[|abc|aXc]"},                // removed against changed
        {"abcdef", "aXcdeZ", "abYdef", "a[Xc|bc|bY]deZ"}, // neighbours conflict
        {"ab", "Xab", "abY", "XabY"},                    // before and after
    };
    for (const auto& c : cases) {
        const std::vector<mergeChunk> merged = mergeLines(letters(c.base), letters(c.ours), letters(c.theirs));
        EXPECT_EQ(shown(merged), c.merged) << c.base << " " << c.ours << " " << c.theirs;
        EXPECT_EQ(hasConflict(merged), std::string(c.merged).find('[') != std::string::npos) << c.merged;
        // The sides swapped give the same merge, with the sides of each
        // conflict swapped too.
        std::string swapped = c.merged;
        for (std::size_t open = swapped.find('['); open != std::string::npos; open = swapped.find('[', open + 1)) {
            const std::size_t bar = swapped.find('|', open), bar2 = swapped.find('|', bar + 1), close = swapped.find(']', open);
            swapped = swapped.substr(0, open + 1) + swapped.substr(bar2 + 1, close - bar2 - 1) +
                      swapped.substr(bar, bar2 - bar + 1) + swapped.substr(open + 1, bar - open - 1) + swapped.substr(close);
        }
        EXPECT_EQ(shown(mergeLines(letters(c.base), letters(c.theirs), letters(c.ours))), swapped) << c.merged;
    }
}

TEST(strDup, NullIsReportedAndGivesNull) {
    boxRecorder boxes;
    EXPECT_EQ(strDup(nullptr), nullptr);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0].rfind("str == 0: UTILITY\\SRC\\MISCFUNS, line ", 0), 0u) << boxes.texts[0];
}

}  // namespace
