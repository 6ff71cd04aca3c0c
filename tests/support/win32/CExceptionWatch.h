// Wine 8 swallows an exception raised inside a window procedure ("ignoring
// exception" in its log) and the test would go on as if nothing happened. This
// first-chance handler sees every exception first and fails the running test
// for those that are faults (access violations, divisions by zero, stack
// overflows…); C++ exceptions and debugger notices pass untouched.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

namespace Zelo::Testing
{
class CExceptionWatch
{
public:
    CExceptionWatch() : m_handler(AddVectoredExceptionHandler(1, &CExceptionWatch::onException)) {}
    ~CExceptionWatch() { RemoveVectoredExceptionHandler(m_handler); }
    CExceptionWatch(const CExceptionWatch &) = delete;
    CExceptionWatch &operator=(const CExceptionWatch &) = delete;

private:
    static LONG CALLBACK onException(EXCEPTION_POINTERS *pointers)
    {
        const DWORD code = pointers->ExceptionRecord->ExceptionCode;
        // Faults carry the error severity (0xC…); C++ throws (0xE06D7363, 0x20474343) and notices do not.
        if ((code & 0xF0000000u) == 0xC0000000u)
        {
            ADD_FAILURE() << "A fault inside the program: exception 0x" << std::hex << code << " at "
                          << pointers->ExceptionRecord->ExceptionAddress;
        }
        return EXCEPTION_CONTINUE_SEARCH;
    }

    void *m_handler;
};
} // namespace Zelo::Testing
