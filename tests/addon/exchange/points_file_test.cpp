#include "exchange/points_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "platform_test_folder.hpp"
#include "test_system.hpp"
#include "utf16_bytes.hpp"

namespace {

IO::Location LocationOf(const std::string& path) {
    return IO::Location(GS::UniString(path.c_str(), GS::CC_UTF8));
}

using Fields = std::vector<std::string>;

std::vector<Fields> FieldsOf(const std::vector<PointLine>& lines) {
    std::vector<Fields> result;
    for (const PointLine& line : lines) {
        result.emplace_back(line.fields.begin(), line.fields.begin() + line.count);
    }
    return result;
}

class PointsFileTest : public ::testing::Test {
protected:
    PointLists Read(const std::string& content) {
        WriteWholeFile(file, content);
        return ReadPointsFile(LocationOf(file));
    }

    TestFolder folder;
    std::string file = folder / "points.txt";
};

// Each file replaces an earlier, longer one.
TEST_F(PointsFileTest, WritesHeadersOnlyForSetsWithPoints) {
    const Int32 min = std::numeric_limits<Int32>::min();
    const struct {
        std::vector<PointRecord> measured;
        std::vector<PointRecord> design;
        std::string expected;
    } cases[] = {
        {{{7, 12.5, -3.25, 0.01}},
         {{1, 0, 0, 0}, {2, 1234.5678, 5.5, 1.25}},
         "[Measured_Points]\r\n7\t12.5\t-3.25\t0.01\t\r\n"
         "[Design_Points]\r\n1\t0\t0\t0\t\r\n2\t1234.5678\t5.5\t1.25\t\r\n"},
        {{{-12, 1, 2, 3}}, {}, "[Measured_Points]\r\n-12\t1\t2\t3\t\r\n"},
        {{}, {{min, 155000.4, -0.0, 1e-7}}, "[Design_Points]\r\n-2147483648\t155000.4\t0\t0\t\r\n"},
        {{}, {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        WriteWholeFile(file, std::string(100000, 'x'));
        EXPECT_TRUE(WritePointsFile(LocationOf(file), c.measured, c.design));
        EXPECT_EQ(ReadWholeFile(file), c.expected);
    }
}

TEST_F(PointsFileTest, ReadsByTheLineRules) {
    const struct {
        std::string content;
        std::vector<Fields> measured;
        std::vector<Fields> design;
    } cases[] = {
        {"", {}, {}},
        {"1\t2\t3\t4\t\r\n", {{"1", "2", "3", "4"}}, {}},
        {"[Measured_Points]\r\n1\t2\t3\t4\t\r\n", {{"1", "2", "3", "4"}}, {}},
        {"[Design_Points]\r\n1\t2\t3\t4\r\n[Measured_Points]\n5\t6\t7\t8",
         {{"5", "6", "7", "8"}},
         {{"1", "2", "3", "4"}}},
        {"\xEF\xBB\xBF[Design_Points]\r\n1\r\n", {}, {{"1"}}},
        {"[design_points]\r\n1\r\n", {{"[design_points]"}, {"1"}}, {}},
        {"[Design_Points][Measured_Points]\n1\n", {{"1"}}, {}},
        {"x[Design_Points]\t1\t2\t3\t4\n", {}, {}},
        {"\r\n\n1\n", {{"1"}}, {}},
        {"   \n", {{""}}, {}},
        {"1\t2\t3\t4\t5\t6\n", {{"1", "2", "3", "4"}}, {}},
        {"1\t\t3\t\n", {{"1", "", "3"}}, {}},
        {"\t", {{""}}, {}},
        {"\t1\t2\t3\n", {{"", "1", "2", "3"}}, {}},
        {"1 2 3 4\n", {{"1 2 3 4"}}, {}},
        {"  12.5  \t \t\v1\v\n", {{"12.5", "", "\v1\v"}}, {}},
        {"1\r\r\n", {{"1\r"}}, {}},
        {"[Design_Points]\r1\t2\t3\t4\r", {}, {}},
        {"1\t2\r3\t4\r", {{"1", "2\r3", "4\r"}}, {}},
        {"[Design_Points]\n1\n[Measured_Points]\n2\n[Design_Points]\n3\n", {{"2"}}, {{"1"}, {"3"}}},
        // Without its mark UTF-16 stays bytes; files with one are read by the import runs.
        {Utf16Bytes(u"1\t2\n", ByteOrder::Little),
         {{std::string("1\0", 2), std::string("\0002\0", 3)}, {std::string(1, '\0')}},
         {}},
    };
    for (const auto& c : cases) {
        const PointLists lists = Read(c.content);
        EXPECT_EQ(FieldsOf(lists.measured), c.measured) << testing::PrintToString(c.content);
        EXPECT_EQ(FieldsOf(lists.design), c.design) << testing::PrintToString(c.content);
    }
}

// A line may be longer than a read block, and the first block of a large UTF-16 file ends after
// 1 MiB of bytes, in the middle of the character that stands there.
TEST_F(PointsFileTest, LinesAndCharactersReadAcrossBlocks) {
    const std::string longField(3 << 20, '7');
    EXPECT_EQ(FieldsOf(Read("1\t" + longField + "\t3\t4\n2\t5\t6\t7").measured),
              (std::vector<Fields>{{"1", longField, "3", "4"}, {"2", "5", "6", "7"}}));

    const std::u16string longName(std::size_t(1 << 19) - 3, u'\u00e4');
    const std::string narrowName(longName.size(), '\xE4');
    const std::string utf16 =
        Utf16File(u"1" + longName + u"\U0001F600\u20ac\t5\t6\t7\r\n2\t3\t4\t5", ByteOrder::Little);
    EXPECT_EQ(
        FieldsOf(Read(utf16).measured),
        (std::vector<Fields>{{"1" + narrowName + "?\x80", "5", "6", "7"}, {"2", "3", "4", "5"}}));
}

TEST_F(PointsFileTest, RoundTripKeepsNumbersAndMicrometres) {
    std::mt19937_64 random(3);
    std::uniform_int_distribution<Int32> numbers(std::numeric_limits<Int32>::min(),
                                                 std::numeric_limits<Int32>::max());
    std::uniform_int_distribution<long long> micrometres(-2'000'000'000'000LL, 2'000'000'000'000LL);
    auto randomPoints = [&](int count) {
        std::vector<PointRecord> points;
        for (int i = 0; i < count; ++i) {
            points.push_back({numbers(random), micrometres(random) / 1e6, micrometres(random) / 1e6,
                              micrometres(random) / 1e6});
        }
        return points;
    };
    // Large enough to span several read blocks.
    const std::vector<PointRecord> measured = randomPoints(40000);
    const std::vector<PointRecord> design = randomPoints(3);
    ASSERT_TRUE(WritePointsFile(LocationOf(file), measured, design));
    const PointLists lists = ReadPointsFile(LocationOf(file));
    auto expectSame = [](const std::vector<PointRecord>& points,
                         const std::vector<PointLine>& lines) {
        ASSERT_EQ(points.size(), lines.size());
        for (std::size_t i = 0; i < points.size(); ++i) {
            const PointRecord read = ToPointRecord(lines[i]).value();
            ASSERT_EQ(read.number, points[i].number);
            ASSERT_EQ(read.x, points[i].x);
            ASSERT_EQ(read.y, points[i].y);
            ASSERT_EQ(read.z, points[i].z);
        }
    };
    expectSame(measured, lists.measured);
    expectSame(design, lists.design);
}

TEST_F(PointsFileTest, FailedWriteLosesNothing) {
    const std::string old = "[Measured_Points]\r\n1\t2\t3\t4\t\r\n";
    WriteWholeFile(file, old);
    std::filesystem::permissions(IO::PathFromUtf8(file), std::filesystem::perms(0666));
    EXPECT_TRUE(test_system::RunWithFolderProtected(folder.Path(), [&] {
        return !WritePointsFile(LocationOf(file), {{9, 9, 9, 9}}, {{8, 8, 8, 8}});
    }));
    EXPECT_EQ(ReadWholeFile(file), old);
}

}  // namespace
