// A seam for tests that stop compress at chosen points, as a crash or a
// killed process would. Production code never sets it.
#pragma once

// Called with the name of each point compress passes: "component" after
// each component file, "staged" when the new library is complete beside the
// output, "replaced" when it has taken the output's place, "removed" after
// the component files were deleted.
using compressHook = void (*)(const char* point);

void setCompressHook(compressHook hook);
void compressReached(const char* point);
