// UTF-16 text, as Windows tools save "Unicode" text files, turned into narrow text in the host's
// default character code, as ToNarrowText converts host text: a character that the code page
// lacks becomes '?'. The text may come in blocks of any size; a character split between two
// blocks is decoded whole.
#pragma once

#include <optional>
#include <string>
#include <string_view>

enum class Utf16ByteOrder { LittleEndian, BigEndian };

// The byte order that a UTF-16 byte-order mark at the start of the bytes announces.
std::optional<Utf16ByteOrder> Utf16ByteOrderMark(std::string_view start);

class Utf16Decoder {
public:
    explicit Utf16Decoder(Utf16ByteOrder order) : order_(order) {}

    // The narrow text of these bytes, following on from the bytes of earlier calls. With
    // `last`, a character left unfinished at the end of the text becomes '?'.
    std::string Decode(std::string_view bytes, bool last);

private:
    Utf16ByteOrder order_;
    std::string unfinished_;  // at most three bytes: an odd byte, or a high surrogate and one
};
