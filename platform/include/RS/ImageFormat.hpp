// The layout of a compiled resource image, shared by the resource compiler that writes it and
// RSOpenResourceModule that reads it. All numbers are little-endian.
//
//   header   "SWRS", UInt32 version, UInt32 entry count
//   entries  per resource: UInt32 type, Int16 id, UInt16 0, UInt32 name offset, UInt32 name
//            length, UInt32 data offset, UInt32 data length (offsets from the image start)
//   bytes    names and data
//
// Data by type: STRS is a UInt32 string count, then per string a UInt32 length and its UTF-8
// bytes; MDID is one UInt32 per number; GICN holds the picture file's bytes; other types hold
// token lines (see tools/rescomp/FORMAT.md).
#pragma once

#include <cstddef>
#include <string>

#include "api/api_base.hpp"

namespace RS::image {

constexpr char Magic[4] = {'S', 'W', 'R', 'S'};
constexpr UInt32 Version = 1;
constexpr std::size_t HeaderSize = 12;
constexpr std::size_t EntrySize = 24;

inline UInt32 ReadUInt32(const unsigned char* bytes) {
    return UInt32(bytes[0]) | (UInt32(bytes[1]) << 8) | (UInt32(bytes[2]) << 16) |
           (UInt32(bytes[3]) << 24);
}

inline void AppendUInt32(std::string& bytes, UInt32 value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(char((value >> shift) & 0xFF));
}

}  // namespace RS::image
