#include "wf/scene/ElementSearch.h"
#include "tests/support/SceneProbes.h"
#include "wf/scene/CompositeObject.h"

#include "ph/Pointer.h"
#include "pr/RenderClipper.h"

#include <gtest/gtest.h>

namespace {

using testsupport::Journal;
using testsupport::ProbeElement;

TEST(ElementHitTestPredicate, IgnoresInputAnswersFalseWithoutAskingTheElement) {
    Journal journal;
    ph::Pointer<ProbeElement> e = ph::adopt(new ProbeElement("e", &journal));
    e->hits = true;
    e->setFlags(wf::Element::IgnoresInput);
    EXPECT_FALSE(wf::ElementHitTestPredicate(10, 20).test(e.get()));
    EXPECT_EQ(journal, Journal{});
}

TEST(ElementSearch, ChildrenOfAnElementThatIgnoresInputAreStillFound) {
    Journal journal;
    wf::CompositeObject root;
    ProbeElement* backdrop = new ProbeElement("backdrop", &journal);
    backdrop->hits = true;
    backdrop->setFlags(wf::Element::IgnoresInput);
    root.addChild(backdrop);
    backdrop->release();
    ProbeElement* button = new ProbeElement("button", &journal);
    backdrop->addChild(button);
    button->release();

    EXPECT_EQ(wf::findElement(&root, wf::ElementHitTestPredicate(1, 1)), nullptr);
    button->hits = true;
    EXPECT_EQ(wf::findElement(&root, wf::ElementHitTestPredicate(1, 1)), button);
}

TEST(ElementSearch, NothingIsFoundInANonContainer) {
    ph::Pointer<wf::Object> leaf = ph::adopt(new wf::Object());
    EXPECT_EQ(wf::findElement(leaf.get(), wf::ElementHitTestPredicate(0, 0)), nullptr);
    EXPECT_EQ(wf::findElement(nullptr, wf::ElementHitTestPredicate(0, 0)), nullptr);
}

// A clipping container: points outside its rectangle skip the whole subtree.
struct ClippedBox : ProbeElement, pr::RenderClipper {
    using ProbeElement::ProbeElement;
};

TEST(ElementSearch, ClippingContainerSkipsPointsOutsideItsRectangle) {
    struct Case {
        float x, y;
        bool found;
    };
    // Rectangle (10, 20, 30, 40): edges count as inside; the point is truncated first.
    const Case cases[] = {{10, 20, true},    {40, 60, true},  {40.9f, 60.9f, true},
                          {9.5f, 30, false}, {41, 30, false}, {20, 61, false}};
    Journal journal;
    wf::CompositeObject root;
    ClippedBox* box = new ClippedBox("box", &journal);
    box->hits = true;
    box->SetClipRect(pr::Rect{10, 20, 30, 40});
    root.addChild(box);
    box->release();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        box->SetClipping(true);
        EXPECT_EQ(wf::findElement(&root, wf::ElementHitTestPredicate(c.x, c.y)) != nullptr,
                  c.found);
        box->SetClipping(false);
        EXPECT_EQ(wf::findElement(&root, wf::ElementHitTestPredicate(c.x, c.y)), box)
            << "without clipping every point reaches the element";
    }
}

} // namespace
