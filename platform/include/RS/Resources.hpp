// RS: resource modules. An add-on's resources are compiled into its library (see the resource
// compiler under tools/) and opened as a module when the library is loaded; the module stays
// open until RSCloseResourceModule. All data returned points into the module and lives as long
// as it is open.
#pragma once

#include <cstddef>
#include <string_view>

#include "GS/UniString.hpp"

using GSResModule = Int32;  // 0 is no module
using GSResID = Int16;

constexpr GSType RS_StringList = FourCC("STRS");
constexpr GSType RS_DialogLayout = FourCC("GDLG");
constexpr GSType RS_DialogHelp = FourCC("DLGH");
constexpr GSType RS_Icon = FourCC("GICN");
constexpr GSType RS_AddOnId = FourCC("MDID");

// Opens a compiled resource image; 0 when it is not a valid image. The image is borrowed and
// must outlive the module.
GSResModule RSOpenResourceModule(const unsigned char* image, std::size_t size);
void RSCloseResourceModule(GSResModule module);

// The raw bytes of one resource; empty when it does not exist.
std::string_view RSLoadResource(GSType type, GSResID id, GSResModule module);
// The resource's name ("I32200&96" for an icon group); empty when none.
std::string_view RSGetResourceName(GSType type, GSResID id, GSResModule module);

// String index (1-based) of a STRS list. False, with the string untouched, when it is missing.
bool RSGetIndString(GS::UniString* string, GSResID id, Int32 index, GSResModule module);
// The same as narrow text (CC_Default) into a buffer of bufferSize bytes, NUL-terminated and cut.
bool RSGetIndString(char* buffer, std::size_t bufferSize, GSResID id, Int32 index,
                    GSResModule module);
