#include <gtest/gtest.h>

#include <string>

#include "GS/UniString.hpp"

namespace {

struct Cp1252Case {
    std::string narrow;
    std::u16string text;
};

class Cp1252RoundTrip : public testing::TestWithParam<Cp1252Case> {};

TEST_P(Cp1252RoundTrip, ConvertsBothWays) {
    const GS::UniString text(GetParam().narrow.c_str());
    EXPECT_EQ(text.Text(), GetParam().text);
    EXPECT_EQ(text.ToCStr(), GetParam().narrow);
    EXPECT_EQ(GS::UniString(GetParam().text).ToCStr(GS::CC_System), GetParam().narrow);
}

INSTANTIATE_TEST_SUITE_P(
    Cp1252, Cp1252RoundTrip,
    testing::Values(Cp1252Case{"Stakewise", u"Stakewise"}, Cp1252Case{"\x80", u"\u20AC"},
                    Cp1252Case{"\x82\x83\x84", u"\u201A\u0192\u201E"},
                    Cp1252Case{"\x8A\x8C\x8E", u"\u0160\u0152\u017D"},
                    Cp1252Case{"\x91\x92\x93\x94", u"\u2018\u2019\u201C\u201D"},
                    Cp1252Case{"\x96\x97\x99", u"\u2013\u2014\u2122"},
                    Cp1252Case{"\x9A\x9C\x9E\x9F", u"\u0161\u0153\u017E\u0178"},
                    Cp1252Case{"\xA0\xC4\xD6\xDC\xDF\xE9\xFF",
                               u"\u00A0\u00C4\u00D6\u00DC\u00DF\u00E9\u00FF"}));

TEST(UniString, BytesWithoutCharacterReadAsReplacementAndWriteAsQuestionMark) {
    for (const char* byte : {"\x81", "\x8D", "\x8F", "\x90", "\x9D"}) {
        const GS::UniString text(byte);
        EXPECT_EQ(text.Text(), u"\uFFFD") << int(static_cast<unsigned char>(byte[0]));
        EXPECT_EQ(text.ToCStr(), "?");
    }
}

TEST(UniString, CharactersTheCodePageLacksBecomeQuestionMarks) {
    const struct {
        std::u16string text;
        std::string narrow;
    } cases[] = {
        {u"\u03A9mega", "?mega"},             // Greek
        {u"\u6E2C\u91CF", "??"},              // Japanese
        {u"a\U0001F600b", "a?b"},             // one character beyond 16 bits, one '?'
        {u"\u0081", "?"},                     // C1 control that 1252 replaces
        {std::u16string(1, u'\xD800'), "?"},  // a lone surrogate
    };
    for (const auto& c : cases) EXPECT_EQ(GS::UniString(c.text).ToCStr(), c.narrow);
}

TEST(UniString, Utf8KeepsEverything) {
    const std::u16string texts[] = {u"Stra\u00DFe", u"\u03A3\u03B7\u03BC\u03B5\u03AF\u03B1",
                                    u"\u6E2C\u91CF\u70B9", u"\U0001F600", u""};
    for (const auto& text : texts) {
        const std::string bytes = GS::UniString(text).ToCStr(GS::CC_UTF8);
        EXPECT_EQ(GS::UniString(bytes, GS::CC_UTF8).Text(), text);
    }
}

TEST(UniString, InvalidUtf8BytesSurviveTheRoundTrip) {
    const std::string samples[] = {"caf\xE9",          "\xC0\xAF",   "\xED\xA0\x80",
                                   "\xF4\x90\x80\x80", "ab\xE2\x82", "\xFF\xFE"};
    for (const auto& bytes : samples) {
        const GS::UniString text(bytes, GS::CC_UTF8);
        EXPECT_EQ(text.ToCStr(GS::CC_UTF8), bytes);
        EXPECT_EQ(text.ToCStr().find('?') != std::string::npos, true);
    }
}

TEST(UniString, NarrowTextEndsAtFirstNulAndNullIsEmpty) {
    EXPECT_EQ(GS::UniString("ab\0cd").Text(), u"ab");
    EXPECT_TRUE(GS::UniString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_TRUE(GS::UniString(static_cast<const GS::uchar_t*>(nullptr)).IsEmpty());
}

TEST(UniString, Trim) {
    const struct {
        std::u16string before;
        std::u16string after;
    } cases[] = {
        {u"", u""},       {u"  ", u""},
        {u" 12 ", u"12"}, {u"\t\r\n\v\fa b\u00A0", u"a b"},
        {u"x", u"x"},     {u"\u2003x", u"\u2003x"},  // only the listed white space counts
    };
    for (const auto& c : cases) EXPECT_EQ(GS::UniString(c.before).Trim().Text(), c.after);
}

TEST(UniString, AppendContainsAndOrder) {
    GS::UniString text("Stake");
    text += GS::UniString("wise");
    EXPECT_EQ(text, GS::UniString("Stakewise"));
    EXPECT_TRUE(text.Contains(GS::UniString("kew")));
    EXPECT_TRUE(text.Contains(GS::UniString()));
    EXPECT_FALSE(text.Contains(GS::UniString("wiser")));
    EXPECT_LT(GS::UniString("A"), GS::UniString("B"));
}

}  // namespace
