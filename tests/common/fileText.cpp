#include "common/fileText.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "engine/format/checksum.h"

namespace fs = std::filesystem;

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::trunc);
    out << text;
}

std::string platformText(const std::string& text) {
#ifdef _WIN32
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
#else
    return text;
#endif
}

std::string dataFile(const std::string& name) {
    return std::string(VEK_TEST_DATA) + "/" + name;
}

void setReadOnly(const std::string& path, bool readOnly) {
    const auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(path, write, readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::ostringstream out;
    for (const auto& l : lines) out << l << "\n";
    return out.str();
}

std::string numberedLibrary(int parts) {
    std::vector<std::string> texts;
    for (int i = 0; i < parts; ++i) texts.push_back("*symbol P" + std::to_string(i) + "\nL1\n");
    return libraryOf(texts);
}

std::string libraryOf(const std::vector<std::string>& parts) {
    std::string index, data;
    for (const std::string& part : parts) {
        const std::string header = part.substr(8, part.find('\n') - 8);
        const std::size_t blank = header.find(' ');
        const std::string extra = blank == std::string::npos ? "" : header.substr(blank);
        index += "symloc " + header.substr(0, blank) + " " + std::to_string(data.size()) + " " +
                 std::to_string(part.size()) + extra + "\n";
        data += part;
    }
    const auto sum = checksumUpdate(checksumStart, reinterpret_cast<const unsigned char*>(data.data()), data.size());
    return "*version 6.3 " + std::to_string(sum) + "\n@index\n" + index + data;
}
