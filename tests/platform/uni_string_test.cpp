#include <gtest/gtest.h>

#include <string>

#include "GS/UniString.hpp"

namespace {

TEST(UniString, EveryCp1252ByteRoundTrips) {
    const std::string withoutCharacter = "\x81\x8D\x8F\x90\x9D";
    for (int byte = 1; byte < 256; ++byte) {
        const std::string narrow(1, char(byte));
        const GS::UniString text(narrow.c_str());
        EXPECT_EQ(text.ToCStr(GS::CC_System), narrow) << byte;
        if (withoutCharacter.find(char(byte)) != std::string::npos) {
            EXPECT_EQ(text.Text(), std::u16string(1, char16_t(byte))) << byte;
        }
    }
    const struct {
        char byte;
        char16_t character;
    } samples[] = {{'\x80', u'\u20AC'}, {'\x8A', u'\u0160'}, {'\x93', u'\u201C'},
                   {'\x96', u'\u2013'}, {'\x99', u'\u2122'}, {'\x9F', u'\u0178'},
                   {'\xA0', u'\u00A0'}, {'\xDF', u'\u00DF'}, {'\xFF', u'\u00FF'}};
    for (const auto& sample : samples)
        EXPECT_EQ(GS::UniString(std::string(1, sample.byte), GS::CC_Default)[0], sample.character);
}

TEST(UniString, CharactersTheCodePageLacksBecomeQuestionMarks) {
    const struct {
        std::u16string text;
        std::string narrow;
    } cases[] = {
        {u"\u03A9mega", "?mega"},             // Greek
        {u"\u6E2C\u91CF", "??"},              // Japanese
        {u"a\U0001F600b", "a?b"},             // one character beyond 16 bits, one '?'
        {u"\u0085", "?"},                     // a C1 control that 1252 has no byte for
        {std::u16string(1, u'\xD800'), "?"},  // a lone surrogate
    };
    for (const auto& c : cases) EXPECT_EQ(GS::UniString(c.text).ToCStr(), c.narrow);
}

TEST(UniString, Utf8KeepsEverythingEvenInvalidBytes) {
    const std::u16string texts[] = {u"Stra\u00DFe", u"\u03A3\u03B7\u03BC\u03B5\u03AF\u03B1",
                                    u"\u6E2C\u91CF\u70B9", u"\U0001F600", u""};
    for (const auto& text : texts) {
        const std::string bytes = GS::UniString(text).ToCStr(GS::CC_UTF8);
        EXPECT_EQ(GS::UniString(bytes, GS::CC_UTF8).Text(), text);
    }
    const std::string invalid[] = {"caf\xE9",          "\xC0\xAF",   "\xED\xA0\x80",
                                   "\xF4\x90\x80\x80", "ab\xE2\x82", "\xFF\xFE"};
    for (const auto& bytes : invalid) {
        const GS::UniString text(bytes, GS::CC_UTF8);
        EXPECT_EQ(text.ToCStr(GS::CC_UTF8), bytes);
        EXPECT_NE(text.ToCStr().find('?'), std::string::npos);
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

}  // namespace
