// The shared memory area that another process would use to send requests:
// a pool of 1 KB buffers with a table of free flags guarded by a mutex. This
// program only receives, and sets no area up, so everything here stays empty
// unless a test provides an area. Its checks cannot be continued: any of
// them ends the program.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int SHAREBUF_SIZE = 1024;
constexpr int NumOfEntries = 64;  // entries 0 to 64: 65 buffers

// The names a set-up of the area would use; nothing here uses them.
extern const char* const shareMapFileName;   // "kelv@mem.tmp"
extern const char* const shareMutexName;     // "KelvMemMapMutexName"

extern unsigned char* baseAddr;
extern std::size_t MemMapTotSize;
extern unsigned char* data;
extern unsigned char* freeFlags;
extern void* hMutex;
extern int noMutex;

void* shareOffsetToPtr(std::uintptr_t offset);
int shareLock(void* mutex, unsigned timeoutMs);
void shareBufFree(void* ptr);
