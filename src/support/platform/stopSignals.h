// The ways a user or the system asks a running tool to stop: Ctrl+C, a
// terminal or console window closed, a polite kill. Each sets a flag that
// the operation reads before its next part, so that it can leave no
// temporary file behind; what stopped it is the flag's value.
#pragma once

#include <atomic>
#include <csignal>

namespace platform {

// From now until restoreStopSignals, each such request stores its signal
// number in flag: SIGINT (Ctrl+C), SIGTERM, SIGHUP (terminal closed); on
// Windows 2 for Ctrl+C, 21 for Ctrl+Break and 1 for the console window
// closed (the system then gives the process a few seconds to finish).
void catchStopSignals(std::atomic<int>* flag);
void restoreStopSignals();

// A file-size limit makes an over-long write fail like any other write
// error, rather than end the process (SIGXFSZ; nothing to do on Windows).
void ignoreFileSizeSignal();

}  // namespace platform
