// The engine's few file-system needs that the C library does not cover the
// same way on every platform. Everything here behaves as on Windows, where a
// read-only file refuses writing even to an administrator: the engine must
// never overwrite a file the user marked read-only, whoever runs it.
#pragma once

#include <cstdio>
#include <string>

namespace fileOps {

// fopen that refuses directories, and refuses existing read-only files for
// any mode that writes ("w", "a" or "+").
std::FILE* open(const std::string& path, const char* mode);

// True when a file (or folder) of that name exists and may be written.
bool writable(const std::string& path);

// True when something exists at path.
bool exists(const std::string& path);

// The folder part of path ("." when it has none), without a trailing separator
// unless it is a root.
std::string dirOf(const std::string& path);

// Creates a new, empty file in dir for reading and writing in binary mode,
// with a name that did not exist before; null when that is not possible.
// nameOut receives the name made (the last one tried on failure).
std::FILE* createTemp(const std::string& dir, const std::string& stem,
                      std::string& nameOut);

// True when a file could be created at path (which does not exist): tried by
// creating it and removing it again at once.
bool canCreate(const std::string& path);

// The system's folder for temporary files ("" when there is none).
std::string systemTempDir();

// Puts the file from in the place of to, keeping the permissions of an
// existing to. False (and from left in place) when that fails.
bool replace(const std::string& from, const std::string& to);

// Deletes a file; the result says whether it was deleted.
bool removeFile(const std::string& path);

}  // namespace fileOps
