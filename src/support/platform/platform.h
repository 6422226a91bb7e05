// The few platform services that the support layer needs, one function each.
// On Windows they are the Win32 calls; elsewhere they have plain stand-ins.
#pragma once

#include <cstdio>
#include <string>

namespace platform {

// The Yes/No box with the question beep; returns 6 (Yes), 7 (No) or other.
// Without a display: the text on standard error and, when standard input is
// a terminal, the question "Continue? (y/n)"; otherwise No.
int messageBoxYesNo(const char* caption, const char* text, unsigned style);

// Text for the debugger's output window (standard error off Windows).
void debuggerOutput(const char* text);

// The system's code for the last failure (GetLastError, or errno).
int lastErrorCode();

// True when the stream is a terminal (a console on Windows).
bool isTerminal(std::FILE* stream);

// Writes text (lines ended by LF) to a text stream after what the stream
// holds: one system write on Windows, with the LFs turned into CR LF there
// (the runtime's text mode writes a console line by line, and a console
// write is dear); fwrite and fflush elsewhere.
// 0 when all of it went out, else the error as an errno value (EPIPE for
// a closed pipe, ENOSPC for a full disk).
int writeText(std::FILE* stream, const std::string& text);

}  // namespace platform
