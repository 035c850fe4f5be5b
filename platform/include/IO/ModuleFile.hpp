// The file of a loaded module (a program or a library) as the system names it.
#pragma once

#include "GS/Compiler.hpp"
#include "IO/Location.hpp"

namespace IO {

// The file of the module that holds address, a function or object of it: a library finds its
// own file this way. APIERR_GENERAL when the system does not know the address.
PLATFORM_API GSErrCode GetModuleFileLocation(const void* address, Location* location);

}  // namespace IO
