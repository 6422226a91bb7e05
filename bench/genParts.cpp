// genParts KIND COUNT FOLDER [SEED] [MAXLINES]: writes COUNT component files
// of KIND (symbol, package, footprint) and FOLDER/parts.lst naming them.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "partGenerator.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: genParts KIND COUNT FOLDER [SEED] [MAXLINES]\n");
        return 2;
    }
    partSetSpec spec;
    spec.kind = kindForName(argv[1]);
    spec.count = std::atoi(argv[2]);
    if (argc > 4) spec.seed = static_cast<std::uint32_t>(std::strtoul(argv[4], nullptr, 10));
    if (argc > 5) spec.maxBodyLines = std::atoi(argv[5]);
    if (!spec.kind || spec.count < 0 || spec.maxBodyLines < 1) {
        std::fprintf(stderr, "genParts: bad kind, count or line count\n");
        return 2;
    }
    std::printf("%s\n", writePartSet(spec, argv[3], "parts.lst").c_str());
    return 0;
}
