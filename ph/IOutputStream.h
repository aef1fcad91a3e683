#pragma once
// Writable byte stream.

#include "ph/RefCounter.h"

#include <cstdint>

namespace ph {

class IOutputStream : public RefCounter {
public:
    // Bytes written: n on success, else 0.
    virtual uint32_t write(const void* source, uint32_t n) = 0;
    // Moves relative to the current position; true when it was set.
    virtual bool seek(int32_t offset) = 0;
};

} // namespace ph
