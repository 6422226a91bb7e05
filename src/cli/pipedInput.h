// Standard input ("-") and pipes given where a command reads a library or a
// part: each is read once, from start to end, into a temporary file, and
// the command reads that as it reads any file. Verify, print and the rest
// look at a library more than once (the checksum on a second handle, a
// part found by its index entry), which a pipe cannot give; the copy costs
// one sequential pass and a file's room, never memory.
#pragma once

#include <string>
#include <vector>

struct cliOptions;

class pipedInput {
public:
    pipedInput() = default;
    ~pipedInput();
    pipedInput(const pipedInput&) = delete;
    pipedInput& operator=(const pipedInput&) = delete;

    // Copies each operand of o that its command takes from a pipe and that
    // is "-" or a pipe, and puts the copy's name in its place. False with
    // error set when standard input is named twice, or a copy fails (then
    // failedReading() is true too).
    bool take(cliOptions& o, std::string& error);
    bool failedReading() const { return readFailed; }

    // text with each copy's name replaced by the name the user gave
    // ("(standard input)" for "-").
    std::string shown(std::string text) const;
    // True when path is one of the copies.
    bool isCopy(const std::string& path) const;

private:
    struct copy {
        std::string path;
        std::string shownAs;
    };
    bool copyIn(std::string& operand, std::string& error);

    std::vector<copy> copies;
    bool readFailed = false;
};
