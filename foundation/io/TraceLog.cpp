#include "foundation/io/TraceLog.h"

#include "foundation/io/CTextStream.h"

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <mutex>

namespace Orvalite::IO
{
namespace
{
// The log exists only while open, so that no framework object outlives a
// program that closed it. A plain mutex keeps lines of two threads apart.
struct STraceLog
{
    std::mutex lock;
    std::unique_ptr<CTextStream> stream;
};

STraceLog &traceLog()
{
    static STraceLog *const log = new STraceLog;
    return *log;
}

void writeLine(STraceLog &log, const char *text)
{
    if (log.stream)
    {
        *log.stream << text << "\n";
        log.stream->flushStream();
    }
}

} // namespace

bool openTraceLog(const Basics::CSystemString &path)
{
    STraceLog &log = traceLog();
    std::lock_guard<std::mutex> guard(log.lock);
    log.stream.reset();
    auto stream = std::make_unique<CTextStream>(path, CTextStream::MODE_WRITE);
    if (!stream->isOpen())
    {
        return false;
    }
    log.stream = std::move(stream);
    return true;
}

void closeTraceLog()
{
    STraceLog &log = traceLog();
    std::lock_guard<std::mutex> guard(log.lock);
    log.stream.reset();
}

bool isTraceLogOpen()
{
    STraceLog &log = traceLog();
    std::lock_guard<std::mutex> guard(log.lock);
    return log.stream != nullptr;
}

namespace
{
void traceFormatted(const char *format, va_list arguments)
{
    if (!format)
    {
        return;
    }
    STraceLog &log = traceLog();
    std::lock_guard<std::mutex> guard(log.lock);
    if (!log.stream)
    {
        return;
    }
    char text[TRACE_MESSAGE_SIZE] = {};
    std::vsnprintf(text, sizeof(text), format, arguments);
    writeLine(log, text);
}

void traceWithArguments(const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    traceFormatted(format, arguments);
    va_end(arguments);
}
} // namespace

void traceMessage(const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    traceFormatted(format, arguments);
    va_end(arguments);
}

void traceMessage(const char *format, const char *text)
{
    traceWithArguments(format, text ? text : "");
}

void traceMessage(const Basics::CSystemString &path, const Basics::CString &message)
{
    STraceLog &log = traceLog();
    std::lock_guard<std::mutex> guard(log.lock);
    if (!log.stream)
    {
        return;
    }
    Basics::CString text(message);
    text.appendString(path);
    writeLine(log, text.getString());
}
} // namespace Orvalite::IO
