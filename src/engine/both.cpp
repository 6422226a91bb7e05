#include "engine/both.h"

#include <string>

#include "engine/componentFile.h"
#include "engine/compress.h"
#include "engine/expand.h"

int bothLibrary(int button, const char* library, logSink& log) {
    if (expandLibrary(button, library, log) != 0) return 1;
    const std::string list = listPathFor(library);
    int errors = 0;
    if (compressLibrary(button, list.c_str(), library, 1, log, &errors) != 0) return 1;
    return errors == 0 ? 0 : 1;
}
