#include "tests/support/CLeakCheck.h"

#include "foundation/basics/CClassManager.h"
#include "foundation/basics/CProgramLifetimeObjects.h"

#include <map>

namespace Orvalite::Testing
{
namespace
{
bool startsWith(const std::string &text, const char *prefix)
{
    return text.rfind(prefix, 0) == 0;
}

// "TCountedObjectDeleter<CString>" -> "CString"
std::string parameterOf(const std::string &name)
{
    const auto open = name.find('<');
    return open == std::string::npos ? std::string() : name.substr(open + 1, name.size() - open - 2);
}

// An object counts in the record of its class and of every ancestor, so a
// program-lifetime object explains one live instance along that chain.
void allowProgramLifetimeObjects(std::map<std::string, long> &allowed)
{
    using Basics::CClassManager;
    for (long index = 0; index < Basics::CProgramLifetimeObjects::getNumberOfObjects(); ++index)
    {
        const Basics::CClass *record = &Basics::CProgramLifetimeObjects::getObject(index)->getClass();
        while (record)
        {
            ++allowed[record->getClassName()];
            const Basics::CClass *parent = CClassManager::findClass(record->getParentClassName());
            record = parent == record ? nullptr : parent;
        }
    }
}
} // namespace

std::vector<std::string> CLeakCheck::findLeaks()
{
    using Basics::CClassManager;
    std::map<std::string, long> live;
    for (long index = 0; index < CClassManager::getNumberOfClasses(); ++index)
    {
        if (const Basics::CClass *record = CClassManager::getClassAtIndex(index))
        {
            live[record->getClassName()] = record->getNumberOfInstances();
        }
    }
    // Program-lifetime objects: the registry's collection and nuller, and one
    // shared policy object of each kind per element type.
    std::map<std::string, long> allowed;
    allowed["TPointerCollection<CClass>"] = 1;
    std::map<std::string, long> policiesPerType;
    long policies = 0;
    for (const auto &[name, count] : live)
    {
        if (startsWith(name, "TCountedObjectDeleter<") || startsWith(name, "TObjectNuller<"))
        {
            allowed[name] = name == "TObjectNuller<CClass>" ? 2 : 1;
            policiesPerType[parameterOf(name)] += count;
            policies += count;
        }
    }
    for (const auto &[type, count] : policiesPerType)
    {
        allowed["TPointerDeleter<" + type + ">"] = count;
    }
    allowed["CCountedObject"] = policies + live["TPointerCollection<CClass>"];
    allowProgramLifetimeObjects(allowed);

    std::vector<std::string> leaks;
    for (const auto &[name, count] : live)
    {
        const bool isPolicy = startsWith(name, "TCountedObjectDeleter<") || startsWith(name, "TObjectNuller<");
        const long expected = allowed.count(name) ? allowed[name] : 0;
        if (isPolicy ? count < 0 || count > expected : count != expected)
        {
            leaks.push_back(name + ": " + std::to_string(count) + " live, expected " + std::to_string(expected));
        }
    }
    return leaks;
}

} // namespace Orvalite::Testing
