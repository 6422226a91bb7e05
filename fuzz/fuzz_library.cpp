// Expands and verifies arbitrary bytes as a library, in a scratch folder of
// this process's own that is emptied after every input.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "engine/expand.h"
#include "engine/inspect.h"
#include "engine/libKind.h"

namespace fs = std::filesystem;

namespace {

class nullLog : public logSink {
public:
    void addLine(const std::string& line) override { total += line.size(); }
    std::size_t total = 0;
};

// The folder expand writes into; removed again when the fuzzer exits.
struct scratchFolder {
    scratchFolder() : dir(fs::temp_directory_path() / ("vekfuzz-" + std::to_string(::getpid()))) {
        fs::create_directories(dir);
    }
    ~scratchFolder() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    fs::path dir;
};

const fs::path& scratch() {
    static const scratchFolder folder;
    return folder.dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Expand writes into the current folder; the fuzzer's own paths may be
    // relative to the one it started in, so go back after every input.
    const fs::path& dir = scratch();
    const fs::path home = fs::current_path();
    fs::current_path(dir);
    std::FILE* f = std::fopen("lib.slb", "wb");
    if (!f) {
        fs::current_path(home);
        return 0;
    }
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    nullLog log;
    const int button = size > 0 ? DLG_BUTTON1 + data[0] % 3 : DLG_BUTTON1;
    expandLibrary(button, "lib.slb", log);
    verifyLibrary(button, "lib.slb", log);
    for (const auto& entry : fs::directory_iterator(dir)) fs::remove_all(entry.path());
    fs::current_path(home);
    return 0;
}
