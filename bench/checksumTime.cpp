// checksumTime LIBRARY [REPEATS]: times checksumUpdate alone over the
// library's data section (everything after its last index line), the work
// compress cannot avoid, and prints the median in seconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/format/checksum.h"

namespace {

// The data section starts with the first part's header line, the first
// line after "@index" that starts with '*' (index lines never do).
std::size_t dataStart(const std::string& lib) {
    const std::size_t index = lib.find("\n@index\n");
    if (index == std::string::npos) return 0;
    const std::size_t first = lib.find("\n*", index + 7);
    return first == std::string::npos ? lib.size() : first + 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: checksumTime LIBRARY [REPEATS]\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string lib((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t start = dataStart(lib);
    const auto* data = reinterpret_cast<const unsigned char*>(lib.data() + start);
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 7;
    std::vector<double> times;
    std::uint32_t sum = 0;
    for (int i = 0; i < repeats; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        sum = checksumUpdate(checksumStart, data, lib.size() - start);
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(times.begin(), times.end());
    std::printf("%.3f %zu %u\n", times[times.size() / 2], lib.size() - start, sum);
    return 0;
}
