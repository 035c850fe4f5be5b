#include "DBG/Debug.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DBG/DebugOutput.hpp"

namespace {

class DebugOutput : public testing::Test {
protected:
    void SetUp() override {
        DBSetOutput([this](std::string_view line) { lines.emplace_back(line); });
    }
    void TearDown() override { DBSetOutput(nullptr); }

    std::vector<std::string> lines;
};

TEST_F(DebugOutput, OneCallIsOneLineWhichGoesToStandardErrorWithAPrefixByDefault) {
    DBPrintf("%s: %d", "ACAPI_Element_Create", -2130313215);
    DBPrintf("Abnormal add-on termination (\"%s\")\n", "/x/Stakewise.so");
    DBPrintf("\n");
    DBPrintf("%s", "");
    DBPrintf("two\nparts\r\n");
    GSSysBeep();
    EXPECT_EQ(lines, (std::vector<std::string>{"ACAPI_Element_Create: -2130313215",
                                               "Abnormal add-on termination (\"/x/Stakewise.so\")",
                                               "two parts", "(beep)"}));

    DBSetOutput(nullptr);
    testing::internal::CaptureStderr();
    DBPrintf("%d points\n", 3);
    DBPrintf("\n");
    GSSysBeep();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "debug: 3 points\ndebug: (beep)\n");
    EXPECT_EQ(lines.size(), 4u);
}

}  // namespace
