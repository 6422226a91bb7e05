// Repairs arbitrary bytes as a library. Every repair must end in a refusal
// or in a library that verify reads whole (conflict markers, which are text
// to resolve, are its only findings), holding as many parts as repair said
// it kept, each of a name that stood in the input.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/format/libKind.h"
#include "engine/ops/inspect.h"
#include "engine/ops/parts.h"
#include "engine/ops/repair.h"
#include "scratchFolder.h"

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const scratchFolder scratch("vekfuzz-repair");
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string library = (scratch.dir / "lib.slb").string();
    const std::string result = (scratch.dir / "out.slb").string();
    {
        std::ofstream out(library, std::ios::binary | std::ios::trunc);
        out.write(input.data(), static_cast<std::streamsize>(input.size()));
    }
    fs::remove(result);
    memoryLog log;
    repairReport report;
    if (repairLibrary(symbolKind, {library, result, size % 2 == 0, false}, report, log) != opResult::done) return 0;
    memoryLog findings;
    int markers = 0;
    if (verifyFindings(symbolKind, result, findings, nullptr, &markers) != markers) std::abort();
    std::vector<std::string> names;
    if (partNames(symbolKind, result, names, log) != opResult::done) std::abort();
    if (static_cast<long long>(names.size()) != report.kept) std::abort();
    std::string read = input;  // as a reader sees it: CRs dropped
    read.erase(std::remove(read.begin(), read.end(), '\r'), read.end());
    for (const std::string& name : names) {
        if (read.find(name) == std::string::npos) {
            std::abort();
        }
    }
    return 0;
}
