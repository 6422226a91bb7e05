// What keeps a file safe on the disk and away from links, per platform.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace platform {

// Everything written to the stream reaches the disk (fsync; on Windows the
// runtime's commit, which is FlushFileBuffers).
bool syncToDisk(std::FILE* stream);

// The folder's entries reach the disk (POSIX; nothing to do on Windows,
// where the move itself writes through).
bool syncFolder(const std::string& dir);

// Moves from over to, replacing to (a link there is replaced, not followed),
// writing the move through to the disk before it returns.
bool replaceFile(const std::string& from, const std::string& to);

// True when both paths lead to one existing file, however spelled.
bool sameFile(const std::string& a, const std::string& b);

// What tells one existing file from another: its volume and its number
// there. Null when nothing is at path.
struct fileId {
    unsigned long long volume = 0, number = 0;
    bool operator==(const fileId& o) const { return volume == o.volume && number == o.number; }
};
std::optional<fileId> identifyFile(const std::string& path);

// Opens path for writing as fopen(path, mode) would, except that a symbolic
// link as the last part of path is never followed: creating fails when one
// appears in between.
std::FILE* openNoFollow(const std::string& path, const char* mode);

// Creates path for writing as fopen(path, mode) would, but only when nothing
// of that name exists (no link is followed); null otherwise.
std::FILE* createNew(const std::string& path, const char* mode);

// How reading a whole small file went.
enum class smallRead { ok, cannotOpen, notHere };

// Reads the whole of a file of at most limit bytes in one go, as text mode
// would read it. notHere when the file is larger, or on a platform whose text
// mode changes the bytes (Windows): the caller then reads it as a stream.
smallRead readSmallFile(const std::string& path, std::size_t limit, std::string& bytes);

// How copying inside the system went.
enum class insideCopy { copied, failed, notHere };

// Copies the rest of from, from its current position, to the end of to
// inside the system (copy_file_range), so that the bytes never pass through
// this process; both streams are flushed first. notHere when the platform or
// these files cannot (nothing was copied: the caller copies by itself);
// failed with errno set on an error.
insideCopy copyInside(std::FILE* from, std::FILE* to);

}  // namespace platform
