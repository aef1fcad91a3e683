#pragma once
// Input stream over a C file, opened "rb". Reads go straight to the C
// library; callers choose their own read sizes.

#include "ph/IInputStream.h"

#include <cstdio>
#include <string>

namespace ph {

class FileReader : public IInputStream {
public:
    explicit FileReader(const std::string& path);
    ~FileReader() override;

    bool isOpen() const { return file != nullptr; }

    uint32_t read(void* destination, uint32_t n) override;
    uint32_t size() override { return length; }
    bool seek(uint32_t position) override;
    const char* contents() override; // read once and cached
    uint32_t tell() override;
    bool atEnd() override;

private:
    std::FILE* file = nullptr;
    uint32_t length = 0; // measured once when opened
    char* wholeFile = nullptr;
};

} // namespace ph
