// The add-on's own resource module: opened when the library is loaded, closed when it is
// unloaded. Resource strings and dialog layouts are read from it.
#pragma once

#include "RS/Resources.hpp"

namespace frame {

GSResModule OwnResModule();

// Library load and unload: the module file name (its first 260 wide characters) is kept for
// the termination message and the own resource module is opened and closed.
void OnLibraryLoad(const GS::UniString& moduleFileName);
void OnLibraryUnload();

}  // namespace frame
