// Compress, list by list: the exact log, the errors counted, and the exact
// bytes of the library written (or that none was).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/format/checksum.h"
#include "engine/format/libKind.h"
#include "engine/ops/compress.h"

namespace {

namespace fs = std::filesystem;

const std::string done = "\nCompress: --- DONE ---\n\n";
const std::string and2 = "*symbol AND2 ako GATE2\nL1\nL2\n";
const std::string res = "*symbol RES,R1;X resistor part\nL3\n";

// A whole library: its version line with the checksum of data, the index, data.
std::string library(const std::string& index, const std::string& data) {
    const auto sum = libChecksum(reinterpret_cast<const unsigned char*>(data.data()), data.size());
    return "*version 6.3 " + std::to_string(sum) + "\n@index\n" + index + data;
}

using fileList = std::vector<std::pair<std::string, std::string>>;

struct compressCase;
compressCase manyParts(bool someMissing);

struct compressCase {
    const char* what;
    fileList files;  // written as bytes; "parts.lst" is the list
    std::string log;
    int errors;
    std::optional<std::string> output;  // the library written to out.slb, or none
    const libKind* kind = &symbolKind;
};

class compressTable : public inTempDir, public ::testing::WithParamInterface<compressCase> {};

TEST_P(compressTable, LogAndLibrary) {
    const compressCase& c = GetParam();
    for (const auto& [name, bytes] : c.files) writeBytes(name, bytes);
    for (bool ahead : {true, false}) {  // files read ahead on a second thread, or one by one
        memoryLog log;
        runControl control;
        control.readAhead = ahead;
        compressProbe probe;
        probe.control = &control;
        EXPECT_EQ(compressLibrary(*c.kind, "parts.lst", "out.slb", false, log, &probe), opResult::done);
        EXPECT_EQ(joinLines(log.lines), c.log) << ahead;
        EXPECT_EQ(probe.errors, c.errors);
        EXPECT_EQ(fileExists("out.slb"), c.output.has_value());
        if (c.output) {
            EXPECT_EQ(readBytes("out.slb"), *c.output) << ahead;
        }
        EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()),
                  static_cast<long>(c.files.size() + (c.output ? 1 : 0)))
            << "no workfile or staging file stays behind";
        fs::remove("out.slb");
    }
}

// Enough parts of mixed sizes (CR LF and trailing blanks, large ones, one
// with a long line, missing ones) that the reading threads finish them out
// of order: they must still come out in list order.
compressCase manyParts(bool someMissing) {
    compressCase c{someMissing ? "many parts, some missing" : "many parts", {}, "", 0, std::nullopt};
    std::string list, index, data;
    for (int i = 0; i < 400; ++i) {
        const std::string name = "P" + std::to_string(i), file = "p" + std::to_string(i) + ".sym";
        list += file + "\n";
        if (someMissing && i % 97 == 3) {
            c.log += "Compress: fatal error: can't open: " + file + "\n";
            ++c.errors;
            continue;
        }
        const bool crlf = i % 3 == 0;
        std::string text = "*symbol " + name + (crlf ? " \t\r\n" : "\n"), stored = "*symbol " + name + "\n";
        const int lines = i % 100 == 7 ? 12000 : (i * 37) % 300;
        for (int j = 0; j < lines; ++j) {
            const std::string line = "L" + std::to_string(i) + "_" + std::to_string(j);
            text += line + (crlf ? " \r\n" : "\n");
            stored += line + "\n";
        }
        if (i % 150 == 5) {
            text += std::string(1500, 'x') + "\n";
            stored += std::string(1023, 'x') + "\n" + std::string(477, 'x') + "\n";
        }
        c.files.emplace_back(file, text);
        c.log += "Compress: got symbol \"" + name + "\"\n";
        index += "symloc " + name + " " + std::to_string(data.size()) + " " + std::to_string(stored.size()) + "\n";
        data += stored;
    }
    c.files.emplace_back("parts.lst", list);
    c.log += "Compress: 400 files processed\n" + (c.errors ? "Compress: " + std::to_string(c.errors) + " error(s)\n" : "") + done;
    if (!someMissing) c.output = library(index, data);
    return c;
}

