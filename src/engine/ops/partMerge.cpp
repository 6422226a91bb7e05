#include "engine/ops/partMerge.h"

#include <vector>

#include "support/textDiff.h"
#include "support/textMerge.h"

namespace {

using lines = std::vector<std::string>;

struct splitText {
    std::string header;
    lines body;
};

splitText split(const std::optional<std::string>& text) {
    splitText s;
    if (!text) return s;
    s.body = splitLines(*text);
    if (!s.body.empty()) {
        s.header = s.body.front();
        s.body.erase(s.body.begin());
    }
    return s;
}

class blockWriter {
public:
    blockWriter(const std::string& k, const conflictStyle& s) : keyword(k), style(s) {}

    void line(const std::string& text) { out += text + "\n"; }
    void block(const lines& ours, const lines& base, const lines& theirs, const char* oursLabel,
               const char* theirsLabel) {
        marker('<', oursLabel);
        section(ours);
        if (style.diff3) {
            marker('|', "base");
            section(base);
        }
        marker('=', nullptr);
        section(theirs);
        marker('>', theirsLabel);
    }
    std::string out;

private:
    void marker(char c, const char* label) {
        line(std::string(static_cast<std::size_t>(style.markerSize), c) + (label ? std::string(" ") + label : ""));
    }
    void section(const lines& text) {
        for (const std::string& l : text) line(l.compare(0, keyword.size(), keyword) == 0 ? " " + l : l);
    }
    const std::string& keyword;
    const conflictStyle& style;
};

lines one(const std::string& text) { return text.empty() ? lines{} : lines{text}; }

}  // namespace

std::string mergePartTexts(const std::optional<std::string>& base, const std::optional<std::string>& ours,
                           const std::optional<std::string>& theirs, const std::string& keyword,
                           const conflictStyle& style, bool& conflict) {
    const splitText b = split(base), o = split(ours), t = split(theirs);
    blockWriter w(keyword, style);
    if (!ours || !theirs) {
        conflict = true;
        w.line(ours ? o.header : t.header);
        w.block(o.body, b.body, t.body, ours ? "ours" : "ours (deleted)", theirs ? "theirs" : "theirs (deleted)");
        return w.out;
    }
    const bool headerClash = o.header != t.header && (!base || (o.header != b.header && t.header != b.header));
    w.line(base && o.header == b.header ? t.header : o.header);
    if (headerClash) w.block(one(o.header), one(b.header), one(t.header), "ours", "theirs");
    conflict = headerClash;
    for (const mergeChunk& c : mergeLines(b.body, o.body, t.body)) {
        if (!c.conflict) {
            for (const std::string& l : c.lines) w.line(l);
            continue;
        }
        conflict = true;
        w.block(c.ours, c.base, c.theirs, "ours", "theirs");
    }
    return w.out;
}
