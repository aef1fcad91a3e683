#include "wf/scene/AffineTransform.h"
#include "wf/scene/CompositeObject.h"
#include "wf/scene/Element.h"

#include "ph/AutoreleasePool.h"
#include "ph/Pointer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const float Pi = 3.14159265f;

void expectNear(ph::Vector<float> actual, ph::Vector<float> expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-4f);
    EXPECT_NEAR(actual.y, expected.y, 1e-4f);
}

struct CountingElement : wf::Element {
    int notifications = 0;
    void positionChanged(ph::Vector<float> old) override {
        ++notifications;
        wf::Element::positionChanged(old);
    }
};

ph::Pointer<wf::Element> attach(wf::CompositeObject& container) {
    ph::Pointer<wf::Element> element = ph::adopt(new wf::Element());
    container.addChild(element.get());
    return element;
}

TEST(AffineTransform, ProductAppliesTheLeftOperandFirst) {
    const wf::AffineTransform scale = wf::AffineTransform::scaling(2, 3);
    const wf::AffineTransform move = wf::AffineTransform::translation(10, 20);
    expectNear(scale.then(move).apply({1, 1}), {12, 23});
    expectNear(move.then(scale).apply({1, 1}), {22, 63});
}

TEST(AffineTransform, InverseUndoesAnyRegularTransform) {
    const wf::AffineTransform m = wf::AffineTransform::translation(-3, 4)
                                      .then(wf::AffineTransform::scaling(2, 0.5f))
                                      .then(wf::AffineTransform::rotation(0.7f))
                                      .then(wf::AffineTransform::translation(100, 50));
    expectNear(m.inverse().apply(m.apply({7, -9})), {7, -9});
}

TEST(AffineTransform, SingularInverseIsNotFinite) {
    const wf::AffineTransform flat = wf::AffineTransform::scaling(0, 1).inverse();
    EXPECT_FALSE(std::isfinite(flat.a));
}

TEST(ElementTransform, PivotScaleAndPositionPlaceThePivotAtThePosition) {
    wf::CompositeObject root;
    ph::Pointer<wf::Element> e = attach(root);
    e->setPivot({10, 0});
    e->setScale({2, 2});
    e->setPosition({100, 50});
    root.draw(1);
    expectNear(e->worldTransform().apply({10, 0}), {100, 50});
    expectNear(e->worldTransform().apply({11, 0}), {102, 50});
}

TEST(ElementTransform, RotationTurnsAboutThePivot) {
    wf::CompositeObject root;
    ph::Pointer<wf::Element> e = attach(root);
    e->setRotation(Pi / 2);
    e->setPosition({-200, 0});
    root.draw(1);
    // The corners of a 100 x 50 frame.
    expectNear(e->worldTransform().apply({0, 0}), {-200, 0});
    expectNear(e->worldTransform().apply({100, 0}), {-200, 100});
    expectNear(e->worldTransform().apply({100, 50}), {-250, 100});
    expectNear(e->worldTransform().apply({0, 50}), {-250, 0});
}

TEST(ElementTransform, NeutralInputsUnderTheRootGiveIdentity) {
    wf::CompositeObject root;
    ph::Pointer<wf::Element> e = attach(root);
    root.draw(1);
    EXPECT_EQ(e->localTransform(), wf::AffineTransform());
    EXPECT_EQ(e->worldTransform(), wf::AffineTransform());
}

TEST(ElementTransform, MovingAParentChangesEveryDescendantInTheNextDraw) {
    ph::AutoreleasePool pool;
    wf::CompositeObject root;
    ph::Pointer<wf::Element> parent = attach(root);
    ph::Pointer<wf::Element> child = attach(*parent);
    ph::Pointer<wf::Element> grandchild = attach(*child);
    child->setPosition({1, 2});
    grandchild->setPosition({10, 0});
    root.draw(1);
    root.draw(2);
    EXPECT_EQ(grandchild->transformPass(), 1) << "unchanged in pass 2";

    parent->setPosition({100, 0});
    root.draw(3);
    EXPECT_EQ(child->transformPass(), 3) << "changed although its own inputs did not";
    EXPECT_EQ(grandchild->transformPass(), 3);
    expectNear(grandchild->worldTransform().apply({0, 0}), {111, 2});
}

TEST(ElementTransform, TransformParentReplacesTheParent) {
    ph::AutoreleasePool pool;
    wf::CompositeObject root;
    ph::Pointer<wf::Element> anchor = attach(root);
    ph::Pointer<wf::Element> follower = attach(root);
    anchor->setPosition({5, 6});
    follower->setTransformParent(anchor.get());
    EXPECT_TRUE(follower->isTransformDirty());
    root.draw(1);
    expectNear(follower->worldTransform().apply({0, 0}), {5, 6});
}

TEST(ElementTransform, SettingTheCurrentValueNotifiesNothing) {
    wf::CompositeObject root;
    ph::Pointer<CountingElement> e = ph::adopt(new CountingElement());
    root.addChild(e.get());
    e->setPosition({3, 4});
    root.draw(1);
    ASSERT_FALSE(e->isTransformDirty());
    e->setPosition({3, 4});
    EXPECT_EQ(e->notifications, 1);
    EXPECT_FALSE(e->isTransformDirty());
}

TEST(ElementOpacity, MultipliesDownTheTreeUnlessOwn) {
    wf::CompositeObject root;
    ph::Pointer<wf::Element> parent = attach(root);
    ph::Pointer<wf::Element> child = attach(*parent);
    parent->setOpacity(0.5f);
    child->setOpacity(0.5f);
    EXPECT_FLOAT_EQ(parent->worldOpacity(), 0.5f) << "the root contributes nothing";
    EXPECT_FLOAT_EQ(child->worldOpacity(), 0.25f);
    child->setFlags(wf::Element::OwnOpacity);
    EXPECT_FLOAT_EQ(child->worldOpacity(), 0.5f);
    child->setOpacityScale(0.5f);
    EXPECT_FLOAT_EQ(child->worldOpacity(), 0.25f);
}

} // namespace
