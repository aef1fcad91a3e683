#include "wf/scene/CompositeObject.h"

#include "ph/AutoreleasePool.h"

#include <algorithm>

namespace wf {

CompositeObject::~CompositeObject() {
    for (const ph::Pointer<Object>& entry : children) {
        if (entry && entry->parentLink == this) {
            entry->parentLink = nullptr;
        }
    }
}

bool CompositeObject::update(float dt) {
    if (isFinished()) {
        return false;
    }
    updateChildren(dt);
    return !isFinished(); // a child may have finished its container
}

void CompositeObject::addChild(Object* child) {
    insertChild(child, entryCount());
}

void CompositeObject::insertChild(Object* child, uint32_t index) {
    if (!child || child->parentLink == this || index > children.size()) {
        return;
    }
    child->retain(); // survives its removal from the old container
    if (child->parentLink) {
        child->parentLink->removeChild(child);
    }
    children.insert(children.begin() + index, ph::Pointer<Object>(child));
    child->parentLink = this;
    child->onAttached();
    child->release();
    sortPending = true;
}

void CompositeObject::removeChild(Object* child) {
    for (uint32_t i = 0; i < children.size(); ++i) {
        if (children[i].get() == child) {
            detachChildAt(i);
            return;
        }
    }
}

void CompositeObject::detachChildAt(uint32_t index) {
    Object* child = children[index].get();
    if (!child) {
        return;
    }
    child->parentLink = nullptr;
    // Hand the entry's reference to the pool without touching the count.
    child->retain();
    children[index].reset();
    ph::AutoreleasePool::autorelease(child);
    holesPending = true;
}

void CompositeObject::updateChildren(float dt) {
    const size_t count = children.size();
    for (size_t i = 0; i < count; ++i) {
        Object* child = children[i].get();
        if (!child) {
            continue;
        }
        if (child->isFinished() || (!child->isPaused() && !child->update(dt))) {
            detachChildAt(static_cast<uint32_t>(i));
        }
    }
    compactChildren();
}

void CompositeObject::compactChildren() {
    if (!holesPending) {
        return;
    }
    std::vector<ph::Pointer<Object>> kept;
    kept.reserve(children.size());
    for (const ph::Pointer<Object>& entry : children) {
        if (!entry) {
            continue;
        }
        if (entry->isFinished()) {
            entry->parentLink = nullptr; // dropped from the list: no stale back link
            continue;
        }
        kept.push_back(entry);
    }
    children.swap(kept); // `kept` now releases the dropped entries
    holesPending = false;
}

void CompositeObject::sortChildren() {
    std::stable_sort(children.begin(), children.end(),
                     [](const ph::Pointer<Object>& left, const ph::Pointer<Object>& right) {
                         // Holes (none after compaction) sort as zOrder 0.
                         const int32_t l = left ? left->zOrder() : 0;
                         const int32_t r = right ? right->zOrder() : 0;
                         return l > r;
                     });
    sortPending = false;
}

void CompositeObject::sortIfNeeded() {
    if (sortPending) {
        compactChildren();
        sortChildren();
    }
}

void CompositeObject::draw(int32_t pass) {
    sortIfNeeded();
    const uint32_t count = entryCount();
    if (updateTransform(pass)) {
        for (const ph::Pointer<Object>& entry : children) {
            if (entry) {
                entry->markTransformDirty();
            }
        }
    }
    // Negative zOrders sit at the back of the list and go behind our own content.
    uint32_t i = count;
    for (; i > 0; --i) {
        Object* child = children[i - 1].get();
        if (!child) {
            continue;
        }
        if (child->zOrder() >= 0) {
            break;
        }
        if (child->isVisible()) {
            child->draw(pass);
        }
    }
    drawSelf();
    drawFrom(i, pass);
}

void CompositeObject::drawChildren(int32_t pass) {
    drawFrom(entryCount(), pass);
}

void CompositeObject::drawFrom(uint32_t end, int32_t pass) {
    for (uint32_t i = end; i > 0; --i) {
        // Re-read the entry each time: drawing must not keep a stale pointer.
        Object* child = i - 1 < children.size() ? children[i - 1].get() : nullptr;
        if (child && child->isVisible()) {
            child->draw(pass);
        }
    }
}

} // namespace wf
