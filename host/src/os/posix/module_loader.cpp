#include "os/module_loader.hpp"

#include <dlfcn.h>

namespace planhost::os {

void* LoadModule(const std::string& utf8Path, std::string* error) {
    void* module = ::dlopen(utf8Path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr && error != nullptr) *error = ::dlerror();
    return module;
}

void* FindExport(void* module, const char* name) {
    return ::dlsym(module, name);
}

void UnloadModule(void* module) {
    ::dlclose(module);
}

}  // namespace planhost::os
