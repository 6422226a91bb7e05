#include "engine/ops/filesInTheWay.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "engine/format/componentFile.h"
#include "engine/io/partReader.h"
#include "support/fileOps.h"
#include "support/platform/platform.h"

std::vector<std::string> filesInTheWay(const std::vector<std::string>& names, const libKind& kind,
                                       const std::string& folder) {
    std::vector<std::string> found;
    std::set<std::string> seen;
    for (const std::string& name : names) {
        if (name.empty()) continue;
        const std::string file = componentBaseName(name, kind);
        if (isDeviceName(file) || !seen.insert(file).second) continue;
        if (fileOps::exists(inFolder(folder, file)) || fileOps::isLink(inFolder(folder, file))) found.push_back(file);
    }
    return found;
}

std::vector<std::string> libraryFilesInTheWay(byteSource& library, const libKind& kind, const std::string& folder) {
    std::error_code ec;
    const std::filesystem::directory_iterator files(platform::fsPath(folder.empty() ? "." : folder), ec);
    if (ec || files == std::filesystem::directory_iterator()) return {};
    std::vector<std::string> names;
    partReader reader(library, kind.keyword);
    if (reader.open() == partReader::opening::ready) {
        libraryPart part;
        while (reader.next(part, false)) names.push_back(part.name);
    }
    library.seek(0);
    return filesInTheWay(names, kind, folder);
}

bool refuseFilesInTheWay(const std::vector<std::string>& files, const std::string& folder, const std::string& prefix,
                         logSink& log) {
    if (files.empty()) return false;
    std::string list;
    for (const std::string& file : files) list += (list.empty() ? "" : ", ") + file;
    log.report(lineKind::error, prefix + ": fatal error: " + std::to_string(files.size()) +
                                    " part file(s) there already: " + list);
    for (const std::string& file : files) {
        log.problem(inFolder(folder, file), "there already: not written over (--overwrite replaces it, --keep "
                                            "writes beside it)");
    }
    return true;
}
