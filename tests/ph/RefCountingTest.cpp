#include "ph/AutoreleasePool.h"
#include "ph/Data.h"
#include "ph/Pointer.h"
#include "ph/RefCounter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records its destruction in a shared log, and may autorelease another object
// from its destructor.
class Tracked : public ph::RefCounter {
public:
    Tracked(std::vector<std::string>& log, std::string name, ph::RefCounter* handOff = nullptr)
        : log(log), name(std::move(name)), handOff(handOff) {}
    ~Tracked() override {
        log.push_back(name);
        if (handOff) {
            ph::AutoreleasePool::autorelease(handOff);
        }
    }

private:
    std::vector<std::string>& log;
    std::string name;
    ph::RefCounter* handOff;
};

TEST(Pointer, AssigningTheHeldObjectKeepsCountAndObject) {
    std::vector<std::string> log;
    ph::Pointer<Tracked> p = ph::adopt(new Tracked(log, "a"));
    p = p;
    p = p.get();
    EXPECT_EQ(p->retainCount(), 1);
    EXPECT_TRUE(log.empty());
}

TEST(Pointer, AdoptedThenCopiedObjectIsDeletedOnce) {
    std::vector<std::string> log;
    {
        ph::Pointer<Tracked> first;
        first.adopt(new Tracked(log, "a"));
        ph::Pointer<Tracked> second(first);
        EXPECT_EQ(first->retainCount(), 2);
    }
    EXPECT_EQ(log, std::vector<std::string>{"a"});
}

TEST(Pointer, AssignmentReleasesTheOldObject) {
    std::vector<std::string> log;
    ph::Pointer<Tracked> p = ph::adopt(new Tracked(log, "old"));
    p = ph::adopt(new Tracked(log, "new"));
    EXPECT_EQ(log, std::vector<std::string>{"old"});
    p.reset();
    EXPECT_EQ(log, (std::vector<std::string>{"old", "new"}));
    p.reset(); // empty: nothing happens
}

TEST(Pointer, AdoptingReleasesTheObjectHeldBefore) {
    std::vector<std::string> log;
    ph::Pointer<Tracked> p = ph::adopt(new Tracked(log, "old"));
    p.adopt(new Tracked(log, "new"));
    EXPECT_EQ(log, std::vector<std::string>{"old"});
    EXPECT_EQ(p->retainCount(), 1);
    p.reset();
    EXPECT_EQ(log, (std::vector<std::string>{"old", "new"}));
}

TEST(AutoreleasePool, ObjectAlsoHeldByAPointerSurvivesWithCountOne) {
    std::vector<std::string> log;
    ph::Pointer<Tracked> kept;
    {
        ph::AutoreleasePool pool;
        Tracked* object = new Tracked(log, "a");
        kept = object;
        ph::AutoreleasePool::autorelease(object);
    }
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(kept->retainCount(), 1);
}

TEST(AutoreleasePool, ReleasesInHandOverOrder) {
    std::vector<std::string> log;
    {
        ph::AutoreleasePool pool;
        ph::AutoreleasePool::autorelease(new Tracked(log, "first"));
        ph::AutoreleasePool::autorelease(new Tracked(log, "second"));
        EXPECT_TRUE(log.empty());
    }
    EXPECT_EQ(log, (std::vector<std::string>{"first", "second"}));
}

TEST(AutoreleasePool, InnerPoolDrainsFirstThenOuterFillsAgain) {
    std::vector<std::string> log;
    {
        ph::AutoreleasePool outer;
        ph::AutoreleasePool::autorelease(new Tracked(log, "outer-1"));
        {
            ph::AutoreleasePool inner;
            EXPECT_EQ(ph::AutoreleasePool::current(), &inner);
            ph::AutoreleasePool::autorelease(new Tracked(log, "inner"));
        }
        EXPECT_EQ(log, std::vector<std::string>{"inner"});
        EXPECT_EQ(ph::AutoreleasePool::current(), &outer);
        ph::AutoreleasePool::autorelease(new Tracked(log, "outer-2"));
    }
    EXPECT_EQ(log, (std::vector<std::string>{"inner", "outer-1", "outer-2"}));
    EXPECT_EQ(ph::AutoreleasePool::current(), nullptr);
}

TEST(AutoreleasePool, ObjectAutoreleasedFromADestructorGoesToTheEnclosingPool) {
    std::vector<std::string> log;
    {
        ph::AutoreleasePool outer;
        {
            ph::AutoreleasePool inner;
            Tracked* late = new Tracked(log, "late");
            ph::AutoreleasePool::autorelease(new Tracked(log, "early", late));
        }
        EXPECT_EQ(log, std::vector<std::string>{"early"});
    }
    EXPECT_EQ(log, (std::vector<std::string>{"early", "late"}));
}

TEST(Data, ZeroCountHasNoBuffer) {
    ph::Data<char>* data = new ph::Data<char>(0);
    EXPECT_EQ(data->count, 0u);
    EXPECT_FALSE(data->hasElements());
    EXPECT_EQ(data->byteSize(), 0u);
    data->release();
}

TEST(Data, FailedAllocationKeepsCountButHasNoBuffer) {
    // More than a 32-bit address space can hold; also too much for 64-bit malloc.
    ph::Data<unsigned int>* data = new ph::Data<unsigned int>(0xFFFFFFFFu);
    EXPECT_EQ(data->count, 0xFFFFFFFFu);
    if (!data->hasElements()) {
        EXPECT_EQ(data->byteSize(), 0u);
    }
    data->release();
}

TEST(Data, BufferHoldsCountElements) {
    ph::Pointer<ph::Data<unsigned int>> data = ph::adopt(new ph::Data<unsigned int>(16));
    ASSERT_TRUE(data->hasElements());
    EXPECT_TRUE(data->ownsElements);
    EXPECT_EQ(data->byteSize(), 64u);
    data->elements[15] = 7; // the last element is writable
}

} // namespace
