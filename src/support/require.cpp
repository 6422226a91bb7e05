#include "support/require.h"

#include <cstdio>
#include <cstdlib>

namespace {

void defaultCheck(const char* expr, const char* module, int line) {
    std::fprintf(stderr, "%s == 0: %s, line %d.\n", expr, module, line);
}

checkHandler currentCheck = defaultCheck;

}  // namespace

void requireFailed(const char* expr, const char* file, int line) {
    std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", expr, file, line);
    std::fflush(stderr);
    std::abort();
}

checkHandler setCheckHandler(checkHandler handler) {
    checkHandler previous = currentCheck;
    currentCheck = handler ? handler : defaultCheck;
    return previous;
}

void checkFailed(const char* expr, const char* module, int line) {
    currentCheck(expr, module, line);
}
