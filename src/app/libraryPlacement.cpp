#include "app/libraryPlacement.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "support/cfman.h"

namespace {

const char* const section = "LIBRARY";

std::string readKey(const char* key) {
    char buffer[200];
    const char* value = theCfman.readRaw(section, key, buffer, sizeof buffer, 1);
    return value ? value : "";
}

void writeKey(const char* key, const std::string& value) {
    theCfman.writeRaw(section, key, value.c_str(), static_cast<int>(value.size()), 1);
}

}  // namespace

std::vector<int> savedColumnStops(std::size_t count) {
    const std::string text = readKey("columns");
    std::vector<int> stops;
    const char* p = text.c_str();
    while (*p) {
        char* end = nullptr;
        const long stop = std::strtol(p, &end, 10);
        if (end == p || stop <= (stops.empty() ? 0 : stops.back()) || stop > 4000) return {};
        stops.push_back(static_cast<int>(stop));
        p = *end == ',' ? end + 1 : end;
        if (*end != ',' && *end != '\0') return {};
    }
    return stops.size() == count ? stops : std::vector<int>{};
}

void restoreLibraryPlacement(HWND dialog, SIZE minimum) {
    const int width = std::atoi(readKey("width").c_str()), height = std::atoi(readKey("height").c_str());
    const int screenWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN), screenHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (width >= minimum.cx && height >= minimum.cy && width <= screenWidth && height <= screenHeight) {
        SetWindowPos(dialog, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (readKey("zoomed") == "1") PostMessageA(dialog, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
}

void saveLibraryPlacement(HWND dialog, const std::vector<int>& stops) {
    std::string columns;
    for (int stop : stops) columns += (columns.empty() ? "" : ",") + std::to_string(stop);
    writeKey("columns", columns);
    if (IsIconic(dialog)) return;
    writeKey("zoomed", IsZoomed(dialog) ? "1" : "0");
    if (IsZoomed(dialog)) return;
    RECT r;
    GetWindowRect(dialog, &r);
    writeKey("width", std::to_string(r.right - r.left));
    writeKey("height", std::to_string(r.bottom - r.top));
}
