#pragma once
// Readable byte stream: files on disk and data already in memory.

#include "ph/RefCounter.h"

#include <cstdint>

namespace ph {

class IInputStream : public RefCounter {
public:
    // Bytes delivered into `destination`, at most `n`.
    virtual uint32_t read(void* destination, uint32_t n) = 0;
    // Length of the whole stream in bytes.
    virtual uint32_t size() = 0;
    // Absolute position from the start; true when it was set.
    virtual bool seek(uint32_t position) = 0;
    // The whole stream in memory, owned by the stream, or null.
    virtual const char* contents() = 0;
    virtual uint32_t tell() = 0;
    virtual bool atEnd() = 0;
};

} // namespace ph
