// The few platform services that the support layer needs, one function each.
// On Windows they are the Win32 calls; elsewhere they have plain stand-ins.
#pragma once

#include <cstdio>
#include <filesystem>
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

// After a system call that failed without setting errno (a Win32 call):
// keeps the system's code for lastFailureReason, and sets errno to its
// nearest value, so that a caller testing errno sees the failure too.
// Nothing elsewhere, where the call set errno itself.
void noteSystemFailure();

// The system's own words for the last failure: the Win32 message when the
// last one noted is still what errno holds, else the C library's for
// errno; never "Success" for a failure that left errno at 0.
std::string lastFailureReason();

// Opens a file for reading as fopen(path, mode) would; on Windows with every
// kind of sharing (FILE_SHARE_DELETE too), so that a reader never stands in
// the way of a writer who replaces the file: the reader goes on with the
// old one, as on POSIX systems.
std::FILE* openForReading(const std::string& path, const char* mode);

// True when the stream is a terminal (a console on Windows).
bool isTerminal(std::FILE* stream);

// Writes text (lines ended by LF) to a text stream after what the stream
// holds: one system write on Windows, with the LFs turned into CR LF there
// (the runtime's text mode writes a console line by line, and a console
// write is dear); fwrite and fflush elsewhere.
// 0 when all of it went out, else the error as an errno value (EPIPE for
// a closed pipe, ENOSPC for a full disk).
int writeText(std::FILE* stream, const std::string& text);

// A file name as the system's narrow calls take it (the active code page on
// Windows, which the programs' manifests make UTF-8) as a filesystem path,
// and back. Every path handed to std::filesystem goes through these: the
// library itself reads a narrow name on Windows byte by byte, as Latin-1.
std::filesystem::path fsPath(const std::string& name);
std::string fsName(const std::filesystem::path& path);

// Names and text are UTF-8 throughout (the programs' manifests make it the
// active code page on Windows): the console is asked to show UTF-8 too, and
// gets its own code page back when the process ends. Nothing elsewhere.
void useUtf8Console();

// Standard input, switched to binary mode on Windows (where the runtime's
// text mode would drop every CR and stop at a Ctrl-Z) so that a library or
// part piped in arrives byte for byte.
std::FILE* binaryStandardInput();

}  // namespace platform
