// A growable array of pointers (32 slots at a time) whose elements' fate is
// decided by an ownership policy. Capacity, not count, bounds the loops:
// callers walk every slot and skip the null ones.
#pragma once

#include "foundation/collections/TPointerDeleter.h"

#include <algorithm>
#include <cstdint>

namespace Orvalite::Collections
{
template <class T> class TPointerCollection : public Basics::CCountedObject
{
public:
    // Three-way comparison of two slots, as used to sort (null slots last).
    using TCompare = int (*)(const T *first, const T *second);

    explicit TPointerCollection(TPointerDeleter<T> *deleter = nullptr) : m_deleter(deleter) {}
    TPointerCollection(const TPointerCollection &) = delete;
    TPointerCollection &operator=(const TPointerCollection &) = delete;
    ~TPointerCollection() override { clearArray(); }

    void addElement(T *pointer)
    {
        if (!m_array)
        {
            clearArray();
            grow();
        }
        if (m_insertIndex >= m_arraySize)
        {
            grow();
        }
        m_array[m_insertIndex++] = pointer;
        if (m_deleter)
        {
            m_deleter->pointerAdded(pointer);
        }
    }

    T *getElementAtIndex(long index) const
    {
        return m_array && index >= 0 && index < m_arraySize ? m_array[index] : nullptr;
    }

    long getArraySize() const { return m_arraySize; }
    long getInsertIndex() const { return m_insertIndex; }

    long getIndexOfPointer(const T *pointer) const
    {
        for (long index = 0; m_array && index < m_arraySize; ++index)
        {
            if (m_array[index] == pointer)
            {
                return index;
            }
        }
        return -1;
    }

    // Lets the element at `index` go through the policy and leaves its slot null.
    void removeElementAtIndex(long index)
    {
        T *pointer = getElementAtIndex(index);
        if (!pointer)
        {
            return;
        }
        m_array[index] = nullptr;
        if (m_deleter)
        {
            m_deleter->deletePointer(pointer);
        }
    }

    void sortArray(TCompare compare)
    {
        if (m_array)
        {
            std::sort(m_array, m_array + m_arraySize,
                      [compare](const T *first, const T *second) { return compare(first, second) < 0; });
        }
    }

    void clearArray()
    {
        if (m_array && m_deleter)
        {
            for (long index = 0; index < m_arraySize; ++index)
            {
                if (m_array[index])
                {
                    m_deleter->deletePointer(m_array[index]);
                }
            }
        }
        delete[] m_array;
        m_array = nullptr;
        m_insertIndex = 0;
        m_arraySize = 0;
    }

    // Moves the elements to the front in order; with shrinking the capacity
    // becomes exactly the number of elements.
    void reorder(bool shrinkToFit)
    {
        if (!m_array)
        {
            return;
        }
        T **end = std::stable_partition(m_array, m_array + m_arraySize, [](const T *slot) { return slot != nullptr; });
        m_insertIndex = static_cast<int32_t>(end - m_array);
        if (shrinkToFit && m_insertIndex != m_arraySize)
        {
            resize(m_insertIndex);
        }
    }

    void setDeleter(TPointerDeleter<T> *deleter) { m_deleter = deleter; }

    ORVALITE_TEMPLATE_CLASS_RECORD(TPointerCollection, "TPointerCollection<TypeName>", typeid(T), "CCountedObject")

private:
    void grow() { resize(m_arraySize + m_growSize); }

    // Keeps the first min(old, new) slots; new slots are null.
    void resize(int32_t newSize)
    {
        T **array = newSize > 0 ? new T *[static_cast<size_t>(newSize)]() : nullptr;
        std::copy(m_array, m_array + std::min(m_arraySize, newSize), array);
        delete[] m_array;
        m_array = array;
        m_arraySize = newSize;
    }

    T **m_array = nullptr;
    TPointerDeleter<T> *m_deleter;
    int32_t m_arraySize = 0;
    int32_t m_growSize = 32;
    int32_t m_insertIndex = 0;
};
} // namespace Orvalite::Collections
