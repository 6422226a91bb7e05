// The commands that work with git: setting it up to merge and show
// libraries by parts, and merging a library git merged as plain text.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cliCommands.h"
#include "cli/cliRunContext.h"
#include "engine/ops/merge.h"
#include "support/fileOps.h"
#include "support/platform/platform.h"
#include "support/platform/process.h"

namespace {

// The running vek as git's shell (sh, on Windows too) should name it.
std::string shellWord(std::string path) {
#ifdef _WIN32
    for (char& c : path) c = c == '\\' ? '/' : c;
    return "\"" + path + "\"";
#else
    std::string quoted = "'";
    for (char c : path) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
#endif
}

bool gitConfig(const std::string& scope, const std::string& key, const std::string& value, logSink& log) {
    if (platform::runProgram({"git", "config", scope, key, value}) != 0) {
        logProblem(log, "git-setup: git config " + scope + " " + key + " failed", key,
                   "git config failed; is git installed, and (with --local) are you inside a repository?");
        return false;
    }
    log.addLine("git-setup: " + key + " = " + value);
    return true;
}

// A line of git's output, read through a temporary file.
bool gitOutput(const std::vector<std::string>& args, std::string& line) {
    std::string name;
    std::FILE* f = fileOps::createTemp(fileOps::systemTempDir(), "vekgit", name);
    if (!f) return false;
    std::fclose(f);
    const bool ran = platform::runProgram(args, name) == 0;
    std::ifstream in(name);
    std::getline(in, line);
    in.close();
    fileOps::removeFile(name);
    return ran && !line.empty();
}

// The repository's .gitattributes gets the libraries' lines it lacks.
bool addAttributes(logSink& log) {
    std::string top;
    if (!gitOutput({"git", "rev-parse", "--show-toplevel"}, top)) {
        logProblem(log, "git-setup: not inside a git repository", ".", "not inside a git repository");
        return false;
    }
    const std::string path = top + "/.gitattributes";
    std::ifstream in(path);
    std::stringstream had;
    had << in.rdbuf();
    std::string text = had.str();
    const std::string before = text;
    for (const char* ext : {"*.slb", "*.plb", "*.flb"}) {
        const std::string line = std::string(ext) + " -text diff=vek merge=vek";
        if (("\n" + text).find("\n" + line + "\n") != std::string::npos) continue;
        if (!text.empty() && text.back() != '\n') text += '\n';
        text += line + "\n";
        log.addLine("git-setup: " + path + ": " + line);
    }
    if (text == before) return true;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (out) return true;
    logProblem(log, "git-setup: can't write " + path, path, "can't write it");
    return false;
}

}  // namespace

int runGitSetup(const cliOptions& o, cliRunContext& c) {
    const std::string scope = o.local ? "--local" : "--global";
    std::string vek = platform::programPath();
    vek = shellWord(vek.empty() ? std::string("vek") : vek);
    const bool done =
        gitConfig(scope, "merge.vek.name", "vek: libraries merged by parts", c.log) &&
        gitConfig(scope, "merge.vek.driver", vek + " merge -q -L %L --path %P %O %A %B", c.log) &&
        gitConfig(scope, "diff.vek.textconv", vek + " cat", c.log) &&
        gitConfig(scope, "diff.vek.xfuncname", "^(\\*(symbol|package|footprint)[ \t].*)$", c.log) &&
        (!o.local || addAttributes(c.log));
    return done ? 0 : 1;
}

namespace {

// Stage n of path as git keeps it, into a temporary file beside it; an
// absent stage (no base: both sides added the library) gives an empty file.
bool stageFile(const std::string& path, int n, std::string& name, bool mustExist, logSink& log) {
    std::FILE* f = fileOps::createTemp(fileOps::dirOf(path), ".vek-stage", name);
    if (!f) {
        logProblem(log, "git-merge: can't make a temporary file beside " + path, path, fileOps::lastReason());
        return false;
    }
    std::fclose(f);
    std::error_code ec;
    const std::filesystem::path relative = std::filesystem::relative(platform::fsPath(path), ec);
    const std::string spec = ":" + std::to_string(n) + ":./" + (ec ? path : relative.generic_string());
    if (platform::runProgram({"git", "cat-file", "blob", spec}, name) == 0) return true;
    if (!mustExist) {
        std::fclose(fileOps::open(name, "wb"));
        return true;
    }
    logProblem(log, "git-merge: git keeps no stage " + std::to_string(n) + " of " + path, path,
               "not in a merge's conflict (git keeps no stage " + std::to_string(n) + "); nothing done");
    return false;
}

int mergeStages(const cliOptions& o, const std::string& path, cliRunContext& c) {
    std::string stages[3];
    bool ready = true;
    for (int n = 1; n <= 3 && ready; ++n) ready = stageFile(path, n, stages[n - 1], n != 1, c.log);
    int status = 1, conflicts = 0;
    if (ready) {
        mergeRequest request{stages[0], stages[1], stages[2], path, path, {o.markerSize, o.diff3}};
        status = statusOf(mergeLibraries(*o.kind, request, conflicts, c.log, c.control));
    }
    for (const std::string& name : stages) {
        if (!name.empty()) fileOps::removeFile(name);
    }
    if (status != 0 || conflicts != 0) return 1;
    if (platform::runProgram({"git", "add", "--", path}) != 0) {
        logProblem(c.log, "git-merge: " + path + " merged, but git add failed", path,
                   "merged, but git add failed; stage it yourself");
        return 1;
    }
    c.log.addLine("git-merge: " + path + " merged and staged");
    return 0;
}

}  // namespace

int runGitMerge(const cliOptions& o, cliRunContext& c) {
    int status = 0;
    for (const std::string& path : o.paths) status = std::max(status, mergeStages(o, path, c));
    return status;
}
