#include "framework/vlistSelection.h"

#include <algorithm>

void vlistSelection::clear() {
    spans.clear();
    anchorItem = caretItem = -1;
}

void vlistSelection::only(int item) {
    spans.assign(1, {item, item});
    anchorItem = caretItem = item;
}

void vlistSelection::toggle(int item) {
    if (contains(item)) remove(item);
    else add({item, item});
    anchorItem = caretItem = item;
}

void vlistSelection::extendTo(int item, bool keepOthers) {
    if (anchorItem < 0) anchorItem = item;
    if (!keepOthers) spans.clear();
    add({std::min(anchorItem, item), std::max(anchorItem, item)});
    caretItem = item;
}

void vlistSelection::all(int count) {
    spans.clear();
    if (count > 0) spans.push_back({0, count - 1});
    if (anchorItem < 0 || anchorItem >= count) anchorItem = count > 0 ? 0 : -1;
    if (caretItem < 0 || caretItem >= count) caretItem = anchorItem;
}

bool vlistSelection::contains(int item) const {
    // The first range that ends at or after item.
    const auto it = std::lower_bound(spans.begin(), spans.end(), item,
                                     [](const range& r, int x) { return r.second < x; });
    return it != spans.end() && it->first <= item;
}

long long vlistSelection::count() const {
    long long n = 0;
    for (const range& r : spans) n += static_cast<long long>(r.second) - r.first + 1;
    return n;
}

// Joins r with every range it overlaps or touches.
void vlistSelection::add(range r) {
    auto first = std::lower_bound(spans.begin(), spans.end(), r.first,
                                  [](const range& s, int x) { return s.second + 1 < x; });
    auto last = first;
    while (last != spans.end() && last->first <= r.second + 1) {
        r.first = std::min(r.first, last->first);
        r.second = std::max(r.second, last->second);
        ++last;
    }
    first = spans.erase(first, last);
    spans.insert(first, r);
}

// Takes item out of the range that holds it (which it must), splitting it.
void vlistSelection::remove(int item) {
    auto it = std::lower_bound(spans.begin(), spans.end(), item, [](const range& r, int x) { return r.second < x; });
    const range held = *it;
    it = spans.erase(it);
    if (item < held.second) it = spans.insert(it, {item + 1, held.second});
    if (held.first < item) spans.insert(it, {held.first, item - 1});
}
