#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/ops/inspect.h"
#include "engine/format/libKind.h"

namespace {

namespace fs = std::filesystem;
using lines = std::vector<std::string>;

class inspectTest : public inTempDir {
protected:
    int verify(const std::string& bytes, const libKind& kind = symbolKind) {
        writeBytes("lib.slb", bytes);
        log.lines.clear();
        return verifyLibrary(kind, "lib.slb", log);
    }
    memoryLog log;
    memoryLog entries;
};

TEST_F(inspectTest, ListSkipsUnreadableLinesAndStopsAtTheData) {
    writeBytes("lib.slb", "*version 6.3 0\n@index\nsymloc\nsymloc A -5 99999999999  x  \njunk\nnote X 1 2\n"
                          "*symbol A\nsymloc B 0 1\n");
    // The readable lines are listed; the others are counted, the first named.
    EXPECT_EQ(listLibrary(symbolKind, "lib.slb", entries, log), opResult::failed);
    EXPECT_EQ(entries.lines, (lines{"A -5 2147483647 x  "}));
    EXPECT_EQ(log.problems, (lines{"lib.slb: 1 index line(s) can't be read, the first: symloc"}));
    entries.lines.clear();
    // Names, extra texts and ako names holding quotes, backslashes and
    // control characters stay one valid JSON string each.
    writeBytes("lib.slb", "*version 6.3 0\n@index\nsymloc Q\"\\\x01:B\\ 0 1 say \"hi\"\t\\end\n");
    EXPECT_EQ(listLibraryJson(symbolKind, "lib.slb", entries, log), opResult::done);
    EXPECT_EQ(entries.lines, (lines{"[", "  {\"name\": \"Q\\\"\\\\\\u0001\", \"position\": 0, \"length\": 1, "
                                         "\"akoName\": \"B\\\\\", \"extraText\": \"say \\\"hi\\\"\\u0009\\\\end\"}",
                                    "]"}));
    // Valid UTF-8 stays as it is; any other byte is the Latin-1 character of
    // its number (an overlong form and a lone lead byte included).
    entries.lines.clear();
    writeBytes("lib.slb", "*version 6.3 0\n@index\nsymloc R\xC3\x89S_\xCE\xA9" "10k\xF0\x9F\x94\x8C 0 1 \xE9t\xE9 \xC0\xAF\xE2\x82\n");
    EXPECT_EQ(listLibraryJson(symbolKind, "lib.slb", entries, log), opResult::done);
    EXPECT_EQ(entries.lines[1], "  {\"name\": \"R\xC3\x89S_\xCE\xA9" "10k\xF0\x9F\x94\x8C\", \"position\": 0, \"length\": 1, "
                                "\"extraText\": \"\xC3\xA9t\xC3\xA9 \xC3\x80\xC2\xAF\xC3\xA2\xC2\x82" "\"}");
    // An encoded surrogate (ED A0 80) is no UTF-8: three Latin-1 characters.
    entries.lines.clear();
    writeBytes("lib.slb", "*version 6.3 0\n@index\nsymloc S\xED\xA0\x80 0 1\n");
    EXPECT_EQ(listLibraryJson(symbolKind, "lib.slb", entries, log), opResult::done);
    EXPECT_EQ(entries.lines[1], "  {\"name\": \"S\xC3\xAD\xC2\xA0\xC2\x80\", \"position\": 0, \"length\": 1}");
}

TEST_F(inspectTest, ReadOnlyLibrariesCanBeVerified) {
    writeBytes("ro.slb", readBytes(dataFile("example.slb")));
    setReadOnly("ro.slb", true);
    EXPECT_EQ(verifyLibrary(symbolKind, "ro.slb", log), 0);
}

struct verifyCase {
    const char* what;
    std::string bytes;
    lines expected;
};

std::ostream& operator<<(std::ostream& out, const verifyCase& c) { return out << c.what; }

class verifyFindings : public inspectTest, public ::testing::WithParamInterface<verifyCase> {};

TEST_P(verifyFindings, Lines) {
    EXPECT_EQ(verify(GetParam().bytes), 1) << GetParam().what;
    EXPECT_EQ(log.lines, GetParam().expected) << GetParam().what;
    EXPECT_FALSE(fileExists("lib.lst"));
    EXPECT_FALSE(fileExists("A.sym"));
}

const std::string goodData = "*symbol A\nL1\n";  // its checksum: 2936585237
const std::string indexAlone = "Verify: the index alone is wrong: every part is intact, and vek repair loses nothing";

INSTANTIATE_TEST_SUITE_P(Cases, verifyFindings, ::testing::Values(
    verifyCase{"checksum", "*version 6.3 1\n@index\nsymloc A 0 13\n" + goodData,
               {"Verify: checksum 1 in the version line, 2936585237 for the data section",
                "Verify: only the checksum differs: a byte changed somewhere in the data and no part can be named; "
                "compare with a backup using vek diff",
                "Verify: 1 finding(s)"}},
    verifyCase{"no version", "@index\nsymloc A 0 13\n" + goodData,
               {"Verify: no version line with a checksum", "Verify: 1 finding(s)"}},
    verifyCase{"bad index", "*version 6.3 2936585237\n@index\nsymloc A 1 12\n" + goodData,
               {"Expand: symbol A has bad index (length + position)", indexAlone, "Verify: 1 finding(s)"}},
    verifyCase{"missing and doubled",
               "*version 6.3 4294967295\n@index\nsymloc A 0 13\nsymloc B 13 0\n",
               {"--- Index entry A has no symbol", "--- Index entry B has no symbol",
                "--- Index entry B has zero length",
                "Verify: no part A where the index has one (cut off, or never there): vek repair -o NEW LIBRARY keeps "
                "every part there is and names the missing as lost",
                "Verify: 3 finding(s)"}},
    verifyCase{"no index", "*version 6.3 0\n" + goodData,
               {"Expand: fatal error: no index",
                "Verify: no index: vek repair -o NEW LIBRARY rebuilds it from the parts' header lines",
                "Verify: 1 finding(s)"}},
    verifyCase{"not in index", "*version 6.3 2936585237\n@index\n" + goodData,
               {"Expand: symbol A not in index", indexAlone, "Verify: 1 finding(s)"}}));

TEST_F(inspectTest, MissingLibraryIsAFinding) {
    EXPECT_EQ(verifyLibrary(symbolKind, "missing.slb", log), 1);
    EXPECT_EQ(log.lines, (lines{"Expand: fatal error: can't open library: missing.slb",
                                "Verify: 1 finding(s)"}));
}

}  // namespace
