// Runs the built vek program in a temporary folder, as a user would.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>

#include "common/fileText.h"
#include "common/testDir.h"
#include "cli/vekRun.h"
#include "support/platform/writerLock.h"

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <regex>
#include <set>
#include <vector>

#endif

namespace {

namespace fs = std::filesystem;

const char* const exampleLog =
    "Expand: Writing AND2    to    AND2.sym\n"
    "Expand: Writing RES    to    RES.sym\n"
    "Expand: Checking index....\n\nExpand: --- DONE ---\n\n";

using cliEndToEnd = inTempDir;

TEST_F(cliEndToEnd, ExpandThenCompressGivesTheSameLibrary) {
    writeBytes("parts.slb", readBytes(dataFile("example.slb")));
    runResult r = runVek("expand parts.slb");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, platformText(exampleLog));
    EXPECT_EQ(r.err, platformText("vek: list file written: parts.lst\n"));
    EXPECT_EQ(readBytes("parts.lst"), platformText(readBytes(dataFile("example.lst"))));
    r = runVek("compress parts.lst rebuilt.slb");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, platformText("Compress: got symbol \"AND2\"\nCompress: got symbol \"RES\"\n"
                                  "Compress: 2 files processed\n\nCompress: --- DONE ---\n\n"));
    EXPECT_EQ(readBytes("rebuilt.slb"), readBytes(dataFile("example.slb")));
    r = runVek("compress -r parts.lst again.slb");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(readBytes("again.slb"), readBytes(dataFile("example.slb")));
    EXPECT_FALSE(fileExists("AND2.sym"));
    EXPECT_FALSE(fileExists("RES.sym"));
    fs::create_directory("work");
    fs::rename("again.slb", "work/lib.slb");
    EXPECT_EQ(runVek("both -C work lib.slb").code, 0);
    EXPECT_EQ(readBytes("work/lib.slb"), readBytes(dataFile("example.slb")));
    EXPECT_FALSE(fileExists("work/AND2.sym"));
    EXPECT_TRUE(fileExists("work/lib.lst"));
    // Into another folder, named there after the library's file name.
    r = runVek("expand -o out work/lib.slb");
    EXPECT_EQ(r.err, platformText("vek: list file written: out/lib.lst\n"));
    EXPECT_EQ(runVek("compress -C out lib.lst ../fromOut.slb").code, 0);
    EXPECT_EQ(readBytes("fromOut.slb"), readBytes(dataFile("example.slb")));
}

struct runCase {
    const char* args;
    int code;
    std::string out;  // what standard output holds: exactly, or with a leading "%", somewhere
    const char* err;  // what standard error holds somewhere
};

class cliRuns : public cliEndToEnd, public ::testing::WithParamInterface<runCase> {};

TEST_P(cliRuns, ExitCodeAndOutput) {
    const std::string example = readBytes(dataFile("example.slb"));
    std::string damaged = example;
    damaged[damaged.size() - 2] = 'X';
    writeBytes("parts.slb", example);
    writeBytes("damaged.slb", damaged);
    writeBytes("bad.slb", "no index\n");
    writeBytes("idx.slb", "*version 6.3 0\n@index\nsymloc A 0 99\n*symbol A\n");
    writeText("missing.lst", "missing.sym\n");
    writeText("x.pkg", "not a header\n");
    writeText("x.lst", "x.pkg\n");
    writeBytes("devices.slb", "*version 6.3 0\n@index\nsymloc CON 0 14\n*symbol CON\nL\n");
    writeBytes("cut.slb", example.substr(0, example.size() - 1));
    fs::create_directory("sub");
    writeText("sub/names.lst", "only.sym\n");
    writeText("sub/only.sym", "*symbol ONLY\nL\n");
    writeBytes("broken.slb", "*version 6.3 0\n@index\nsymloc A 0 13\nsymloc B x 1\n*symbol A\nL1\n");
    writeBytes("forced.slb", damaged);
    const std::string longLine = "*symbol L\n" + std::string(1030, 'x') + "\n";
    writeText("long.sym", longLine);
    writeText("long.lst", "long.sym\n");
    writeText("ok.sym", "*symbol OK\nL\n");
    writeText("ok.lst", "ok.sym\n");
    writeText("ok2.sym", "*symbol OK again\nM\n");
    writeText("twice.lst", "ok.sym\nok2.sym\n");
    writeText("noname.sym", "*symbol ,A\nL\n");
    writeText("noname.lst", "noname.sym\n");
    writeText("longhead.sym", "*symbol " + std::string(1022, 'h') + "\nL\n");
    writeText("longhead.lst", "longhead.sym\n");
    writeBytes("long.slb", "*version 6.3 0\n@index\nsymloc L 0 1041\n" + longLine);
    const runCase& c = GetParam();
    const runResult r = runVek(c.args);
    EXPECT_EQ(r.code, c.code);
    if (c.out.rfind("%", 0) == 0) {
        EXPECT_NE(r.out.find(c.out.substr(1)), std::string::npos) << r.out;
    } else {
        EXPECT_EQ(r.out, platformText(c.out));
    }
    if (c.err[0] == '\0') {
        EXPECT_EQ(r.err, "") << "standard error is not a terminal: no progress";
    } else {
        EXPECT_NE(r.err.find(platformText(c.err)), std::string::npos) << r.err;
    }
    EXPECT_EQ(readBytes("damaged.slb"), damaged) << "nothing changes a damaged library";
    EXPECT_EQ(readBytes("x.lst"), platformText("x.pkg\n")) << "an output that is an input is refused";
    EXPECT_FALSE(fileExists("out.slb")) << "no library after errors";
}

