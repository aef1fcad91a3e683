#include "ph/FileWriter.h"

#include <cstdint>
#include <cstdlib>
#include <zlib.h>

namespace ph {

FileWriter::FileWriter(const std::string& path) { file = std::fopen(path.c_str(), "w+b"); }

FileWriter::~FileWriter() {
    if (!file) {
        return;
    }
    if (appendChecksum) {
        writeChecksum();
    }
    std::fclose(file);
}

uint32_t FileWriter::write(const void* source, uint32_t n) {
    if (!file || n == 0) {
        return 0;
    }
    return std::fwrite(source, n, 1, file) == 1 ? n : 0;
}

bool FileWriter::seek(int32_t offset) { return file && std::fseek(file, offset, SEEK_CUR) == 0; }

void FileWriter::writeChecksum() {
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return;
    }
    long length = std::ftell(file);
    if (length <= 0) {
        return;
    }
    unsigned char* buffer = static_cast<unsigned char*>(std::malloc(size_t(length)));
    if (!buffer) {
        return;
    }
    if (std::fseek(file, 0, SEEK_SET) == 0 &&
        std::fread(buffer, size_t(length), 1, file) == 1) {
        uint32_t crc = uint32_t(crc32(0L, buffer, uInt(length)));
        const unsigned char trailer[4] = {uint8_t(crc), uint8_t(crc >> 8), uint8_t(crc >> 16),
                                          uint8_t(crc >> 24)};
        // A switch from reading to writing needs a positioning call in between.
        std::fseek(file, 0, SEEK_END);
        std::fwrite(trailer, sizeof trailer, 1, file);
    }
    std::free(buffer);
}

} // namespace ph
