#include "settings/settings_scrambling.hpp"

#include "api/api_base.hpp"

namespace {

// Multiplier = 1 (mod 4) and an odd increment give the generator its full period of 256.
constexpr UInt8 ScrambleSeed = 0x5A;
constexpr UInt8 ScrambleMultiplier = 0x6D;
constexpr UInt8 ScrambleIncrement = 0x3B;

}  // namespace

void ScrambleSettingsBytes(std::span<char> bytes) {
    UInt8 state = ScrambleSeed;
    for (char& byte : bytes) {
        state = UInt8(state * ScrambleMultiplier + ScrambleIncrement);
        byte = char(UInt8(byte) ^ state);
    }
}
