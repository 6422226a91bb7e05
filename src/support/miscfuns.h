// Shared string helpers used by the engine, the settings and the dialogs.
#pragma once

#include <cstddef>

// Compares two strings, folding only the letters A to Z to lower case.
// Returns the difference of the first differing folded characters, 0 when equal.
int strCmpNoCase(const char* a, const char* b);

// Same over at most n characters; folds with the C library's isupper/tolower,
// so characters of code 128 and above are compared unfolded.
int strNCmpNoCase(const char* a, const char* b, int n);

// A copy of str from operator new (release with delete[]). A null argument
// is a broken invariant: it is reported through vekCheck and gives null.
char* strDup(const char* str);

// Copies at most size - 1 characters of from into to and terminates it:
// fixed-size fields are filled without ever running over.
void strCopyCut(char* to, const char* from, std::size_t size);
