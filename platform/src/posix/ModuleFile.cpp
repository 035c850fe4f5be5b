#include "IO/ModuleFile.hpp"

#include <dlfcn.h>

namespace IO {

GSErrCode GetModuleFileLocation(const void* address, Location* location) {
    if (location == nullptr) return APIERR_BADPARS;
    Dl_info info{};
    if (::dladdr(address, &info) == 0 || info.dli_fname == nullptr) return APIERR_GENERAL;
    *location = Location(GS::UniString(info.dli_fname, GS::CC_UTF8));
    return NoError;
}

}  // namespace IO
