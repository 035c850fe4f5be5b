// Which fields of a points file read as written, and which library object a setting selects.
#include "exchange/line_issues.hpp"

#include <gtest/gtest.h>

#include "points/library_object.hpp"

namespace {

struct FieldCase {
    const char* field;
    bool wholeInteger;
    bool wholeCoordinate;
};

class PointFieldTest : public testing::TestWithParam<FieldCase> {};

TEST_P(PointFieldTest, TellsWhetherTheWholeFieldIsOneNumber) {
    const FieldCase& c = GetParam();
    EXPECT_EQ(IsWholeInteger(c.field), c.wholeInteger) << '"' << c.field << '"';
    EXPECT_EQ(IsWholeCoordinate(c.field), c.wholeCoordinate) << '"' << c.field << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Fields, PointFieldTest,
    testing::Values(FieldCase{"12", true, true}, FieldCase{"-3", true, true},
                    FieldCase{"+7", true, true}, FieldCase{" 7 ", true, true},
                    FieldCase{"07", true, true}, FieldCase{"P12", false, false},
                    FieldCase{"12A", false, false}, FieldCase{"", false, false},
                    FieldCase{"   ", false, false}, FieldCase{"+-5", false, false},
                    FieldCase{"2147483647", true, true}, FieldCase{"2147483648", false, true},
                    FieldCase{"-2147483649", false, true}, FieldCase{"12.5", false, true},
                    FieldCase{"12,5", false, false}, FieldCase{"1.23457e+06", false, true},
                    FieldCase{"1e", false, false}, FieldCase{"1e400", false, false},
                    FieldCase{".5", false, true}, FieldCase{"5.", false, true},
                    FieldCase{"inf", false, false}, FieldCase{"-infinity", false, false},
                    FieldCase{"nan", false, false}, FieldCase{"0x10", false, true},
                    FieldCase{"-0X1p3", false, true}, FieldCase{"0x1p99999", false, false},
                    FieldCase{"0x", false, false}, FieldCase{"0x-1", false, false},
                    FieldCase{"-+1", false, false}));

TEST(LibraryObjectTest, OnlyOneAndTwoSelectAnObject) {
    EXPECT_EQ(SelectLibraryObject("1").fileName, "Piketmerk.gsm");
    EXPECT_EQ(SelectLibraryObject("1").markerStyle1, "Kruis in cirkel");
    EXPECT_EQ(SelectLibraryObject("1").markerStyle2, "Kegel");
    EXPECT_EQ(SelectLibraryObject("2").fileName, "Stakemark.gsm");
    EXPECT_EQ(SelectLibraryObject("2").markerStyle1, "Cross in Circle");
    EXPECT_EQ(SelectLibraryObject("2").markerStyle2, "Cone");
    for (const char* other : {"", "01", " 2", "2 ", "3"}) {
        EXPECT_TRUE(SelectLibraryObject(other).fileName.empty()) << '"' << other << '"';
        EXPECT_TRUE(SelectLibraryObject(other).markerStyle1.empty()) << '"' << other << '"';
    }
}

}  // namespace
