// Which fields of a points file read as written, and which library object a setting selects.
#include "exchange/line_issues.hpp"

#include <gtest/gtest.h>

#include "points/library_object.hpp"

namespace {

TEST(PointFieldTest, TellsWhetherTheWholeFieldIsOneNumber) {
    const struct {
        const char* field;
        bool wholeInteger;
        bool wholeCoordinate;
    } cases[] = {
        {"12", true, true},           {"-3", true, true},          {"+7", true, true},
        {" 7 ", true, true},          {"07", true, true},          {"P12", false, false},
        {"12A", false, false},        {"", false, false},          {"   ", false, false},
        {"+-5", false, false},        {"2147483647", true, true},  {"2147483648", false, true},
        {"-2147483649", false, true}, {"12.5", false, true},       {"12,5", false, false},
        {"1.23457e+06", false, true}, {"1e", false, false},        {"1e400", false, false},
        {".5", false, true},          {"5.", false, true},         {"inf", false, false},
        {"-infinity", false, false},  {"nan", false, false},       {"0x10", false, true},
        {"-0X1p3", false, true},      {"0x1p99999", false, false}, {"0x", false, false},
        {"0x-1", false, false},       {"-+1", false, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(IsWholeInteger(c.field), c.wholeInteger) << '"' << c.field << '"';
        EXPECT_EQ(IsWholeCoordinate(c.field), c.wholeCoordinate) << '"' << c.field << '"';
    }
}

// What "1", "2" and other numbers select is driven end to end through the import; a setting
// selects only as the exact text.
TEST(LibraryObjectTest, NumbersWrittenOtherwiseSelectNothing) {
    for (const char* other : {"01", "+1", " 2", "2 "})
        EXPECT_TRUE(SelectLibraryObject(other).fileName.empty()) << '"' << other << '"';
}

}  // namespace