INSTANTIATE_TEST_SUITE_P(Cases, cliRuns, ::testing::Values(
    runCase{"expand bad.slb", 1, "Expand: fatal error: no index\n", "vek: bad.slb: no index\n"},
    runCase{"compress missing.lst out.slb", 1, "%Compress: 1 error(s)", "vek: missing.sym: No such file or directory\n"},
    runCase{"expand idx.slb", 1, "%Expand: A is cut short by the library's end: not written",
            "vek: idx.slb: damaged: every part read whole was written; vek verify idx.slb names the damage"},
    runCase{"expand --keep bad.slb", 1, "Expand: fatal error: no index\n", "vek: bad.slb: no index\n"},
    runCase{"expand parts.txt", 2, "", "vek: can't tell the kind from parts.txt; give it with -k\nTry 'vek expand --help'.\n"},
    runCase{"--version", 0, "%6.3", ""},
    runCase{"compress -k package x.lst out.slb", 1,
            "Compress: fatal error: file x.pkg has bad first line: not a header\n\n"
            "Compress: 1 files processed\nCompress: 1 error(s)\n\nCompress: --- DONE ---\n\n",
            "vek: x.pkg: bad first line: not a header\nvek: out.slb: not written: 1 error(s)\n"},
    runCase{"list parts.slb", 0, "AND2:GATE2 0 29\nRES,R1;X 29 34 resistor part\n", ""},
    runCase{"verify parts.slb", 0, "Verify: library is clean\n", ""},
    runCase{"verify damaged.slb", 1, "%Verify: checksum 3852186597 in the version line", "vek: damaged.slb: 1 finding(s)"},
    runCase{"list missing.slb", 1, "", "vek: missing.slb: No such file or directory\n"},
    runCase{"list --json parts.slb", 0, "%{\"name\": \"AND2\", \"position\": 0, \"length\": 29, \"akoName\": \"GATE2\"},", ""},
    runCase{"expand -q parts.slb", 0, "", ""},
    runCase{"print parts.slb RES", 0, "*symbol RES,R1;X resistor part\nL3\n", ""},
    runCase{"print parts.slb NONE", 1, "", "vek: parts.slb: NONE not in library\n"},
    runCase{"diff parts.slb parts.slb", 0, "", ""},
    runCase{"diff parts.slb damaged.slb", 1, "~ RES\n", ""},
    runCase{"diff damaged.slb idx.slb", 1, "- AND2\n- RES\n! A cut short\n", ""},
    runCase{"diff -u cut.slb parts.slb", 1, "! RES cut short\n", ""},
    runCase{"diff -k package parts.slb parts.slb", 2, "", "vek: parts.slb holds symbols, not packages\n"},
    runCase{"expand devices.slb", 0, "%Expand: Writing CON    to    COa.sym", "vek: list file written: devices.lst\n"},
    runCase{"diff parts.slb none.slb", 2, "", "vek: none.slb: No such file or directory\n"},
    runCase{"delete parts.slb NONE", 1, "Delete: NONE not in library\nDelete: library not changed\n",
            "vek: parts.slb: NONE not in library\n"},
    runCase{"add damaged.slb ok.sym", 1, "%library not changed: 1 finding(s)",
            "vek: damaged.slb: library not changed: 1 finding(s): only the checksum differs: a byte changed somewhere "
            "in the data and no part can be named; compare with a backup using vek diff\n"},
    runCase{"delete damaged.slb RES", 1, "%library not changed", "library not changed: 1 finding(s)"},
    runCase{"both damaged.slb", 1, "%library not changed", "library not changed: 1 finding(s)"},
    runCase{"delete --force forced.slb AND2", 0, "Delete: removed 1 of AND2\n", ""},
    runCase{"add parts.slb long.sym", 1, "%Add: 1 error(s), library not changed",
            "vek: long.sym: line 2 is longer than 1022 characters\n"},
    runCase{"compress long.lst out.slb", 1, "%Compress: 1 error(s)", "vek: long.sym: line 2 is longer than 1022"},
    runCase{"compress -k package x.lst x.lst", 1, "Compress: fatal error: output file is an input: x.lst\n",
            "vek: x.lst: output file is also an input (x.lst); nothing written\n"},
    runCase{"compress -k symbol long.lst long.sym", 1, "%output file is an input", "(long.sym); nothing written"},
    runCase{"print cut.slb RES", 1, "", "vek: cut.slb: RES can't be read whole: the library ends inside it\n"},
    runCase{"extract long.slb L", 1, "%Extract: fatal error: L can't be read whole", "L can't be read whole: a line is longer than 1022 characters"},
    runCase{"print cut.slb AND2", 0, "*symbol AND2 ako GATE2\nL1\nL2\n", ""},
    runCase{"expand long.slb", 1, "%Expand: internal error: buf too small", "the rest of the library was not read"},
    runCase{"compress -q ok.lst good.slb", 0, "", ""},
    runCase{"verify -q parts.slb", 0, "", ""},
    runCase{"verify -q damaged.slb", 1, "%Verify: checksum 3852186597", "vek: damaged.slb: 1 finding(s)\n"},
    runCase{"diff -q parts.slb damaged.slb", 1, "", ""},
    runCase{"list -q parts.slb", 0, "", ""},
    runCase{"print -q parts.slb RES", 0, "", ""},
    runCase{"both -q parts.slb", 0, "", ""},
    runCase{"add -q made.slb ok.sym", 0, "", ""},
    runCase{"extract -q -o q parts.slb AND2", 0, "", ""},
    runCase{"delete -q parts.slb NONE", 1, "Delete: NONE not in library\nDelete: library not changed\n",
            "vek: parts.slb: NONE not in library\n"},
    runCase{"extract --help", 0, "%usage: vek extract [options] LIBRARY NAME...", ""},
    runCase{"help print", 0, "%example: vek print parts.slb AND2 > and2.sym", ""},
    runCase{"list -h", 0, "%  --json                  print the index as a JSON array", ""},
    runCase{"help nosuch", 2, "", "vek: unknown command: nosuch\nTry 'vek --help'.\n"},
    runCase{"list --nosuch parts.slb", 2, "", "vek: unknown option: --nosuch\nTry 'vek list --help'.\n"},
    runCase{"extract -o ex parts.slb \"R*\" \"Z*\"", 1, "Extract: Writing RES    to    RES.sym\nExtract: Z* not in library\n",
            "vek: parts.slb: Z* not in library\n"},
    runCase{"print parts.slb \"*\"", 0, "*symbol AND2 ako GATE2\nL1\nL2\n*symbol RES,R1;X resistor part\nL3\n", ""},
    runCase{"print parts.slb \"[!A]??\"", 0, "*symbol RES,R1;X resistor part\nL3\n", ""},
    runCase{"print parts.slb NONE RES AND2", 1, "*symbol AND2 ako GATE2\nL1\nL2\n*symbol RES,R1;X resistor part\nL3\n",
            "vek: parts.slb: NONE not in library\n"},
    runCase{"list --names devices.slb", 0, "CON\n", ""},
    runCase{"list broken.slb", 1, "A 0 13\n", "vek: broken.slb: 1 index line(s) can't be read, the first: symloc B x 1\n"},
    runCase{"verify -k footprint parts.slb", 2, "", "vek: parts.slb holds symbols, not footprints\nTry 'vek verify --help'.\n"},
    runCase{"rename parts.slb RES R9", 0, "Rename: 1 of RES now R9\n", ""},
    runCase{"rename parts.slb RES AND2", 1, "Rename: AND2 names a part already; library not changed\n",
            "vek: parts.slb: AND2 names a part already; library not changed\n"},
    runCase{"grep -i -F l3 parts.slb", 0, "parts.slb:RES:2:L3\n", ""},
    runCase{"grep SO8 parts.slb", 1, "", ""},
    runCase{"grep -E \"(\" parts.slb", 2, "", "vek: (: "},
    runCase{"compress sub/names.lst out.slb", 1, "%Compress: 1 error(s)",
            "vek: sub/names.lst: the files it names are looked for from the current folder, not from sub "
            "(vek compress -C sub ... reads them from there)\n"},
    runCase{"compress parts.slb out.slb", 2, "", "vek: parts.slb is a library, not a list file\n"},
    runCase{"", 2, "", "   repair     rebuild a damaged library from every part that can be read whole\n"},
    runCase{"delete --force forced.slb \"AN?2\" \"[X-Z]*\"", 1, "%Delete: [X-Z]* not in library", "[X-Z]* not in library"},
    runCase{"diff -u parts.slb damaged.slb", 1,
            "--- parts.slb:RES\n+++ damaged.slb:RES\n@@ -1,2 +1,2 @@\n *symbol RES,R1;X resistor part\n-L3\n+LX\n", ""},
    runCase{"add --wait x parts.slb long.sym", 2, "", "--wait takes a number of seconds: x"},
    runCase{"add --wait nan parts.slb ok.sym", 2, "", "--wait takes a number of seconds: nan"},
    runCase{"extract -o ex parts.slb \"A*\" \"*2\" AND2 \"R*\"", 0,
            "Extract: Writing AND2    to    AND2.sym\nExtract: Writing RES    to    RES.sym\n", ""},
    runCase{"compress longhead.lst out.slb", 1, "%Compress: 1 error(s)",
            "vek: longhead.sym: line 1 is longer than 1022 characters\n"},
    runCase{"compress twice.lst out.slb", 1, "%Compress: fatal error: ok2.sym holds part OK, as ok.sym does",
            "vek: ok2.sym: holds part OK, as ok.sym does (--force takes both)\n"},
    runCase{"compress --force -q twice.lst forced2.slb", 0, "", ""},
    runCase{"compress noname.lst out.slb", 1, "%Compress: fatal error: file noname.sym has a header line without a name",
            "vek: noname.sym: header line without a name (--force takes it)\n"},
    runCase{"add parts.slb noname.sym", 1, "Add: file noname.sym has a header line without a name\n"
            "Add: 1 error(s), library not changed\n", "vek: noname.sym: header line without a name (--force takes it)\n"},
    runCase{"repair -q -o fixed.slb cut.slb", 1,
            "Repair: lost RES at byte 29 (33 bytes): cut short by the library's end; --keep-cut keeps its first 31 bytes\n",
            "vek: cut.slb: lost RES at byte 29 (33 bytes)"},
    runCase{"both -q --force cut.slb", 1, "Expand: RES is cut short by the library's end: written as far as it goes\n"
            "Expand: symbol RES has bad index (length)\n", "vek: cut.slb: RES is cut short by the library's end: written "
            "as far as it goes\n"},
    runCase{"add -q parts.slb ok2.sym", 0, "", "vek: ok2.sym: holds part OK, which expand writes to OK.sym\n"},
    runCase{"repair cut.slb", 2, "", "vek: repair needs -o FILE or --in-place (or -n)\n"},
    runCase{"verify - < parts.slb", 0, "Verify: library is clean\n", ""},
    runCase{"list - < parts.slb", 0, "AND2:GATE2 0 29\nRES,R1;X 29 34 resistor part\n", ""},
    runCase{"print - RES AND2 < parts.slb", 0, "*symbol AND2 ako GATE2\nL1\nL2\n*symbol RES,R1;X resistor part\nL3\n", ""},
    runCase{"verify - < damaged.slb", 1, "%Verify: checksum 3852186597", "vek: (standard input): 1 finding(s)\n"},
    runCase{"grep -F L3 parts.slb - < parts.slb", 0, "parts.slb:RES:2:L3\n(standard input):RES:2:L3\n", ""},
    runCase{"add parts.slb - < ok2.sym", 0, "Add: added OK\n", ""},
    runCase{"add parts.slb - - < ok.sym", 2, "", "vek: standard input (-) given twice: it can be read once\n"},
    runCase{"delete - AND2 < parts.slb", 2, "", "vek: delete can't take - (standard input) there: give a file\n"}));

