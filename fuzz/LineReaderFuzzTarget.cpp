// Arbitrary bytes as a text file: read it line by line over a memory stream
// until the reader says the end is reached. Every line read must move on.
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"

#include "ph/LineReader.h"
#include "ph/MemoryReader.h"
#include "ph/Pointer.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ph::Pointer<ph::Data<char>> bytes = fuzzInputData(data, size, size_t(1) << 20);
    if (!bytes) {
        return 0;
    }
    ph::Pointer<ph::MemoryReader> stream = ph::adopt(new ph::MemoryReader(bytes.get()));
    std::string line;
    size_t total = 0;
    for (;;) {
        const uint32_t before = stream->tell();
        if (!ph::readLine(*stream, line)) {
            break;
        }
        total += line.size();
        if (stream->tell() <= before || line.size() > size || total > size) {
            __builtin_trap(); // a line that reads nothing, or more than the file
        }
    }
    if (!stream->atEnd()) {
        __builtin_trap(); // stopped before the end
    }
    return 0;
}
