#include "ph/AutoreleasePool.h"

#include "ph/RefCounter.h"

namespace ph {

namespace {
// The innermost open pool; each pool remembers the one it was opened inside,
// which makes the chain of pools the pool stack.
AutoreleasePool* currentPool = nullptr;
} // namespace

AutoreleasePool::AutoreleasePool() : enclosing(currentPool) { currentPool = this; }

AutoreleasePool::~AutoreleasePool() {
    // Pop first: anything a destructor below autoreleases goes to the enclosing pool.
    currentPool = enclosing;
    std::vector<RefCounter*> drained;
    drained.swap(objects);
    for (RefCounter* object : drained) {
        object->release();
    }
}

void AutoreleasePool::autorelease(RefCounter* object) {
    if (object && currentPool) {
        currentPool->objects.push_back(object);
    }
}

AutoreleasePool* AutoreleasePool::current() { return currentPool; }

} // namespace ph
