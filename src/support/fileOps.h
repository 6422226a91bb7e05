// The engine's few file-system needs that the C library does not cover the
// same way on every platform. Everything here behaves as on Windows, where a
// read-only file refuses writing even to an administrator: the engine must
// never overwrite a file the user marked read-only, whoever runs it.
#pragma once

#include <cstdio>
#include <string>

namespace fileOps {

// fopen that refuses directories, and refuses existing read-only files for
// any mode that writes ("w", "a" or "+"). A "w" mode never writes through a
// symbolic link: a link there is removed and a file made in its place, and
// one that appears in between makes the open fail.
std::FILE* open(const std::string& path, const char* mode);

// True when a file (or folder) of that name exists and may be written; a
// symbolic link always counts, whatever it points at.
bool writable(const std::string& path);

// Creates a file for writing only when nothing of that name exists (no link
// is followed): null otherwise. One call where a test and a create take two.
std::FILE* createNew(const std::string& path, const char* mode);

// Reads a whole file of at most limit bytes in one call when the platform
// allows (text mode does not change it): 1 with bytes set, 0 when it cannot be
// opened (or is a folder), -1 when it must be read as a stream instead.
int readWhole(const std::string& path, std::size_t limit, std::string& bytes);

// True when path itself is a symbolic link.
bool isLink(const std::string& path);

// Flushes the stream and makes its bytes reach the disk; name is the file's.
bool syncToDisk(std::FILE* stream, const std::string& name);

// True when something exists at path.
bool exists(const std::string& path);

// True when path is a regular file of no bytes.
bool isEmptyFile(const std::string& path);

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

// Puts the file from in the place of to (a link at to is replaced, not
// followed), keeping the permissions of an existing file to, writing the
// move through to the disk. False (and from left in place) when that fails.
bool replace(const std::string& from, const std::string& to);

// A seam for tests that watch the order of the steps that make a write
// durable: called with "sync" and the file's name before its bytes are made
// to reach the disk, "rename" and the target before a replace, "syncdir" and
// the folder after it. Null stops watching.
using fileObserver = void (*)(const char* event, const std::string& path);
fileObserver setFileObserver(fileObserver observer);

// True when both paths lead to one and the same existing file (the same
// device and file number), however they are spelled.
bool sameFile(const std::string& a, const std::string& b);

// The system's words for an error code (strerror), and for errno now.
std::string systemReason(int code);
std::string lastReason();

// Deletes a file; the result says whether it was deleted.
bool removeFile(const std::string& path);

}  // namespace fileOps
