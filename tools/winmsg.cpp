// winmsg CLASS MESSAGE [WPARAM [LPARAM]]: posts a message to the first window
// of a class, for driving the program from scripts (screenshots).
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: winmsg CLASS MESSAGE [WPARAM [LPARAM]]\n");
        return 2;
    }
    HWND target = FindWindowA(argv[1], nullptr);
    if (!target) return 1;
    const auto message = static_cast<UINT>(std::strtoul(argv[2], nullptr, 0));
    const auto wParam = static_cast<WPARAM>(argc > 3 ? std::strtoull(argv[3], nullptr, 0) : 0);
    const auto lParam = static_cast<LPARAM>(argc > 4 ? std::strtoll(argv[4], nullptr, 0) : 0);
    return PostMessageA(target, message, wParam, lParam) ? 0 : 1;
}