// Every command has its help on standard output, and a usage error of one
// line and where help is on standard error.
// Expanding again into a folder where a part's file was edited must not
// leave the edit behind under another name: refused, unless told how.
TEST_F(cliEndToEnd, ExpandAndExtractNeverWriteOverAFile) {
    writeBytes("parts.slb", readBytes(dataFile("example.slb")));
    ASSERT_EQ(runVek("expand -q -o re parts.slb").code, 0);
    writeText("re/AND2.sym", "*symbol AND2\nedited\n");
    const std::string list = readBytes("re/parts.lst");
    for (const char* args : {"expand -o re parts.slb", "extract -o re parts.slb AND2 RES"}) {
        const runResult r = runVek(args);
        EXPECT_EQ(r.code, 1) << args;
        EXPECT_NE(r.out.find("fatal error: 2 part file(s) there already: AND2.sym, RES.sym"), std::string::npos) << r.out;
        EXPECT_NE(r.err.find(platformText("re/AND2.sym: there already: not written over (--overwrite replaces it, "
                                          "--keep writes beside it)\n")),
                  std::string::npos) << r.err;
        EXPECT_EQ(readBytes("re/AND2.sym"), platformText("*symbol AND2\nedited\n")) << args;
        EXPECT_EQ(readBytes("re/parts.lst"), list) << args;
        EXPECT_EQ(std::distance(fs::directory_iterator("re"), fs::directory_iterator()), 3) << args;
    }
    EXPECT_EQ(runVek("expand -q --keep -o re parts.slb").code, 0);
    EXPECT_EQ(readBytes("re/AND2.sym"), platformText("*symbol AND2\nedited\n"));
    EXPECT_NE(readBytes("re/parts.lst").find("ANDa.sym"), std::string::npos);
    EXPECT_EQ(runVek("expand -q --overwrite -o re parts.slb").code, 0);
    EXPECT_EQ(readBytes("re/AND2.sym"), platformText("*symbol AND2 ako GATE2\nL1\nL2\n"));
    EXPECT_EQ(readBytes("re/parts.lst"), list);
    writeText("re/RES.sym", "*symbol RES\nedited\n");
    EXPECT_EQ(runVek("extract -q --overwrite -o re parts.slb RES").code, 0);
    EXPECT_NE(readBytes("re/RES.sym"), platformText("*symbol RES\nedited\n"));
    EXPECT_EQ(runVek("expand --overwrite --keep parts.slb").code, 2);
    // A library cut short: every whole part is written, the cut one is not
    // (nor listed), and the exit status says so.
    const std::string example = readBytes(dataFile("example.slb"));
    writeBytes("cut.slb", example.substr(0, example.size() - 1));
    const runResult r = runVek("expand -q -o cut cut.slb");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find(platformText("vek: cut.slb: RES is cut short by the library's end: not written\n")), std::string::npos)
        << r.err;
    EXPECT_TRUE(fileExists("cut/AND2.sym"));
    EXPECT_FALSE(fileExists("cut/RES.sym"));
    EXPECT_EQ(readBytes("cut/cut.lst"), platformText("AND2.sym \tAND2\n"));
}

