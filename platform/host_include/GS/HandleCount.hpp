// The count of the memory manager's outstanding blocks, by which a host checks that a command
// released everything it was handed.
#pragma once

// Host only: the add-on's build has no STAKEWISE_HOST_SIDE and stops here.
#ifndef STAKEWISE_HOST_SIDE
#error "this header is for the host only; an add-on reaches the host through the API contract"
#endif

#include "GS/Memory.hpp"

// How many handles and blocks are outstanding in the process right now.
Int64 BMOutstandingHandles();
