#include "engine/ops/grep.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <regex>
#include <string_view>
#include <vector>

#include "engine/ops/libraryInput.h"

namespace {

// ASCII letters only, as the C locale's tolower has it.
char lowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A string looked for letter case aside, skipping ahead as Horspool's
// search does (one table for both cases of each letter): a text is searched
// as it stands, never copied in lower case first.
class noCaseSearcher {
public:
    explicit noCaseSearcher(const std::string& literal) : low(literal.size(), '\0') {
        std::transform(literal.begin(), literal.end(), low.begin(), lowerChar);
        skip.fill(low.size());
        for (std::size_t i = 0; i + 1 < low.size(); ++i) {
            const auto c = static_cast<unsigned char>(low[i]);
            const auto upper = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
            skip[c] = skip[upper] = low.size() - 1 - i;
        }
    }
    bool foundIn(std::string_view text) const {
        const std::size_t m = low.size();
        for (std::size_t at = 0; at + m <= text.size(); at += skip[static_cast<unsigned char>(text[at + m - 1])]) {
            std::size_t k = m;
            while (k > 0 && lowerChar(text[at + k - 1]) == low[k - 1]) --k;
            if (k == 0) return true;
        }
        return false;
    }

private:
    std::string low;
    std::array<std::size_t, 256> skip{};
};

// The runs of plain characters every match of a regular expression holds
// (none when it has an alternative, "|"): a line without one of them needs
// no regular expression at all. A character a quantifier follows is left
// out, and anything else than a plain character ends a run, so each run
// found is one every match holds.
std::vector<std::string> requiredLiterals(const std::string& pattern) {
    std::vector<std::string> runs;
    if (pattern.find('|') != std::string::npos) return runs;
    std::string run;
    const auto end = [&] {
        if (!run.empty()) runs.push_back(run);
        run.clear();
    };
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '*' || c == '+' || c == '?' || c == '{') {
            if (!run.empty()) run.pop_back();
            end();
        } else if (c == '[') {
            end();
            const std::size_t close = pattern.find(']', i + 2);
            if (close == std::string::npos) return runs;
            i = close;
        } else if (c == '\\') {
            end();
            ++i;
        } else if (c == '.' || c == '(' || c == ')' || c == '^' || c == '$') {
            end();
        } else {
            run += c;
        }
    }
    end();
    return runs;
}

class matcher {
public:
    explicit matcher(const grepRequest& r) : request(r) {
        const bool fixed = r.how == grepRequest::syntax::fixed;
        literals = fixed ? std::vector<std::string>{r.pattern} : requiredLiterals(r.pattern);
        if (r.ignoreCase) {
            for (const std::string& literal : literals) {
                if (!literal.empty()) noCase.emplace_back(literal);
            }
        }
        if (fixed) return;
        auto flags = r.how == grepRequest::syntax::extended ? std::regex::extended : std::regex::basic;
        if (r.ignoreCase) flags |= std::regex::icase;
        expression.emplace(r.pattern, flags | std::regex::nosubs | std::regex::optimize);
    }

    // Whether a line (or a whole text) can match at all, and whether it does.
    bool mayMatch(std::string_view hay) const {
        for (const noCaseSearcher& literal : noCase) {
            if (!literal.foundIn(hay)) return false;
        }
        if (request.ignoreCase) return true;
        for (const std::string& literal : literals) {
            if (hay.find(literal) == std::string_view::npos) return false;
        }
        return true;
    }
    bool matches(std::string_view line, std::string_view hay) const {
        if (!mayMatch(hay)) return false;
        return !expression || std::regex_search(line.begin(), line.end(), *expression);
    }

private:
    const grepRequest& request;
    std::vector<std::string> literals;  // every match holds each
    std::vector<noCaseSearcher> noCase;  // the same, letter case aside (-i)
    std::optional<std::regex> expression;
};

// The part's matching lines, as the request wants them shown; how many.
long long searchPart(const matcher& match, const grepRequest& request, const std::string& library,
                     const libraryPart& part, logSink& out) {
    const std::string text = part.text();
    const std::string& hay = text;
    if (!match.mayMatch(hay)) return 0;
    long long found = 0, number = 1;
    for (std::size_t at = 0; at < text.size(); ++number) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string_view line(text.data() + at, end - at);
        if (match.matches(line, std::string_view(hay).substr(at, end - at))) {
            ++found;
            if (request.partsOnly) break;
            if (!request.count) out.addLine(library + ":" + part.name + ":" + std::to_string(number) + ":" + std::string(line));
        }
        at = end + 1;
    }
    if (found != 0 && request.partsOnly) out.addLine(library + ":" + part.name);
    if (found != 0 && request.count) out.addLine(library + ":" + part.name + ":" + std::to_string(found));
    return found;
}

}  // namespace

grepResult grepLibraries(const libKind& kind, const std::vector<std::string>& libraries, const grepRequest& request,
                         logSink& out, logSink& log, const runControl* control) {
    std::optional<matcher> match;
    try {
        match.emplace(request);
    } catch (const std::regex_error& e) {
        logProblem(log, "Grep: fatal error: not a regular expression: " + request.pattern, request.pattern, e.what());
        return grepResult::error;
    }
    bool any = false, failed = false;
    long long searched = 0;
    const auto stopped = [control] { return control && control->stop && control->stop->load() != 0; };
    for (const std::string& library : libraries) {
        libraryInput in;
        if (!in.open(kind, library, "Grep", log)) {
            failed = true;
            continue;
        }
        libraryPart part;
        while (!stopped() && in.next(part)) {
            if (control && control->progress) control->progress(control->context, ++searched, 0);
            if (part.name.empty()) continue;
            any = searchPart(*match, request, library, part, out) != 0 || any;
            if (cutShort(in.index(), part)) {
                logProblem(log, "Grep: " + part.name + " is cut short; searched as far as it goes", library,
                           part.name + " is cut short; searched as far as it goes (vek verify " + library + ")");
                failed = true;
            }
        }
        failed = in.failedReading() || failed;
    }
    if (failed) return grepResult::error;
    return any ? grepResult::matched : grepResult::none;
}
