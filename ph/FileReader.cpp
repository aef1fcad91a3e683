#include "ph/FileReader.h"

#include <cstdlib>

namespace ph {

FileReader::FileReader(const std::string& path) {
    file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return;
    }
    if (std::fseek(file, 0, SEEK_END) == 0) {
        long end = std::ftell(file);
        length = end > 0 ? uint32_t(end) : 0;
    }
    std::fseek(file, 0, SEEK_SET);
}

FileReader::~FileReader() {
    std::free(wholeFile);
    if (file) {
        std::fclose(file);
    }
}

uint32_t FileReader::read(void* destination, uint32_t n) {
    if (!file || n == 0) {
        return 0;
    }
    return uint32_t(std::fread(destination, 1, n, file));
}

bool FileReader::seek(uint32_t position) {
    return file && std::fseek(file, long(position), SEEK_SET) == 0;
}

const char* FileReader::contents() {
    if (wholeFile) {
        return wholeFile;
    }
    if (!file || length == 0) {
        return nullptr;
    }
    char* buffer = static_cast<char*>(std::malloc(length));
    if (!buffer) {
        return nullptr;
    }
    long position = std::ftell(file);
    bool complete = std::fseek(file, 0, SEEK_SET) == 0 && std::fread(buffer, 1, length, file) == length;
    std::fseek(file, position, SEEK_SET);
    if (!complete) {
        std::free(buffer);
        return nullptr;
    }
    wholeFile = buffer;
    return wholeFile;
}

uint32_t FileReader::tell() {
    if (!file) {
        return 0;
    }
    long position = std::ftell(file);
    return position > 0 ? uint32_t(position) : 0;
}

bool FileReader::atEnd() { return !file || std::feof(file) != 0; }

} // namespace ph
