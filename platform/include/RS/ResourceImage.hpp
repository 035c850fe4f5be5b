// The compiled resources of a module. The resource compiler turns a .grc file into a C++ file
// that defines, for the symbol name given to it (the add-on uses StakewiseResourceImage):
//   extern const unsigned char SYMBOL[];      the image
//   extern const std::size_t SYMBOLSize;      its size in bytes
// Declare them at global scope (not inside a namespace) with RS_DECLARE_RESOURCE_IMAGE(SYMBOL) and
// open the module with RSOpenResourceModule(SYMBOL, SYMBOLSize).
#pragma once

#include <cstddef>

#define RS_DECLARE_RESOURCE_IMAGE(symbol) \
    extern const unsigned char symbol[];  \
    extern const std::size_t symbol##Size
