#pragma once
// Root class of everything in the scene tree: updated once per frame, drawn
// with a pass number, paused, hidden and ordered among its siblings.
// Containers (CompositeObject) own their children; `parent` is a back link.

#include "ph/RefCounter.h"

#include <cstdint>
#include <string>

namespace wf {

class CompositeObject;

class Object : public ph::RefCounter {
public:
    Object() = default;
    ~Object() override = default;

    // Answers whether the object stays in its container.
    virtual bool update(float dt);
    virtual void draw(int32_t pass);
    virtual void drawSelf();
    virtual void addChild(Object* child);
    // `index` counts the current entries, holes included.
    virtual void insertChild(Object* child, uint32_t index);
    virtual void removeChild(Object* child);
    virtual void pause();
    virtual void resume();
    // Answers whether the world transform changed in this pass.
    virtual bool updateTransform(int32_t pass);
    virtual const CompositeObject* asComposite() const;
    virtual CompositeObject* asComposite();
    virtual void onAttached();

    // A change marks the parent's list for sorting before its next draw or search.
    void setZOrder(int32_t z);
    int32_t zOrder() const { return zOrderValue; }

    // A finished object is dropped by its container at the next update.
    bool isFinished() const { return finished; }
    void setFinished(bool value) { finished = value; }
    bool isPaused() const { return paused; }
    bool isVisible() const { return visible; }
    void setVisible(bool value) { visible = value; }
    bool isTransformDirty() const { return transformDirty; }
    const std::string& name() const { return objectName; }
    void setName(const std::string& value) { objectName = value; }
    // Not owning: the container holds the reference, not the child.
    CompositeObject* parent() const { return parentLink; }

protected:
    void markTransformDirty() { transformDirty = true; }
    void clearTransformDirty() { transformDirty = false; }
    void setPausedFlag(bool value) { paused = value; }

private:
    friend class CompositeObject; // keeps `parent` in step with its child list

    bool finished = false;
    bool paused = false;
    bool visible = true;
    bool transformDirty = true;
    int32_t zOrderValue = 0;
    std::string objectName;
    CompositeObject* parentLink = nullptr;
};

} // namespace wf
