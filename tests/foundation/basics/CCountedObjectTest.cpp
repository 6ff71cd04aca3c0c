#include "foundation/basics/CCountedObject.h"

#include "tests/foundation/FoundationTestSupport.h"

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

TEST(CountedObject, DiesWithTheDereferenceMatchingItsLastReference)
{
    for (const int references : {0, 1, 2})
    {
        bool destroyed = false;
        auto *probe = new CProbe(&destroyed);
        for (int reference = 0; reference < references; ++reference)
            probe->referenced();
        EXPECT_EQ(references, probe->getReferenceCount());
        for (int reference = 1; reference < references; ++reference)
            probe->dereference();
        EXPECT_FALSE(destroyed) << references << " references";
        probe->dereference();
        EXPECT_TRUE(destroyed) << references << " references";
    }
}

TEST(CountedObject, ACopyStartsUnreferenced)
{
    CCountedObject original;
    original.referenced();
    const long live = CCountedObject::getClassRecord().getNumberOfInstances();
    CCountedObject copy(original);
    EXPECT_EQ(0, copy.getReferenceCount()) << "a new copy must die with its own last reference";
    EXPECT_EQ(live + 1, CCountedObject::getClassRecord().getNumberOfInstances()) << "counted as an instance";
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
