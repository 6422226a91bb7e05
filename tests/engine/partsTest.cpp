// The part-level commands against what expand and compress make: add and
// delete must give, byte for byte, the library compress makes of the list
// expand writes with the files put in place or left out.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/format/libKind.h"
#include "engine/ops/both.h"
#include "engine/ops/compress.h"
#include "engine/ops/expand.h"
#include "engine/ops/inspect.h"
#include "engine/ops/parts.h"

namespace {

namespace fs = std::filesystem;

const std::string head = "*version 6.3 0\n@index\n";

// Duplicates, names with "," ";" and ako parts, odd spacing, trailing blanks,
// a component the index misses and an index that is wrong, in CR LF.
std::string awkwardLibrary() {
    return head + "symloc AND2:GATE2 0 29\nsymloc RES,R1;X 29 40 resistor part\nsymloc DUP 99 5\n"
                             "*symbol AND2 ako GATE2\r\nL1  \r\nL2\r\n*symbol   RES,R1;X   resistor   part\r\nL3\r\n"
                             "*symbol DUP first\r\nD1\r\n*symbol LOOSE\r\nX\r\n*symbol DUP second\r\nD2\r\n";
}

// The library expand then compress make after edit changed the list file
// (lines "FILE \tNAME") in a scratch folder.
template <typename Edit>
std::string byExpandAndCompress(const std::string& library, Edit edit) {
    fs::create_directory("ref");
    fs::current_path("ref");
    writeBytes("lib.slb", library);
    memoryLog log;
    expandLibrary(symbolKind, "lib.slb", log);
    std::vector<std::string> lines;
    std::string text = readBytes("lib.lst");
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    edit(lines);
    std::string list;
    for (const std::string& line : lines) list += line + "\n";
    writeText("edited.lst", list);
    compressLibrary(symbolKind, "edited.lst", "out.slb", false, log);
    std::string result = readBytes("out.slb");
    fs::current_path("..");
    fs::remove_all("ref");
    return result;
}

bool namesPart(const std::string& line, const std::string& name) {
    const std::size_t tab = line.find('\t');
    return tab != std::string::npos && line.substr(tab + 1) == name;
}

struct editCase {
    const char* what;
    std::string library;
    std::vector<std::string> deleted;
};

class partsTest : public inTempDir, public ::testing::WithParamInterface<editCase> {};

TEST_P(partsTest, DeleteIsCompressOfTheRest) {
    const editCase& c = GetParam();
    const std::string expected = byExpandAndCompress(c.library, [&](std::vector<std::string>& lines) {
        for (const std::string& name : c.deleted) {
            lines.erase(std::remove_if(lines.begin(), lines.end(), [&](const std::string& l) { return namesPart(l, name); }),
                        lines.end());
        }
    });
    writeBytes("lib.slb", c.library);
    memoryLog log;
    EXPECT_EQ(deleteParts(symbolKind, "lib.slb", c.deleted, log), opResult::done) << joinLines(log.lines);
    EXPECT_EQ(readBytes("lib.slb"), expected);
}

TEST_P(partsTest, AddReplacesTheFirstAndAppendsTheNew) {
    const editCase& c = GetParam();
    writeText("dup.sym", "*symbol DUP new   \nN1\n\n");
    writeText("fresh.sym", "*SYMBOL FRESH,a;b more words ako BASE\nF1\n");
    const std::string here = fs::current_path().string();
    const std::string expected = byExpandAndCompress(c.library, [&](std::vector<std::string>& lines) {
        bool placed = false;
        std::vector<std::string> out;
        for (const std::string& l : lines) {
            if (!namesPart(l, "DUP")) out.push_back(l);
            else if (!placed) out.push_back(here + "/dup.sym"), placed = true;
        }
        if (!placed) out.push_back(here + "/dup.sym");
        out.push_back(here + "/fresh.sym");
        lines = out;
    });
    writeBytes("lib.slb", c.library);
    memoryLog log;
    EXPECT_EQ(addParts(symbolKind, "lib.slb", {"dup.sym", "fresh.sym"}, log), opResult::done) << joinLines(log.lines);
    EXPECT_EQ(readBytes("lib.slb"), expected);
}

INSTANTIATE_TEST_SUITE_P(Libraries, partsTest, ::testing::Values(
    editCase{"example", readBytes(dataFile("example.slb")), {"RES"}},
    editCase{"awkward", awkwardLibrary(), {"DUP", "AND2"}},
    editCase{"empty", "*version 6.3 4294967295\n@index\n", {}}));

using partCommands = inTempDir;

TEST_F(partCommands, PrintAndExtractGiveExpandsText) {
    writeBytes("lib.slb", awkwardLibrary());
    memoryLog log;
    std::string text;
    EXPECT_EQ(printPart(symbolKind, "lib.slb", "RES", text, log), opResult::done);
    EXPECT_EQ(text, "*symbol RES,R1;X resistor part\nL3\n") << "header rebuilt from the index";
    EXPECT_EQ(printPart(symbolKind, "lib.slb", "DUP", text, log), opResult::done);
    EXPECT_EQ(text, "*symbol DUP\nD1\n") << "the index is wrong for DUP: found by a scan";
    EXPECT_EQ(printPart(symbolKind, "lib.slb", "NONE", text, log), opResult::failed);
    EXPECT_EQ(extractParts(symbolKind, "lib.slb", {"DUP", "LOOSE", "NONE"}, log), opResult::failed);
    EXPECT_EQ(readBytes("DUP.sym"), platformText("*symbol DUP\nD1\n"));
    EXPECT_EQ(readBytes("DUa.sym"), platformText("*symbol DUP\nD2\n"));
    EXPECT_EQ(readBytes("LOOSE.sym"), platformText("*symbol LOOSE\nX\n"));
    EXPECT_EQ(joinLines(log.lines), "Print: NONE not in library\nExtract: Writing DUP    to    DUP.sym\n"
                                    "Extract: Writing DUP    to    DUa.sym\nExtract: Writing LOOSE    to    LOOSE.sym\n"
                                    "Extract: NONE not in library\n");
    EXPECT_FALSE(fileExists("lib.lst"));
}

// The program's Both rebuilds a damaged library from its own parts, as it
// always has; with the tool's guard it changes nothing.
TEST_F(partCommands, BothRebuildsADamagedLibraryUnlessTold) {
    const std::string damaged = "*version 6.3 7\n@index\nsymloc A 5 5\n*symbol  A\nL1\n*symbol B\n";
    writeBytes("lib.slb", damaged);
    memoryLog log;
    runControl guarded;
    guarded.refuseDamage = true;
    EXPECT_EQ(bothLibrary(symbolKind, "lib.slb", log, &guarded), opResult::damaged);
    EXPECT_EQ(readBytes("lib.slb"), damaged);
    ASSERT_EQ(bothLibrary(symbolKind, "lib.slb", log), opResult::done);
    EXPECT_EQ(readBytes("lib.slb"), "*version 6.3 797076976\n@index\nsymloc A 0 13\nsymloc B 13 10\n*symbol A\nL1\n*symbol B\n");
}

// Guarded, both, add and delete take the verified checksum over while the
// rebuilt data section repeats the old one, go on from it past the old end,
// and work it out again from where the two part: each library must be the
// unguarded run's, byte for byte.
TEST_F(partCommands, GuardedRewritesGiveTheChecksumOfWhatTheyWrote) {
    std::string big;  // past one 64 KB block of the workfile
    for (int line = 0; line < 1200; ++line) big += std::string(60, 'b') + "\n";
    using run = int (*)(const runControl*);
    const run both = [](const runControl* c) {
        memoryLog log;
        return resultCode(bothLibrary(symbolKind, "lib.slb", log, c));
    };
    const run add = [](const runControl* c) {
        memoryLog log;
        return resultCode(addParts(symbolKind, "lib.slb", {"new.sym"}, log, c));
    };
    const run drop = [](const runControl* c) {
        memoryLog log;
        return resultCode(deleteParts(symbolKind, "lib.slb", {"A"}, log, c));
    };
    const struct {
        const char* what;
        run change;
        std::vector<std::string> parts;
        const char* newPart;
    } cases[] = {
        {"both: the same bytes", both, {"*symbol A\n" + big, "*symbol B\nL\n"}, ""},
        {"both: differs in the first block", both, {"*symbol A\nL \n", "*symbol B\n" + big}, ""},
        {"both: differs after the first block", both, {"*symbol A\n" + big, "*symbol B\nL \n"}, ""},
        {"both: ends short", both, {"*symbol A\n" + big, "*symbol B\nL\n\n"}, ""},
        {"add: after the end", add, {"*symbol A\n" + big, "*symbol B\nL\n"}, "*symbol C\nN\n"},
        {"add: in place", add, {"*symbol A\nL\n", "*symbol B\n" + big}, "*symbol A\nN\n"},
        {"delete: the first", drop, {"*symbol A\nL\n", "*symbol B\n" + big}, ""},
    };
    runControl guarded;
    guarded.refuseDamage = true;
    for (const auto& c : cases) {
        const std::string library = libraryOf(c.parts);
        writeText("new.sym", c.newPart);
        writeBytes("lib.slb", library);
        memoryLog log;
        ASSERT_EQ(verifyLibrary(symbolKind, "lib.slb", log), 0) << c.what << joinLines(log.lines);
        ASSERT_EQ(c.change(&guarded), 0) << c.what;
        const std::string checked = readBytes("lib.slb");
        writeBytes("lib.slb", library);
        ASSERT_EQ(c.change(nullptr), 0) << c.what;
        EXPECT_EQ(checked, readBytes("lib.slb")) << c.what;
        EXPECT_EQ(verifyLibrary(symbolKind, "lib.slb", log), 0) << c.what << joinLines(log.lines);
        EXPECT_EQ(checked == library, c.what == cases[0].what) << c.what;
    }
}

// The index says where each part stands, but it can be wrong: a negative
// position that points at header-shaped text inside the index must not be
// taken for the part.
TEST_F(partCommands, PrintFindsTheRealPartBehindAWrongIndex) {
    writeBytes("lib.slb", "*version 6.3 0\n@index\nsymloc X -15 12 *symbol X fake\n*symbol X\nREAL\n");
    memoryLog log;
    std::string text;
    EXPECT_EQ(printPart(symbolKind, "lib.slb", "X", text, log), opResult::done);
    EXPECT_EQ(text, "*symbol X *symbol X fake\nREAL\n");
}

// A name with two parts, both where the index says: extract writes both,
// diff names it once.
TEST_F(partCommands, TwoPartsOfOneName) {
    writeText("a.sym", "*symbol DUP\nA\n");
    writeText("b.sym", "*symbol DUP\nB\n");
    writeText("c.sym", "*symbol DUP\nC\n");
    writeText("one.lst", "a.sym\nb.sym\n");
    writeText("two.lst", "a.sym\nc.sym\n");
    memoryLog log;
    ASSERT_EQ(compressLibrary(symbolKind, "one.lst", "one.slb", false, log), opResult::done);
    ASSERT_EQ(compressLibrary(symbolKind, "two.lst", "two.slb", false, log), opResult::done);
    fs::create_directory("out");
    fs::current_path("out");
    log.lines.clear();
    EXPECT_EQ(extractParts(symbolKind, "../one.slb", {"DUP"}, log), opResult::done);
    EXPECT_EQ(readBytes("DUP.sym"), platformText("*symbol DUP\nA\n"));
    EXPECT_EQ(readBytes("DUa.sym"), platformText("*symbol DUP\nB\n"));
    fs::current_path("..");
    std::string text;
    EXPECT_EQ(printPart(symbolKind, "one.slb", "DUP", text, log), opResult::done);
    EXPECT_EQ(text, "*symbol DUP\nA\n") << "print: the first only";
    memoryLog changes;
    EXPECT_EQ(diffLibraries(symbolKind, "one.slb", "two.slb", changes, log), diffResult::different);
    EXPECT_EQ(changes.lines, std::vector<std::string>{"~ DUP"});
}

// A ":" in a header's name word starts the ako part once the index is
// written, so the part is FOO to every command, indexed or not.
TEST_F(partCommands, OneNameForAPartWithAColon) {
    writeBytes("lib.slb", head + "*symbol FOO:BAR\nL1\n*symbol Z\n");
    memoryLog log;
    std::vector<std::string> names;
    EXPECT_EQ(partNames(symbolKind, "lib.slb", names, log), opResult::done);
    EXPECT_EQ(names, (std::vector<std::string>{"FOO", "Z"}));
    std::string text;
    EXPECT_EQ(printPart(symbolKind, "lib.slb", "FOO", text, log), opResult::done);
    EXPECT_EQ(text, "*symbol FOO:BAR\nL1\n");
    writeText("foo.sym", "*symbol FOO:NEW\nL2\n");
    EXPECT_EQ(addParts(symbolKind, "lib.slb", {"foo.sym"}, log), opResult::done);
    EXPECT_EQ(printPart(symbolKind, "lib.slb", "FOO", text, log), opResult::done);
    EXPECT_EQ(text, "*symbol FOO ako NEW\nL2\n");
    EXPECT_EQ(deleteParts(symbolKind, "lib.slb", {"FOO"}, log), opResult::done);
    names.clear();
    EXPECT_EQ(partNames(symbolKind, "lib.slb", names, log), opResult::done);
    EXPECT_EQ(names, std::vector<std::string>{"Z"});
    EXPECT_EQ(joinLines(log.lines), "Add: replaced FOO\nDelete: removed 1 of FOO\n");
}

TEST_F(partCommands, FailuresChangeNothing) {
    const std::string lib = readBytes(dataFile("example.slb"));
    writeBytes("lib.slb", lib);
    writeText("bad.sym", "*package P\n");
    writeText("ok.sym", "*symbol OK\n");
    memoryLog log;
    EXPECT_EQ(addParts(symbolKind, "lib.slb", {"ok.sym", "bad.sym", "gone.sym"}, log), opResult::failed);
    EXPECT_EQ(deleteParts(symbolKind, "lib.slb", {"RES", "NONE"}, log), opResult::failed);
    EXPECT_EQ(deleteParts(symbolKind, "missing.slb", {"RES"}, log), opResult::failed);
    EXPECT_EQ(addParts(packageKind, "lib.slb", {}, log), opResult::failed) << "a symbol library read as packages";
    EXPECT_EQ(readBytes("lib.slb"), lib);
    EXPECT_EQ(joinLines(log.lines),
              "Compress: fatal error: file bad.sym has bad first line: *package P\n\n"
              "Compress: fatal error: can't open: gone.sym\nAdd: 2 error(s), library not changed\n"
              "Delete: removed 1 of RES\nDelete: NONE not in library\nDelete: library not changed\n"
              "Delete: fatal error: can't open library: missing.slb\nAdd: fatal error: no packages found in library\n");
    runControl guarded;
    guarded.refuseDamage = true;
    writeBytes("lib.slb", lib + "*symbol LOOSE\n");
    EXPECT_EQ(addParts(symbolKind, "lib.slb", {"ok.sym"}, log, &guarded), opResult::damaged);
    EXPECT_EQ(deleteParts(symbolKind, "lib.slb", {"RES"}, log, &guarded), opResult::damaged);
    EXPECT_EQ(bothLibrary(symbolKind, "lib.slb", log, &guarded), opResult::damaged);
    EXPECT_EQ(readBytes("lib.slb"), lib + "*symbol LOOSE\n");
    log.lines.clear();
    EXPECT_EQ(addParts(symbolKind, "new.slb", {"ok.sym"}, log), opResult::done) << "a missing library is made";
    EXPECT_EQ(readBytes("new.slb"), "*version 6.3 341229608\n@index\nsymloc OK 0 11\n*symbol OK\n");
}

}  // namespace
