// Merges arbitrary bytes split into base, ours and theirs at the lines
// "====": whatever a repository holds. Every merge must end in a refusal or
// in a library that verify reads whole (conflict markers are its only
// findings).
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "engine/format/libKind.h"
#include "engine/ops/inspect.h"
#include "engine/ops/merge.h"
#include "scratchFolder.h"

namespace fs = std::filesystem;

namespace {

void write(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const scratchFolder scratch("vekfuzz-merge");
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const char* names[] = {"base.slb", "ours.slb", "theirs.slb"};
    for (int i = 0; i < 3; ++i) {
        const std::size_t cut = i < 2 ? input.find("\n====\n") : std::string_view::npos;
        write(scratch.dir / names[i], input.substr(0, cut));
        input = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 6);
    }
    const std::string dir = scratch.dir.string() + "/";
    const std::string result = dir + "merged.slb";
    fs::remove(result);
    mergeRequest request{dir + names[0], dir + names[1], dir + names[2], result, "", {7, size % 2 == 0}};
    memoryLog log;
    int conflicts = 0;
    if (mergeLibraries(symbolKind, request, conflicts, log) != opResult::done) return 0;
    memoryLog findings;
    int markers = 0;
    if (verifyFindings(symbolKind, result, findings, nullptr, &markers) != markers) std::abort();
    return 0;
}
