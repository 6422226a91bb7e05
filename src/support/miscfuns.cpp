#include "support/miscfuns.h"

#include <cctype>
#include <cstring>

#include "support/assertion.h"

namespace {

int foldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}

int foldRuntime(unsigned char c) {
    if (c >= 128) return c;
    return std::isupper(c) ? std::tolower(c) : c;
}

}  // namespace

int strCmpNoCase(const char* a, const char* b) {
    const auto* p = reinterpret_cast<const unsigned char*>(a);
    const auto* q = reinterpret_cast<const unsigned char*>(b);
    for (;; ++p, ++q) {
        int d = foldAscii(*p) - foldAscii(*q);
        if (d != 0 || *p == 0) return d;
    }
}

int strNCmpNoCase(const char* a, const char* b, int n) {
    const auto* p = reinterpret_cast<const unsigned char*>(a);
    const auto* q = reinterpret_cast<const unsigned char*>(b);
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
