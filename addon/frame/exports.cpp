// The module's only exported symbols: the two handshake functions. Everything else of the
// add-on has hidden visibility. Each is a noexcept trampoline into plain C++.
#include <dlfcn.h>

#include "frame/entry_points.hpp"
#include "frame/resource_module.hpp"

#define STAKEWISE_EXPORT extern "C" __attribute__((visibility("default")))

STAKEWISE_EXPORT void GetExportedFuncAddrs(API_ExportRecord* record) noexcept {
    if (record != nullptr) frame::FillExportRecord(record);
}

STAKEWISE_EXPORT GSErrCode SetImportedFuncAddrs(const API_EntryTable* table) noexcept {
    return frame::ReceiveEntryTable(table);
}

namespace {

// The module's own file name, for the termination message.
const char* ModuleFileName() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&GetExportedFuncAddrs), &info) == 0) return "";
    return info.dli_fname != nullptr ? info.dli_fname : "";
}

__attribute__((constructor)) void LoadLibrary() {
    frame::OnLibraryLoad(ModuleFileName());
}
__attribute__((destructor)) void UnloadLibrary() {
    frame::OnLibraryUnload();
}

}  // namespace
