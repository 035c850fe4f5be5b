#include "settings/text_conversions.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "settings/split_text.hpp"

namespace {

GS::UniString U(const char* utf8) {
    return GS::UniString(utf8, GS::CC_UTF8);
}

TEST(SplitTextTest, SplitsAtEverySeparator) {
    struct Case {
        const char* text;
        std::vector<const char*> pieces;
    };
    const Case cases[] = {
        {"", {}},
        {"a=b", {"a", "b"}},
        {"a=", {"a"}},
        {"=b", {"", "b"}},
        {"a==b", {"a", "", "b"}},
        {"a=b=", {"a", "b"}},
        {"=", {""}},
        {"ab", {"ab"}},
        {"K\xC3\xA9=\xE2\x82\xAC", {"K\xC3\xA9", "\xE2\x82\xAC"}},
    };
    for (const Case& c : cases) {
        std::vector<GS::UniString> expected;
        for (const char* piece : c.pieces) expected.push_back(U(piece));
        EXPECT_EQ(SplitText(U(c.text), u'='), expected) << c.text;
    }
}

TEST(TextConversionsTest, NarrowTextIsTheDefaultCodePage) {
    EXPECT_EQ(ToNarrowText(U("Jos\xC3\xA9 \xE2\x82\xAC")), "Jos\xE9 \x80");
    EXPECT_EQ(ToNarrowText(U("\xE2\x9C\x93")), "?");
    EXPECT_EQ(ToNarrowText(GS::UniString(std::u16string(u"ab\0cd", 5))), "ab");
    EXPECT_EQ(FromNarrowText("Jos\xE9 \x80"), U("Jos\xC3\xA9 \xE2\x82\xAC"));
    EXPECT_EQ(FromNarrowText(std::string_view("ab\0cd", 5)), U("ab"));
    EXPECT_EQ(FromNarrowText(""), GS::UniString());
}

TEST(TextConversionsTest, WholeNumbersInPlainDecimal) {
    const std::pair<Int32, const char*> cases[] = {
        {0, "0"},
        {7, "7"},
        {-42, "-42"},
        {1234567, "1234567"},
        {std::numeric_limits<Int32>::max(), "2147483647"},
        {std::numeric_limits<Int32>::min(), "-2147483648"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(IntToNarrowText(value), text);
        EXPECT_EQ(IntToText(value), U(text));
    }
}

}  // namespace
