#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cliCommands.h"
#include "cli/cliOptions.h"
#include "engine/format/libKind.h"

namespace {

struct goodCase {
    std::vector<std::string> args;
    cliOptions::action what;
    const libKind* kind;
    bool remove;
    std::string directory;
    std::vector<std::string> paths;
};

class goodCommandLines : public ::testing::TestWithParam<goodCase> {};

TEST_P(goodCommandLines, Parse) {
    const goodCase& c = GetParam();
    std::string error;
    std::optional<cliOptions> o = parseCommandLine(c.args, error);
    ASSERT_TRUE(o.has_value()) << error;
    EXPECT_EQ(o->what, c.what);
    EXPECT_EQ(o->kind, c.kind);
    EXPECT_EQ(o->remove, c.remove);
    EXPECT_EQ(o->directory, c.directory);
    EXPECT_EQ(o->paths, c.paths);
}

using A = cliOptions::action;

INSTANTIATE_TEST_SUITE_P(Cases, goodCommandLines, ::testing::Values(
    goodCase{{"expand", "parts.slb"}, A::expand, &symbolKind, false, "", {"parts.slb"}},
    goodCase{{"expand", "PARTS.PLB"}, A::expand, &packageKind, false, "", {"PARTS.PLB"}},
    goodCase{{"both", "x/y.Flb"}, A::both, &footprintKind, false, "", {"x/y.Flb"}},
    goodCase{{"expand", "-k", "package", "odd.lib"}, A::expand, &packageKind, false, "", {"odd.lib"}},
    goodCase{{"expand", "-k", "footprint", "a.slb"}, A::expand, &footprintKind, false, "", {"a.slb"}},
    goodCase{{"compress", "-r", "in.lst", "out.slb"}, A::compress, &symbolKind, true, "", {"in.lst", "out.slb"}},
    goodCase{{"compress", "in.lst", "--remove", "-C", "d", "out.flb"}, A::compress, &footprintKind, true, "d",
             {"in.lst", "out.flb"}},
    goodCase{{"compress", "--", "-odd.lst", "out.slb"}, A::compress, &symbolKind, false, "", {"-odd.lst", "out.slb"}},
    goodCase{{"diff", "a.plb", "b.slb"}, A::diff, &packageKind, false, "", {"a.plb", "b.slb"}},
    goodCase{{"extract", "a.flb", "X", "Y"}, A::extract, &footprintKind, false, "", {"a.flb", "X", "Y"}},
    goodCase{{"--help"}, A::help, 0, false, "", {}},
    goodCase{{"--version"}, A::version, 0, false, "", {}}));

class badCommandLines : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(badCommandLines, GiveAReason) {
    std::string error;
    EXPECT_FALSE(parseCommandLine(GetParam(), error).has_value());
    EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, badCommandLines, ::testing::Values(
    std::vector<std::string>{},
    std::vector<std::string>{"pack", "x.slb"},
    std::vector<std::string>{"expand"},
    std::vector<std::string>{"expand", "a.slb", "b.slb"},
    std::vector<std::string>{"expand", "parts.lib"},
    std::vector<std::string>{"expand", "-k", "resistor", "a.slb"},
    std::vector<std::string>{"expand", "-k"},
    std::vector<std::string>{"expand", "-r", "a.slb"},
    std::vector<std::string>{"compress", "in.lst"},
    std::vector<std::string>{"compress", "in.lst", "out.txt"},
    std::vector<std::string>{"both", "a.slb", "-C"},
    std::vector<std::string>{"list"},
    std::vector<std::string>{"print", "a.slb"},
    std::vector<std::string>{"diff", "a.slb"},
    std::vector<std::string>{"list", "-o", "x", "a.slb"},
    std::vector<std::string>{"add", "--json", "a.slb", "x.sym"}));

TEST(cliOptions, KindErrorNamesTheRemedy) {
    std::string error;
    parseCommandLine({"expand", "parts.lib"}, error);
    EXPECT_NE(error.find("-k"), std::string::npos) << error;
}

// The usage is made from the command table: each command's options in one
// order, the words lined up.
TEST(cliOptions, UsageIsMadeFromTheTable) {
    const std::string usage = usageText();
    for (const char* line : {
             "usage: vek compress  [-k KIND] [-r|--remove] [-q] [--force] [--wait S] [-C DIR] LIST OUTPUT\n",
             "\n       vek expand    [-k KIND] [-q] [-o DIR] [--overwrite|--keep] [-C DIR] LIBRARY\n",
             "\n       vek delete    [-k KIND] [-q] [-n] [--force] [--wait S] [-C DIR] LIBRARY NAME...\n",
             "\n       vek diff      [-k KIND] [-q] [-u] [-C DIR] LIBRARY1 LIBRARY2\n",
             "\n       vek merge     [-k KIND] [-q] [-o FILE] [-n] [-L N] [--diff3] [--path P] [--wait S] [-C DIR] "
             "BASE OURS THEIRS\n",
             "\n       vek git-setup [-k KIND] [-q] [--local] [-C DIR]\n"}) {
        EXPECT_NE(usage.find(line), std::string::npos) << line << usage;
    }
    EXPECT_EQ(helpText(""), usage);
    EXPECT_EQ(commandFor("delete")->what, cliOptions::action::remove);
    EXPECT_EQ(commandFor("help"), nullptr);
}

}  // namespace
