#include "support/textDiff.h"

#include <algorithm>
#include <cstddef>

namespace {

using op = lineEdit;

std::string range(std::size_t start, std::size_t count) {
    if (count == 0) return std::to_string(start) + ",0";
    return std::to_string(start + 1) + (count == 1 ? "" : "," + std::to_string(count));
}

}  // namespace

// Myers' greedy forward search, keeping each step's frontier to walk the
// path back.
std::vector<lineEdit> editScript(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    const long n = static_cast<long>(a.size()), m = static_cast<long>(b.size()), offset = n + m + 1;
    std::vector<long> v(static_cast<std::size_t>(2 * offset + 1), 0);
    std::vector<std::vector<long>> trace;
    const auto at = [&](long k) -> long& { return v[static_cast<std::size_t>(k + offset)]; };
    for (long d = 0; d <= n + m; ++d) {
        trace.push_back(v);
        for (long k = -d; k <= d; k += 2) {
            long x = (k == -d || (k != d && at(k - 1) < at(k + 1))) ? at(k + 1) : at(k - 1) + 1;
            long y = x - k;
            while (x < n && y < m && a[static_cast<std::size_t>(x)] == b[static_cast<std::size_t>(y)]) ++x, ++y;
            at(k) = x;
            if (x >= n && y >= m) {
                std::vector<op> script;
                for (long e = d; e > 0; --e) {
                    const std::vector<long>& before = trace[static_cast<std::size_t>(e)];
                    const auto was = [&](long kk) { return before[static_cast<std::size_t>(kk + offset)]; };
                    const long kk = x - y;
                    const bool down = kk == -e || (kk != e && was(kk - 1) < was(kk + 1));
                    const long prevK = down ? kk + 1 : kk - 1;
                    const long prevX = was(prevK), prevY = prevX - prevK;
                    while (x > prevX + (down ? 0 : 1) && y > prevY + (down ? 1 : 0)) script.push_back(op::same), --x, --y;
                    script.push_back(down ? op::added : op::removed);
                    x = prevX;
                    y = prevY;
                }
                while (x > 0 && y > 0) script.push_back(op::same), --x, --y;
                std::reverse(script.begin(), script.end());
                return script;
            }
        }
    }
    return {};
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> unifiedHunks(const std::vector<std::string>& a, const std::vector<std::string>& b,
                                      int context) {
    const std::vector<op> script = editScript(a, b);
    const std::size_t c = static_cast<std::size_t>(context);
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < script.size()) {
        if (script[i] == op::same) {
            ++i;
            continue;
        }
        // A hunk: from context lines before this change to context lines
        // after the last change that lies within 2 * context of the next.
        std::size_t begin = i >= c ? i - c : 0, end = i;
        for (std::size_t gap = 0; end < script.size() && gap <= 2 * c; ++end) gap = script[end] == op::same ? gap + 1 : 0;
        while (end > i && script[end - 1] == op::same) --end;
        end = std::min(script.size(), end + c);
        std::size_t lineA = 0, lineB = 0;
        for (std::size_t k = 0; k < begin; ++k) {
            if (script[k] != op::added) ++lineA;
            if (script[k] != op::removed) ++lineB;
        }
        std::vector<std::string> body;
        std::size_t countA = 0, countB = 0, x = lineA, y = lineB;
        for (std::size_t k = begin; k < end; ++k) {
            if (script[k] == op::same) body.push_back(" " + a[x++]), ++y, ++countA, ++countB;
            else if (script[k] == op::removed) body.push_back("-" + a[x++]), ++countA;
            else body.push_back("+" + b[y++]), ++countB;
        }
        out.push_back("@@ -" + range(lineA, countA) + " +" + range(lineB, countB) + " @@");
        out.insert(out.end(), body.begin(), body.end());
        i = end;
    }
    return out;
}
