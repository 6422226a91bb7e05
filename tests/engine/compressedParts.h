// The library compress makes of part texts, through files in the current
// folder: what the part-level commands' results are compared with.
#pragma once

#include <string>
#include <vector>

#include "common/fileText.h"
#include "engine/format/libKind.h"
#include "engine/logSink.h"
#include "engine/ops/compress.h"

// Writes p0.sym, p1.sym... and parts.lst, and compresses them into output.
inline std::string compressedParts(const std::vector<std::string>& parts, const std::string& output = "made.slb") {
    std::string list;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        writeBytes("p" + std::to_string(i) + ".sym", parts[i]);
        list += "p" + std::to_string(i) + ".sym\n";
    }
    writeText("parts.lst", list);
    memoryLog quiet;
    compressLibrary(symbolKind, "parts.lst", output, false, quiet);
    return readBytes(output);
}
