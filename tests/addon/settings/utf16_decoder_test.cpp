#include "settings/utf16_decoder.hpp"

#include <gtest/gtest.h>

#include "utf16_bytes.hpp"

namespace {

Utf16ByteOrder DecoderOrder(ByteOrder order) {
    return order == ByteOrder::Little ? Utf16ByteOrder::LittleEndian : Utf16ByteOrder::BigEndian;
}

TEST(Utf16DecoderTest, FindsTheByteOrderMark) {
    EXPECT_EQ(Utf16ByteOrderMark("\xFF\xFE[M"), Utf16ByteOrder::LittleEndian);
    EXPECT_EQ(Utf16ByteOrderMark("\xFE\xFF"), Utf16ByteOrder::BigEndian);
    for (const char* other : {"", "\xFF", "\xFE", "\xEF\xBB\xBF", "\xFE\xFE", "7\t1"})
        EXPECT_EQ(Utf16ByteOrderMark(other), std::nullopt) << testing::PrintToString(other);
}

// Every split of the text into two blocks gives the same narrow text as the whole: a code unit
// or a surrogate pair cut in two is decoded when its rest arrives.
TEST(Utf16DecoderTest, DecodesToTheDefaultCodePageInBlocksOfAnySize) {
    using namespace std::string_literals;
    const struct {
        std::u16string text;
        std::string narrow;
    } cases[] = {
        {u"7\t12.5\t-3.25\t0.01\t\r\n", "7\t12.5\t-3.25\t0.01\t\r\n"},
        {u"J\u00e9 \u20ac\u0178", "J\xE9 \x80\x9F"},  // Latin-1 and Windows-1252 letters
        {u"\u4e2d\U0001F600.", "??."},                // one '?' a character
        {u"a\xD800z\xDC00", "a?z?"},                  // halves of a pair on their own
        {u"1\0\t2"s, "1\0\t2"s},
        {u"", ""},
    };
    for (const ByteOrder order : {ByteOrder::Little, ByteOrder::Big}) {
        for (const auto& c : cases) {
            const std::string bytes = Utf16Bytes(c.text, order);
            for (std::size_t split = 0; split <= bytes.size(); ++split) {
                Utf16Decoder decoder(DecoderOrder(order));
                std::string narrow =
                    decoder.Decode(std::string_view(bytes).substr(0, split), false);
                narrow += decoder.Decode(std::string_view(bytes).substr(split), true);
                EXPECT_EQ(narrow, c.narrow) << testing::PrintToString(bytes) << " split " << split;
            }
        }
    }
}

TEST(Utf16DecoderTest, AnUnfinishedCharacterAtTheEndIsAQuestionMark) {
    const std::string bytes = Utf16Bytes(u"1\U0001F600", ByteOrder::Little);
    for (const std::size_t cut : {bytes.size() - 1, bytes.size() - 2, bytes.size() - 3}) {
        Utf16Decoder decoder(Utf16ByteOrder::LittleEndian);
        EXPECT_EQ(decoder.Decode(std::string_view(bytes).substr(0, cut), true), "1?") << cut;
    }
}

}  // namespace
