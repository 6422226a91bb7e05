// Which items of a VList are selected. The items live with the owner, so the
// selection is kept as item numbers in ranges, never as a flag in each row:
// all 200,000 rows selected cost one range, as one row does. The anchor is
// where a Shift click or Shift move extends from; the caret is the item
// with the focus, which moves by keys.
#pragma once

#include <utility>
#include <vector>

class vlistSelection {
public:
    using range = std::pair<int, int>;  // first and last item, both selected

    void clear();
    // A plain click or move: item alone; anchor and caret there.
    void only(int item);
    // Ctrl+click (or Ctrl+Space): item flips; anchor and caret there.
    void toggle(int item);
    // Shift+click or Shift+move: the items from the anchor to item, and
    // with keepOthers (Ctrl+Shift) every other range as it was; caret there.
    void extendTo(int item, bool keepOthers = false);
    // Ctrl+A: every one of count items; the anchor stays, or is the first.
    void all(int count);
    // first to last joined to the selection, anchor and caret left alone.
    void addRange(int first, int last) { add({first, last}); }
    // Ctrl+move: the caret goes to item, the selection stays (with
    // anchorToo, a Shift click or move extends from there too).
    void focus(int item, bool anchorToo = false) {
        caretItem = item;
        if (anchorToo) anchorItem = item;
    }

    bool contains(int item) const;
    long long count() const;
    int caret() const { return caretItem; }
    int anchor() const { return anchorItem; }
    // Sorted, apart from one another (never touching), each first <= last.
    const std::vector<range>& ranges() const { return spans; }

private:
    void add(range r);
    void remove(int item);

    std::vector<range> spans;
    int anchorItem = -1;
    int caretItem = -1;
};
