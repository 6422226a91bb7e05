// Each test that touches files runs in a fresh folder of its own, which is
// the current folder while the test runs. The folder is removed when the test
// passes and kept (its path printed) when it fails.
#pragma once

#include <gtest/gtest.h>

#include <string>

class inTempDir : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string dir;

private:
    std::string previous;
};
