// How an operation ended. The program's commands read the same numbers the
// engine has always returned: 0 done, 1 failed (resultCode gives them).
#pragma once

#include <ostream>

enum class opResult {
    done,       // processed to its end (index findings of expand included)
    failed,     // a fatal error, logged
    cancelled,  // stopped because it was asked to, "--- CANCELLED ---" logged
    damaged,    // a change refused because verify finds the library damaged
};

// 0, 1, 2 and 3, in that order.
inline int resultCode(opResult r) { return static_cast<int>(r); }

inline std::ostream& operator<<(std::ostream& out, opResult r) {
    static const char* const names[] = {"done", "failed", "cancelled", "damaged"};
    return out << names[resultCode(r)];
}

// How a comparison of two libraries ended.
enum class diffResult { same, different, unreadable };

inline std::ostream& operator<<(std::ostream& out, diffResult r) {
    static const char* const names[] = {"same", "different", "unreadable"};
    return out << names[static_cast<int>(r)];
}
