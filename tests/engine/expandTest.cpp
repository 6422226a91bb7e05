#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/ops/expand.h"
#include "engine/format/libKind.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> closing = {"Expand: Checking index....", "", "Expand: --- DONE ---", ""};

std::vector<std::string> lines(std::vector<std::string> first,
                               const std::vector<std::string>& check = {}) {
    first.push_back(closing[0]);
    first.insert(first.end(), check.begin(), check.end());
    first.insert(first.end(), closing.begin() + 1, closing.end());
    return first;
}

const char* const exampleData =
    "*symbol AND2 ako GATE2\nL1\nL2\n*symbol RES,R1;X resistor part\nL3\n";

class expandTest : public inTempDir {
protected:
    int expand(const char* lib = "lib.slb", const libKind& kind = symbolKind) {
        log.lines.clear();
        return expandLibrary(kind, lib, log);
    }
    memoryLog log;
};

TEST_F(expandTest, ExampleLibrary) {
    writeBytes("lib.slb", readBytes(dataFile("example.slb")));
    EXPECT_EQ(expand(), 0);
    EXPECT_EQ(log.lines, lines({"Expand: Writing AND2    to    AND2.sym",
                                "Expand: Writing RES    to    RES.sym"}));
    EXPECT_EQ(readBytes("AND2.sym"), platformText(readBytes(dataFile("example-AND2.sym"))));
    EXPECT_EQ(readBytes("RES.sym"), platformText(readBytes(dataFile("example-RES.sym"))));
    EXPECT_EQ(readBytes("lib.lst"), platformText(readBytes(dataFile("example.lst"))));
}

TEST_F(expandTest, CrLfLibraryCountsEveryCr) {
    std::string crlf;
    for (char c : readBytes(dataFile("example.slb"))) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    writeBytes("lib.slb", crlf);
    EXPECT_EQ(expand(), 0);
    EXPECT_EQ(log.lines, lines({"Expand: Writing AND2    to    AND2.sym",
                                "Expand: symbol AND2 has bad index (length)",
                                "Expand: Writing RES    to    RES.sym",
                                "Expand: symbol RES has bad index (length + position)"}));
    EXPECT_EQ(readBytes("AND2.sym"), platformText(readBytes(dataFile("example-AND2.sym"))));
    EXPECT_EQ(readBytes("RES.sym"), platformText(readBytes(dataFile("example-RES.sym"))));
}

TEST_F(expandTest, ComponentNotInIndexKeepsItsHeader) {
    writeBytes("lib.slb", "*version 6.3 0\n@index\nsymloc A 0 13\n*symbol A\nL1\n*symbol  B   x\nL2\n");
    EXPECT_EQ(expand(), 0);
    EXPECT_EQ(log.lines, lines({"Expand: Writing A    to    A.sym", "Expand: Writing B    to    B.sym",
                                "Expand: symbol B not in index"}));
    EXPECT_EQ(readBytes("B.sym"), platformText("*symbol  B   x\nL2\n"));
}

TEST_F(expandTest, HeaderIsRebuiltFromTheIndexEntry) {
    writeBytes("lib.slb", "*version 6.3 0\n@index\nsymloc A,c;s:base 0 25 some text\n"
                          "*symbol   A  whatever\nL1\n");
    EXPECT_EQ(expand(), 0);
    EXPECT_EQ(readBytes("A.sym"), platformText("*symbol A,c;s some text ako base\nL1\n"));
}

TEST_F(expandTest, OtherCaseKeywordJoinsThePreviousComponent) {
    writeBytes("lib.slb", "*version 6.3 0\n@index\nsymloc A 0 13\nsymloc B 13 13\n"
                          "*symbol A\nL1\n*SYMBOL B\nL2\n");
    EXPECT_EQ(expand(), 0);
    EXPECT_EQ(log.lines, lines({"Expand: Writing A    to    A.sym",
                                "Expand: symbol A has bad index (length)"},
                               {"--- Index entry B has no symbol"}));
    EXPECT_EQ(readBytes("A.sym"), platformText("*symbol A\nL1\n*SYMBOL B\nL2\n"));
}

TEST_F(expandTest, DuplicateNames) {
    writeBytes("lib.slb", "*version 6.3 0\n@index\nsymloc AND2 0 16\nsymloc AND2 16 16\n"
                          "*symbol AND2\nL1\n*symbol AND2\nL2\n");
    EXPECT_EQ(expand(), 0);
    EXPECT_EQ(log.lines, lines({"Expand: Writing AND2    to    AND2.sym",
                                "Expand: Writing AND2    to    ANDa.sym",
                                "Expand: symbol AND2 has bad index (position)"},
                               {"--- Index entry AND2 has multiple symbols",
                                "--- Index entry AND2 has no symbol"}));
    EXPECT_EQ(readBytes("lib.lst"), platformText("AND2.sym \tAND2\nANDa.sym \tAND2\n"));
}

TEST_F(expandTest, ZeroLengthAndMissingEntries) {
    writeBytes("lib.slb", "*version 6.3 0\n@index\nsymloc A 0 0\nsymloc GONE 5 0\n"
                          "junk line\n*symbol A\nL1\n");
    EXPECT_EQ(expand(), 0);
    EXPECT_EQ(log.lines, lines({"Expand: Writing A    to    A.sym",
                                "Expand: symbol A has bad index (length)"},
                               {"--- Index entry A has zero length", "--- Index entry GONE has no symbol",
                                "--- Index entry GONE has zero length"}));
}

