#include "engine/ops/runControl.h"


namespace {

struct waitNotice {
    const runControl& control;
    const std::string& path;
};

void tellWaiting(void* notice) {
    const auto* n = static_cast<const waitNotice*>(notice);
    if (n->control.waiting) n->control.waiting(n->control.context, n->path);
}

}  // namespace

bool lockLibrary(platform::writerLock& lock, const std::string& path, const runControl& control,
                 const std::string& prefix, logSink& log) {
    waitNotice notice{control, path};
    if (lock.acquire(path, control.lockWaitSeconds, tellWaiting, &notice) != platform::writerLock::outcome::timedOut) {
        return true;
    }
    logProblem(log, prefix + ": fatal error: library is locked by another writer: " + path, path,
               "locked by another writer");
    return false;
}
