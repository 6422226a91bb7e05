// The reading pool on its own: parts come back in the order they were
// queued, each with the outcome and bytes one reader would give, and what it
// holds ahead goes back to nothing once everything is taken.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/format/libKind.h"
#include "engine/io/componentPrefetch.h"

namespace {

using result = componentOutcome::result;
using componentPrefetchTest = inTempDir;

TEST_F(componentPrefetchTest, GivesBackEveryFileInOrderAndHoldsNothingAfter) {
    std::string big = "*symbol BIG\n";
    for (int line = 0; line < 400; ++line) big += std::string(99, 'x') + "\n";
    writeText("big.sym", big);
    writeText("small.sym", "*symbol SMALL  \r\nS\n\n");
    writeText("bad.sym", "*package P\n");
    writeText("long.sym", "*symbol LONG\n" + std::string(1100, 'l') + "\n");
    const std::vector<std::string> order = {"big.sym", "missing.sym", "small.sym", "bad.sym", "long.sym"};
    for (int readers : {1, 3}) {
        componentPrefetch ahead(symbolKind, true, readers);
        for (int round = 0; round < 80; ++round) {
            for (const std::string& path : order) ahead.push(path);
            EXPECT_EQ(ahead.queued(), order.size());
            for (const std::string& path : order) {
                componentPrefetch::component c = ahead.take();
                ASSERT_EQ(c.path, path);
                if (path == "big.sym") {
                    EXPECT_EQ(c.outcome.what, result::ok);
                    EXPECT_EQ(c.bytes.size(), big.size());
                    EXPECT_EQ(c.fields.length, static_cast<int>(big.size()));
                } else if (path == "small.sym") {
                    EXPECT_EQ(c.bytes, "*symbol SMALL\nS\n");
                    EXPECT_EQ(c.fields.name, "SMALL");
                }
                EXPECT_EQ(c.outcome.what, path == "missing.sym" ? result::cantOpen
                                          : path == "bad.sym"   ? result::badFirstLine
                                          : path == "long.sym"  ? result::lineTooLong
                                                                : result::ok);
                ahead.recycle(std::move(c.bytes));
            }
            EXPECT_EQ(ahead.queued(), 0u);
            EXPECT_EQ(ahead.heldBytes(), 0u) << readers << " readers, round " << round;
        }
    }
}

}  // namespace
