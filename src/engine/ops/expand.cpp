#include "engine/ops/expand.h"

#include <cstdio>

#include "engine/format/componentFile.h"
#include "engine/format/header.h"
#include "engine/io/componentWriter.h"
#include "engine/io/libraryReader.h"
#include "engine/ops/componentCheck.h"
#include "engine/ops/engineOperation.h"
#include "support/fileOps.h"

namespace {

// Reader and component writer: each component goes to its file, then is
// compared with its index entry.
class expandOperation : engineOperation {
public:
    expandOperation(const libKind& k, logSink& sink) : engineOperation(k, sink), writer(k, sink) {}

    int run(byteSource& library, const std::string& listPath) {
        libraryReader reader(library, curKeyword, log);
        if (!reader.findIndex()) return fatal("Expand: fatal error: no index");
        if (!writer.openList(listPath)) return 1;
        if (!reader.readIndex(index)) return fatal("Expand: fatal error: no " + curKindName + "s found in library");
        for (; reader.hasComponent(); reader.nextComponent()) {
            if (!expandComponent(reader)) return 1;
        }
        if (!writer.finish()) return 1;
        log.addLine("Expand: Checking index....");
        index.checkIndex(log, curKindName);
        index.clear();
        log.addLine("");
        log.addLine("Expand: --- DONE ---");
        log.addLine("");
        return 0;
    }

private:
    int fatal(const std::string& message) {
        log.addLine(message);
        return 1;
    }

    bool expandComponent(libraryReader& reader) {
        const std::string name = componentNameOf(reader.header(), curKeyword);
        const indexEntry* entry = index.find(name);
        if (!writer.begin(name, entry ? formatHeader(*entry, curKeyword) : reader.header())) return false;
        std::string line;
        while (reader.nextLine(line)) writer.write(line);
        if (!writer.end()) return false;
        checkComponent(index, name, reader.position(), reader.length(), log);
        return true;
    }

    componentWriter writer;
};

}  // namespace

int expandLibrary(const libKind& kind, byteSource& library, const std::string& listPath, logSink& log) {
    return expandOperation(kind, log).run(library, listPath);
}

int expandLibrary(const libKind& kind, const std::string& libraryPath, logSink& log) {
    std::FILE* f = fileOps::open(libraryPath, "r+b");
    if (!f) {
        log.addLine("Expand: fatal error: can't open library: " + libraryPath);
        return 1;
    }
    fileSource source(f);
    const int result = expandLibrary(kind, source, listPathFor(libraryPath), log);
    std::fclose(f);
    return result;
}
