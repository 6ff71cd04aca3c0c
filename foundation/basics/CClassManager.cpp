#include "foundation/basics/CClassManager.h"

#include "foundation/basics/CSystemString.h"
#include "foundation/collections/TObjectNuller.h"
#include "foundation/collections/TPointerCollection.h"
#include "foundation/io/CTextStream.h"

#include <cstring>
#include <string>

namespace Orvalite::Basics
{
using Collections::TObjectNuller;
using Collections::TPointerCollection;

CClassManager *CClassManager::s_manager = nullptr;

namespace
{
const std::string BORDER = "+" + std::string(65, '-') + "+" + std::string(10, '-') + "+" + std::string(10, '-') + "+\n";

std::string padded(const char *text, size_t width)
{
    std::string line(text);
    line.resize(std::max(line.size(), width), ' ');
    return line;
}

int compareClasses(const CClass *first, const CClass *second)
{
    if (first == second)
    {
        return 0;
    }
    if (!first || !second)
    {
        return first ? -1 : 1;
    }
    return std::strcmp(first->getClassName(), second->getClassName());
}

std::string formatted(const char *format, const char *name, long live, long total)
{
    char line[512];
    std::snprintf(line, sizeof(line), format, name, live, total);
    return line;
}
} // namespace

// The collection and its policy are counted objects whose records register
// while the manager is still being built, so those records register again
// once the collection exists (registration ignores repeats).
CClassManager::CClassManager()
{
    s_manager = this;
    m_deleter = new TObjectNuller<CClass>();
    m_classes = new TPointerCollection<CClass>(m_deleter);
    for (CClass *record :
         {&CCountedObject::getClassRecord(), &TObjectNuller<CClass>::getClassRecord(),
          &Collections::TPointerDeleter<CClass>::getClassRecord(), &TPointerCollection<CClass>::getClassRecord()})
    {
        registerClass(record);
    }
}

CClassManager::~CClassManager()
{
    delete m_classes;
    delete m_deleter;
}

void CClassManager::ensureManager()
{
    if (!s_manager)
    {
        new CClassManager();
    }
}

void CClassManager::registerClass(CClass *record)
{
    ensureManager();
    if (!record || !s_manager->m_classes || findClass(record->getClassName()))
    {
        return;
    }
    s_manager->m_classes->addElement(record);
}

CClass *CClassManager::findClass(const char *name)
{
    for (long index = 0; index < getNumberOfClasses(); ++index)
    {
        CClass *record = s_manager->m_classes->getElementAtIndex(index);
        if (record && *record == name)
        {
            return record;
        }
    }
    return nullptr;
}

long CClassManager::getNumberOfClasses()
{
    return s_manager && s_manager->m_classes ? s_manager->m_classes->getInsertIndex() : 0;
}

CClass *CClassManager::getClassAtIndex(long index)
{
    return index < getNumberOfClasses() ? s_manager->m_classes->getElementAtIndex(index) : nullptr;
}

void CClassManager::sortClasses()
{
    if (s_manager && s_manager->m_classes)
    {
        s_manager->m_classes->sortArray(compareClasses);
    }
}

void CClassManager::writeClassReport(IO::CTextStream &stream)
{
    if (!s_manager || !s_manager->m_classes || !stream.isOpen())
    {
        return;
    }
    stream << BORDER.c_str();
    stream << (padded("| Orvalite class information", 66) + "|" + std::string(10, ' ') + "|" + std::string(10, ' ') +
               "|\n")
                  .c_str();
    stream << BORDER.c_str();
    stream << (padded("| Class Name", 66) + "| Instance |   Total  |\n").c_str();
    stream << BORDER.c_str();
    long liveSum = 0;
    long totalSum = 0;
    for (long index = 0; index < getNumberOfClasses(); ++index)
    {
        const CClass *record = getClassAtIndex(index);
        if (record && record->getNumberOfInstances() != 0)
        {
            stream << formatted("| %63s |%10li|%10li|\n", record->getClassName(), record->getNumberOfInstances(),
                                record->getTotalNumberOfInstances())
                          .c_str();
            liveSum += record->getNumberOfInstances();
            totalSum += record->getTotalNumberOfInstances();
        }
    }
    stream << BORDER.c_str();
    stream << formatted("|%s|%10li|%10li|\n", std::string(65, ' ').c_str(), liveSum, totalSum).c_str();
    stream << BORDER.c_str();
}

void shutdownClassRegistry(const char *path)
{
    if (CClassManager::s_manager && path)
    {
        IO::CTextStream stream(CSystemString(path), IO::CTextStream::MODE_WRITE);
        CClassManager::sortClasses();
        CClassManager::writeClassReport(stream);
        stream.closeStream();
    }
    delete CClassManager::s_manager;
    CClassManager::s_manager = nullptr;
}
} // namespace Orvalite::Basics
