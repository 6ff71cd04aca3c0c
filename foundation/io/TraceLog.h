// The framework's trace log: one process-wide text file that diagnostic lines
// go to once a host of the framework opens it. Until then every trace call
// does nothing. Calls may come from any thread; each line is written whole.
#pragma once

#include "foundation/basics/CString.h"
#include "foundation/basics/CSystemString.h"

namespace Orvalite::IO
{
// Longest traced line in bytes; a longer formatted message is cut.
inline constexpr long TRACE_MESSAGE_SIZE = 1024;

// Closes the log when open, then opens (creates or truncates) `path`; false when that failed.
bool openTraceLog(const Basics::CSystemString &path);
void closeTraceLog();
bool isTraceLogOpen();
// Formats like printf and writes the text and a line end.
void traceMessage(const char *format, ...) __attribute__((format(printf, 1, 2)));
// Formats with one text argument, such as ("%s", text): a call with two
// texts would otherwise be ambiguous with the path form below.
void traceMessage(const char *format, const char *text);
// Writes the message followed directly by the path, and a line end.
void traceMessage(const Basics::CSystemString &path, const Basics::CString &message);
} // namespace Orvalite::IO
