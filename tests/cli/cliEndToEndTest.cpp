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

TEST_F(cliEndToEnd, ExitCodes) {
    writeBytes("bad.slb", "no index\n");
    runResult r = runVek("expand bad.slb");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, platformText("Expand: fatal error: no index\n"));

    writeText("in.lst", "missing.sym\n");
    r = runVek("compress in.lst out.slb");
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(fileExists("out.slb"));

    writeBytes("idx.slb", "*version 6.3 0\n@index\nsymloc A 0 99\n*symbol A\n");
    r = runVek("expand idx.slb");
    EXPECT_EQ(r.code, 0) << "index findings are reported, not failures";
    EXPECT_NE(r.out.find("Expand: symbol A has bad index (length)"), std::string::npos);

    r = runVek("expand parts.txt");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("usage: vek"), std::string::npos);

    r = runVek("--version");
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("6.3"), std::string::npos);
}

TEST_F(cliEndToEnd, BadFirstLineKeepsItsLineEnd) {
    writeText("x.pkg", "not a header\n");
    writeText("in.lst", "x.pkg\n");
    runResult r = runVek("compress -k package in.lst out.plb");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, platformText("Compress: fatal error: file x.pkg has bad first line: not a header\n\n"
                                  "Compress: 1 files processed\nCompress: 1 error(s)\n\n"
                                  "Compress: --- DONE ---\n\n"));
}

TEST_F(cliEndToEnd, ListAndVerify) {
    writeBytes("parts.slb", readBytes(dataFile("example.slb")));
    runResult r = runVek("list parts.slb");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, platformText("AND2:GATE2 0 29\nRES,R1;X 29 34 resistor part\n"));
    r = runVek("verify parts.slb");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, platformText("Verify: library is clean\n"));

    std::string damaged = readBytes(dataFile("example.slb"));
    damaged[damaged.size() - 2] = 'X';
    writeBytes("damaged.slb", damaged);
    r = runVek("verify damaged.slb");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("Verify: checksum 3852186597 in the version line"), std::string::npos);
    EXPECT_EQ(readBytes("damaged.slb"), damaged);
    EXPECT_FALSE(fileExists("damaged.lst"));

    r = runVek("list missing.slb");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("List: fatal error: can't open library: missing.slb"), std::string::npos);
}

}  // namespace
