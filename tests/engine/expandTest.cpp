// Expand, library by library: the exact log, the result, and the files it
// writes (component files and the list file, in this platform's text form).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/format/libKind.h"
#include "engine/ops/expand.h"

namespace {

namespace fs = std::filesystem;

const std::string head = "*version 6.3 0\n@index\n";
const std::string check = "Expand: Checking index....\n";
const std::string done = "\nExpand: --- DONE ---\n\n";
const std::string example = readBytes(dataFile("example.slb"));
const std::string exampleWriting = "Expand: Writing AND2    to    AND2.sym\nExpand: Writing RES    to    RES.sym\n";

std::string withCrs(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

struct expandCase {
    const char* what;
    std::string library;
    int result;
    std::string log;  // every line followed by LF
    std::vector<std::pair<std::string, std::string>> files;  // name, text; the list file is "lib.lst"
    const libKind* kind = &symbolKind;
};

class expandTable : public inTempDir, public ::testing::WithParamInterface<expandCase> {};

TEST_P(expandTable, LogAndFiles) {
    const expandCase& c = GetParam();
    for (bool behind : {true, false}) {  // the files written on a second thread, or on this one
        runControl control;
        control.writeBehind = behind;
        const std::string folder = behind ? "behind" : "here";
        fs::create_directory(folder);
        fs::current_path(folder);
        writeBytes("lib.slb", c.library);
        memoryLog log;
        EXPECT_EQ(resultCode(expandLibrary(*c.kind, "lib.slb", log, &control)), c.result);
        EXPECT_EQ(joinLines(log.lines), c.log) << folder;
        for (const auto& [name, text] : c.files) {
            EXPECT_TRUE(fileExists(name)) << name;
            EXPECT_EQ(readBytes(name), platformText(text)) << name;
        }
        fs::current_path("..");
    }
}

INSTANTIATE_TEST_SUITE_P(Libraries, expandTable, ::testing::Values(
    expandCase{"example", example, 0, exampleWriting + check + done,
               {{"AND2.sym", readBytes(dataFile("example-AND2.sym"))}, {"RES.sym", readBytes(dataFile("example-RES.sym"))},
                {"lib.lst", readBytes(dataFile("example.lst"))}}},
    expandCase{"CR LF lines count every CR", withCrs(example), 0,
               "Expand: Writing AND2    to    AND2.sym\nExpand: symbol AND2 has bad index (length)\n"
               "Expand: Writing RES    to    RES.sym\nExpand: symbol RES has bad index (length + position)\n" +
                   check + done,
               {{"AND2.sym", "*symbol AND2 ako GATE2\nL1\nL2\n"}, {"RES.sym", "*symbol RES,R1;X resistor part\nL3\n"}}},
    expandCase{"not in the index: header kept as read", head + "symloc A 0 13\n*symbol A\nL1\n*symbol  B   x\nL2\n", 0,
               "Expand: Writing A    to    A.sym\nExpand: Writing B    to    B.sym\nExpand: symbol B not in index\n" +
                   check + done,
               {{"B.sym", "*symbol  B   x\nL2\n"}}},
    expandCase{"an entry-shaped line that is no symloc line", head + "note X 0 13\nsymloc A 0 13\n*symbol A\nL1\n", 0,
               "Expand: Writing A    to    A.sym\n" + check + done, {{"lib.lst", "A.sym \tA\n"}}},
    expandCase{"header rebuilt from the entry", head + "symloc A,c;s:base 0 25 some text\n*symbol   A  whatever\nL1\n",
               0, "Expand: Writing A    to    A.sym\n" + check + done,
               {{"A.sym", "*symbol A,c;s some text ako base\nL1\n"}}},
    expandCase{"other letter case joins the component before",
               head + "symloc A 0 13\nsymloc B 13 13\n*symbol A\nL1\n*SYMBOL B\nL2\n", 0,
               "Expand: Writing A    to    A.sym\nExpand: symbol A has bad index (length)\n" + check +
                   "--- Index entry B has no symbol\n" + done,
               {{"A.sym", "*symbol A\nL1\n*SYMBOL B\nL2\n"}}},
    expandCase{"two of a name", head + "symloc AND2 0 16\nsymloc AND2 16 16\n*symbol AND2\nL1\n*symbol AND2\nL2\n", 0,
               "Expand: Writing AND2    to    AND2.sym\nExpand: Writing AND2    to    ANDa.sym\n"
               "Expand: symbol AND2 has bad index (position)\n" + check +
                   "--- Index entry AND2 has multiple symbols\n--- Index entry AND2 has no symbol\n" + done,
               {{"lib.lst", "AND2.sym \tAND2\nANDa.sym \tAND2\n"}}},
    expandCase{"zero lengths and a missing part; \"symbol\" for every kind",
               head + "symloc A 0 0\nsymloc GONE 5 0\njunk line\nsymloc\nsymloc X y 1\n*footprint A\nL1\n", 0,
               "Expand: Writing A    to    A.fpd\nExpand: symbol A has bad index (length)\n" + check +
                   "--- Index entry A has zero length\n--- Index entry GONE has no footprint\n"
                   "--- Index entry GONE has zero length\n" + done,
               {}, &footprintKind},
    expandCase{"a header without a name", head + "symloc A 0 8\n*symbol\nL\n*symbol A\nB\n", 0,
               "Expand: ***** Not writing file for  *****\nExpand: symbol  not in index\n"
               "Expand: Writing A    to    A.sym\nExpand: symbol A has bad index (length + position)\n" + check + done,
               {{"lib.lst", "A.sym \tA\n"}}},
    expandCase{"a line of 1022 characters", head + "symloc A 0 1033\n*symbol A\n" + std::string(1022, 'k') + "\n", 0,
               "Expand: Writing A    to    A.sym\n" + check + done,
               {{"A.sym", "*symbol A\n" + std::string(1022, 'k') + "\n"}}},
    expandCase{"a longer line ends the data", head + "symloc B 0 10\n*symbol B\n" + std::string(1023, 'x') + "\nL\n*symbol C\n",
               0, "Expand: Writing B    to    B.sym\nExpand: internal error: buf too small\n" + check + done,
               {{"B.sym", "*symbol B\n"}}},
    expandCase{"a longer line in the index", head + std::string(1023, 'x') + "\n*symbol B\n", 1,
               "Expand: internal error: buf too small\nExpand: fatal error: no symbols found in library\n", {{"lib.lst", ""}}},
    expandCase{"no index", "*version 6.3 0\nsymloc A 0 1\n*symbol A\n", 1, "Expand: fatal error: no index\n", {}},
    expandCase{"the marker in other letter case", "*version 6.3 0\n@INDEX\n*symbol A\n", 1,
               "Expand: fatal error: no index\n", {}},
    expandCase{"nothing at all", "", 1, "Expand: fatal error: no index\n", {}},
    expandCase{"packages expanded as symbols", head + "symloc P 0 9\n*package P\n", 1,
               "Expand: fatal error: no symbols found in library\n", {{"lib.lst", ""}}},
    expandCase{"no packages", head, 1, "Expand: fatal error: no packages found in library\n", {{"lib.lst", ""}},
               &packageKind},
    expandCase{"a last line without LF is not seen", head + "*footprint F", 1,
               "Expand: fatal error: no footprints found in library\n", {{"lib.lst", ""}}, &footprintKind}));

class expandTest : public inTempDir {
protected:
    int expand(const char* lib = "lib.slb") {
        log.lines.clear();
        return resultCode(expandLibrary(symbolKind, lib, log));
    }
    memoryLog log;
};

TEST_F(expandTest, FatalErrorsLeaveNoListFileWhenNothingWasRead) {
    writeBytes("lib.slb", "*version 6.3 0\n");
    EXPECT_EQ(expand(), 1);
    EXPECT_FALSE(fileExists("lib.lst"));
    EXPECT_EQ(expand("missing.slb"), 1);
    EXPECT_EQ(log.lines, std::vector<std::string>{"Expand: fatal error: can't open library: missing.slb"});
    writeBytes("ro.slb", example);
    setReadOnly("ro.slb", true);
    EXPECT_EQ(expand("ro.slb"), 1);
    EXPECT_EQ(log.lines, std::vector<std::string>{"Expand: fatal error: can't open library: ro.slb"});
    fs::create_directory("dir.slb");
    EXPECT_EQ(expand("dir.slb"), 1);
    EXPECT_FALSE(fileExists("AND2.sym"));
}

TEST_F(expandTest, ReadOnlyFilesAreNeverOverwritten) {
    writeBytes("lib.slb", example);
    writeBytes("RES.sym", "mine");
    setReadOnly("RES.sym", true);
    EXPECT_EQ(expand(), 1);
    EXPECT_EQ(joinLines(log.lines), "Expand: Writing AND2    to    AND2.sym\nExpand: fatal error: can't open: RES.sym\n");
    EXPECT_EQ(readBytes("RES.sym"), "mine");
    EXPECT_EQ(readBytes("lib.lst"), platformText("AND2.sym \tAND2\n"));
    writeBytes("lib.lst", "old list");
    setReadOnly("lib.lst", true);
    fs::remove("AND2.sym");
    EXPECT_EQ(expand(), 1);
    EXPECT_EQ(log.lines, std::vector<std::string>{"Expand: fatal error: can't open list file: lib.lst"});
    EXPECT_FALSE(fileExists("AND2.sym"));
}

TEST_F(expandTest, NoFreeNameMeansNoFile) {
    // R2 rather than R: on Windows the taken r.sym would also take R.sym.
    writeBytes("lib.slb", head + "symloc Q 0 12\n*symbol Q\nL\n*symbol R2\nM\n");
    writeBytes("Q.sym", "");
    for (char c = 'a'; c <= 'z'; ++c) writeBytes(std::string(1, c) + ".sym", "");
    EXPECT_EQ(expand(), 0);
    EXPECT_EQ(joinLines(log.lines), "Expand: ***** Not writing file for Q *****\nExpand: Writing R2    to    R2.sym\n"
                                    "Expand: symbol R2 not in index\n" + check + done);
    EXPECT_EQ(readBytes("Q.sym"), "");
    EXPECT_EQ(readBytes("lib.lst"), platformText("R2.sym \tR2\n"));
}

}  // namespace
