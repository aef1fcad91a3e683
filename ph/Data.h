#pragma once
// Reference-counted block of elements from the C heap: file contents
// (Data<char>) and video frames (Data<unsigned int>). Never resized.
//
// When the heap cannot supply the block, `count` keeps the requested number
// but `elements` is empty: every user must test `hasElements()` before
// touching the buffer.

#include "ph/RefCounter.h"

#include <cstdint>
#include <cstdlib>

namespace ph {

template <class T> class Data : public RefCounter {
public:
    explicit Data(uint32_t elementCount) : count(elementCount) {
        ownsElements = true;
        if (count != 0 && count <= SIZE_MAX / sizeof(T)) {
            elements = static_cast<T*>(std::malloc(size_t(count) * sizeof(T)));
        }
    }
    ~Data() override {
        if (ownsElements && count != 0) {
            std::free(elements);
        }
    }

    bool hasElements() const { return elements != nullptr; }
    size_t byteSize() const { return elements ? size_t(count) * sizeof(T) : 0; }

    bool ownsElements : 1;
    uint32_t count;
    T* elements = nullptr;
};

} // namespace ph