INSTANTIATE_TEST_SUITE_P(Lists, compressTable, ::testing::Values(
    manyParts(false), manyParts(true),
    compressCase{"a last line without LF, then another part",
                 {{"b.sym", "*symbol B\nL1"}, {"c.sym", "*symbol C\n"}, {"parts.lst", "b.sym\nc.sym\n"}},
                 "Compress: got symbol \"B\"\nCompress: got symbol \"C\"\nCompress: 2 files processed\n" + done, 0,
                 library("symloc B 0 13\nsymloc C 13 10\n", "*symbol B\nL1\n*symbol C\n")},
    compressCase{"example", {{"and2.sym", and2}, {"res.sym", res}, {"parts.lst", "and2.sym\nres.sym\n"}},
                 "Compress: got symbol \"AND2\"\nCompress: got symbol \"RES\"\nCompress: 2 files processed\n" + done, 0,
                 readBytes(dataFile("example.slb"))},
    compressCase{"an empty list", {{"parts.lst", ""}}, "Compress: 0 files processed\n" + done, 0,
                 "*version 6.3 4294967295\n@index\n"},
    compressCase{"a missing file among good ones",
                 {{"and2.sym", and2}, {"res.sym", res}, {"parts.lst", "and2.sym\nmissing.sym\nres.sym\n"}},
                 "Compress: got symbol \"AND2\"\nCompress: fatal error: can't open: missing.sym\n"
                 "Compress: got symbol \"RES\"\nCompress: 3 files processed\nCompress: 1 error(s)\n" + done,
                 1, std::nullopt},
    compressCase{"blank and indented list lines", {{"and2.sym", and2}, {"res.sym", res}, {"parts.lst", "and2.sym\n\n res.sym\n"}},
                 "Compress: got symbol \"AND2\"\nCompress: fatal error: can't open: \nCompress: fatal error: can't open: \n"
                 "Compress: 3 files processed\nCompress: 2 error(s)\n" + done,
                 2, std::nullopt},
    compressCase{"an empty file and a bad first line",
                 {{"empty.sym", ""}, {"bad.sym", "*package P\nL1\n"}, {"parts.lst", "empty.sym\nbad.sym\n"}},
                 "Compress: fatal error: file is empty: empty.sym\n"
                 "Compress: fatal error: file bad.sym has bad first line: *package P\n\n"
                 "Compress: 2 files processed\nCompress: 2 error(s)\n" + done,
                 2, std::nullopt},
    compressCase{"list comments and CR LF ends",
                 {{"and2.sym", and2}, {"res.sym", res}, {"parts.lst", "and2.sym \tAND2\r\nres.sym\tRES and more\r\n"}},
                 "Compress: got symbol \"AND2\"\nCompress: got symbol \"RES\"\nCompress: 2 files processed\n" + done, 0,
                 readBytes(dataFile("example.slb"))},
    compressCase{"CR LF component files",
                 {{"and2.sym", "*symbol AND2 ako GATE2\r\nL1\r\nL2\r\n"}, {"res.sym", "*symbol RES,R1;X resistor part\r\nL3\r\n"},
                  {"parts.lst", "and2.sym\nres.sym\n"}},
                 "Compress: got symbol \"AND2\"\nCompress: got symbol \"RES\"\nCompress: 2 files processed\n" + done, 0,
                 readBytes(dataFile("example.slb"))},
    // Ctrl-Z only at the end: Windows' text mode takes it as the end of the file.
    compressCase{"lines normalised on the way in",
                 {{"a.sym", "*symbol   A   ako  B  \r\n\r\n  body \t\r\n\nx\ry\r\nend \x1a"}, {"parts.lst", "a.sym\n"}},
                 "Compress: got symbol \"A\"\nCompress: 1 files processed\n" + done, 0,
                 library("symloc A:B 0 34\n", "*symbol   A   ako  B\n  body\nx\nend\n")},
    compressCase{"long lines stored in pieces",
                 {{"long.sym", "*symbol L\n" + std::string(1500, 'x') + "\n" + std::string(1023, 'y') + "\n"},
                  {"parts.lst", "long.sym\n"}},
                 "Compress: got symbol \"L\"\nCompress: 1 files processed\n" + done, 0,
                 library("symloc L 0 2536\n", "*symbol L\n" + std::string(1023, 'x') + "\n" + std::string(477, 'x') +
                                                  "\n" + std::string(1023, 'y') + "\n")},
    compressCase{"one name twice, a header alone, a keyword in capitals",
                 {{"a.sym", "*SYMBOL DUP\nL1\n"}, {"b.sym", "*symbol DUP\n"}, {"parts.lst", "a.sym\nb.sym\n"}},
                 "Compress: got symbol \"DUP\"\nCompress: got symbol \"DUP\"\nCompress: 2 files processed\n" + done, 0,
                 library("symloc DUP 0 15\nsymloc DUP 15 12\n", "*SYMBOL DUP\nL1\n*symbol DUP\n")},
    compressCase{"a NUL ends the bad first line in the message",
                 {{"zero.sym", std::string("*pkg\0*symbol N\n", 15)}, {"parts.lst", "zero.sym\n"}},
                 "Compress: fatal error: file zero.sym has bad first line: *pkg\n"
                 "Compress: 1 files processed\nCompress: 1 error(s)\n" + done,
                 1, std::nullopt},
    compressCase{"a package", {{"p.pkg", "*package DIP8 eight pins\nP1\n"}, {"parts.lst", "p.pkg\n"}},
                 "Compress: got package \"DIP8\"\nCompress: 1 files processed\n" + done, 0,
                 library("symloc DIP8 0 28 eight pins\n", "*package DIP8 eight pins\nP1\n"), &packageKind},
    compressCase{"a footprint", {{"f.fpd", "*footprint SO8\nF1\n"}, {"parts.lst", "f.fpd\n"}},
                 "Compress: got footprint \"SO8\"\nCompress: 1 files processed\n" + done, 0,
                 library("symloc SO8 0 18\n", "*footprint SO8\nF1\n"), &footprintKind},
    compressCase{"a package in a footprint library", {{"p.pkg", "*package DIP8\n"}, {"parts.lst", "p.pkg\n"}},
                 "Compress: fatal error: file p.pkg has bad first line: *package DIP8\n\n"
                 "Compress: 1 files processed\nCompress: 1 error(s)\n" + done,
                 1, std::nullopt, &footprintKind}));

