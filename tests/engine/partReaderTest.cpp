// The part reader on its own, from memory: what open finds, and each part's
// name, text, place and ending, by the index and by a scan, over the kinds
// of damage a library meets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/fileText.h"
#include "engine/io/partReader.h"

namespace {

using ending = lineReader::ending;
using opening = partReader::opening;

// A part as the table writes it: "NAME TEXT POSITION LENGTH ENDING".
struct seenPart {
    std::string name, text;
    long long position, length;
    ending how;
    bool operator==(const seenPart& o) const {
        return name == o.name && text == o.text && position == o.position && length == o.length && how == o.how;
    }
};

std::ostream& operator<<(std::ostream& out, const seenPart& p) {
    return out << p.name << " [" << p.text << "] " << p.position << "+" << p.length << " ending "
               << static_cast<int>(p.how);
}

struct readCase {
    const char* what;
    std::string bytes;
    partReader::mode how;
    opening opened;
    std::vector<seenPart> parts;
};

std::ostream& operator<<(std::ostream& out, const readCase& c) { return out << c.what; }

class partReaderTable : public ::testing::TestWithParam<readCase> {};

TEST_P(partReaderTable, OpensAndYieldsEachPart) {
    const readCase& c = GetParam();
    memorySource source(c.bytes);
    partReader reader(source, "*symbol", c.how);
    ASSERT_EQ(reader.open(), c.opened);
    std::vector<seenPart> seen;
    libraryPart part;
    while (reader.next(part)) seen.push_back({part.name, part.text(), part.position, part.length, part.ending});
    EXPECT_EQ(seen, c.parts);
    EXPECT_FALSE(reader.readFailed());
}

const std::string example = "*version 6.3 0\n@index\nsymloc AND2:GATE2 0 29\nsymloc RES,R1;X 29 34 resistor part\n"
                            "*symbol AND2   ako   GATE2\nL1\nL2\n*symbol RES,R1;X resistor part\nL3\n";
const std::string rebuiltAnd2 = "*symbol AND2 ako GATE2\nL1\nL2\n";
const std::string asReadAnd2 = "*symbol AND2   ako   GATE2\nL1\nL2\n";
const std::string res = "*symbol RES,R1;X resistor part\nL3\n";
const std::string longLine(1023, 'x');

INSTANTIATE_TEST_SUITE_P(Cases, partReaderTable, ::testing::Values(
    readCase{"by index: headers rebuilt from the index", example, partReader::mode::byIndex, opening::ready,
             {{"AND2", rebuiltAnd2, 0, 33, ending::none}, {"RES", res, 33, 34, ending::end}}},
    readCase{"by scan: headers as read", example, partReader::mode::byScan, opening::ready,
             {{"AND2", asReadAnd2, 0, 33, ending::none}, {"RES", res, 33, 34, ending::end}}},
    readCase{"no index: the scan starts at the first header", "junk\n*symbol A\nL1\n*symbol B\n",
             partReader::mode::byScan, opening::ready,
             {{"A", "*symbol A\nL1\n", 0, 13, ending::none}, {"B", "*symbol B\n", 13, 10, ending::end}}},
    readCase{"no index by index", "junk\n*symbol A\nL1\n", partReader::mode::byIndex, opening::noIndex, {}},
    readCase{"nothing at all", "", partReader::mode::byScan, opening::noParts, {}},
    readCase{"an index, no part of the kind", "@index\nsymloc A 0 5\n*package A\n", partReader::mode::byIndex,
             opening::noParts, {}},
    readCase{"CR LF: CRs dropped, counted in places", "@index\r\n*symbol A\r\nL1\r\n*symbol B\r\n",
             partReader::mode::byIndex, opening::ready,
             {{"A", "*symbol A\nL1\n", 0, 15, ending::none}, {"B", "*symbol B\n", 15, 11, ending::end}}},
    readCase{"cut inside the last line", "@index\n*symbol A\nL1\nL", partReader::mode::byIndex, opening::ready,
             {{"A", "*symbol A\nL1\n", 0, 13, ending::cutShort}}},
    readCase{"a line too long ends the library", "@index\n*symbol A\n" + longLine + "\n*symbol B\n",
             partReader::mode::byScan, opening::ready, {{"A", "*symbol A\n", 0, 10, ending::tooLong}}},
    readCase{"a header too long ends it before the part", "@index\n*symbol A\n*symbol " + longLine + "\n",
             partReader::mode::byIndex, opening::ready, {{"A", "*symbol A\n", 0, 10, ending::tooLong}}},
    readCase{"a long index line: no parts", "@index\nsymloc " + longLine + "\n*symbol A\n",
             partReader::mode::byIndex, opening::noParts, {}},
    readCase{"other letter case joins the part before", "@index\n*symbol A\n*SYMBOL B\n", partReader::mode::byIndex,
             opening::ready, {{"A", "*symbol A\n*SYMBOL B\n", 0, 20, ending::end}}},
    readCase{"a colon cuts the name, by the one rule", "@index\n*symbol FOO:BAR x\n", partReader::mode::byIndex,
             opening::ready, {{"FOO", "*symbol FOO:BAR x\n", 0, 18, ending::end}}},
    readCase{"a header without a name", "@index\n*symbol\nL1\n", partReader::mode::byIndex, opening::ready,
             {{"", "*symbol\nL1\n", 0, 11, ending::end}}}));

TEST(partReader, PartAtReadsThePartThereAndGoesOnAfterIt) {
    memorySource source(example);
    partReader reader(source, "*symbol");
    ASSERT_EQ(reader.open(), opening::ready);
    libraryPart part;
    ASSERT_TRUE(reader.partAt(33, part));
    EXPECT_EQ(part.name, "RES");
    EXPECT_EQ(part.text(), res);
    EXPECT_FALSE(reader.next(part));
    ASSERT_TRUE(reader.partAt(0, part));
    EXPECT_EQ(part.length, 33);
    ASSERT_TRUE(reader.next(part));
    EXPECT_EQ(part.name, "RES");
    EXPECT_EQ(part.position, 33);
    for (long long wrong : {-1LL, 1LL, 32LL, 67LL, 1000LL}) EXPECT_FALSE(reader.partAt(wrong, part)) << wrong;
}

}  // namespace
