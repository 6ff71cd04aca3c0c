// Counts one instance of TOwner in its class record for as long as it lives.
// Every counted class holds one as a member, so constructors (copies included)
// count in after the base part is built and destructors count out before the
// base part is torn down.
#pragma once

namespace Orvalite::Basics
{
template <class TOwner> class TInstanceCounter
{
public:
    TInstanceCounter() { TOwner::getClassRecord().incrementInstanceCount(); }
    TInstanceCounter(const TInstanceCounter &) : TInstanceCounter() {}
    TInstanceCounter &operator=(const TInstanceCounter &) { return *this; }
    ~TInstanceCounter() { TOwner::getClassRecord().decrementInstanceCount(); }
};
} // namespace Orvalite::Basics

// Declares a class's record, its getClass() override and its instance counter.
#define ORVALITE_CLASS_RECORD(ClassName)                                                                               \
public:                                                                                                                \
    static ::Orvalite::Basics::CClass &getClassRecord();                                                               \
    ::Orvalite::Basics::CClass &getClass() const override                                                              \
    {                                                                                                                  \
        return getClassRecord();                                                                                       \
    }                                                                                                                  \
                                                                                                                       \
private:                                                                                                               \
    ::Orvalite::Basics::TInstanceCounter<ClassName> m_instanceCounter;

// Defines the record of a (non-template) class and registers it while the
// program starts. Records are never destroyed: objects may outlive static
// destruction order.
#define ORVALITE_DEFINE_CLASS_RECORD(ClassName, name, parentName)                                                      \
    ::Orvalite::Basics::CClass &ClassName::getClassRecord()                                                            \
    {                                                                                                                  \
        static ::Orvalite::Basics::CClass *const record = new ::Orvalite::Basics::CClass(name, parentName);            \
        return *record;                                                                                                \
    }                                                                                                                  \
    static const ::Orvalite::Basics::CClass &s_classRecordOf##ClassName = ClassName::getClassRecord();

// The record of a class template instance: named by the template naming rule
// and registered when its first instance is built.
#define ORVALITE_TEMPLATE_CLASS_RECORD(ClassName, ...)                                                                 \
public:                                                                                                                \
    static ::Orvalite::Basics::CClass &getClassRecord()                                                                \
    {                                                                                                                  \
        static ::Orvalite::Basics::CClass *const record = new ::Orvalite::Basics::CClass(__VA_ARGS__);                 \
        return *record;                                                                                                \
    }                                                                                                                  \
    ::Orvalite::Basics::CClass &getClass() const override                                                              \
    {                                                                                                                  \
        return getClassRecord();                                                                                       \
    }                                                                                                                  \
                                                                                                                       \
private:                                                                                                               \
    ::Orvalite::Basics::TInstanceCounter<ClassName> m_instanceCounter;
