#include "model/guid.hpp"

#include <cstring>
#include <random>

namespace planhost {

namespace {

std::mt19937_64& Generator() {
    static std::mt19937_64 generator{std::random_device{}()};
    return generator;
}

void GuidBytes(const API_Guid& guid, UInt8 (&bytes)[16]) {
    // Big-endian fields first, so that the text reads as the usual GUID form.
    bytes[0] = UInt8(guid.time_low >> 24);
    bytes[1] = UInt8(guid.time_low >> 16);
    bytes[2] = UInt8(guid.time_low >> 8);
    bytes[3] = UInt8(guid.time_low);
    bytes[4] = UInt8(guid.time_mid >> 8);
    bytes[5] = UInt8(guid.time_mid);
    bytes[6] = UInt8(guid.time_hi_and_version >> 8);
    bytes[7] = UInt8(guid.time_hi_and_version);
    bytes[8] = guid.clock_seq_hi_and_reserved;
    bytes[9] = guid.clock_seq_low;
    std::memcpy(bytes + 10, guid.node, 6);
}

API_Guid GuidFromBytes(const UInt8 (&bytes)[16]) {
    API_Guid guid{};
    guid.time_low =
        UInt32(bytes[0]) << 24 | UInt32(bytes[1]) << 16 | UInt32(bytes[2]) << 8 | UInt32(bytes[3]);
    guid.time_mid = UInt16(bytes[4] << 8 | bytes[5]);
    guid.time_hi_and_version = UInt16(bytes[6] << 8 | bytes[7]);
    guid.clock_seq_hi_and_reserved = bytes[8];
    guid.clock_seq_low = bytes[9];
    std::memcpy(guid.node, bytes + 10, 6);
    return guid;
}

}  // namespace

API_Guid NewGuid() {
    UInt8 bytes[16];
    do {
        for (int i = 0; i < 16; i += 8) {
            UInt64 random = Generator()();
            std::memcpy(bytes + i, &random, 8);
        }
        bytes[6] = UInt8((bytes[6] & 0x0F) | 0x40);  // version 4
        bytes[8] = UInt8((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
    } while (IsZeroGuid(GuidFromBytes(bytes)));
    return GuidFromBytes(bytes);
}

bool IsZeroGuid(const API_Guid& guid) {
    return guid == API_Guid{};
}

std::string GuidToString(const API_Guid& guid) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    UInt8 bytes[16];
    GuidBytes(guid, bytes);
    std::string text;
    text.reserve(36);
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

std::size_t GuidHash::operator()(const API_Guid& guid) const noexcept {
    // The record's own bytes: every lookup of an element hashes, so no reordering here.
    UInt64 low;
    UInt64 high;
    std::memcpy(&low, &guid, 8);
    std::memcpy(&high, reinterpret_cast<const char*>(&guid) + 8, 8);
    // Random GUIDs are already well mixed; fold the halves with a multiplicative mix so that
    // hand-made sequential GUIDs spread as well.
    return std::size_t((low ^ (high * 0x9E3779B97F4A7C15ull)) * 0xBF58476D1CE4E5B9ull);
}

}  // namespace planhost
