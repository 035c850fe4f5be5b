#include "addon.hpp"

#include <dlfcn.h>

#include <cstdio>
#include <cstring>

#include "RS/OpenModules.hpp"
#include "api/operation_slots.hpp"
#include "faults.hpp"
#include "menus.hpp"
#include "os/process.hpp"
#include "session.hpp"
#include "trace.hpp"

namespace planhost {

namespace {

constexpr Int32 kHostMainVersion = 22;

// "0x160001": a contract version as its header writes it.
std::string VersionText(UInt32 version) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", unsigned(version));
    return text;
}

// Text that the add-on wrote into a fixed field, taken up to its NUL or the field's end.
template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

API_EntryTable BuildEntryTable(Session& session) {
    API_EntryTable table{};
    FillFrameOperations(table);
    FillElementOperations(table);
    for (const std::string& op : session.faults().emptySlots()) EmptySlot(table, op);
    return table;
}

std::optional<std::string> CheckExports(const API_ExportRecord& exports) {
    if (!API_HostAcceptsContract(exports.apiVersion))
        return "the add-on was built for API contract " + VersionText(exports.apiVersion) +
               ", this host runs contracts " +
               VersionText(API_ContractMajor(API_ContractVersion) << 16) + " to " +
               VersionText(API_ContractVersion) +
               "; rebuild it against this host's platform headers";
    if (exports.minHostVersion > API_HostRelease)
        return "the add-on needs host release " + std::to_string(exports.minHostVersion) +
               " or later, this host is release " + std::to_string(API_HostRelease);
    const char* missing = exports.checkEnvironment == nullptr    ? "CheckEnvironment"
                          : exports.registerInterface == nullptr ? "RegisterInterface"
                          : exports.initialize == nullptr        ? "Initialize"
                          : exports.freeData == nullptr          ? "FreeData"
                                                                 : nullptr;
    if (missing != nullptr)
        return std::string("the add-on hands over no ") + missing +
               " entry point; it is not a complete add-on";
    return std::nullopt;
}

// Unloads a module that is not used and passes on why.
std::string Refuse(void* module, std::string why) {
    dlclose(module);
    return why;
}

std::string EntryFailed(const char* entry, GSErrCode code) {
    return std::string("the add-on's ") + entry + " failed with " + FormatErrCode(code) +
           "; it is not used";
}

}  // namespace

std::string DefaultAddOnPath() {
    return (os::ThisProgram().parent_path() / "Stakewise.so").string();
}

std::optional<std::string> LoadAddOn(Session& session, const AddOnOptions& options) {
    LoadedAddOn& addOn = session.addOn();
    addOn = LoadedAddOn{};
    addOn.path = options.path;

    const Int32 modulesBefore = RSOpenModuleCount();
    void* module = dlopen(options.path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr)
        return "cannot load the add-on module " + options.path + ": " + dlerror() +
               "; build the Stakewise target or name the module with --addon PATH";
    // An add-on opens its own resource module when it is loaded.
    const bool openedResources = RSOpenModuleCount() > modulesBefore;
    const GSResModule resources = openedResources ? RSLastOpenedModule() : 0;

    const auto getExported =
        reinterpret_cast<GetExportedFuncAddrs_Fn>(dlsym(module, API_GetExportedFuncAddrsName));
    const auto setImported =
        reinterpret_cast<SetImportedFuncAddrs_Fn>(dlsym(module, API_SetImportedFuncAddrsName));
    if (getExported == nullptr || setImported == nullptr)
        return Refuse(module, options.path +
                                  " does not export GetExportedFuncAddrs and "
                                  "SetImportedFuncAddrs; it is not an add-on");

    API_ExportRecord exports{};
    getExported(&exports);
    if (std::optional<std::string> refused = CheckExports(exports))
        return Refuse(module, std::move(*refused));
    if (!openedResources)
        return Refuse(module, options.path +
                                  " opened no resource module when loaded; it is not "
                                  "a complete add-on");

    const API_EntryTable table = BuildEntryTable(session);
    if (const GSErrCode error = setImported(&table); error != NoError)
        return Refuse(module, EntryFailed("SetImportedFuncAddrs", error));

    API_EnvirParams envir{};
    envir.serverInfo.serverApplication = options.applicationId;
    envir.serverInfo.mainVersion = kHostMainVersion;
    if (exports.checkEnvironment(&envir) == APIAddon_DontRegister)
        return Refuse(module, "the add-on does not run in this application (id " +
                                  std::to_string(options.applicationId) + "); it is not used");

    session.menus().SetResourceModule(resources);
    if (const GSErrCode error = exports.registerInterface(); error != NoError) {
        session.menus() = Menus();
        return Refuse(module, EntryFailed("RegisterInterface", error));
    }

    if (const GSErrCode error = exports.initialize(session.IssueToken()); error != NoError) {
        // Initialize may have taken resources before it failed: FreeData gives them back.
        exports.freeData();
        session.RevokeToken();
        session.menus() = Menus();
        return Refuse(module, EntryFailed("Initialize", error));
    }

    addOn.module = module;
    addOn.resources = resources;
    addOn.exports = exports;
    addOn.name = FieldText(envir.addOnInfo.name);
    addOn.description = FieldText(envir.addOnInfo.description);
    return std::nullopt;
}

void UnloadAddOn(Session& session, bool callFreeData) {
    LoadedAddOn& addOn = session.addOn();
    if (addOn.module == nullptr) return;
    if (callFreeData) {
        if (const GSErrCode error = addOn.exports.freeData(); error != NoError)
            std::fprintf(stderr, "planhost: the add-on's FreeData failed with %s\n",
                         FormatErrCode(error).c_str());
    }
    session.RevokeToken();
    const Int32 modulesBefore = RSOpenModuleCount();
    dlclose(addOn.module);
    if (RSOpenModuleCount() >= modulesBefore)
        std::fprintf(stderr, "planhost: the add-on left its resource module open\n");
    addOn = LoadedAddOn{};
}

}  // namespace planhost
