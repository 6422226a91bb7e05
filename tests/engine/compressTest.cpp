#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/ops/compress.h"
#include "engine/format/libKind.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> doneLines = {"", "Compress: --- DONE ---", ""};

std::vector<std::string> withDone(std::vector<std::string> lines) {
    lines.insert(lines.end(), doneLines.begin(), doneLines.end());
    return lines;
}

std::vector<std::string> folderNames() {
    std::vector<std::string> names;
    for (auto& e : fs::directory_iterator(".")) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class compressTest : public inTempDir {
protected:
    void writeExample() {
        writeText("and2.sym", "*symbol AND2 ako GATE2\nL1\nL2\n");
        writeText("res.sym", "*symbol RES,R1;X resistor part\nL3\n");
        writeText("parts.lst", "and2.sym\nres.sym\n");
    }
    int compress(const char* list = "parts.lst", const char* out = "out.slb", int remove = 0,
                 const libKind& kind = symbolKind) {
        log.lines.clear();
        return compressLibrary(kind, list, out, remove != 0, log, &probe);
    }
    memoryLog log;
    compressProbe probe;
};

TEST_F(compressTest, ExampleLibraryBytesAndLog) {
    writeExample();
    EXPECT_EQ(compress(), 0);
    EXPECT_EQ(probe.errors, 0);
    EXPECT_EQ(readBytes("out.slb"), readBytes(dataFile("example.slb")));
    EXPECT_EQ(log.lines, withDone({"Compress: got symbol \"AND2\"", "Compress: got symbol \"RES\"",
                                   "Compress: 2 files processed"}));
    EXPECT_EQ(folderNames(), (std::vector<std::string>{"and2.sym", "out.slb", "parts.lst", "res.sym"}));
}

TEST_F(compressTest, EmptyListGivesThe31ByteLibrary) {
    writeText("parts.lst", "");
    EXPECT_EQ(compress(), 0);
    EXPECT_EQ(readBytes("out.slb"), "*version 6.3 4294967295\n@index\n");
    EXPECT_EQ(log.lines, withDone({"Compress: 0 files processed"}));
}

TEST_F(compressTest, MissingFileIsCountedAndNoLibraryWritten) {
    writeExample();
    writeText("parts.lst", "and2.sym\nmissing.sym\nres.sym\n");
    EXPECT_EQ(compress(), 0);
    EXPECT_EQ(probe.errors, 1);
    EXPECT_EQ(log.lines, withDone({"Compress: got symbol \"AND2\"",
                                   "Compress: fatal error: can't open: missing.sym",
                                   "Compress: got symbol \"RES\"", "Compress: 3 files processed",
                                   "Compress: 1 error(s)"}));
    EXPECT_FALSE(fileExists("out.slb"));
    EXPECT_EQ(folderNames(), (std::vector<std::string>{"and2.sym", "parts.lst", "res.sym"}));
}

TEST_F(compressTest, BlankAndIndentedListLinesAreErrors) {
    writeExample();
    writeText("parts.lst", "and2.sym\n\n res.sym\n");
    EXPECT_EQ(compress(), 0);
    EXPECT_EQ(probe.errors, 2);
    EXPECT_EQ(log.lines, withDone({"Compress: got symbol \"AND2\"", "Compress: fatal error: can't open: ",
                                   "Compress: fatal error: can't open: ", "Compress: 3 files processed",
                                   "Compress: 2 error(s)"}));
}

TEST_F(compressTest, EmptyAndBadFirstLineFiles) {
    writeText("empty.sym", "");
    writeText("bad.sym", "*package P\nL1\n");
    writeText("parts.lst", "empty.sym\nbad.sym\n");
    EXPECT_EQ(compress(), 0);
    EXPECT_EQ(log.lines, withDone({"Compress: fatal error: file is empty: empty.sym",
                                   "Compress: fatal error: file bad.sym has bad first line: *package P\n",
                                   "Compress: 2 files processed", "Compress: 2 error(s)"}));
}

TEST_F(compressTest, ListLineCommentsAndCrLfEndsAreIgnored) {
    writeExample();
    writeBytes("parts.lst", "and2.sym \tAND2\r\nres.sym\tRES and more\r\n");
    EXPECT_EQ(compress(), 0);
    EXPECT_EQ(probe.errors, 0);
    EXPECT_EQ(readBytes("out.slb"), readBytes(dataFile("example.slb")));
}

TEST_F(compressTest, NormalisesLinesOnTheWayIn) {
    // Ctrl-Z only at the end: Windows' text mode takes it as the end of the file.
    writeBytes("a.sym", "*symbol   A   ako  B  \r\n\r\n  body \t\r\n\nx\ry\r\nend \x1a");
    writeText("parts.lst", "a.sym\n");
    EXPECT_EQ(compress(), 0);
    EXPECT_EQ(readBytes("out.slb").substr(readBytes("out.slb").find("*symbol")),
              "*symbol   A   ako  B\n  body\nx\nend\n");
    EXPECT_NE(readBytes("out.slb").find("symloc A:B 0 34\n"), std::string::npos);
}

TEST_F(compressTest, CrLfComponentFilesGiveTheSameLibrary) {
    writeBytes("and2.sym", "*symbol AND2 ako GATE2\r\nL1\r\nL2\r\n");
    writeBytes("res.sym", "*symbol RES,R1;X resistor part\r\nL3\r\n");
    writeText("parts.lst", "and2.sym\nres.sym\n");
    EXPECT_EQ(compress(), 0);
    EXPECT_EQ(readBytes("out.slb"), readBytes(dataFile("example.slb")));
}

TEST_F(compressTest, LongLinesAreStoredInPieces) {
    writeText("long.sym", "*symbol L\n" + std::string(1500, 'x') + "\n" + std::string(1023, 'y') + "\n");
    writeText("parts.lst", "long.sym\n");
    EXPECT_EQ(compress(), 0);
    const std::string lib = readBytes("out.slb");
    EXPECT_EQ(lib.substr(lib.find("*symbol")), "*symbol L\n" + std::string(1023, 'x') + "\n" +
                                                   std::string(477, 'x') + "\n" +
                                                   std::string(1023, 'y') + "\n");
}

TEST_F(compressTest, SameNameTwiceAndHeaderOnlyAndOtherCaseKeyword) {
    writeText("a.sym", "*SYMBOL DUP\nL1\n");
    writeText("b.sym", "*symbol DUP\n");
    writeText("parts.lst", "a.sym\nb.sym\n");
    EXPECT_EQ(compress(), 0);
    const std::string lib = readBytes("out.slb");
    EXPECT_NE(lib.find("@index\nsymloc DUP 0 15\nsymloc DUP 15 12\n*SYMBOL DUP\nL1\n*symbol DUP\n"),
              std::string::npos);
    EXPECT_EQ(log.lines, withDone({"Compress: got symbol \"DUP\"", "Compress: got symbol \"DUP\"",
                                   "Compress: 2 files processed"}));
}

TEST_F(compressTest, OtherKindsUseTheirKeywordAndName) {
    writeText("p.pkg", "*package DIP8 eight pins\nP1\n");
    writeText("f.fpd", "*footprint SO8\nF1\n");
    writeText("p.lst", "p.pkg\n");
    writeText("f.lst", "f.fpd\n");
    EXPECT_EQ(compress("p.lst", "p.plb", 0, packageKind), 0);
    EXPECT_EQ(log.lines.front(), "Compress: got package \"DIP8\"");
    EXPECT_NE(readBytes("p.plb").find("symloc DIP8 0 28 eight pins\n*package DIP8 eight pins\n"),
              std::string::npos);
    EXPECT_EQ(compress("f.lst", "f.flb", 0, footprintKind), 0);
    EXPECT_EQ(log.lines.front(), "Compress: got footprint \"SO8\"");
    EXPECT_EQ(compress("p.lst", "x.slb", 0, footprintKind), 0);
    EXPECT_EQ(log.lines.front(), "Compress: fatal error: file p.pkg has bad first line: *package DIP8 eight pins\n");
}

TEST_F(compressTest, RemoveFlagDeletesComponentsOnlyAfterSuccess) {
    writeExample();
    writeText("parts.lst", "and2.sym\nres.sym\nmissing.sym\n");
    EXPECT_EQ(compress("parts.lst", "out.slb", 1), 0);
    EXPECT_TRUE(fileExists("and2.sym"));
    EXPECT_TRUE(fileExists("res.sym"));
    writeText("parts.lst", "and2.sym\nres.sym\n");
    EXPECT_EQ(compress("parts.lst", "out.slb", 1), 0);
    EXPECT_FALSE(fileExists("and2.sym"));
    EXPECT_FALSE(fileExists("res.sym"));
    EXPECT_TRUE(fileExists("parts.lst"));
    EXPECT_EQ(readBytes("out.slb"), readBytes(dataFile("example.slb")));
}

}  // namespace
