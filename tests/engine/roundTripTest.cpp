// Expand followed by compress of the written list gives back the library.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/ops/both.h"
#include "engine/ops/compress.h"
#include "engine/ops/expand.h"
#include "engine/format/libKind.h"

namespace {

namespace fs = std::filesystem;

class roundTripTest : public inTempDir {
protected:
    memoryLog log;
};

TEST_F(roundTripTest, ExampleComesBackByteForByte) {
    writeBytes("lib.slb", readBytes(dataFile("example.slb")));
    ASSERT_EQ(expandLibrary(symbolKind, "lib.slb", log), 0);
    ASSERT_EQ(compressLibrary(symbolKind, "lib.lst", "again.slb", 0, log), 0);
    EXPECT_EQ(readBytes("again.slb"), readBytes(dataFile("example.slb")));
}

TEST_F(roundTripTest, BothRebuildsInPlaceAndRemovesTheParts) {
    writeBytes("lib.slb", readBytes(dataFile("example.slb")));
    ASSERT_EQ(bothLibrary(symbolKind, "lib.slb", log), 0);
    EXPECT_EQ(readBytes("lib.slb"), readBytes(dataFile("example.slb")));
    EXPECT_FALSE(fileExists("AND2.sym"));
    EXPECT_FALSE(fileExists("RES.sym"));
    EXPECT_EQ(joinLines(log.lines),
              "Expand: Writing AND2    to    AND2.sym\nExpand: Writing RES    to    RES.sym\n"
              "Expand: Checking index....\n\nExpand: --- DONE ---\n\n"
              "Compress: got symbol \"AND2\"\nCompress: got symbol \"RES\"\nCompress: 2 files processed\n"
              "\nCompress: --- DONE ---\n\n");
}

TEST_F(roundTripTest, BothRepairsABadIndex) {
    writeBytes("lib.slb", "*version 6.3 7\n@index\nsymloc A 5 5\n*symbol  A\nL1\n*symbol B\n");
    ASSERT_EQ(bothLibrary(symbolKind, "lib.slb", log), 0);
    EXPECT_EQ(readBytes("lib.slb").substr(readBytes("lib.slb").find('\n') + 1),
              "@index\nsymloc A 0 13\nsymloc B 13 10\n*symbol A\nL1\n*symbol B\n");
}

TEST_F(roundTripTest, BothStopsWhenExpandFails) {
    const std::string broken = "*version 6.3 0\nno index here\n";
    writeBytes("lib.slb", broken);
    EXPECT_EQ(bothLibrary(symbolKind, "lib.slb", log), 1);
    EXPECT_EQ(readBytes("lib.slb"), broken);
    EXPECT_EQ(joinLines(log.lines), "Expand: fatal error: no index\n");
}

TEST_F(roundTripTest, ManyComponentsOfEveryKind) {
    for (const libKind* k : allKinds) {
        const libKind& kind = *k;
        std::string list;
        for (int i = 0; i < 200; ++i) {
            const std::string file = "p" + std::to_string(i) + kind.componentExt;
            std::string text = std::string(kind.keyword) + " PART" + std::to_string(i);
            if (i % 3 == 0) text += ",alt;v" + std::to_string(i);
            if (i % 4 == 0) text += " extra words";
            if (i % 5 == 0 && i % 4 != 0) text += " ako BASE" + std::to_string(i % 7);
            text += "\n";
            for (int l = 0; l < i % 9; ++l) text += "pin " + std::to_string(l) + " 0 0\n";
            writeText(file, text);
            list += file + "\n";
        }
        const std::string lib = std::string("lib") + kind.libraryExt;
        writeText("in.lst", list);
        ASSERT_EQ(compressLibrary(kind, "in.lst", lib.c_str(), 1, log), 0);
        const std::string first = readBytes(lib);
        log.lines.clear();
        ASSERT_EQ(bothLibrary(kind, lib.c_str(), log), 0);
        EXPECT_EQ(readBytes(lib), first) << kind.kindName;
        EXPECT_EQ(std::count(log.lines.begin(), log.lines.end(), std::string("Expand: Checking index....")), 1);
        EXPECT_EQ(log.lines.size(), 200u + 4u + 200u + 4u) << kind.kindName;
    }
}

}  // namespace