// A dry run says what would change and leaves every file as it was, with
// no file of its own left behind.
TEST_F(cliEndToEnd, DryRunsWriteNothing) {
    const std::string example = readBytes(dataFile("example.slb"));
    writeBytes("parts.slb", example);
    writeBytes("cut.slb", example.substr(0, example.size() - 1));
    for (const char* side : {"base", "ours", "theirs"}) {
        writeBytes(std::string(side) + ".slb", readBytes(dataFile(std::string("merge/") + side + ".slb")));
    }
    writeText("new.sym", "*symbol NEW\nL\n");
    const auto files = [] {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(".")) names.push_back(entry.path().filename().string() + "=" + readBytes(entry.path().string()));
        std::sort(names.begin(), names.end());
        return names;
    };
    const std::vector<std::string> before = files();
    const struct {
        const char* args;
        int code;
        const char* out;
    } runs[] = {
        {"add -n parts.slb new.sym", 0, "Add: added NEW\nAdd: nothing written (a dry run)\n"},
        {"delete -n parts.slb RES", 0, "Delete: removed 1 of RES\nDelete: nothing written (a dry run)\n"},
        {"merge -n base.slb ours.slb theirs.slb", 1,
         "Merge: Q0: theirs' change taken\nMerge: CONFLICT (modify/delete) in C6\nMerge: CONFLICT (content) in AND10\n"
         "Merge: NEWB: added, as theirs did\nMerge: nothing written (a dry run)\nMerge: 2 conflict(s)\n"},
        {"repair -q -n cut.slb", 1, "Repair: lost RES at byte 29 (33 bytes): cut short by the library's end; --keep-cut "
                                    "keeps its first 31 bytes\n"},
    };
    for (const auto& run : runs) {
        const runResult r = runVek(run.args);
        EXPECT_EQ(r.code, run.code) << run.args;
        EXPECT_EQ(r.out, platformText(run.out)) << run.args;
        EXPECT_EQ(files(), before) << run.args;
    }
}

