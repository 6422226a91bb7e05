// Header lines and index lines of any content: parsing never fails badly,
// and what compress would store is always a prefix of the line.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/format/componentFile.h"
#include "engine/format/header.h"
#include "engine/format/indexLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    for (const char* keyword : {"*symbol", "*package", "*footprint"}) {
        std::optional<entryFields> h = parseHeader(line, keyword);
        if (h && h->name.size() > line.size()) std::abort();
        if (componentNameOf(line, keyword).size() > line.size()) std::abort();
    }
    std::optional<entryFields> f = parseIndexLine(line);
    if (f && f->extraText && f->extraText->size() > 100) std::abort();
    std::optional<std::string> stored = storedForm(line);
    if (stored && line.compare(0, stored->size(), *stored) != 0) std::abort();
    return 0;
}
