// Expands and verifies arbitrary bytes as a library, read from memory;
// expand writes into a scratch folder of this process's own that is emptied
// after every input.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include <unistd.h>

#include "engine/ops/expand.h"
#include "scratchFolder.h"
#include "engine/ops/inspect.h"
#include "engine/format/libKind.h"

namespace fs = std::filesystem;

namespace {

class nullLog : public logSink {
public:
    void addLine(const std::string& line) override { total += line.size(); }
    std::size_t total = 0;
};

const fs::path& scratch() {
    static const scratchFolder folder("vekfuzz");
    return folder.dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Expand writes into the current folder; the fuzzer's own paths may be
    // relative to the one it started in, so go back after every input.
    const fs::path& dir = scratch();
    const fs::path home = fs::current_path();
    fs::current_path(dir);
    memorySource library(std::string_view(reinterpret_cast<const char*>(data), size));
    nullLog log;
    const libKind& kind = *allKinds[size > 0 ? data[0] % 3 : 0];
    expandLibrary(kind, library, "lib.lst", log);
    library.rewind();
    verifyLibrary(kind, library, log);
    for (const auto& entry : fs::directory_iterator(dir)) fs::remove_all(entry.path());
    fs::current_path(home);
    return 0;
}
