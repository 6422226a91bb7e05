// A VList selection as its tables write it: "first-last" ranges, comma-separated.
#pragma once

#include <string>

#include "framework/vlistSelection.h"

inline std::string selectionText(const vlistSelection& s) {
    std::string text;
    for (const auto& r : s.ranges()) text += (text.empty() ? "" : ",") + std::to_string(r.first) + "-" + std::to_string(r.second);
    return text;
}