using compressTest = inTempDir;

// One part file of 40 KB named 400 times on the reading pool: every copy
// read ahead is given back, so all 400 are taken in. (Made here rather than
// in the table, whose rows every test process builds.)
TEST_F(compressTest, OnePartNamedManyTimesOnThePool) {
    std::string text = "*symbol BIG\n";
    for (int line = 0; line < 400; ++line) text += std::string(99, 'b') + "\n";
    writeBytes("big.sym", text);
    std::string list;
    for (int i = 0; i < 400; ++i) list += "big.sym\n";
    writeBytes("parts.lst", list);
    runControl control;
    control.readAhead = true;
    compressProbe probe;
    probe.control = &control;
    memoryLog log;
    ASSERT_EQ(compressLibrary(symbolKind, "parts.lst", "out.slb", false, log, &probe), opResult::done);
    ASSERT_GT(log.lines.size(), 400u);
    EXPECT_EQ(log.lines[400], "Compress: 400 files processed");
    const std::string library = readBytes("out.slb");
    std::size_t entries = 0;
    for (std::size_t at = library.find("\nsymloc BIG "); at != std::string::npos; at = library.find("\nsymloc BIG ", at + 1)) {
        ++entries;
    }
    EXPECT_EQ(entries, 400u);
    EXPECT_NE(library.find("\nsymloc BIG " + std::to_string(399 * text.size()) + " " + std::to_string(text.size()) + "\n"),
              std::string::npos);
}

// A problem reported beside the log follows the log line that tells of it.
TEST_F(compressTest, EachProblemFollowsItsLogLine) {
    struct sequenceLog : logSink {
        void addLine(const std::string& line) override { seen.push_back(line); }
        void problem(const std::string& file, const std::string& reason) override { seen.push_back(file + ": " + reason); }
        std::vector<std::string> seen;
    };
    writeBytes("parts.lst", "missing.sym\n");
    sequenceLog log;
    compressLibrary(symbolKind, "parts.lst", "out.slb", false, log);
    ASSERT_GE(log.seen.size(), 2u);
    EXPECT_EQ(log.seen[0], "Compress: fatal error: can't open: missing.sym");
    EXPECT_EQ(log.seen[1].rfind("missing.sym: ", 0), 0u) << log.seen[1];
}

}  // namespace
