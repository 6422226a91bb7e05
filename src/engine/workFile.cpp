#include "engine/workFile.h"

#include "engine/componentFile.h"

void workFile::append(const std::string& bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    checksum = checksumUpdate(checksum, data, bytes.size());
    size += static_cast<long long>(bytes.size());
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size()) failed = true;
}

void writeDataLine(const std::string& piece, workFile& work) {
    std::optional<std::string> text = storedForm(piece);
    if (!text) return;
    text->push_back('\n');
    work.append(*text);
}