TEST_F(cliEndToEnd, HelpAndUsageErrorsOfEachCommand) {
    for (const char* command : {"compress", "expand", "both", "list", "verify", "extract", "print", "add", "delete", "diff",
                                "merge", "cat", "git-merge", "git-setup"}) {
        const std::string word = command;
        runResult r = runVek(word + " --help");
        EXPECT_EQ(r.code, 0) << word;
        EXPECT_EQ(r.out.rfind("usage: vek " + word + " [options]", 0), 0u) << r.out;
        EXPECT_NE(r.out.find("example: vek " + word), std::string::npos) << r.out;
        EXPECT_EQ(r.err, "") << word;
        r = runVek(word + " --bogus x.slb");
        EXPECT_EQ(r.code, 2) << word;
        EXPECT_EQ(r.out, "") << word;
        EXPECT_EQ(r.err, platformText("vek: unknown option: --bogus\nTry 'vek " + word + " --help'.\n")) << word;
    }
}

// git's merge driver: temporary files without an extension, the kind from
// the path in the repository, the result over ours, byte for byte the same
// on every platform; each conflict and their count on standard error. The
// text of a library for git's diffs says where its damage is and never
// fails.
TEST_F(cliEndToEnd, MergeAsGitsDriverAndCatAsItsTextconv) {
    fs::create_directory("tmp");
    for (const char* side : {"base", "ours", "theirs"}) {
        writeBytes(std::string("tmp/") + side, readBytes(dataFile(std::string("merge/") + side + ".slb")));
    }
#ifdef _WIN32
    const std::string sides = "tmp\\base tmp\\ours tmp\\theirs";
#else
    const std::string sides = "tmp/base tmp/ours tmp/theirs";
#endif
    runResult r = runVek("merge -q -L 7 --path lib/parts.slb " + sides);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, platformText("Merge: CONFLICT (modify/delete) in C6\nMerge: CONFLICT (content) in AND10\n"
                                  "Merge: 2 conflict(s)\n"));
    EXPECT_EQ(r.err, platformText("vek: lib/parts.slb: CONFLICT (modify/delete) in part C6\n"
                                  "vek: lib/parts.slb: CONFLICT (content) in part AND10\n"
                                  "vek: lib/parts.slb: 2 conflict(s), marked inside the parts named; resolve them, "
                                  "then run vek verify\n"));
    EXPECT_EQ(readBytes("tmp/ours"), readBytes(dataFile("merge/merged.slb")));
    r = runVek("merge tmp/base tmp/base tmp/theirs");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(readBytes("tmp/base"), readBytes(dataFile("merge/theirs.slb")));
    EXPECT_EQ(runVek("merge -k package -o x.plb tmp/base tmp/ours tmp/theirs").code, 2) << "holds symbols";
    EXPECT_FALSE(fileExists("x.plb"));

    std::string cut = readBytes(dataFile("example.slb"));
    cut.resize(cut.size() - 2);
    writeBytes("cut.slb", cut);
    r = runVek("cat cut.slb");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, platformText("*symbol AND2 ako GATE2\nL1\nL2\n*symbol RES,R1;X resistor part\n"
                                  "vek: damaged: RES is cut short: the library ends inside it\n"
                                  "vek: damaged: Expand: symbol RES has bad index (length)\n"
                                  "vek: damaged: Verify: checksum 3852186597 in the version line, 632039714 for the "
                                  "data section\nvek: damaged: Verify: cut short inside part RES: vek repair -o NEW LIBRARY keeps every "
                           "other part (--keep-cut: this one as far as it goes)\nvek: damaged: Verify: 2 finding(s)\n"));
    EXPECT_EQ(runVek("cat missing.slb").code, 1);
}

