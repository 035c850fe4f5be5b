// The add-on's own resource module: opened when the library is loaded, closed when it is
// unloaded. Resource strings and dialog layouts are read from it.
#pragma once

#include "RS/Resources.hpp"

namespace frame {
GSResModule OwnResModule();
}
