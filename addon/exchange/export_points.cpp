#include "frame/commands.hpp"

// Not built yet: the command does nothing.
void ExportPoints() {}
