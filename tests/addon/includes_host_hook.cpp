// Add-on code that reaches for a hook of the host. Built only by the tests that expect its build
// to fail; it must never compile.
#ifdef HOST_HOOK_BY_path
#include "../../platform/host_include/DG/Interaction.hpp"
#else
#include "DG/Interaction.hpp"
#endif
