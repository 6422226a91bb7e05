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
    expandOperation(const libKind& k, logSink& sink, const runControl& c)
        : engineOperation(k, sink), control(c), writer(k, sink) {}

    int run(byteSource& library, const std::string& listPath) {
        libraryReader reader(library, curKeyword, log);
        if (!reader.findIndex()) return fatal("Expand: fatal error: no index");
        if (!writer.openList(listPath)) return 1;
        if (!reader.readIndex(index)) return fatal("Expand: fatal error: no " + curKindName + "s found in library");
        long long total = 0, done = 0;
        for (const indexEntry* e = index.first; e; e = e->next) ++total;
        for (; reader.hasComponent() && !control.stopping(); reader.nextComponent()) {
            if (!expandComponent(reader)) return 1;
            control.report(++done, total);
        }
        if (!writer.finish()) return 1;
        if (control.stopping()) return closing("CANCELLED", cancelledResult);
        log.addLine("Expand: Checking index....");
        index.checkIndex(log, curKindName);
        index.clear();
        return closing("DONE", 0);
    }

private:
    int closing(const char* word, int result) {
        log.addLine("");
        log.addLine(std::string("Expand: --- ") + word + " ---");
        log.addLine("");
        return result;
    }

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

    const runControl& control;
    componentWriter writer;
};

}  // namespace

int expandLibrary(const libKind& kind, byteSource& library, const std::string& listPath, logSink& log,
                  const runControl* control) {
    const runControl none;
    return expandOperation(kind, log, control ? *control : none).run(library, listPath);
}

int expandLibrary(const libKind& kind, const std::string& libraryPath, logSink& log, const runControl* control) {
    std::FILE* f = fileOps::open(libraryPath, "r+b");
    if (!f) {
        log.addLine("Expand: fatal error: can't open library: " + libraryPath);
        return 1;
    }
    fileSource source(f);
    const int result = expandLibrary(kind, source, listPathFor(libraryPath), log, control);
    std::fclose(f);
    return result;
}
