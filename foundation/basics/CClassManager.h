// The registry of class records: one per program, created by the first record
// and torn down by shutdownClassRegistry. It points at records and never owns them.
#pragma once

#include "foundation/basics/CClass.h"

namespace Orvalite::IO
{
class CTextStream;
}

namespace Orvalite::Collections
{
template <class T> class TPointerCollection;
template <class T> class TObjectNuller;
} // namespace Orvalite::Collections

namespace Orvalite::Basics
{
class CClassManager
{
public:
    // Creates the registry when it does not exist yet.
    static void ensureManager();
    // Ignores null records and names already registered.
    static void registerClass(CClass *record);
    static CClass *findClass(const char *name);
    static long getNumberOfClasses();
    // The record at `index` in registry order, or null.
    static CClass *getClassAtIndex(long index);
    static void sortClasses();
    // The table of classes with live instances; nothing when the stream is not open.
    static void writeClassReport(IO::CTextStream &stream);

    virtual ~CClassManager();

private:
    CClassManager();
    CClassManager(const CClassManager &) = delete;
    CClassManager &operator=(const CClassManager &) = delete;

    static CClassManager *s_manager;

    Collections::TObjectNuller<CClass> *m_deleter = nullptr;
    Collections::TPointerCollection<CClass> *m_classes = nullptr;

    friend void shutdownClassRegistry(const char *path);
};

// Writes the class report to `path` when one is given, then deletes the registry.
void shutdownClassRegistry(const char *path);
} // namespace Orvalite::Basics
