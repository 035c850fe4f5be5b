// The resource modules open in the process, as a host sees them while it loads an add-on.
#pragma once

// Host only: the add-on's build has no STAKEWISE_HOST_SIDE and stops here.
#ifndef STAKEWISE_HOST_SIDE
#error "this header is for the host only; an add-on reaches the host through the API contract"
#endif

#include "RS/Resources.hpp"

Int32 RSOpenModuleCount();
// The module opened most recently and still open; 0 when none. A host that has just loaded an
// add-on library finds the add-on's own module so.
GSResModule RSLastOpenedModule();