// A writer that cannot get the lock within --wait changes nothing.
TEST_F(cliEndToEnd, AWriterWaitsForTheLockThenGivesUp) {
    writeBytes("parts.slb", readBytes(dataFile("example.slb")));
    writeText("new.sym", "*symbol NEW\nL\n");
    platform::writerLock held;
    ASSERT_EQ(held.acquire("parts.slb", 0, nullptr, nullptr), platform::writerLock::outcome::locked);
    const runResult r = runVek("add --wait 0.2 parts.slb new.sym");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, platformText("vek: parts.slb: locked by another writer\n"));
    EXPECT_EQ(readBytes("parts.slb"), readBytes(dataFile("example.slb")));
    held.release();
    EXPECT_EQ(runVek("add --wait 0.2 parts.slb new.sym").code, 0);
}

#ifndef _WIN32

// Runs vek with args in place of this (child) process.
[[noreturn]] void execVek(const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>("vek")};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(VEK_BINARY, argv.data());
    _exit(127);
}

// Starts vek with args in a session of its own with standard error on a new
// pseudo-terminal and standard output in log.txt (or on the terminal too);
// returns the terminal's master side.
int startOnTerminal(pid_t& child, const std::vector<std::string>& args, bool logOnTerminal = false) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return -1;
    const std::string slaveName = ptsname(master);
    child = fork();
    if (child == 0) {
        setsid();
        const int slave = open(slaveName.c_str(), O_RDWR);
        const int log = open("log.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(slave, 2);
        dup2(logOnTerminal ? slave : log, 1);
        execVek(args);
    }
    return master;
}

int exitOf(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// What the terminal showed ends with the progress line blanked whole: a CR,
// as many blanks as its longest text, a CR.
void expectBlankedAtTheEnd(const std::string& shown, const std::string& what) {
    std::size_t width = 0;
    for (std::size_t at = shown.find('\r' + what + ": "); at != std::string::npos; at = shown.find('\r' + what + ": ", at + 1)) {
        width = std::max(width, shown.find('\r', at + 1) - at - 1);
    }
    const std::string blank = "\r" + std::string(width, ' ') + "\r";
    EXPECT_GT(width, what.size());
    EXPECT_EQ(shown.substr(shown.size() - std::min(shown.size(), blank.size())), blank);
}

// Reads what the terminal shows next, waiting up to 20 s; false when it
// closed or nothing came.
bool readMore(int master, std::string& shown) {
    char buffer[4096];
    pollfd p{master, POLLIN, 0};
    if (poll(&p, 1, 20000) <= 0) return false;
    const ssize_t got = read(master, buffer, sizeof buffer);
    if (got <= 0) return false;
    shown.append(buffer, static_cast<std::size_t>(got));
    return true;
}

// Reads the terminal until text appears in what it showed (true), or it
// closes, or 20 s pass.
bool readUntil(int master, std::string& shown, const std::string& text) {
    while (shown.find(text) == std::string::npos) {
        if (!readMore(master, shown)) return false;
    }
    return true;
}

void expectNoTemporaryFile() {
    for (const auto& entry : fs::directory_iterator(".")) {
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
    }
}

struct stopCase {
    const char* what;
    int signal;
    int status;
};

class cliStops : public cliEndToEnd, public ::testing::WithParamInterface<stopCase> {};

// A compress of 200,000 parts on a terminal shows its progress line (a
// percentage: the list is counted first), an expand of as many too;
// Ctrl+C (SIGINT), SIGTERM or a closed terminal (SIGHUP) stops it: status
// 128 + the signal, the old library untouched, no staging file.
TEST_P(cliStops, ProgressOnATerminalAndASignal) {
    const std::string what = GetParam().what;
    writeText("a.sym", "*symbol A\nL1\n");
    std::string list, index, data;
    for (int i = 0; i < 200000; ++i) {
        list += "a.sym\n";
        index += "symloc A 0 13\n";
        data += "*symbol A\nL1\n";
    }
    writeText("big.lst", list);
    writeBytes("out.slb", "the old library\n");
    writeBytes("big.slb", "*version 6.3 0\n@index\n" + index + data);
    pid_t child = 0;
    // One part two hundred thousand times: --force lets compress take the
    // name again, so that only the progress line goes to the terminal.
    const int master = startOnTerminal(child, what == "compress"
                                                  ? std::vector<std::string>{what, "--force", "big.lst", "out.slb"}
                                                  : std::vector<std::string>{what, "-q", "big.slb"});
    ASSERT_GE(master, 0);
    std::string shown;
    const bool progressed = readUntil(master, shown, " parts");
    // Some way in: a percentage between 0 and 100, not only the ends.
    const std::regex midway(" parts \\([1-9][0-9]?%\\)");
    while (!std::regex_search(shown, midway) && readMore(master, shown)) {
    }
    kill(-child, GetParam().signal);  // as the terminal's Ctrl+C: to the whole process group
    readUntil(master, shown, "\x01");
    close(master);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(progressed);
    EXPECT_EQ(shown.rfind("\r" + what + ": ", 0), 0u) << shown.substr(0, 80);
    EXPECT_NE(shown.find(" parts ("), std::string::npos) << "a percentage: the total is known";
    EXPECT_TRUE(std::regex_search(shown, midway)) << "stopped between 0% and 100%";
    expectBlankedAtTheEnd(shown, what);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), GetParam().status);
    const std::string log = readBytes("log.txt");
    const std::string end = std::string("\n") + (what == "compress" ? "Compress" : "Expand") + ": --- CANCELLED ---\n\n";
    EXPECT_EQ(log.substr(log.size() - std::min(log.size(), end.size())), end);
    EXPECT_TRUE(readBytes("out.slb") == "the old library\n");
    expectNoTemporaryFile();
}

