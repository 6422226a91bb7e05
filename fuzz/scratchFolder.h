// A folder of this fuzzer process's own for the files an input makes,
// removed again when the fuzzer exits.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

struct scratchFolder {
    explicit scratchFolder(const std::string& stem)
        : dir(std::filesystem::temp_directory_path() / (stem + "-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(dir);
    }
    ~scratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    std::filesystem::path dir;
};
