// The Library window's view of a library: rows as the index holds them, find
// by prefix, each part's text exactly as print gives it, and the checksum
// checked a few bytes at a time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/format/libKind.h"
#include "engine/ops/libraryBrowser.h"
#include "engine/ops/parts.h"
#include "support/fileOps.h"

namespace {

using state = libraryBrowser::checksumState;

// Right and wrong index positions (RES is not at 29; DUP's second part is at
// 99), name words with all their parts, CR LF.
const std::string awkward =
    "*version 6.3 0\n@index\nsymloc AND2:GATE2 0 34\nsymloc RES,R1;X 29 40 resistor part\nsymloc DUP 99 5\n"
    "*symbol AND2 ako GATE2\r\nL1  \r\nL2\r\n*symbol   RES,R1;X   resistor   part\r\nL3\r\n"
    "*symbol DUP first\r\nD1\r\n*symbol DUP second\r\nD2\r\n";

class libraryBrowserTest : public inTempDir {};

TEST_F(libraryBrowserTest, RowsTextAndFindFollowTheIndexAndPrint) {
    writeBytes("lib.slb", awkward);
    libraryBrowser view;
    memoryLog log;
    ASSERT_TRUE(view.open(symbolKind, "lib.slb", log));
    ASSERT_EQ(view.count(), 3u);
    EXPECT_EQ(view.row(0), "AND2:GATE2\t0\t34");
    EXPECT_EQ(view.row(1), "RES,R1;X\t29\t40\tresistor part");
    EXPECT_EQ(view.row(2), "DUP\t99\t5");
    const bool scannedFor[] = {false, true, false};
    for (std::size_t i = 0; i < view.count(); ++i) {
        std::string shown, printed;
        bool scanned = false;
        ASSERT_TRUE(view.text(i, shown, scanned)) << i;
        EXPECT_EQ(scanned, scannedFor[i]) << i;
        ASSERT_EQ(printPart(symbolKind, "lib.slb", std::string(view.entry(i).name()), printed, log), opResult::done);
        EXPECT_EQ(shown, printed) << i;
    }
    const struct { const char* prefix; std::size_t from; long long found; } finds[] = {
        {"", 2, 2}, {"res", 0, 1}, {"RES,R1;", 2, 1}, {"d", 0, 2}, {"A", 1, 0}, {"AND2:GATE2x", 0, -1}, {"Z", 0, -1}};
    for (const auto& f : finds) EXPECT_EQ(view.find(f.prefix, f.from), f.found) << f.prefix << " from " << f.from;
    EXPECT_TRUE(log.lines.empty()) << joinLines(log.lines);
    EXPECT_FALSE(view.open(symbolKind, "missing.slb", log));
    EXPECT_EQ(joinLines(log.lines), "Browse: fatal error: can't open library: missing.slb\n");
}

// A library as compress wrote it, with one data byte changed, with a stated
// sum that is wrong, and without a version line.
TEST_F(libraryBrowserTest, ChecksumIsCheckedInSteps) {
    const std::string made = readBytes(dataFile("example.slb"));
    std::string changed = made;
    changed[changed.size() - 2] ^= 1;
    const struct { std::string bytes; state expected; int steps; } cases[] = {
        {made, state::matches, 10},
        {changed, state::differs, 10},
        {"*version 6.3 0\n@index\n*symbol A\nx\n", state::differs, 2},
        {"*version 6.3 4294967295\n@index\n", state::matches, 1},
        {"@index\n*symbol A\nx\n", state::absent, 1},
    };
    for (const auto& c : cases) {
        writeBytes("lib.slb", c.bytes);
        libraryBrowser view;
        memoryLog log;
        ASSERT_TRUE(view.open(symbolKind, "lib.slb", log));
        int steps = 1;
        state s;
        while ((s = view.checkStep(7)) == state::pending) ++steps;
        EXPECT_EQ(s, c.expected) << c.bytes;
        EXPECT_GE(steps, c.steps) << c.bytes;
        view.close();
        EXPECT_EQ(view.checkStep(7), state::absent) << "a closed library has no checksum to check";
    }
}

// Parts that hold a merge's conflict markers are marked in their rows once
// the checksum has read through them, however the reads cut the lines.
TEST_F(libraryBrowserTest, RowsOfPartsWithConflictMarkersAreMarked) {
    writeBytes("lib.slb", "*version 6.3 0\n@index\nsymloc A 0 20\nsymloc B 20 60 rev2\nsymloc C 80 30\n"
                          "*symbol A\nx <<<<<<< y\n*symbol B rev2\n<<<<<<< ours\nL\n=======\nM\n>>>>>>> theirs\n"
                          "*symbol C\n<<<<<<<<");
    for (std::size_t budget : {1u, 3u, 7u, 1000u}) {
        libraryBrowser view;
        memoryLog log;
        ASSERT_TRUE(view.open(symbolKind, "lib.slb", log));
        while (view.checkStep(budget) == state::pending) {
        }
        EXPECT_EQ(view.conflicts(), 2u) << budget;
        EXPECT_EQ(view.row(0), "A\t0\t20") << "a marker inside a line is none";
        EXPECT_EQ(view.row(1), "B\t20\t60\trev2  [conflict]") << budget;
        EXPECT_EQ(view.row(2), "C\t80\t30\t[conflict]") << "a marker as the last line, without LF";
    }
}

// The file is open only while it is read: another writer replaces it at any
// time, even in the middle of the checksum (on Windows a file held open
// can't be renamed over), and from then on nothing is read from the new
// file under the old rows, however alike the two are.
TEST_F(libraryBrowserTest, LetsGoOfTheFileBetweenReadsAndNoticesAReplace) {
    const std::string made = readBytes(dataFile("example.slb"));
    writeBytes("lib.slb", made);
    libraryBrowser view;
    memoryLog log;
    ASSERT_TRUE(view.open(symbolKind, "lib.slb", log));
    std::string text;
    bool scanned = false;
    ASSERT_TRUE(view.text(1, text, scanned));
    ASSERT_EQ(view.checkStep(7), state::pending);
    EXPECT_TRUE(view.unchanged());
    writeBytes("new.slb", made);
    ASSERT_TRUE(fileOps::replace("new.slb", "lib.slb")) << fileOps::lastReason();
    EXPECT_FALSE(view.unchanged());
    EXPECT_FALSE(view.text(1, text, scanned));
    EXPECT_TRUE(view.changedOutside());
    EXPECT_EQ(view.checkStep(1 << 20), state::pending) << "no verdict from another file";
    ASSERT_TRUE(view.open(symbolKind, "lib.slb", log));
    EXPECT_FALSE(view.changedOutside());
    EXPECT_TRUE(view.text(1, text, scanned));
    EXPECT_EQ(view.checkStep(1 << 20), state::matches);
}

}  // namespace
