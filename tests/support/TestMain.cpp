// Runs the tests, then asks the class registry whether any framework object
// outlived them.
#include "tests/support/CLeakCheck.h"

#include <gtest/gtest.h>

// fontconfig leaks a few bytes once per process while parsing its configuration
// files; LeakSanitizer (asan builds) is told to ignore that library's leaks.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace
{
class CLeakCheckEnvironment : public testing::Environment
{
public:
    void TearDown() override
    {
        const auto leaks = Orvalite::Testing::CLeakCheck::findLeaks();
        EXPECT_TRUE(leaks.empty()) << "Framework objects outlived the tests:\n" << testing::PrintToString(leaks);
    }
};
} // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new CLeakCheckEnvironment);
    return RUN_ALL_TESTS();
}
