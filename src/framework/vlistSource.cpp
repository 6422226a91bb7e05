// The built-in item source of a VList control: an array of texts in the
// control's state, answering owner requests that the owner did not.
#include <cctype>
#include <cstring>

#include "framework/vlist.h"

namespace {

int fail(VLBStruct* r) {
    r->status = -1;
    return 1;
}

int answer(VLBox* b, VLBStruct* r, std::int32_t entry) {
    r->index = r->data = entry;
    r->lpTextPointer = b->strings[entry];
    r->status = 0;
    return 1;
}

bool valid(const VLBox* b, std::int32_t entry) { return entry >= 0 && entry < b->nStrings; }

// Compares the first n characters, letters below code 128 without case.
int comparePrefix(const char* entry, const char* text, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        auto a = static_cast<unsigned char>(entry[i]);
        auto b = static_cast<unsigned char>(text[i]);
        if (a < 128) a = static_cast<unsigned char>(std::tolower(a));
        if (b < 128) b = static_cast<unsigned char>(std::tolower(b));
        if (a != b) return a < b ? -1 : 1;
        if (!a) return 0;
    }
    return 0;
}

// From the start upwards, ending early at an entry that sorts after the
// text; then from the beginning up to the start.
int search(VLBox* b, VLBStruct* r) {
    if (b->nStrings < 1 || !r->lpSearchText) return fail(r);
    const std::int32_t start = r->index == -1 ? 0 : r->index;
    const std::size_t n = std::strlen(r->lpSearchText);
    for (std::int32_t e = start < 0 ? 0 : start; e < b->nStrings; ++e) {
        if (!b->strings[e]) continue;
        const int c = comparePrefix(b->strings[e], r->lpSearchText, n);
        if (c == 0) return answer(b, r, e);
        if (c > 0) break;
    }
    for (std::int32_t e = 0; start >= 1 && e < start && e < b->nStrings; ++e) {
        if (b->strings[e] && comparePrefix(b->strings[e], r->lpSearchText, n) == 0) return answer(b, r, e);
    }
    return fail(r);
}

int percent(VLBox* b, VLBStruct* r) {
    if (b->nStrings < 1) return fail(r);
    if (r->index == 0) return answer(b, r, 0);
    if (r->index == 100) return answer(b, r, b->nStrings - 1);
    const std::int32_t position = r->data;
    const std::int32_t entry = r->data * b->nStrings / 100;
    if (!valid(b, entry)) return fail(r);
    answer(b, r, entry);
    r->data = position;
    return 1;
}

}  // namespace

int vlistBuiltInSource(VLBox* b, UINT code, VLBStruct* r) {
    if (code < 1527 || code > 1636) return 0;
    switch (code) {
        case VLB_GETTEXT:
        case VLBR_GETTEXT:
            return valid(b, r->index) ? answer(b, r, r->index) : fail(r);
        case VLB_GETITEMDATA:
        case VLBR_GETITEMDATA:
            if (b->nStrings < 1) return fail(r);
            r->data = r->index;
            r->status = 0;
            return 1;
        case VLBR_FINDSTRING:
        case VLBR_SELECTSTRING:
        case VLBR_FINDSTRING2:
            return search(b, r);
        case VLBR_FIRST: return b->nStrings >= 1 ? answer(b, r, 0) : fail(r);
        case VLBR_PREV: return (b->nStrings < 1 || r->index < 1) ? fail(r) : answer(b, r, r->index - 1);
        case VLBR_NEXT:
            return (b->nStrings < 1 || r->index >= b->nStrings - 1) ? fail(r) : answer(b, r, r->index + 1);
        case VLBR_LAST: return b->nStrings >= 1 ? answer(b, r, b->nStrings - 1) : fail(r);
        case VLBR_FINDPOS:
            if (b->nStrings < 1 || !valid(b, r->data)) return fail(r);
            return answer(b, r, r->data);
        case VLBR_GETCOUNT:
            r->index = b->nStrings;
            r->status = 0;
            return 1;
        case VLBR_FINDPERCENT: return percent(b, r);
        default: return 1;
    }
}
