// The record of one framework class: its name, its parent's name and its live
// and total instance counts. Each class owns one record for the whole program.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <typeinfo>

namespace Orvalite::Basics
{
class CClass
{
public:
    static constexpr long NAME_SIZE = 128;

    CClass();
    explicit CClass(const char *name);
    CClass(const char *name, const char *parentName);
    CClass(const CClass &other);
    // Records of class templates: the name is built from the template name and
    // the parameter type, as in "TPointerCollection<TypeName>" -> "TPointerCollection<CString>".
    CClass(const char *templateName, const std::type_info &parameterType, const char *parentName);
    CClass(const char *templateName, const std::type_info &parameterType, const char *parentTemplateName,
           const std::type_info &parentParameterType);
    virtual ~CClass() = default;

    CClass &operator=(const CClass &other);
    void setClassName(const char *name);

    const char *getClassName() const { return m_className; }
    const char *getParentClassName() const { return m_parentClassName; }

    void incrementInstanceCount();
    void decrementInstanceCount();
    long getNumberOfInstances() const { return m_numberOfInstances; }
    long getTotalNumberOfInstances() const { return m_totalNumberOfInstances; }

    bool operator==(const CClass &other) const;
    bool operator==(const char *name) const;

    // True when this class is `other` or declares it as an ancestor through the
    // chain of registered parent names.
    bool isTypeOf(const CClass &other) const;

    // The template naming rule, on a type name as the compiler spells it
    // ("class Orvalite::IO::CXMLNode" or "Orvalite::IO::CXMLNode").
    static std::string makeTemplateInstanceName(const char *templateName, const char *typeName);
    static std::string readableTypeName(const std::type_info &type);

private:
    void setNames(const char *name, const char *parentName);

    char m_className[NAME_SIZE];
    char m_parentClassName[NAME_SIZE];
    // Atomic: instances are made and destroyed on any thread.
    std::atomic<int32_t> m_numberOfInstances{0};
    std::atomic<int32_t> m_totalNumberOfInstances{0};
};
} // namespace Orvalite::Basics
