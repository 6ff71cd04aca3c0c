#include "foundation/basics/CString.h"
#include "foundation/collections/TAutomaticPointer.h"
#include "foundation/collections/TCountedPointerArray.h"
#include "foundation/collections/TObjectDeleter.h"
#include "foundation/collections/TObjectNuller.h"
#include "foundation/collections/TPointerCollection.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Orvalite::Basics;
using namespace Orvalite::Collections;

namespace
{
long liveStrings()
{
    return CString::getClassRecord().getNumberOfInstances();
}

int byText(const CString *first, const CString *second)
{
    if (first == second)
    {
        return 0;
    }
    if (!first || !second)
    {
        return first ? -1 : 1;
    }
    return std::strcmp(first->getString(), second->getString());
}
} // namespace

TEST(PointerCollection, GrowsThirtyTwoSlotsAtATime)
{
    TObjectDeleter<CString> deleter;
    TPointerCollection<CString> collection(&deleter);
    EXPECT_EQ(nullptr, collection.getElementAtIndex(0)) << "a new collection has no array";
    EXPECT_EQ(-1, collection.getIndexOfPointer(nullptr));
    for (int index = 0; index < 33; ++index)
    {
        collection.addElement(new CString());
        EXPECT_EQ(index < 32 ? 32 : 64, collection.getArraySize()) << "after " << index + 1 << " elements";
    }
    EXPECT_EQ(33, collection.getInsertIndex());
    for (long slot = 33; slot < 64; ++slot)
    {
        EXPECT_EQ(nullptr, collection.getElementAtIndex(slot)) << slot;
    }
    EXPECT_EQ(nullptr, collection.getElementAtIndex(64));
    EXPECT_EQ(nullptr, collection.getElementAtIndex(-1));
    EXPECT_EQ(32, collection.getIndexOfPointer(collection.getElementAtIndex(32)));
}

TEST(PointerCollection, PoliciesDecideTheElementsFate)
{
    const long before = liveStrings();
    {
        TObjectDeleter<CString> deleter;
        TPointerCollection<CString> deleting(&deleter);
        deleting.addElement(new CString("a"));
        deleting.addElement(nullptr);
        deleting.clearArray();
        EXPECT_EQ(before, liveStrings()) << "the deleting policy deletes";
        EXPECT_EQ(0, deleting.getArraySize());
    }
    CString kept("kept");
    {
        TPointerCollection<CString> forgetting(&TObjectNuller<CString>::shared());
        forgetting.addElement(&kept);
        forgetting.clearArray();
        EXPECT_EQ(0, kept.getReferenceCount()) << "the nulling policy only forgets";
    }
    EXPECT_STREQ("kept", kept.getString());
}

TEST(CountedPointerArray, ClearingDereferencesEachElementOnce)
{
    const long before = liveStrings();
    auto *shared = new CString("shared");
    shared->referenced();
    {
        TCountedPointerArray<CString> array;
        array.addElement(new CString("only here"));
        array.addElement(shared);
        EXPECT_EQ(2, shared->getReferenceCount());
        array.clearArray();
        EXPECT_EQ(1, shared->getReferenceCount());
        EXPECT_EQ(before + 1, liveStrings()) << "the element held nowhere else is deleted";
        array.addElement(shared);
    }
    EXPECT_EQ(1, shared->getReferenceCount()) << "destruction clears";
    shared->dereference();
    EXPECT_EQ(before, liveStrings());
}

TEST(PointerCollection, ReorderCompactsAndOptionallyShrinks)
{
    TCountedPointerArray<CString> array;
    for (const char *text : {"a", "b", "c", "d"})
    {
        array.addElement(new CString(text));
    }
    array.removeElementAtIndex(1);
    array.removeElementAtIndex(2);
    array.removeElementAtIndex(2);
    array.removeElementAtIndex(7);
    array.reorder(false);
    EXPECT_EQ(2, array.getInsertIndex());
    EXPECT_EQ(32, array.getArraySize());
    EXPECT_STREQ("d", array.getElementAtIndex(1)->getString());
    array.reorder(true);
    EXPECT_EQ(2, array.getArraySize());
    array.addElement(new CString("e"));
    EXPECT_EQ(34, array.getArraySize()) << "growth continues from the shrunk size";
    EXPECT_STREQ("e", array.getElementAtIndex(2)->getString());
}

TEST(PointerCollection, SortPutsNullSlotsLast)
{
    TCountedPointerArray<CString> array;
    for (const char *text : {"pear", "apple", "fig"})
    {
        array.addElement(new CString(text));
    }
    array.sortArray(byText);
    EXPECT_STREQ("apple", array.getElementAtIndex(0)->getString());
    EXPECT_STREQ("fig", array.getElementAtIndex(1)->getString());
    EXPECT_STREQ("pear", array.getElementAtIndex(2)->getString());
    EXPECT_EQ(nullptr, array.getElementAtIndex(3));
}

TEST(AutomaticPointer, CountingHolderKeepsAndReleases)
{
    const long before = liveStrings();
    TAutomaticPointer<CString> holder;
    auto *value = new CString("held");
    holder = value;
    EXPECT_EQ(1, value->getReferenceCount());
    holder = value;
    EXPECT_EQ(1, value->getReferenceCount()) << "re-assigning the held pointer keeps it";
    holder = nullptr;
    EXPECT_EQ(before, liveStrings()) << "assigning null releases the last reference";

    TObjectDeleter<CString> deleter;
    {
        TAutomaticPointer<CString> owning(&deleter);
        owning = new CString("owned");
        owning = new CString("replaced");
        EXPECT_STREQ("replaced", owning.getPointer()->getString());
    }
    {
        TAutomaticPointer<CString> direct(nullptr);
        direct = new CString("deleted directly without a policy");
    }
    EXPECT_EQ(before, liveStrings());
}

