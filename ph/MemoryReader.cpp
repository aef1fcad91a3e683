#include "ph/MemoryReader.h"

#include <cstring>

namespace ph {

MemoryReader::MemoryReader(Data<char>* bytes) : data(bytes) {}

uint32_t MemoryReader::read(void* destination, uint32_t n) {
    uint32_t end = available();
    if (n > end - position) {
        position = end;
        return 0;
    }
    if (n != 0) {
        std::memcpy(destination, data->elements + position, n);
    }
    position += n;
    return n;
}

bool MemoryReader::seek(uint32_t newPosition) {
    if (newPosition > available()) {
        return false;
    }
    position = newPosition;
    return true;
}

} // namespace ph
