// Loading a module file (the add-on) into planhost's process and finding what it exports.
#pragma once

#include <string>

namespace planhost::os {

// The loaded module, or null with the system's reason in *error.
void* LoadModule(const std::string& utf8Path, std::string* error);
// The address of an exported function; null when the module has none of that name.
void* FindExport(void* module, const char* name);
void UnloadModule(void* module);

}  // namespace planhost::os
