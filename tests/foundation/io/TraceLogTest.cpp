#include "foundation/io/TraceLog.h"

#include "tests/foundation/FoundationTestSupport.h"

#include <thread>

using Orvalite::Basics::CString;
using Orvalite::Basics::CSystemString;
using Orvalite::Testing::CTemporaryFolder;
namespace IO = Orvalite::IO;

TEST(TraceLog, WritesFormattedLinesCutToTheBufferWhileOpen)
{
    ASSERT_FALSE(IO::isTraceLogOpen());
    IO::traceMessage("dropped %d", 1);
    IO::traceMessage(CSystemString("/path"), CString("dropped"));
    CTemporaryFolder folder;
    ASSERT_TRUE(IO::openTraceLog(folder.systemPath("trace.txt")));
    IO::traceMessage("value %d of %s", 3, "three");
    IO::traceMessage(CSystemString("/a/b.txt"), CString("Cannot read "));
    IO::traceMessage(nullptr);
    IO::traceMessage("%s!", std::string(5000, 'm').c_str());
    IO::closeTraceLog();
    IO::traceMessage("after closing");
    EXPECT_EQ(folder.readText("trace.txt"),
              "value 3 of three\nCannot read /a/b.txt\n" + std::string(IO::TRACE_MESSAGE_SIZE - 1, 'm') + "\n");
}

TEST(TraceLog, LinesFromSeveralThreadsStayWhole)
{
    CTemporaryFolder folder;
    ASSERT_TRUE(IO::openTraceLog(folder.systemPath("trace.txt")));
    std::vector<std::thread> threads;
    for (int thread = 0; thread < 4; ++thread)
    {
        threads.emplace_back([thread] {
            for (int line = 0; line < 200; ++line)
                IO::traceMessage("thread %d line %03d", thread, line);
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    IO::closeTraceLog();
    const std::string log = folder.readText("trace.txt");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 800);
    EXPECT_EQ(log.size(), 800u * std::string("thread 0 line 000\n").size());
}
