#include "app/pickedParts.h"

#include <string_view>
#include <unordered_set>

#include "framework/vlist.h"

namespace {

std::string nameAt(const libraryBrowser& view, long long item) {
    if (item < 0 || static_cast<std::size_t>(item) >= view.count()) return {};
    return std::string(view.entry(static_cast<std::size_t>(item)).name());
}

}  // namespace

pickedParts::pickedParts(HWND list, const libraryBrowser& view) {
    const auto caret = static_cast<long long>(SendMessageA(list, VLB_GETCURSEL, 0, 0));
    caretName = nameAt(view, caret);
    const auto* selection = reinterpret_cast<const vlistSelection*>(SendMessageA(list, VLB_GETSELECTION, 0, 0));
    std::unordered_set<std::string> seen;
    auto take = [&](long long item) {
        std::string name = nameAt(view, item);
        ++rowCount;
        if (!name.empty() && seen.insert(name).second) picked.push_back(std::move(name));
    };
    if (!selection) {
        if (!caretName.empty()) take(caret);
        return;
    }
    for (const auto& r : selection->ranges()) {
        for (long long item = r.first; item <= r.second; ++item) take(item);
    }
}

long long pickedParts::rowsIn(HWND list) {
    const auto* selection = reinterpret_cast<const vlistSelection*>(SendMessageA(list, VLB_GETSELECTION, 0, 0));
    if (selection) return selection->count();
    return SendMessageA(list, VLB_GETCURSEL, 0, 0) >= 0 ? 1 : 0;
}

bool pickedParts::selectAgain(HWND list, const libraryBrowser& view) const {
    const std::unordered_set<std::string_view> wanted(picked.begin(), picked.end());
    vlistSelection again;
    int caret = -1;
    for (std::size_t i = 0; i < view.count(); ++i) {
        const std::string_view name = view.entry(i).name();
        if (!wanted.count(name)) continue;
        again.addRange(static_cast<int>(i), static_cast<int>(i));
        if (caret < 0 && name == caretName) caret = static_cast<int>(i);
    }
    if (caret < 0) return false;
    SendMessageA(list, VLB_SETCURSEL, VLBR_FINDPOS, caret);
    again.focus(caret, true);
    SendMessageA(list, VLB_SETSELECTION, 0, reinterpret_cast<LPARAM>(&again));
    return true;
}
