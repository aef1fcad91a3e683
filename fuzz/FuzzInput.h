#pragma once
// The fuzz input as the program's own data block, for the targets that read
// it through a stream or an archive in memory.

#include "ph/Data.h"
#include "ph/Pointer.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

// Null when the input is over `limit` bytes: such inputs only cost time.
inline ph::Pointer<ph::Data<char>> fuzzInputData(const uint8_t* data, size_t size, size_t limit) {
    if (size > limit) {
        return {};
    }
    ph::Pointer<ph::Data<char>> bytes = ph::adopt(new ph::Data<char>(uint32_t(size)));
    if (size != 0) {
        std::memcpy(bytes->elements, data, size);
    }
    return bytes;
}
