#include "settings/utf16_decoder.hpp"

#include "GS/UniString.hpp"

namespace {

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

std::u16string CodeUnits(std::string_view bytes, Utf16ByteOrder order) {
    std::u16string units(bytes.size() / 2, u'\0');
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const int high = order == Utf16ByteOrder::LittleEndian ? 1 : 0;
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = char16_t(data[2 * i + high] << 8 | data[2 * i + 1 - high]);
    return units;
}

}  // namespace

std::optional<Utf16ByteOrder> Utf16ByteOrderMark(std::string_view start) {
    if (start.starts_with("\xFF\xFE")) return Utf16ByteOrder::LittleEndian;
    if (start.starts_with("\xFE\xFF")) return Utf16ByteOrder::BigEndian;
    return std::nullopt;
}

std::string Utf16Decoder::Decode(std::string_view bytes, bool last) {
    std::string joined;
    if (!unfinished_.empty()) {
        joined = unfinished_ + std::string(bytes);
        bytes = joined;
    }
    std::u16string units = CodeUnits(bytes, order_);
    std::size_t used = 2 * units.size();
    if (last && used < bytes.size()) {
        // Half a code unit; after a high surrogate, the two are one unfinished character.
        if (units.empty() || !IsHighSurrogate(units.back())) units.push_back(u'?');
        used = bytes.size();
    } else if (!last && !units.empty() && IsHighSurrogate(units.back())) {
        units.pop_back();  // its low surrogate comes with the next block
        used -= 2;
    }
    unfinished_.assign(bytes.substr(used));
    return GS::UniString(std::move(units)).ToCStr(GS::CC_Default);
}
