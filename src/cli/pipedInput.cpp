#include "cli/pipedInput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "cli/cliCommands.h"
#include "cli/cliOptions.h"
#include "support/fileOps.h"
#include "support/platform/platform.h"

namespace {

const char* const standardInputName = "(standard input)";

bool isPipe(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_fifo(platform::fsPath(path), ec);
}

// Whether the command takes operand i from a pipe (see cliCommand::piped).
bool pipedAt(const cliCommand& command, std::size_t i) {
    const std::string rule = command.piped;
    if (rule.size() == 2 && rule[1] == '+') return i >= static_cast<std::size_t>(rule[0] - '0');
    return rule.find(static_cast<char>('0' + i)) != std::string::npos;
}

// Copies from to to; 0, or the errno of the failing side (read: negative).
int copyAll(std::FILE* from, std::FILE* to) {
    std::vector<char> block(1 << 16);
    std::size_t n;
    errno = 0;
    while ((n = std::fread(block.data(), 1, block.size(), from)) > 0) {
        if (std::fwrite(block.data(), 1, n, to) != n) return errno != 0 ? errno : EIO;
    }
    if (std::ferror(from)) return -(errno != 0 ? errno : EIO);
    return std::fflush(to) != 0 ? (errno != 0 ? errno : EIO) : 0;
}

}  // namespace

pipedInput::~pipedInput() {
    for (const copy& c : copies) fileOps::removeFile(c.path);
}

bool pipedInput::take(cliOptions& o, std::string& error) {
    bool standardInputTaken = false;
    for (std::size_t i = 0; i < o.paths.size(); ++i) {
        const bool standard = o.paths[i] == "-";
        if (standard && i < o.command->readsFiles && !pipedAt(*o.command, i)) {
            error = std::string(o.command->word) + " can't take - (standard input) there: give a file";
            return false;
        }
        if (!pipedAt(*o.command, i)) continue;
        if (!standard && !isPipe(o.paths[i])) continue;
        if (standard && standardInputTaken) {
            error = "standard input (-) given twice: it can be read once";
            return false;
        }
        standardInputTaken = standardInputTaken || standard;
        if (!copyIn(o.paths[i], error)) return false;
    }
    return true;
}

bool pipedInput::copyIn(std::string& operand, std::string& error) {
    const bool standard = operand == "-";
    const std::string name = standard ? standardInputName : operand;
    std::FILE* from = standard ? platform::binaryStandardInput() : fileOps::open(operand, "rb");
    if (!from) {
        error = name + ": " + fileOps::lastReason();
        readFailed = true;
        return false;
    }
    std::string path;
    std::FILE* to = fileOps::createTemp(fileOps::systemTempDir(), "vekpipe", path);
    const int failure = to ? copyAll(from, to) : errno;
    if (!standard) std::fclose(from);
    if (to) {
        std::fclose(to);
        copies.push_back({path, name});
    }
    if (failure != 0) {
        error = failure < 0 ? name + ": " + fileOps::systemReason(-failure)
                            : "can't keep a copy of " + name + " in " + path + ": " + fileOps::systemReason(failure);
        readFailed = true;
        return false;
    }
    operand = path;
    return true;
}

std::string pipedInput::shown(std::string text) const {
    for (const copy& c : copies) {
        for (std::size_t at = text.find(c.path); at != std::string::npos; at = text.find(c.path, at + c.shownAs.size())) {
            text.replace(at, c.path.size(), c.shownAs);
        }
    }
    return text;
}

bool pipedInput::isCopy(const std::string& path) const {
    for (const copy& c : copies) {
        if (c.path == path) return true;
    }
    return false;
}
