// The module's only exported symbols: the two handshake functions. Everything else of the
// add-on stays inside the module. Each is a noexcept trampoline into plain C++.
#include "GS/Compiler.hpp"
#include "IO/ModuleFile.hpp"
#include "frame/entry_points.hpp"
#include "frame/resource_module.hpp"

GS_MODULE_EXPORT void GetExportedFuncAddrs(API_ExportRecord* record) noexcept {
    if (record != nullptr) frame::FillExportRecord(record);
}

GS_MODULE_EXPORT GSErrCode SetImportedFuncAddrs(const API_EntryTable* table) noexcept {
    return frame::ReceiveEntryTable(table);
}

namespace {

// The module's own file name, for the termination message; empty when the system cannot say.
GS::UniString ModuleFileName() {
    IO::Location module;
    GS::UniString path;
    if (IO::GetModuleFileLocation(reinterpret_cast<const void*>(&GetExportedFuncAddrs), &module) ==
        NoError)
        module.ToPath(&path);
    return path;
}

// Loading the module constructs this object and unloading it destroys it, on every system.
struct ModuleLifetime {
    ModuleLifetime() { frame::OnLibraryLoad(ModuleFileName()); }
    ~ModuleLifetime() { frame::OnLibraryUnload(); }
};

const ModuleLifetime gModuleLifetime;

}  // namespace
