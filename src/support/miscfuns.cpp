#include "support/miscfuns.h"

#include <cctype>
#include <cstring>

#include "support/assertion.h"

namespace {

// Characters compare as the platform's plain char, which is signed on the
// x86 compilers this runs on: a character of code 128 or above sorts before
// the ASCII ones, so names sort the same in every list the tool chain shows.
int foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : static_cast<signed char>(c);
}

int foldRuntime(char c) {
    const auto code = static_cast<unsigned char>(c);
    if (code >= 128) return static_cast<signed char>(c);
    return std::isupper(code) ? std::tolower(code) : code;
}

}  // namespace

int strCmpNoCase(const char* a, const char* b) {
    const char* p = a;
    const char* q = b;
    for (;; ++p, ++q) {
        int d = foldAscii(*p) - foldAscii(*q);
        if (d != 0 || *p == 0) return d;
    }
}

int strNCmpNoCase(const char* a, const char* b, int n) {
    const char* p = a;
    const char* q = b;
    for (int i = 0; i < n; ++i, ++p, ++q) {
        int d = foldRuntime(*p) - foldRuntime(*q);
        if (d != 0 || *p == 0) return d;
    }
    return 0;
}

char* strDup(const char* str) {
    vekCheck(str, "UTILITY\\SRC\\MISCFUNS");
    if (!str) return nullptr;
    std::size_t n = std::strlen(str) + 1;
    char* copy = new char[n];
    std::memcpy(copy, str, n);
    return copy;
}

void strCopyCut(char* to, const char* from, std::size_t size) {
    if (size == 0) return;
    std::size_t n = 0;
    while (n + 1 < size && from[n]) ++n;
    std::memcpy(to, from, n);
    to[n] = '\0';
}