TEST_F(expandTest, FatalErrors) {
    struct fatalCase {
        std::string bytes;
        const libKind& kind;
        std::string line;
        bool listWritten;
    };
    const std::vector<fatalCase> cases = {
        {"*version 6.3 0\nsymloc A 0 1\n*symbol A\n", symbolKind, "Expand: fatal error: no index", false},
        {"*version 6.3 0\n@INDEX\n*symbol A\n", symbolKind, "Expand: fatal error: no index", false},
        {"*version 6.3 0\n@index\nsymloc P 0 9\n*package P\n", symbolKind,
         "Expand: fatal error: no symbols found in library", true},
        {"*version 6.3 0\n@index\n", packageKind, "Expand: fatal error: no packages found in library", true},
        {"*version 6.3 0\n@index\n*footprint F", footprintKind,
         "Expand: fatal error: no footprints found in library", true},
        {"", symbolKind, "Expand: fatal error: no index", false},
    };
    for (const fatalCase& c : cases) {
        fs::remove("lib.lst");
        writeBytes("lib.slb", c.bytes);
        EXPECT_EQ(expand("lib.slb", c.kind), 1) << c.bytes;
        EXPECT_EQ(log.lines, std::vector<std::string>{c.line}) << c.bytes;
        EXPECT_EQ(fileExists("lib.lst"), c.listWritten) << c.bytes;
        if (c.listWritten) {
            EXPECT_EQ(readBytes("lib.lst"), "");
        }
    }
}

TEST_F(expandTest, LibraryThatCannotBeOpened) {
    EXPECT_EQ(expand("missing.slb"), 1);
    EXPECT_EQ(log.lines, std::vector<std::string>{"Expand: fatal error: can't open library: missing.slb"});
    writeBytes("ro.slb", readBytes(dataFile("example.slb")));
    setReadOnly("ro.slb", true);
    EXPECT_EQ(expand("ro.slb"), 1);
    EXPECT_EQ(log.lines, std::vector<std::string>{"Expand: fatal error: can't open library: ro.slb"});
    fs::create_directory("dir.slb");
    EXPECT_EQ(expand("dir.slb"), 1);
    EXPECT_FALSE(fileExists("AND2.sym"));
}

TEST_F(expandTest, ReadOnlyComponentFileStopsTheExpansion) {
    writeBytes("lib.slb", readBytes(dataFile("example.slb")));
    writeBytes("RES.sym", "mine");
    setReadOnly("RES.sym", true);
    EXPECT_EQ(expand(), 1);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"Expand: Writing AND2    to    AND2.sym",
                                                   "Expand: fatal error: can't open: RES.sym"}));
    EXPECT_EQ(readBytes("RES.sym"), "mine");
    EXPECT_EQ(readBytes("lib.lst"), platformText("AND2.sym \tAND2\n"));
}

TEST_F(expandTest, ListFileThatCannotBeCreated) {
    writeBytes("lib.slb", readBytes(dataFile("example.slb")));
    writeBytes("lib.lst", "old list");
    setReadOnly("lib.lst", true);
    EXPECT_EQ(expand(), 1);
    EXPECT_EQ(log.lines, std::vector<std::string>{"Expand: fatal error: can't open list file: lib.lst"});
    EXPECT_FALSE(fileExists("AND2.sym"));
}

TEST_F(expandTest, NoFreeNameMeansNoFile) {
    // R2 rather than R: on Windows the taken r.sym would also take R.sym.
    writeBytes("lib.slb", "*version 6.3 0\n@index\nsymloc Q 0 12\n*symbol Q\nL\n*symbol R2\nM\n");
    writeBytes("Q.sym", "");
    for (char c = 'a'; c <= 'z'; ++c) writeBytes(std::string(1, c) + ".sym", "");
    EXPECT_EQ(expand(), 0);
    EXPECT_EQ(log.lines, lines({"Expand: ***** Not writing file for Q *****",
                                "Expand: Writing R2    to    R2.sym", "Expand: symbol R2 not in index"}));
    EXPECT_EQ(readBytes("Q.sym"), "");
    EXPECT_EQ(readBytes("lib.lst"), platformText("R2.sym \tR2\n"));
}

TEST_F(expandTest, HeaderWithoutANameIsCheckedButNotWritten) {
    writeBytes("lib.slb", "*version 6.3 0\n@index\nsymloc A 0 8\n*symbol\nL\n*symbol A\nB\n");
    EXPECT_EQ(expand(), 0);
    EXPECT_EQ(log.lines, lines({"Expand: ***** Not writing file for  *****",
                                "Expand: symbol  not in index", "Expand: Writing A    to    A.sym",
                                "Expand: symbol A has bad index (length + position)"}));
}

TEST_F(expandTest, LineLengthLimit) {
    const std::string ok(1022, 'k');
    writeBytes("lib.slb", "*version 6.3 0\n@index\nsymloc A 0 1033\n*symbol A\n" + ok + "\n");
    EXPECT_EQ(expand(), 0);
    EXPECT_EQ(log.lines, lines({"Expand: Writing A    to    A.sym"}));
    EXPECT_EQ(readBytes("A.sym"), platformText("*symbol A\n" + ok + "\n"));

    const std::string tooLong(1023, 'x');
    writeBytes("lib.slb", "*version 6.3 0\n@index\nsymloc B 0 10\n*symbol B\n" + tooLong +
                              "\nL\n*symbol C\n");
    EXPECT_EQ(expand(), 0);
    EXPECT_EQ(log.lines, lines({"Expand: Writing B    to    B.sym", "Expand: internal error: buf too small"}));
    EXPECT_EQ(readBytes("B.sym"), platformText("*symbol B\n"));

    writeBytes("lib.slb", "*version 6.3 0\n@index\n" + tooLong + "\n*symbol B\n");
    EXPECT_EQ(expand(), 1);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"Expand: internal error: buf too small",
                                                   "Expand: fatal error: no symbols found in library"}));
}

}  // namespace
