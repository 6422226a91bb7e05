#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/options.h"

namespace {

std::vector<std::string> shown;
void recordBox(const char* caption, const char* text) {
    EXPECT_STREQ(caption, "");
    shown.push_back(text);
}

struct parseCase {
    std::vector<std::string> words;  // after argv[0]
    int result;
    const char* profile;             // the "i" row's first value, or null
    bool psSeen;
    std::vector<std::string> left;   // words that stay, after argv[0]
    const char* message;             // the one box shown, or null
};

std::ostream& operator<<(std::ostream& out, const parseCase& c) {
    for (const auto& w : c.words) out << w << ' ';
    return out;
}

class parseOptionsTable : public ::testing::TestWithParam<parseCase> {};

TEST_P(parseOptionsTable, Program) {
    const parseCase& c = GetParam();
    std::vector<std::string> storage = c.words;
    storage.insert(storage.begin(), "vekwin.exe");
    std::vector<char*> argv;
    for (auto& w : storage) argv.push_back(&w[0]);
    int argc = static_cast<int>(argv.size());
    optionEntry table[] = {{"i", 1, nullptr, 0}, {"ps", 1, nullptr, 0}};
    shown.clear();
    optMessageBox old = setOptMessageBox(recordBox);
    EXPECT_EQ(parseOptions(&argc, argv.data(), 2, table), c.result);
    setOptMessageBox(old);

    const char* profile = table[0].seen && table[0].values ? table[0].values[0] : nullptr;
    if (c.profile) {
        ASSERT_NE(profile, nullptr);
        EXPECT_STREQ(profile, c.profile);
    } else {
        EXPECT_EQ(profile, nullptr);
    }
    EXPECT_EQ(table[1].seen != 0, c.psSeen);
    std::vector<std::string> left(argv.begin() + 1, argv.begin() + argc);
    EXPECT_EQ(left, c.left);
    if (c.message) {
        EXPECT_EQ(shown, std::vector<std::string>{c.message});
    } else {
        EXPECT_TRUE(shown.empty());
    }
    std::free(table[0].values);
    std::free(table[1].values);
}

using W = std::vector<std::string>;

INSTANTIATE_TEST_SUITE_P(Cases, parseOptionsTable, ::testing::Values(
    parseCase{{}, 0, nullptr, false, {}, nullptr},
    parseCase{{"-i", "my.ini"}, 0, "my.ini", false, {}, nullptr},
    parseCase{{"-imy.ini"}, 0, "my.ini", false, {}, nullptr},
    parseCase{{"/I", "my.ini"}, 0, "my.ini", false, {}, nullptr},
    parseCase{{"-I", "x.ini", "foo"}, 0, "x.ini", false, {"foo"}, nullptr},
    parseCase{{"-i"}, -1, nullptr, false, {}, "Not enough arguments for option \"i\"\n"},
    parseCase{{"-i", "a", "-i", "b"}, -1, "a", false, {"-i", "b"}, "Option \"i\" used more than once\n"},
    parseCase{{"-x", "-i", "a"}, -1, nullptr, false, {"-x", "-i", "a"}, "Unknown option \"x\"\n"},
    parseCase{{"-ps", "value"}, 0, nullptr, true, {}, nullptr},
    parseCase{{"foo", "-ps", "v", "bar"}, 0, nullptr, true, {"foo", "bar"}, nullptr},
    parseCase{{"-p"}, -1, nullptr, false, {"-p"}, "Unknown option \"p\"\n"},
    parseCase{{"-PSx"}, 0, nullptr, true, {}, nullptr}));

TEST(optMessage, AccumulatesAndResets) {
    shown.clear();
    optMessageBox old = setOptMessageBox(recordBox);
    optMessage("one %d\n", 1);
    optMessage("two %s\n", "2");
    optShowMessage();
    optMessage("%s", std::string(600, 'm').c_str());
    optShowMessage();
    setOptMessageBox(old);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "one 1\ntwo 2\n");
    EXPECT_EQ(shown[1], std::string(511, 'm'));
}

}  // namespace