INSTANTIATE_TEST_SUITE_P(Signals, cliStops,
                         ::testing::Values(stopCase{"compress", SIGINT, 130}, stopCase{"compress", SIGTERM, 143},
                                           stopCase{"compress", SIGHUP, 129}, stopCase{"expand", SIGINT, 130}));

// With the log on the same terminal, no log line shares a line with the
// progress text: the progress line leaves before each line and comes back.
TEST_F(cliEndToEnd, LogLinesNeverShareTheProgressLine) {
    writeBytes("big.slb", numberedLibrary(30000));
    pid_t child = 0;
    const int master = startOnTerminal(child, {"expand", "-o", "out", "big.slb"}, true);
    ASSERT_GE(master, 0);
    std::string shown;
    readUntil(master, shown, "list file written");
    close(master);
    EXPECT_EQ(exitOf(child), 0);
    std::size_t lines = 0;
    for (std::size_t at = shown.find("Expand: "); at != std::string::npos; at = shown.find("Expand: ", at + 1), ++lines) {
        ASSERT_TRUE(at == 0 || shown[at - 1] == '\n' || shown[at - 1] == '\r') << shown.substr(at < 40 ? 0 : at - 40, 80);
    }
    EXPECT_GT(lines, 30000u);
    EXPECT_NE(shown.find("\rexpand: "), std::string::npos) << "the progress line was shown";
    // After the last log lines the progress line comes back, and leaves
    // before the note on standard error.
    const std::size_t note = shown.rfind("vek: list file written");
    ASSERT_NE(note, std::string::npos);
    EXPECT_GT(shown.rfind("\rexpand: ", note), shown.rfind("Expand: --- DONE ---"));
    expectBlankedAtTheEnd(shown.substr(0, note), "expand");
}

// A real JSON parser reads list --json, names in UTF-8 included.
TEST_F(cliEndToEnd, JsonReadsInAParser) {
    writeBytes("u.slb", "*version 6.3 0\n@index\nsymloc R\xC3\x89S_\xCE\xA9" "10k 0 1 \"quoted\"\\\n");
    const std::string vek = inQuotes(VEK_BINARY);
    const std::string parse = "python3 -c 'import json,sys; e=json.load(sys.stdin)[0]; print(e[\"name\"], e[\"extraText\"])'";
    EXPECT_EQ(std::system((vek + " list --json u.slb | " + parse + " >parsed.txt").c_str()), 0);
    EXPECT_EQ(readBytes("parsed.txt"), "R\xC3\x89S_\xCE\xA9" "10k \"quoted\"\\\n");
}

// An expand run to its end on a terminal shows 100% before the line goes.
TEST_F(cliEndToEnd, ExpandProgressReachesTheWhole) {
    writeBytes("parts.slb", readBytes(dataFile("example.slb")));
    pid_t child = 0;
    const int master = startOnTerminal(child, {"expand", "parts.slb"});
    ASSERT_GE(master, 0);
    std::string shown;
    readUntil(master, shown, "\x01");
    close(master);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_NE(shown.find("\rexpand: 2/2 parts (100%)"), std::string::npos) << shown;
    const std::string note = "vek: list file written: parts.lst\r\n";
    ASSERT_EQ(shown.substr(shown.size() - note.size()), note);
    expectBlankedAtTheEnd(shown.substr(0, shown.size() - note.size()), "expand");
}

// Starts vek with args in a child process whose standard output and error
// go to files; set up runs in the child first.
pid_t startVek(const std::vector<std::string>& args, const std::function<void()>& setUp = [] {}) {
    const pid_t child = fork();
    if (child == 0) {
        setUp();
        const int out = open("out.txt", O_WRONLY | O_CREAT | O_APPEND, 0666);
        const int err = open("err.txt", O_WRONLY | O_CREAT | O_APPEND, 0666);
        dup2(out, 1);
        dup2(err, 2);
        execVek(args);
    }
    return child;
}


// Eight writers at once on one library, four adding and four deleting
// other parts, again and again: every change that said it succeeded is in
// the result, and nothing else was lost.
TEST_F(cliEndToEnd, EightWritersAtOnceLoseNothing) {
    std::string list;
    for (int i = 0; i < 8; ++i) {
        writeText("p" + std::to_string(i) + ".sym", "*symbol P" + std::to_string(i) + "\nL\n");
        writeText("n" + std::to_string(i) + ".sym", "*symbol N" + std::to_string(i) + "\nL\n");
        list += "p" + std::to_string(i) + ".sym\n";
    }
    writeText("parts.lst", list);
    for (int round = 0; round < 5; ++round) {
        ASSERT_EQ(runVek("compress parts.lst lib.slb").code, 0);
        std::vector<pid_t> writers;
        for (int i = 0; i < 4; ++i) writers.push_back(startVek({"add", "lib.slb", "n" + std::to_string(i) + ".sym"}));
        for (int i = 4; i < 8; ++i) writers.push_back(startVek({"delete", "lib.slb", "P" + std::to_string(i)}));
        for (pid_t w : writers) EXPECT_EQ(exitOf(w), 0) << "round " << round << readBytes("err.txt");
        const runResult listed = runVek("list lib.slb");
        std::set<std::string> names;
        for (std::size_t at = 0; at < listed.out.size(); at = listed.out.find('\n', at) + 1) {
            names.insert(listed.out.substr(at, listed.out.find(' ', at) - at));
        }
        EXPECT_EQ(names, (std::set<std::string>{"N0", "N1", "N2", "N3", "P0", "P1", "P2", "P3"})) << "round " << round;
        EXPECT_EQ(listed.out.rfind("P0 0 13\nP1 13 13\nP2 26 13\nP3 39 13\n", 0), 0u) << "kept parts keep their order";
        EXPECT_EQ(runVek("verify lib.slb").code, 0);
        expectNoTemporaryFile();
    }
}

