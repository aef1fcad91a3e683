#pragma once
// Input stream over bytes already in memory (an archive entry, a test fixture).
// Reads are all or nothing: a read past the end delivers 0 bytes and moves to
// the end.

#include "ph/Data.h"
#include "ph/IInputStream.h"
#include "ph/Pointer.h"

namespace ph {

class MemoryReader : public IInputStream {
public:
    explicit MemoryReader(Data<char>* bytes); // retains `bytes`

    uint32_t read(void* destination, uint32_t n) override;
    uint32_t size() override { return available(); }
    bool seek(uint32_t position) override;
    const char* contents() override { return data->elements; }
    uint32_t tell() override { return position; }
    bool atEnd() override { return position >= available(); }

private:
    // A buffer that failed to allocate reads as empty.
    uint32_t available() const { return data && data->hasElements() ? data->count : 0; }

    Pointer<Data<char>> data;
    uint32_t position = 0;
};

} // namespace ph
