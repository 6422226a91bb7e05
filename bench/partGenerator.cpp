#include "partGenerator.h"

#include <cstdio>
#include <filesystem>
#include <random>

namespace {

const char* const prefixes[] = {"R", "C", "U", "Q", "D", "L", "AND", "NOR", "DIP", "SOT", "QFP", "CONN"};

std::string partName(std::mt19937& rng, int i) {
    std::string name = prefixes[rng() % (sizeof prefixes / sizeof *prefixes)];
    name += std::to_string(i);
    switch (rng() % 6) {
        case 0: name += "," + std::to_string(rng() % 100); break;
        case 1: name += ";V" + std::to_string(rng() % 10); break;
        case 2: name += ",A;B" + std::to_string(rng() % 10); break;
        default: break;
    }
    return name;
}

std::string headerLine(std::mt19937& rng, const libKind& kind, int i) {
    std::string line = std::string(kind.keyword) + " " + partName(rng, i);
    switch (rng() % 5) {
        case 0: line += " ako BASE" + std::to_string(rng() % 20); break;
        case 1: line += " generic part"; break;
        case 2: line += " rev" + std::to_string(rng() % 9) + " ako GEN" + std::to_string(rng() % 5); break;
        default: break;
    }
    return line;
}

std::string bodyLine(std::mt19937& rng, int n) {
    const int x = static_cast<int>(rng() % 2000) - 1000;
    const int y = static_cast<int>(rng() % 2000) - 1000;
    switch (rng() % 4) {
        case 0: return "pin " + std::to_string(n) + " " + std::to_string(x) + " " + std::to_string(y) + " in";
        case 1: return "line " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(y) + " " + std::to_string(x);
        case 2: return "text 0 " + std::to_string(x) + " \"label " + std::to_string(n) + "\"";
        default: return "arc " + std::to_string(x) + " " + std::to_string(y) + " 45 90";
    }
}

void writeComponent(std::mt19937& rng, const partSetSpec& spec, int i, const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f) return;
    std::fprintf(f, "%s\n", headerLine(rng, *spec.kind, i).c_str());
    const int lines = 1 + static_cast<int>(rng() % static_cast<unsigned>(spec.maxBodyLines));
    for (int n = 0; n < lines; ++n) {
        std::string line = bodyLine(rng, n);
        if (rng() % 25 == 0) line += "   ";
        std::fprintf(f, "%s\n", line.c_str());
        if (rng() % 40 == 0) std::fputs("\n", f);
    }
    std::fclose(f);
}

}  // namespace

std::string writePartSet(const partSetSpec& spec, const std::string& folder,
                         const std::string& listName) {
    namespace fs = std::filesystem;
    fs::create_directories(folder);
    std::mt19937 rng(spec.seed);
    const std::string listPath = (fs::path(folder) / listName).string();
    std::FILE* list = std::fopen(listPath.c_str(), "w");
    if (!list) return listPath;
    for (int i = 0; i < spec.count; ++i) {
        const std::string file = "p" + std::to_string(i) + spec.kind->componentExt;
        writeComponent(rng, spec, i, (fs::path(folder) / file).string());
        std::fprintf(list, "%s\n", file.c_str());
    }
    std::fclose(list);
    return listPath;
}