// A file-size limit makes compress fail like a full disk: status 1 with the
// system's reason, the old library kept, nothing left behind (one part
// two hundred times: --force takes the name twice).
TEST_F(cliEndToEnd, AFileSizeLimitIsAWriteError) {
    std::string list;
    for (int i = 0; i < 200; ++i) list += "a.sym\n";
    writeText("a.sym", "*symbol A\n" + std::string(100, 'x') + "\n");
    writeText("big.lst", list);
    writeBytes("out.slb", "old");
    const pid_t child = startVek({"compress", "-q", "--force", "big.lst", "out.slb"}, [] {
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(exitOf(child), 1);
    EXPECT_EQ(readBytes("err.txt"), "vek: out.slb: File too large\n");
    EXPECT_EQ(readBytes("out.slb"), "old");
    expectNoTemporaryFile();
}

// The tool only reads a library it expands: a user who may not write it
// expands it all the same.
// The other user runs a copy of vek from a folder of its own under /tmp:
// the checkout and the test folder may lie where it cannot go (root's home
// folder, a private temporary folder).
TEST_F(cliEndToEnd, ExpandsALibraryTheUserMayNotWrite) {
    if (getuid() != 0) GTEST_SKIP() << "needs root to become another user";
    char folder[] = "/tmp/vekuser-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const fs::path there = folder;
    fs::copy_file(VEK_BINARY, there / "vek");
    writeBytes((there / "parts.slb").string(), readBytes(dataFile("example.slb")));
    chmod((there / "parts.slb").c_str(), 0444);
    chmod(folder, 0777);
    const std::string vek = (there / "vek").string();
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder) != 0 || setgid(65534) != 0 || setuid(65534) != 0) _exit(126);
        dup2(open("err.txt", O_WRONLY | O_CREAT | O_TRUNC, 0666), 2);
        dup2(open("out.txt", O_WRONLY | O_CREAT | O_TRUNC, 0666), 1);
        execl(vek.c_str(), "vek", "expand", "parts.slb", static_cast<char*>(nullptr));
        _exit(127);
    }
    EXPECT_EQ(exitOf(child), 0) << readBytes((there / "err.txt").string());
    EXPECT_EQ(readBytes((there / "AND2.sym").string()), "*symbol AND2 ako GATE2\nL1\nL2\n");
    fs::remove_all(there);
}

// A full disk under standard output fails with its reason; a reader that
// stops early (head) ends the tool quietly.
TEST_F(cliEndToEnd, StandardOutputErrors) {
    writeBytes("parts.slb", readBytes(dataFile("example.slb")));
    const std::string vek = inQuotes(VEK_BINARY);
    EXPECT_NE(std::system((vek + " list parts.slb >/dev/full 2>err.txt").c_str()), 0);
    EXPECT_EQ(readBytes("err.txt"), "vek: write error: No space left on device\n");
    EXPECT_NE(std::system((vek + " print parts.slb RES >/dev/full 2>err.txt").c_str()), 0);
    EXPECT_EQ(readBytes("err.txt"), "vek: write error: No space left on device\n");
    std::string many = "*version 6.3 0\n@index\n";
    for (int i = 0; i < 100000; ++i) many += "symloc A 0 1\n";
    writeBytes("many.slb", many + "*symbol A\n");
    std::system((vek + " list many.slb 2>err.txt | head -c 1 >/dev/null").c_str());
    EXPECT_EQ(readBytes("err.txt"), "");
    // With SIGPIPE ignored the write fails with EPIPE instead: the same quiet
    // end, with the status a closed pipe gives.
    std::system(("(trap '' PIPE; " + vek + " list many.slb 2>err.txt; echo $? >status.txt) | head -c 1 >/dev/null").c_str());
    EXPECT_EQ(readBytes("err.txt"), "");
    EXPECT_EQ(readBytes("status.txt"), "141\n");
    // A pipe is read once, where only reading is asked of it; a library
    // that is changed or expanded must be a file.
    mkfifo("pipe.slb", 0666);
    std::system("cat parts.slb > pipe.slb 2>/dev/null </dev/null &");
    const runResult r = runVek("diff parts.slb pipe.slb");
    EXPECT_EQ(r.code, 0) << r.err;
    close(open("pipe.slb", O_RDONLY | O_NONBLOCK));  // frees a writer left waiting
    for (const char* changing : {"delete pipe.slb AND2", "expand pipe.slb"}) {
        const runResult refused = runVek(changing);
        EXPECT_EQ(refused.code, 1);
        EXPECT_EQ(refused.err, "vek: pipe.slb: not a regular file\n");
    }
}

#endif

}  // namespace
