// Where debug output goes: the host decides, the add-on only writes it (DBG/Debug.hpp).
#pragma once

// Host only: the add-on's build has no STAKEWISE_HOST_SIDE and stops here.
#ifndef STAKEWISE_HOST_SIDE
#error "this header is for the host only; an add-on reaches the host through the API contract"
#endif

#include <functional>
#include <string_view>

// The host's sink for debug lines (the text without a line end); null restores the default.
void DBSetOutput(std::function<void(std::string_view line)> sink);
