#include "foundation/basics/CCountedObject.h"

#include <gtest/gtest.h>

using namespace Orvalite::Basics;

namespace
{
// Records its own destruction so tests can see when counting deletes it.
class CProbe : public CCountedObject
{
public:
    explicit CProbe(bool *destroyed) : m_destroyed(destroyed) {}
    ~CProbe() override { *m_destroyed = true; }

private:
    bool *m_destroyed;
};
} // namespace

TEST(CountedObject, UnreferencedObjectDiesOnFirstDereference)
{
    bool destroyed = false;
    auto *probe = new CProbe(&destroyed);
    EXPECT_EQ(0, probe->getReferenceCount());
    probe->dereference();
    EXPECT_TRUE(destroyed);
}

TEST(CountedObject, EachReferenceNeedsItsDereference)
{
    bool destroyed = false;
    auto *probe = new CProbe(&destroyed);
    probe->referenced();
    probe->referenced();
    EXPECT_EQ(2, probe->getReferenceCount());
    probe->dereference();
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(1, probe->getReferenceCount());
    probe->dereference();
    EXPECT_TRUE(destroyed);
}

TEST(CountedObject, CopyStartsUnreferencedAndCountsAsInstance)
{
    CCountedObject original;
    original.referenced();
    const long live = CCountedObject::getClassRecord().getNumberOfInstances();
    CCountedObject copy(original);
    EXPECT_EQ(0, copy.getReferenceCount()) << "a new copy must die with its own last reference";
    EXPECT_EQ(live + 1, CCountedObject::getClassRecord().getNumberOfInstances());
}

TEST(CountedObject, DescriptionIsBoundedByTheCallersBuffer)
{
    CCountedObject object;
    object.referenced();
    char buffer[64];
    object.getObjectDescription(buffer, sizeof(buffer));
    EXPECT_STREQ("[CCounted Object Base Reference Count = 1", buffer);

    char small[8] = "XXXXXXX";
    object.getObjectDescription(small, 5);
    EXPECT_STREQ("[CCo", small);
    EXPECT_EQ('X', small[5]) << "nothing written past the given size";
    object.getObjectDescription(nullptr, 10);
}

TEST(CountedObject, GetClassAnswersTheBaseRecord)
{
    CCountedObject object;
    EXPECT_STREQ("CCountedObject", object.getClass().getClassName());
    EXPECT_STREQ("UndefinedParent", object.getClass().getParentClassName());
}
