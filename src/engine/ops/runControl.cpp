#include "engine/ops/runControl.h"

namespace {
bool secondThread = true;
}

void allowSecondThread(bool allowed) { secondThread = allowed; }
bool secondThreadAllowed() { return secondThread; }
