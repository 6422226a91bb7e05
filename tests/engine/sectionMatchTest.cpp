// The match of a rebuilt data section against one verify found clean: its
// checksum is taken over only while the new bytes are the old ones, and
// only from the file that was checked.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/io/sectionMatch.h"

namespace {

namespace fs = std::filesystem;

struct matchCase {
    const char* what;
    std::vector<std::string> pieces;  // the new section, as handed over
    std::vector<std::size_t> covered;  // what compare says of each
    bool holds, complete;
};

std::ostream& operator<<(std::ostream& out, const matchCase& c) { return out << c.what; }

const std::string section = std::string(60, 'a') + std::string(40, 'b');

class sectionMatchTable : public inTempDir, public ::testing::WithParamInterface<matchCase> {};

TEST_P(sectionMatchTable, HoldsWhileTheBytesAreTheOldOnes) {
    const matchCase& c = GetParam();
    writeBytes("lib.slb", "HEAD\n" + section);
    sectionMatch match(knownSection{"lib.slb", fileStamp::of("lib.slb"), 5, 100, 1234});
    ASSERT_TRUE(match.holds());
    std::vector<std::size_t> covered;
    for (const std::string& piece : c.pieces) covered.push_back(match.compare(piece.data(), piece.size()));
    EXPECT_EQ(covered, c.covered);
    EXPECT_EQ(match.holds(), c.holds);
    EXPECT_EQ(match.complete(), c.complete);
    EXPECT_EQ(match.complete() ? match.checksum() : 0u, c.complete ? 1234u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, sectionMatchTable, ::testing::Values(
    matchCase{"the same in one piece", {section}, {100}, true, true},
    matchCase{"the same in pieces", {section.substr(0, 1), section.substr(1, 59), section.substr(60)}, {1, 59, 40},
              true, true},
    matchCase{"the same and more after it", {section.substr(0, 90), section.substr(90) + "MORE"}, {90, 10}, true, true},
    matchCase{"ends short", {section.substr(0, 99)}, {99}, true, false},
    matchCase{"differs in the last byte", {section.substr(0, 99) + "x"}, {100}, false, false},
    matchCase{"differs in the first piece", {"b" + section.substr(1, 59), section.substr(60)}, {60, 0}, false, false}));

using sectionMatchTest = inTempDir;

TEST_F(sectionMatchTest, AFileChangedSinceTheCheckIsNoMatch) {
    writeBytes("lib.slb", "HEAD\n" + section);
    const knownSection checked{"lib.slb", fileStamp::of("lib.slb"), 5, 100, 1234};
    EXPECT_TRUE(sectionMatch(checked).holds());
    // The same size and bytes, written again later: another program wrote it.
    fs::last_write_time("lib.slb", fs::last_write_time("lib.slb") + std::chrono::seconds(5));
    EXPECT_FALSE(sectionMatch(checked).holds());
    writeBytes("lib.slb", "HEAD\n" + section + "x");
    EXPECT_FALSE(sectionMatch(knownSection{"lib.slb", checked.stamp, 5, 100, 1234}).holds()) << "another size";
    fs::rename("lib.slb", "old.slb");
    writeBytes("lib.slb", readBytes("old.slb"));
    const knownSection renamed{"lib.slb", fileStamp::of("old.slb"), 5, 100, 1234};
    EXPECT_FALSE(sectionMatch(renamed).holds()) << "another file under the name";
    fs::remove("lib.slb");
    EXPECT_FALSE(sectionMatch(checked).holds()) << "no file";
}

}  // namespace
