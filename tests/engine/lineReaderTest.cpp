// The library line rule against its per-character definition, on random
// streams full of CRs, LFs and long lines, across block boundaries.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/io/lineReader.h"

namespace {

struct readResult {
    std::vector<std::string> lines;
    std::vector<long long> offsets;
    std::vector<std::string> log;
};

// The definition: one character at a time; before each, a line of 1023
// characters is too long; CR skipped; LF ends the line; a last line without
// LF is not seen.
readResult byDefinition(const std::string& bytes) {
    readResult r;
    std::size_t pos = 0;
    for (;;) {
        r.offsets.push_back(static_cast<long long>(pos));
        std::string line;
        bool got = false;
        for (;;) {
            if (line.size() >= 1023) {
                r.log.push_back("Expand: internal error: buf too small");
                break;
            }
            if (pos == bytes.size()) break;
            const char c = bytes[pos++];
            if (c == '\r') continue;
            line.push_back(c);
            if (c == '\n') {
                got = true;
                break;
            }
        }
        if (!got) return r;
        r.lines.push_back(line);
    }
}

readResult byReader(const std::string& bytes) {
    readResult r;
    memorySource source(bytes);
    std::vector<char> block;
    lineReader reader(source, block);
    memoryLog log;
    std::string line;
    for (;;) {
        r.offsets.push_back(reader.offset());
        if (!reader.readLibLine(line, log)) break;
        r.lines.push_back(line);
    }
    r.log = log.lines;
    return r;
}

TEST(lineReader, LibraryLinesMatchTheDefinitionOnRandomStreams) {
    std::minstd_rand rng(99);
    for (int round = 0; round < 60; ++round) {
        std::string bytes;
        const std::size_t size = rng() % 200000;
        const auto crRate = static_cast<unsigned>(rng() % 3 == 0 ? 0 : 1 + rng() % 50);
        const auto lineRate = static_cast<unsigned>(1 + rng() % 1500);
        for (std::size_t i = 0; i < size; ++i) {
            const auto pick = static_cast<unsigned>(rng() % 10000);
            if (pick < 10000 / lineRate) bytes += '\n';
            else if (crRate && pick % crRate == 0) bytes += '\r';
            else bytes += static_cast<char>('a' + pick % 26);
        }
        const readResult expected = byDefinition(bytes);
        const readResult got = byReader(bytes);
        ASSERT_EQ(got.lines, expected.lines) << "round " << round;
        ASSERT_EQ(got.offsets, expected.offsets) << "round " << round;
        ASSERT_EQ(got.log, expected.log) << "round " << round;
    }
}

}  // namespace
