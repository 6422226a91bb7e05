#include "support/options.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t messageSize = 512;
char messageBuffer[messageSize];
std::size_t writePos = 0;
char emptyCaption[1] = "";

void printToStderr(const char*, const char* text) { std::fputs(text, stderr); }

optMessageBox currentBox = printToStderr;

// The first characters of text equal name, both sides upper-cased.
bool matches(const char* text, const char* name) {
    const std::size_t n = std::strlen(name);
    if (std::strlen(text) < n) return false;
    for (std::size_t i = 0; i < n; ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) != std::toupper(static_cast<unsigned char>(name[i]))) {
            return false;
        }
    }
    return true;
}

optionEntry* findRow(const char* text, int nRows, optionEntry* table) {
    for (int r = 0; r < nRows; ++r) {
        if (matches(text, table[r].name)) return &table[r];
    }
    return nullptr;
}

int fail(const char* format, const char* value) {
    optMessage(format, value);
    optShowMessage();
    return -1;
}

const char* wordAt(int index, int argc, char** argv) { return index < argc ? argv[index] : nullptr; }

// Takes an option's nArgs arguments: the attached rest first, then words.
int takeArguments(int* argc, char** argv, int index, optionEntry& row, const char* rest) {
    if (!*rest) {
        if (removeArg(argc, argv, index, row.name) < 0) return -1;
        rest = wordAt(index, *argc, argv);
    }
    row.values = static_cast<char**>(std::malloc(sizeof(char*) * static_cast<std::size_t>(row.nArgs)));
    for (int k = 0; k < row.nArgs; ++k) {
        row.values[k] = const_cast<char*>(rest);
        if (removeArg(argc, argv, index, row.name) < 0) return -1;
        rest = wordAt(index, *argc, argv);
    }
    return 0;
}

}  // namespace

optMessageBox setOptMessageBox(optMessageBox box) {
    optMessageBox previous = currentBox;
    currentBox = box ? box : printToStderr;
    return previous;
}

void optMessage(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(messageBuffer + writePos, messageSize - writePos, format, args);
    va_end(args);
    writePos = std::strlen(messageBuffer);
}

void optShowMessage() {
    currentBox(emptyCaption, messageBuffer);
    writePos = 0;
    messageBuffer[0] = '\0';
}

int removeArg(int* argc, char** argv, int index, const char* optionName) {
    if (index >= *argc) return fail("Not enough arguments for option \"%s\"\n", optionName);
    for (int i = index; i + 1 < *argc; ++i) argv[i] = argv[i + 1];
    --*argc;
    return 0;
}

int parseOptions(int* argc, char** argv, int nRows, optionEntry* table) {
    for (int r = 0; r < nRows; ++r) {
        table[r].seen = 0;
        table[r].values = nullptr;
    }
    int i = 0;
    while (i < *argc) {
        const char* word = argv[i];
        if (word[0] != '-' && word[0] != '/') {
            ++i;
            continue;
        }
        const char* text = word + 1;
        optionEntry* row = findRow(text, nRows, table);
        if (!row) return fail("Unknown option \"%s\"\n", text);
        if (row->seen) return fail("Option \"%s\" used more than once\n", row->name);
        row->seen = 1;
        const char* rest = text + std::strlen(row->name);
        if (row->nArgs > 0) {
            if (takeArguments(argc, argv, i, *row, rest) < 0) return -1;
        } else if (row->nArgs == -1) {
            row->values = static_cast<char**>(std::malloc(sizeof(char*)));
            row->values[0] = *rest ? const_cast<char*>(rest) : nullptr;
            removeArg(argc, argv, i, row->name);
        } else {
            if (*rest) return fail("Text following option \"%s\"\n", row->name);
            removeArg(argc, argv, i, row->name);
        }
    }
    return 0;
}
