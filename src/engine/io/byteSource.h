// Where readers take their bytes from: an open file or a block of memory.
// Readers never open files themselves, so every reader can be tested (and
// fuzzed) on bytes held in memory.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

class byteSource {
public:
    virtual ~byteSource() = default;
    // Up to size bytes into buffer; 0 at the end or after a read error,
    // which failed() then tells apart.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
    // To the byte at offset from the start; false when that is not possible.
    // A read error is forgotten: the next read tries again.
    virtual bool seek(long long offset) = 0;
    bool rewind() { return seek(0); }

    // The system's error code of the last failed read (errno), 0 when the
    // last short read was the end.
    int failure() const { return error; }
    bool failed() const { return error != 0; }

protected:
    int error = 0;
};

// Reads a stream the caller opened (and closes): text-mode streams keep the
// platform's line-end conversion.
class fileSource : public byteSource {
public:
    explicit fileSource(std::FILE* s) : stream(s) {}
    // Reads from another stream from now on (the same file opened again).
    void use(std::FILE* s) {
        stream = s;
        error = 0;
    }
    std::size_t read(char* buffer, std::size_t size) override;
    bool seek(long long offset) override;

    // Copies the rest of the file to the end of out inside the system where
    // it can; -1 when it cannot (the caller copies through read), else 1 when
    // copied and 0 on an error (failure(), or errno for out's side).
    int copyInside(std::FILE* out);

    // A seam for tests that play a failing disk: counting from now, the
    // n-th read of any file source fails with EIO (0: none fails). Returns
    // how many reads were still to come before the last such call: more
    // than 0 when that failure was never reached.
    static long long failReadAt(long long n);

private:
    std::FILE* stream;
};

// Reads bytes that stay owned by the caller.
class memorySource : public byteSource {
public:
    explicit memorySource(std::string_view b) : bytes(b) {}
    std::size_t read(char* buffer, std::size_t size) override;
    bool seek(long long offset) override;

private:
    std::string_view bytes;
    std::size_t pos = 0;
};
