#include "foundation/basics/CString.h"
#include "foundation/collections/TAutomaticPointer.h"
#include "foundation/collections/TCountedPointerArray.h"
#include "foundation/collections/TObjectDeleter.h"
#include "foundation/collections/TObjectNuller.h"
#include "foundation/collections/TPointerCollection.h"

#include "tests/foundation/FoundationTestSupport.h"

#include <cstring>

using namespace Orvalite::Basics;
using namespace Orvalite::Collections;
using Orvalite::Testing::liveInstances;

namespace
{
int byText(const CString *first, const CString *second)
{
    if (!first || !second)
        return first == second ? 0 : first ? -1 : 1;
    return std::strcmp(first->getString(), second->getString());
}

// The texts in the first `slots` slots, "-" for an empty one.
std::vector<std::string> textsOf(const TPointerCollection<CString> &collection, long slots)
{
    std::vector<std::string> texts;
    for (long index = 0; index < slots; ++index)
        texts.emplace_back(collection.getElementAtIndex(index) ? collection.getElementAtIndex(index)->getString()
                                                               : "-");
    return texts;
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
    for (long slot = 33; slot <= 64; ++slot)
        EXPECT_EQ(nullptr, collection.getElementAtIndex(slot)) << slot;
    EXPECT_EQ(nullptr, collection.getElementAtIndex(-1));
    EXPECT_EQ(32, collection.getIndexOfPointer(collection.getElementAtIndex(32)));
}

TEST(PointerCollection, PoliciesDecideTheElementsFate)
{
    const long before = liveInstances<CString>();
    {
        TObjectDeleter<CString> deleter;
        TPointerCollection<CString> deleting(&deleter);
        deleting.addElement(new CString("a"));
        deleting.addElement(nullptr);
        deleting.clearArray();
        EXPECT_EQ(before, liveInstances<CString>()) << "the deleting policy deletes";
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
    const long before = liveInstances<CString>();
    auto *shared = new CString("shared");
    shared->referenced();
    {
        TCountedPointerArray<CString> array;
        array.addElement(new CString("only here"));
        array.addElement(shared);
        EXPECT_EQ(2, shared->getReferenceCount());
        array.clearArray();
        EXPECT_EQ(1, shared->getReferenceCount());
        EXPECT_EQ(before + 1, liveInstances<CString>()) << "the element held nowhere else is deleted";
        array.addElement(shared);
    }
    EXPECT_EQ(1, shared->getReferenceCount()) << "destruction clears";
    shared->dereference();
    EXPECT_EQ(before, liveInstances<CString>());
}

TEST(PointerCollection, ReorderClosesTheGaps)
{
    TCountedPointerArray<CString> array;
    for (const char *text : {"a", "b", "c", "d"})
        array.addElement(new CString(text));
    array.removeElementAtIndex(1);
    array.removeElementAtIndex(2);
    array.removeElementAtIndex(2);
    array.removeElementAtIndex(7);
    array.reorder(false);
    EXPECT_EQ(2, array.getInsertIndex());
    EXPECT_EQ(32, array.getArraySize());
    EXPECT_EQ((std::vector<std::string>{"a", "d", "-"}), textsOf(array, 3));
    array.reorder(true);
    array.addElement(new CString("e"));
    EXPECT_EQ(34, array.getArraySize()) << "shrunk to the elements, then grown by 32";
    EXPECT_EQ((std::vector<std::string>{"a", "d", "e"}), textsOf(array, 3));
}

TEST(PointerCollection, SortPutsEmptySlotsLast)
{
    TCountedPointerArray<CString> array;
    for (const char *text : {"pear", "apple", "fig"})
        array.addElement(new CString(text));
    array.sortArray(byText);
    EXPECT_EQ((std::vector<std::string>{"apple", "fig", "pear", "-"}), textsOf(array, 4));
}

TEST(AutomaticPointer, ReleasesWhatItNoLongerHolds)
{
    const long before = liveInstances<CString>();
    TAutomaticPointer<CString> holder;
    auto *value = new CString("held");
    holder = value;
    EXPECT_EQ(1, value->getReferenceCount());
    holder = value;
    EXPECT_EQ(1, value->getReferenceCount()) << "re-assigning the held pointer keeps it";
    holder = nullptr;
    EXPECT_EQ(before, liveInstances<CString>()) << "assigning null releases the last reference";

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
    EXPECT_EQ(before, liveInstances<CString>());
}
