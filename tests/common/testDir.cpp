#include "common/testDir.h"

#include <atomic>
#include <filesystem>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

void inTempDir::SetUp() {
    static std::atomic<int> counter{0};
    previous = fs::current_path().string();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string leaf = std::string("vektest-") + info->test_suite_name() + "-" + info->name();
    for (char& c : leaf) {
        if (c == '/' || c == '\\') c = '_';
    }
    // The process id keeps the folders of a death test's child apart from
    // its parent's, which Windows would not let the child remove.
    fs::path base = fs::temp_directory_path() /
                    (leaf + "-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::error_code ec;
    fs::remove_all(base, ec);
    fs::create_directories(base);
    fs::current_path(base);
    dir = base.string();
}

void inTempDir::TearDown() {
    fs::current_path(previous);
    if (HasFailure()) {
        std::printf("test folder kept: %s\n", dir.c_str());
        return;
    }
    std::error_code ec;
    for (auto& p : fs::recursive_directory_iterator(dir, ec)) {
        fs::permissions(p.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(dir, ec);
}
