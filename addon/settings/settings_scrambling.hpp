// The scrambling of the fallback settings file Stakewise.dat: byte i is XOR-ed with the state of
// an 8-bit linear congruential generator after i + 1 steps. Scrambling twice gives the bytes back.
#pragma once

#include <span>

void ScrambleSettingsBytes(std::span<char> bytes);
