#include "foundation/basics/CClass.h"

#include "foundation/basics/CClassManager.h"

#include <cstring>
#include <cxxabi.h>
#include <memory>

namespace Orvalite::Basics
{
namespace
{
const char *const UNDEFINED_CLASS = "UndefinedClass";
const char *const UNDEFINED_PARENT = "UndefinedParent";

// Bounded copy that always leaves a terminated name.
void copyName(char (&target)[CClass::NAME_SIZE], const char *source)
{
    const size_t length = strnlen(source, CClass::NAME_SIZE - 1);
    std::memcpy(target, source, length);
    target[length] = '\0';
}
} // namespace

CClass::CClass()
{
    setNames(UNDEFINED_CLASS, UNDEFINED_PARENT);
    CClassManager::ensureManager();
}

CClass::CClass(const char *name) : CClass(name, UNDEFINED_PARENT) {}

CClass::CClass(const char *name, const char *parentName)
{
    setNames(name ? name : UNDEFINED_CLASS, parentName ? parentName : UNDEFINED_PARENT);
    CClassManager::registerClass(this);
}

// A copy is a record of the same class: it keeps the parent too, so that a copy
// answers type tests like its original.
CClass::CClass(const CClass &other) : CClass(other.m_className, other.m_parentClassName) {}

CClass::CClass(const char *templateName, const std::type_info &parameterType, const char *parentName)
    : CClass(makeTemplateInstanceName(templateName, readableTypeName(parameterType).c_str()).c_str(), parentName)
{
}

CClass::CClass(const char *templateName, const std::type_info &parameterType, const char *parentTemplateName,
               const std::type_info &parentParameterType)
    : CClass(makeTemplateInstanceName(templateName, readableTypeName(parameterType).c_str()).c_str(),
             makeTemplateInstanceName(parentTemplateName, readableTypeName(parentParameterType).c_str()).c_str())
{
}

CClass &CClass::operator=(const CClass &other)
{
    if (this != &other)
    {
        copyName(m_className, other.m_className);
    }
    return *this;
}

void CClass::setClassName(const char *name)
{
    if (name)
    {
        copyName(m_className, name);
    }
}

void CClass::incrementInstanceCount()
{
    ++m_numberOfInstances;
    ++m_totalNumberOfInstances;
}

void CClass::decrementInstanceCount()
{
    --m_numberOfInstances;
}

bool CClass::operator==(const CClass &other) const
{
    return std::strcmp(m_className, other.m_className) == 0;
}

bool CClass::operator==(const char *name) const
{
    return name && std::strcmp(m_className, name) == 0;
}

bool CClass::isTypeOf(const CClass &other) const
{
    // Each record is visited at most once, so a cycle of parent names ends the walk.
    long stepsLeft = CClassManager::getNumberOfClasses();
    for (const CClass *ancestor = CClassManager::findClass(m_parentClassName); ancestor && stepsLeft > 0;
         ancestor = CClassManager::findClass(ancestor->m_parentClassName), --stepsLeft)
    {
        if (*ancestor == other)
        {
            return true;
        }
    }
    return *this == other;
}

std::string CClass::makeTemplateInstanceName(const char *templateName, const char *typeName)
{
    const std::string type(typeName ? typeName : "");
    std::string shortName = type;
    if (const auto colon = type.rfind(':'); colon != std::string::npos)
    {
        shortName = type.substr(colon + 1);
    }
    else if (const auto blank = type.rfind(' '); blank != std::string::npos)
    {
        shortName = type.substr(blank + 1);
    }
    const std::string name(templateName ? templateName : "");
    const auto open = name.find('<');
    if (open == std::string::npos)
    {
        return name;
    }
    return name.substr(0, open) + "<" + shortName + ">";
}

std::string CClass::readableTypeName(const std::type_info &type)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void *)> demangled(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                      std::free);
    return status == 0 && demangled ? std::string(demangled.get()) : std::string(type.name());
}

void CClass::setNames(const char *name, const char *parentName)
{
    copyName(m_className, name);
    copyName(m_parentClassName, parentName);
}
} // namespace Orvalite::Basics
