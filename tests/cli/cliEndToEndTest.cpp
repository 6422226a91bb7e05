// Runs the built vek program in a temporary folder, as a user would.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/fileText.h"
#include "common/testDir.h"

namespace {

namespace fs = std::filesystem;

struct runResult {
    int code;
    std::string out;
    std::string err;
};

std::string inQuotes(const std::string& s) { return "\"" + s + "\""; }

runResult runVek(const std::string& args) {
    std::string exe = VEK_BINARY;
#ifdef _WIN32
    for (char& c : exe) {
        if (c == '/') c = '\\';
    }
    if (exe.rfind("\\", 0) == 0) exe = "Z:" + exe;
    const std::string command = "\"" + inQuotes(exe) + " " + args + " >out.txt 2>err.txt\"";
#else
    const std::string command = inQuotes(exe) + " " + args + " >out.txt 2>err.txt";
#endif
    int status = std::system(command.c_str());
#ifndef _WIN32
    status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    runResult r{status, readBytes("out.txt"), readBytes("err.txt")};
    fs::remove("out.txt");
    fs::remove("err.txt");
    return r;
}

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
    EXPECT_EQ(r.err, "");
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
}

TEST_F(cliEndToEnd, DirectoryOptionAndBoth) {
    fs::create_directory("work");
    writeBytes("work/lib.slb", readBytes(dataFile("example.slb")));
    runResult r = runVek("both -C work lib.slb");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(readBytes("work/lib.slb"), readBytes(dataFile("example.slb")));
    EXPECT_FALSE(fileExists("work/AND2.sym"));
    EXPECT_TRUE(fileExists("work/lib.lst"));
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
    writeBytes("devices.slb", "*version 6.3 0\n@index\nsymloc CON 0 12\n*symbol CON\nL\n");
    const runCase& c = GetParam();
    const runResult r = runVek(c.args);
    EXPECT_EQ(r.code, c.code);
    if (c.out.rfind("%", 0) == 0) {
        EXPECT_NE(r.out.find(c.out.substr(1)), std::string::npos) << r.out;
    } else {
        EXPECT_EQ(r.out, platformText(c.out));
    }
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    EXPECT_EQ(readBytes("damaged.slb"), damaged) << "verify writes nothing";
    EXPECT_FALSE(fileExists("out.slb")) << "no library after errors";
}

INSTANTIATE_TEST_SUITE_P(Cases, cliRuns, ::testing::Values(
    runCase{"expand bad.slb", 1, "Expand: fatal error: no index\n", ""},
    runCase{"compress missing.lst out.slb", 1, "%Compress: 1 error(s)", ""},
    runCase{"expand idx.slb", 0, "%Expand: symbol A has bad index (length)", ""},
    runCase{"expand parts.txt", 2, "", "usage: vek"},
    runCase{"--version", 0, "%6.3", ""},
    runCase{"compress -k package x.lst out.slb", 1,
            "Compress: fatal error: file x.pkg has bad first line: not a header\n\n"
            "Compress: 1 files processed\nCompress: 1 error(s)\n\nCompress: --- DONE ---\n\n", ""},
    runCase{"list parts.slb", 0, "AND2:GATE2 0 29\nRES,R1;X 29 34 resistor part\n", ""},
    runCase{"verify parts.slb", 0, "Verify: library is clean\n", ""},
    runCase{"verify damaged.slb", 1, "%Verify: checksum 3852186597 in the version line", ""},
    runCase{"list missing.slb", 1, "", "List: fatal error: can't open library: missing.slb"},
    runCase{"list --json parts.slb", 0, "%{\"name\": \"AND2\", \"position\": 0, \"length\": 29, \"akoName\": \"GATE2\"},", ""},
    runCase{"expand -q parts.slb", 0, "Expand: Checking index....\n\nExpand: --- DONE ---\n\n", ""},
    runCase{"print parts.slb RES", 0, "*symbol RES,R1;X resistor part\nL3\n", ""},
    runCase{"print parts.slb NONE", 1, "", "Print: NONE not in library"},
    runCase{"diff parts.slb parts.slb", 0, "", ""},
    runCase{"diff parts.slb damaged.slb", 1, "~ RES\n", ""},
    runCase{"diff damaged.slb idx.slb", 1, "- AND2\n- RES\n+ A\n", ""},
    runCase{"diff -k package parts.slb parts.slb", 2, "", "Diff: fatal error: no packages found in library"},
    runCase{"expand devices.slb", 0, "%Expand: Writing CON    to    COa.sym", ""},
    runCase{"diff parts.slb none.slb", 2, "", "Diff: fatal error: can't open library: none.slb"},
    runCase{"delete parts.slb NONE", 1, "Delete: NONE not in library\nDelete: library not changed\n", ""}));

}  // namespace
