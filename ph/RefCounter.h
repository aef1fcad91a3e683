#pragma once
// Intrusive reference count shared by every object that several owners hold.
// Single-threaded by design: counts are plain integers.

#include <cstdint>

namespace ph {

class RefCounter {
public:
    RefCounter() = default;
    RefCounter(const RefCounter&) = delete;
    RefCounter& operator=(const RefCounter&) = delete;
    virtual ~RefCounter() = default;

    void retain() { ++refCount; }

    // Deletes the object when the last reference goes; touch nothing after that.
    void release() {
        if (--refCount == 0) {
            delete this;
        }
    }

    int32_t retainCount() const { return refCount; }

private:
    int32_t refCount = 1; // the creator's reference
};

} // namespace ph
