#pragma once
// Output stream over a C file opened "w+b". With `appendChecksum` set, closing
// appends the CRC-32 of the whole file (zlib's, little-endian).

#include "ph/IOutputStream.h"

#include <cstdio>
#include <string>

namespace ph {

class FileWriter : public IOutputStream {
public:
    explicit FileWriter(const std::string& path);
    ~FileWriter() override;

    bool isOpen() const { return file != nullptr; }

    uint32_t write(const void* source, uint32_t n) override;
    bool seek(int32_t offset) override; // relative to the current position

    bool appendChecksum = false;

private:
    void writeChecksum();

    std::FILE* file = nullptr;
};

} // namespace ph
