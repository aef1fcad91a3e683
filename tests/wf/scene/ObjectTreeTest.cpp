#include "tests/support/SceneProbes.h"
#include "wf/scene/CompositeObject.h"
#include "wf/scene/ElementSearch.h"

#include "ph/AutoreleasePool.h"
#include "ph/Pointer.h"

#include <gtest/gtest.h>

namespace {

using testsupport::Journal;
using testsupport::ProbeElement;

// Adds a probe and leaves the container as its only owner.
ProbeElement* addProbe(wf::CompositeObject& container, const std::string& name, Journal* journal,
                       int32_t z = 0) {
    ProbeElement* probe = new ProbeElement(name, journal, z);
    container.addChild(probe);
    probe->release();
    return probe;
}

class ObjectTree : public testing::Test {
protected:
    Journal journal; // outlives the pool, whose drain destroys probes
    ph::AutoreleasePool pool;
};

TEST_F(ObjectTree, NegativeZOrderDrawsBehindTheContainersOwnContent) {
    ph::Pointer<ProbeElement> box = ph::adopt(new ProbeElement("box", &journal));
    addProbe(*box, "zero", &journal, 0);
    addProbe(*box, "two", &journal, 2);
    addProbe(*box, "minus", &journal, -1);
    box->draw(1);
    EXPECT_EQ(journal, (Journal{"draw minus", "draw box", "draw zero", "draw two"}));
}

TEST_F(ObjectTree, SearchTriesHigherZOrdersThenTheContainerThenNegativeOnes) {
    ph::Pointer<ProbeElement> box = ph::adopt(new ProbeElement("box", &journal));
    addProbe(*box, "minus", &journal, -1);
    addProbe(*box, "zero", &journal, 0);
    addProbe(*box, "two", &journal, 2);
    EXPECT_EQ(wf::findElement(box.get(), wf::ElementHitTestPredicate(0, 0)), nullptr);
    EXPECT_EQ(journal, (Journal{"hit two", "hit zero", "hit box", "hit minus"}));
}

TEST_F(ObjectTree, FirstHitWinsAndInvisibleSubtreesAreSkipped) {
    wf::CompositeObject root;
    ProbeElement* hidden = addProbe(root, "hidden", &journal, 5);
    hidden->hits = true;
    hidden->setVisible(false);
    addProbe(*hidden, "under hidden", &journal)->hits = true;
    ProbeElement* front = addProbe(root, "front", &journal, 1);
    front->hits = true;
    addProbe(root, "back", &journal, 0)->hits = true;
    EXPECT_EQ(wf::findElement(&root, wf::ElementHitTestPredicate(0, 0)), front);
    EXPECT_EQ(journal, (Journal{"hit front"}));
}

TEST_F(ObjectTree, EqualZOrdersKeepInsertionOrder) {
    // Both sides of the short-list limit: the order must not depend on the length.
    for (int count : {3, 40}) {
        SCOPED_TRACE(count);
        journal.clear();
        wf::CompositeObject root;
        for (int i = 0; i < count; ++i) {
            addProbe(root, std::to_string(i), &journal, i % 2 ? 1 : 0);
        }
        root.sortIfNeeded();
        root.drawChildren(1);
        // Drawn back to front: the first added of each zOrder is drawn last.
        Journal expected;
        for (int z : {0, 1}) {
            for (int i = count - 1; i >= 0; --i) {
                if (i % 2 == z) {
                    expected.push_back("draw " + std::to_string(i));
                }
            }
        }
        EXPECT_EQ(journal, expected);
    }
}

TEST_F(ObjectTree, InsertingAnotherContainersChildMovesIt) {
    wf::CompositeObject first;
    wf::CompositeObject second;
    ProbeElement* child = addProbe(first, "child", &journal);
    second.addChild(child);
    EXPECT_EQ(child->parent(), &second);
    EXPECT_EQ(first.entryAt(0), nullptr) << "the old entry becomes a hole";
    EXPECT_TRUE(first.hasHoles());
    EXPECT_EQ(second.entryAt(0), child);

    second.insertChild(child, 0);
    EXPECT_EQ(second.entryCount(), 1u) << "inserting into the same container does nothing";
    EXPECT_EQ(child->retainCount(), 2) << "the new entry and the pool's reference";
}

TEST_F(ObjectTree, InsertionBeyondTheEntriesIsRejected) {
    wf::CompositeObject root;
    ph::Pointer<ProbeElement> child = ph::adopt(new ProbeElement("child", &journal));
    root.insertChild(child.get(), 1);
    EXPECT_EQ(root.entryCount(), 0u);
    EXPECT_EQ(child->parent(), nullptr);
    EXPECT_EQ(child->retainCount(), 1);
}

TEST_F(ObjectTree, RemovedChildLivesUntilPoolDrains) {
    wf::CompositeObject root;
    {
        ph::AutoreleasePool frame;
        ProbeElement* child = addProbe(root, "child", &journal);
        child->alive = false;
        root.updateChildren(0.1f);
        EXPECT_EQ(root.entryCount(), 0u) << "compacted at the end of the update";
        EXPECT_EQ(child->parent(), nullptr);
        EXPECT_EQ(journal, Journal{}) << "not destroyed before the pool drains";
    }
    EXPECT_EQ(journal, Journal{"~child"});
}

TEST_F(ObjectTree, PausedFinishedChildIsRemovedWithoutUpdate) {
    wf::CompositeObject root;
    ProbeElement* paused = addProbe(root, "paused", &journal);
    paused->pause();
    ProbeElement* finished = addProbe(root, "finished", &journal);
    finished->pause();
    finished->setFinished(true);
    root.updateChildren(0.1f);
    EXPECT_EQ(root.entryCount(), 1u);
    EXPECT_EQ(root.entryAt(0), paused);
    EXPECT_EQ(paused->updates + finished->updates, 0);
}

TEST_F(ObjectTree, ChildrenAddedDuringAnUpdateWaitForTheNextOne) {
    struct Spawner : ProbeElement {
        using ProbeElement::ProbeElement;
        bool update(float dt) override {
            if (parent()->entryCount() == 1) {
                ProbeElement* late = new ProbeElement("late", nullptr);
                parent()->addChild(late);
                late->release();
            }
            return ProbeElement::update(dt);
        }
    };
    wf::CompositeObject root;
    Spawner* spawner = new Spawner("spawner", &journal);
    root.addChild(spawner);
    spawner->release();
    root.updateChildren(0.1f);
    ASSERT_EQ(root.entryCount(), 2u);
    EXPECT_EQ(static_cast<ProbeElement*>(root.entryAt(1))->updates, 0);
}

TEST_F(ObjectTree, DestroyedContainerClearsTheParentOfChildrenHeldElsewhere) {
    ph::Pointer<ProbeElement> child = ph::adopt(new ProbeElement("child", &journal));
    {
        ph::Pointer<wf::CompositeObject> box = ph::adopt(new wf::CompositeObject());
        box->addChild(child.get());
        ASSERT_EQ(child->parent(), box.get());
    }
    EXPECT_EQ(child->parent(), nullptr);
    child->setZOrder(3); // would mark the destroyed container
    EXPECT_EQ(child->retainCount(), 1);
}

TEST_F(ObjectTree, FinishedChildDroppedByCompactionForgetsItsParent) {
    ph::Pointer<ProbeElement> kept = ph::adopt(new ProbeElement("kept", &journal));
    {
        wf::CompositeObject root;
        ProbeElement* removed = addProbe(root, "removed", &journal);
        root.addChild(kept.get());
        root.removeChild(removed); // a hole, so the next sort compacts
        kept->setFinished(true);
        root.sortIfNeeded();
        EXPECT_EQ(root.entryCount(), 0u);
        EXPECT_EQ(kept->parent(), nullptr);
    }
    EXPECT_EQ(kept->retainCount(), 1);
}

TEST_F(ObjectTree, ZOrderChangeMarksTheParentForSorting) {
    wf::CompositeObject root;
    ProbeElement* a = addProbe(root, "a", &journal);
    addProbe(root, "b", &journal);
    root.sortIfNeeded();
    a->setZOrder(0);
    EXPECT_FALSE(root.needsSort()) << "same value";
    a->setZOrder(-4);
    EXPECT_TRUE(root.needsSort());
}

} // namespace
