// Text in the default code page, and whole numbers written as the files hold them.
#include "settings/text_conversions.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "settings/number_text.hpp"

namespace {

GS::UniString U(const char* utf8) {
    return GS::UniString(utf8, GS::CC_UTF8);
}

TEST(TextConversionsTest, NarrowTextIsTheDefaultCodePageUpToTheFirstNul) {
    EXPECT_EQ(ToNarrowText(U("Jos\xC3\xA9 \xE2\x82\xAC")), "Jos\xE9 \x80");
    EXPECT_EQ(ToNarrowText(U("\xE2\x9C\x93")), "?");
    EXPECT_EQ(ToNarrowText(GS::UniString(std::u16string(u"ab\0cd", 5))), "ab");
    EXPECT_EQ(FromNarrowText("Jos\xE9 \x80"), U("Jos\xC3\xA9 \xE2\x82\xAC"));
    EXPECT_EQ(FromNarrowText(std::string_view("ab\0cd", 5)), U("ab"));
}

TEST(TextConversionsTest, WholeNumbersInPlainDecimalThatAtoIReadsBack) {
    for (const Int32 number : {0, 42, -42, 1234567, std::numeric_limits<Int32>::max(),
                               std::numeric_limits<Int32>::min()}) {
        SCOPED_TRACE(number);
        const std::string text = std::to_string(number);
        EXPECT_EQ(IntToNarrowText(number), text);
        EXPECT_EQ(IntToText(number), U(text.c_str()));
        EXPECT_EQ(AtoI(text), number);
    }
}

}  // namespace
