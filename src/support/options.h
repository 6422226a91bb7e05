// The command-line option parser: options are words beginning with "-" or
// "/", matched against a table by prefix without regard to case; recognised
// options and their arguments are removed from argv. Errors are shown in an
// information box, one per call at most.
#pragma once

#include <cstdint>

struct optionEntry {
    const char* name;
    std::int32_t nArgs;  // > 0: that many arguments; -1: one optional, attached; else a flag
    char** values;       // set by parseOptions; point into argv's words
    std::int32_t seen;
};

// 0 when every word was examined, -1 after the first error.
int parseOptions(int* argc, char** argv, int nRows, optionEntry* table);

// Removes argv[index]; -1 with the "Not enough arguments" message when there
// is no such word.
int removeArg(int* argc, char** argv, int index, const char* optionName);

// Formats into the 512-byte message buffer at its write position.
void optMessage(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Shows the buffer (empty caption) and starts it again.
void optShowMessage();

// The box that shows option messages: the framework's information box in
// the program, standard error elsewhere; tests replace it.
using optMessageBox = void (*)(const char* caption, const char* text);
optMessageBox setOptMessageBox(optMessageBox box);
