#pragma once
// Scoped pool of references whose release waits until the current entry point
// has finished. Pools live on the stack and nest; `autorelease` hands a
// reference to the innermost open one.

#include <vector>

namespace ph {

class RefCounter;

class AutoreleasePool {
public:
    AutoreleasePool();
    AutoreleasePool(const AutoreleasePool&) = delete;
    AutoreleasePool& operator=(const AutoreleasePool&) = delete;
    virtual ~AutoreleasePool();

    // Hands over one reference the caller owns. With no pool open the object
    // is kept alive for good rather than released under a caller's feet.
    static void autorelease(RefCounter* object);

    static AutoreleasePool* current();

private:
    std::vector<RefCounter*> objects; // in hand-over order
    AutoreleasePool* enclosing;
};

} // namespace ph
