// Holder of one pointer whose fate is decided by an ownership policy
// (by default shared ownership through reference counting).
#pragma once

#include "foundation/collections/TCountedObjectDeleter.h"

namespace Orvalite::Collections
{
template <class T> class TAutomaticPointer : public Basics::CCountedObject
{
public:
    TAutomaticPointer() : m_deleter(&TCountedObjectDeleter<T>::shared()) {}
    explicit TAutomaticPointer(TPointerDeleter<T> *deleter) : m_deleter(deleter) {}
    TAutomaticPointer(const TAutomaticPointer &) = delete;
    ~TAutomaticPointer() override { release(); }

    // Lets the held pointer go, then holds the new one. Assigning the pointer
    // already held is a no-op (releasing it first could delete it).
    TAutomaticPointer &operator=(T *pointer)
    {
        if (pointer == m_pointer)
        {
            return *this;
        }
        release();
        m_pointer = pointer;
        if (m_pointer && m_deleter)
        {
            m_deleter->pointerAdded(m_pointer);
        }
        return *this;
    }
    TAutomaticPointer &operator=(const TAutomaticPointer &) = delete;

    T *getPointer() const { return m_pointer; }

    ORVALITE_TEMPLATE_CLASS_RECORD(TAutomaticPointer, "TAutomaticPointer<TypeName>", typeid(T), "CCountedObject")

private:
    void release()
    {
        T *pointer = m_pointer;
        m_pointer = nullptr;
        if (!pointer)
        {
            return;
        }
        if (m_deleter)
        {
            m_deleter->deletePointer(pointer);
        }
        else
        {
            delete pointer;
        }
    }

    T *m_pointer = nullptr;
    TPointerDeleter<T> *m_deleter;
};
} // namespace Orvalite::Collections
