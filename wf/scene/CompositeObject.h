#pragma once
// A scene object with an owned, ordered child list: the recursion of update,
// drawing and hit testing. The application is the root container; elements
// are containers too.

#include "wf/scene/Object.h"

#include "ph/Pointer.h"

#include <vector>

namespace wf {

class CompositeObject : public Object {
public:
    CompositeObject() = default;
    // Clears the `parent` of every child still listed, so that a child kept
    // alive elsewhere never points at a destroyed container.
    ~CompositeObject() override;

    bool update(float dt) override;
    void draw(int32_t pass) override;
    void addChild(Object* child) override;
    // Moves the child here from any other container; an index beyond the
    // number of entries is rejected.
    void insertChild(Object* child, uint32_t index) override;
    // The reference goes to the current autorelease pool: the child lives at
    // least until it drains. The entry becomes a hole until compaction.
    void removeChild(Object* child) override;
    const CompositeObject* asComposite() const override { return this; }
    CompositeObject* asComposite() override { return this; }

    // Updates the entries present at the start, drops finished ones, compacts.
    void updateChildren(float dt);
    void compactChildren();
    // Highest zOrder first; equal zOrders keep their order.
    void sortChildren();
    // Draws every visible child from the back of the list to the front.
    void drawChildren(int32_t pass);
    // Compacts and sorts when the list was changed since the last sort.
    void sortIfNeeded();
    // Detaches entry `index` as removeChild does; a hole is left alone.
    void detachChildAt(uint32_t index);

    uint32_t entryCount() const { return static_cast<uint32_t>(children.size()); }
    // None for a hole.
    Object* entryAt(uint32_t index) const { return children[index].get(); }
    bool needsSort() const { return sortPending; }
    bool hasHoles() const { return holesPending; }
    void markNeedsSort() { sortPending = true; }

private:
    void drawFrom(uint32_t end, int32_t pass);

    bool sortPending = false;
    bool holesPending = false;
    std::vector<ph::Pointer<Object>> children; // one reference per entry; empty = hole
};

} // namespace wf
